#include "QServoValueStates.h"

#include <QDateTime>

QServoValueStates::QServoValueStates() : m_clock([] { return QDateTime::currentMSecsSinceEpoch(); }) {}

void QServoValueStates::reset(int rowCount)
{
    m_rows.assign(static_cast<size_t>(qMax(0, rowCount)), Row());
    m_staleCount = 0;
}

void QServoValueStates::setClock(const Clock& clock)
{
    m_clock = clock ? clock : Clock([] { return QDateTime::currentMSecsSinceEpoch(); });
}

qint64 QServoValueStates::now() const
{
    return m_clock();
}

bool QServoValueStates::isValid(int row, int axis) const
{
    return row >= 0 && row < rowCount() && axis >= 0 && axis < kAxes;
}

void QServoValueStates::moveTo(QServoValue& v, QServoValue::State state)
{
    if (v.state == QServoValue::STALE) {
        --m_staleCount;
    }
    if (state == QServoValue::STALE) {
        ++m_staleCount;
    }
    v.state = state;
}

QServoValue QServoValueStates::value(int row, int axis) const
{
    if (!isValid(row, axis)) {
        return QServoValue();
    }
    QServoValue v = at(row, axis);
    v.ageMs = v.hasGood ? qMax<qint64>(0, now() - v.readAtMs) : -1;
    return v;
}

bool QServoValueStates::setRead(int row, int axis, qint64 raw, qint64 sentAtMs)
{
    if (!isValid(row, axis)) {
        return false;
    }
    QServoValue& v = at(row, axis);
    const bool changed = v.state != QServoValue::READ || v.raw != raw;
    moveTo(v, QServoValue::READ);
    v.hasGood = true;
    v.raw = raw;
    v.readAtMs = sentAtMs < 0 ? now() : sentAtMs;
    v.readFailed = false;
    return changed;
}

bool QServoValueStates::setNoAnswer(int row, int axis)
{
    if (!isValid(row, axis)) {
        return false;
    }
    QServoValue& v = at(row, axis);
    // A value never read stays not read, and a write stays not known: silence tells nothing new.
    if (v.state == QServoValue::NOT_READ || v.state == QServoValue::WRITTEN ||
        v.state == QServoValue::STALE) {
        return false;
    }
    moveTo(v, QServoValue::STALE);
    return true;
}

bool QServoValueStates::setReadFailed(int row, int axis)
{
    if (!isValid(row, axis)) {
        return false;
    }
    QServoValue& v = at(row, axis);
    const bool changed = v.state != QServoValue::STALE || !v.readFailed;
    moveTo(v, QServoValue::STALE);
    v.readFailed = true;
    return changed;
}

bool QServoValueStates::setWritten(int row, int axis, qint64 askedRaw)
{
    if (!isValid(row, axis)) {
        return false;
    }
    QServoValue& v = at(row, axis);
    const bool changed = v.state != QServoValue::WRITTEN || v.askedRaw != askedRaw;
    moveTo(v, QServoValue::WRITTEN);
    v.askedRaw = askedRaw;
    return changed;
}

QVector<int> QServoValueStates::setAllStale(int axisNum)
{
    QVector<int> changed;
    const int axes = qBound(0, axisNum, kAxes);
    for (int row = 0; row < rowCount(); ++row) {
        bool rowChanged = false;
        for (int axis = 0; axis < axes; ++axis) {
            QServoValue& v = at(row, axis);
            if (v.state == QServoValue::READ) {
                moveTo(v, QServoValue::STALE);
                rowChanged = true;
            }
        }
        if (rowChanged) {
            changed.append(row);
        }
    }
    return changed;
}

bool QServoValueStates::isReadSince(int row, int axis, qint64 sinceMs) const
{
    if (!isValid(row, axis)) {
        return false;
    }
    const QServoValue& v = at(row, axis);
    return v.state == QServoValue::READ && v.readAtMs >= sinceMs;
}

QServoValueStates::Row QServoValueStates::row(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<size_t>(row)] : Row();
}

void QServoValueStates::setRow(int row, const Row& values)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    for (int axis = 0; axis < kAxes; ++axis) {
        QServoValue& v = at(row, axis);
        moveTo(v, values.axes[axis].state);
        const QServoValue::State state = v.state;
        v = values.axes[axis];
        v.state = state;
    }
}

bool QServoValueStates::isReadOnAxesSince(int row, int axisNum, qint64 sinceMs) const
{
    for (int axis = 0; axis < axisNum; ++axis) {
        if (!isReadSince(row, axis, sinceMs)) {
            return false;
        }
    }
    return true;
}
