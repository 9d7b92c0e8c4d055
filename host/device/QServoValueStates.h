#pragma once

#include <QVector>
#include <QtGlobal>
#include <functional>
#include <vector>

// What a servo device knows about one value of one function code and axis: the value and how far it can
// be trusted. Pages ask QDeviceServo::valueInfo (value, state and age in one answer) before they show,
// compare, export or edit a value; the raw number alone never tells whether the drive holds it.
struct QServoValue
{
    enum State
    {
        NOT_READ = 0, // no read has answered yet: there is no value
        READ,         // the last read answered (at readAtMs)
        STALE,        // the last read failed, or the drive went offline or stopped answering since
        WRITTEN       // a write was sent and no read has answered since: what the drive holds is not known
    };

    State state = NOT_READ;
    // A read answered once: raw and readAtMs hold the last good value and when it was read.
    bool hasGood = false;
    qint64 raw = 0;
    qint64 readAtMs = 0; // milliseconds since 1970-01-01 UTC
    qint64 ageMs = -1;   // how long ago the last good read was; -1 without one
    // Stale because the drive answered the read with an error (not because it went away or fell silent):
    // the value is unknown, the last good one says nothing about the drive now.
    bool readFailed = false;
    // WRITTEN: the raw value asked for.
    qint64 askedRaw = 0;

    // Whether the value may be shown, compared, exported or edited as a number: read, or kept from the
    // last good read while the drive is away. Never read, a failed read, or a write not yet read back are
    // not known.
    bool isKnown() const { return state == READ || (state == STALE && hasGood && !readFailed); }
    bool isStale() const { return state == STALE; }
};

// The value and its state for every function code (by row) and axis of one device. Every change of state
// is answered with whether it changed anything, so that the device announces only real changes
// (SigFuncodeChanged_Servo). Ages are computed from the stored read times, never by asking the drive.
class QServoValueStates
{
public:
    static constexpr int kAxes = 3;
    using Clock = std::function<qint64()>;

    QServoValueStates();

    // Forgets every value: rowCount codes, none read.
    void reset(int rowCount);
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // The milliseconds since 1970-01-01 UTC that stamp reads (tests give their own clock).
    void setClock(const Clock& clock);
    qint64 now() const;

    QServoValue value(int row, int axis) const;

    // A read answered with the value: READ, stamped with the time the read was sent (now when not given:
    // a value that was read before a write must never pass for one read after it). True when the value
    // or its state changed.
    bool setRead(int row, int axis, qint64 raw, qint64 sentAtMs = -1);
    // A read got no answer (timeout, drive gone): STALE, the last good value kept.
    bool setNoAnswer(int row, int axis);
    // The drive answered the read with an error: STALE and unknown.
    bool setReadFailed(int row, int axis);
    // A write of askedRaw was sent (taken, or no answer in time): WRITTEN until a read answers.
    bool setWritten(int row, int axis, qint64 askedRaw);
    // The drive went offline or stopped answering: every read value of the first axisNum axes becomes
    // STALE. Returns the rows that changed.
    QVector<int> setAllStale(int axisNum);

    // Values in STALE state (of any axis).
    int staleCount() const { return m_staleCount; }
    // Whether the value was read at or after the time (ms since 1970-01-01 UTC).
    bool isReadSince(int row, int axis, qint64 sinceMs) const;
    // Whether every one of the first axisNum axes of the row was read at or after the time.
    bool isReadOnAxesSince(int row, int axisNum, qint64 sinceMs) const;

    // The whole state of one row, to carry values across a reload of the descriptions.
    struct Row
    {
        QServoValue axes[kAxes];
    };
    Row row(int row) const;
    void setRow(int row, const Row& values);

private:
    bool isValid(int row, int axis) const;
    QServoValue& at(int row, int axis) { return m_rows[static_cast<size_t>(row)].axes[axis]; }
    const QServoValue& at(int row, int axis) const { return m_rows[static_cast<size_t>(row)].axes[axis]; }
    // Sets the state and keeps the count of stale values.
    void moveTo(QServoValue& v, QServoValue::State state);

    std::vector<Row> m_rows;
    int m_staleCount = 0;
    Clock m_clock;
};
