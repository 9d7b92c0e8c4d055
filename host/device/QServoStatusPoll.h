#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Asks a drive on a bus, now and then, whether it is still there, so that a drive that vanished while
// nothing was asked of it (no table of it shown) is shown offline soon: one small read once the drive
// has been quiet for half a period or more, at the drive's own phase of the period. Every reply of the
// drive, to any request, starts that wait again, so a drive whose table is shown (polled every refresh
// interval, 500 ms by default) gets no request more. A read that went unanswered is followed by the next
// one at once, so that the link's failures in a row, which take the drive offline, come within its
// timeouts instead of periods.
//
// Drives that came online together (a project opened, a line switched on) would otherwise be asked
// together, period after period: a burst of one request per drive. Each poll takes the next phase of a
// sequence that spreads any number of them evenly over the period (steps of the golden ratio), so a line
// of 64 drives is asked about 21 times a second, evenly.
class QServoStatusPoll : public QObject
{
    Q_OBJECT

public:
    // 3 s: a person who switched a drive off or pulled its cable looks at the project within a few
    // seconds; asking more often loads a line of many drives for nothing (64 drives: about 21 small
    // requests a second on the whole line), asking less often leaves a dead drive shown online for longer
    // than a person waits. It is well above the refresh interval of a shown table, which therefore keeps
    // its drive from being polled.
    static constexpr int kPeriodMs = 3000;

    struct Hooks
    {
        // Whether a read may go now (the drive is online and nothing else waits for it).
        std::function<bool()> canSend;
        // Sends the one small read.
        std::function<void()> send;
    };

    explicit QServoStatusPoll(const Hooks& hooks, int periodMs = kPeriodMs, QObject* parent = nullptr);

    // Starts (the drive came online) or stops (it went offline: its link probes it) the polling.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // The drive replied to a request; answered: with values rather than only errors.
    void noteReply(bool answered);

private:
    void onQuiet();
    // Starts the timer for the first moment of this poll's phase at least half a period from now.
    void waitForPhase();

    Hooks m_hooks;
    int m_periodMs;
    int m_phaseMs;
    bool m_active = false;
    QTimer m_timer;
};
