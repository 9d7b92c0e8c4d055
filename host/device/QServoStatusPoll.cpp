#include "QServoStatusPoll.h"

#include <QElapsedTimer>
#include <cmath>

namespace {
// The clock every poll's phase is counted on.
qint64 sharedClockMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid()) {
        clock.start();
    }
    return clock.elapsed();
}

// The phase of the next poll made, as a part of the period: n times the golden ratio, modulo one, leaves
// no two of any number of consecutive polls close together.
double nextPhase()
{
    static int made = 0;
    const double goldenRatio = 0.6180339887498949;
    return std::fmod(made++ * goldenRatio, 1.0);
}
} // namespace

QServoStatusPoll::QServoStatusPoll(const Hooks& hooks, int periodMs, QObject* parent)
    : QObject(parent), m_hooks(hooks), m_periodMs(qMax(1, periodMs)), m_phaseMs(int(nextPhase() * m_periodMs))
{
    m_timer.setSingleShot(true);
    // A coarse timer would move the phases onto round times of the clock, together again.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &QServoStatusPoll::onQuiet);
}

void QServoStatusPoll::setActive(bool active)
{
    m_active = active;
    if (!active) {
        m_timer.stop();
        return;
    }
    waitForPhase();
}

void QServoStatusPoll::noteReply(bool answered)
{
    if (!m_active) {
        return;
    }
    if (!answered) {
        m_timer.start(0);
        return;
    }
    waitForPhase();
}

void QServoStatusPoll::waitForPhase()
{
    const qint64 now = sharedClockMs();
    const qint64 earliest = now + m_periodMs / 2;
    const qint64 intoPeriod = ((earliest - m_phaseMs) % m_periodMs + m_periodMs) % m_periodMs;
    const qint64 next = intoPeriod == 0 ? earliest : earliest + m_periodMs - intoPeriod;
    m_timer.start(int(next - now));
}

void QServoStatusPoll::onQuiet()
{
    // The wait starts again in any case; a reply to the read starts it again too.
    waitForPhase();
    if (m_hooks.canSend()) {
        m_hooks.send();
    }
}
