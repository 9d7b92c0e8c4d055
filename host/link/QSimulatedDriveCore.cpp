#include "QSimulatedDriveCore.h"

#include "QDriveLink.h"
#include "QFuncodeScaling.h"

#include <QDateTime>
#include <QRegExp>
#include <cmath>

namespace {
const int kHistoryDepth = 10;

// A repeatable pseudo-random number in [-1, 1] for a code and a time slot.
double noiseAt(int row, qint64 slot)
{
    quint64 x = static_cast<quint64>(row) * 0x9E3779B97F4A7C15ULL ^
                static_cast<quint64>(slot) * 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 31;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 29;
    return (static_cast<double>(x % 20001) / 10000.0) - 1.0;
}
} // namespace

QSimulatedDriveCore::QSimulatedDriveCore(const QDriveModelPtr& model, QObject* parent)
    : QObject(parent), m_model(model)
{
    m_memory.resize(m_model->codes.size());
    for (int row = 0; row < m_model->codes.size(); ++row) {
        const tagSubFuncode_Servo& fun = m_model->codes.at(row);
        qint64 def = 0;
        QFuncodeScaling::descriptionToRaw(fun, fun.defaultVal, &def);
        m_memory[row] = {{def, def, def}};
        m_simulated.append(m_model->sims.contains(fun.funIndex));
    }
    m_stored = m_memory;
    m_clock.start();
}

QSimulatedDriveCore::~QSimulatedDriveCore() = default;

// ---------------------------------------------------------------- requests

QDriveRequestFate QSimulatedDriveCore::beginRequest()
{
    ++m_requests;
    if (m_switches.offlineAfter == 0) {
        m_switches.offlineAfter = -1;
        setOnline(false);
        emit faultSwitchesChanged();
    } else if (m_switches.offlineAfter > 0) {
        --m_switches.offlineAfter;
    }
    QDriveRequestFate fate;
    fate.drop = hits(m_switches.dropEvery);
    if (!fate.drop && hits(m_switches.lateEvery)) {
        fate.extraDelayMs = qMax(0, m_switches.lateByMs);
    }
    return fate;
}

void QSimulatedDriveCore::readItem(QDriveValueItem* item) const
{
    if (!m_online) {
        item->error = QDriveLink::LINK_ERR_OFFLINE;
        return;
    }
    item->error = readRow(m_model->indexOf(item->funIndex), item->axis, &item->value);
}

void QSimulatedDriveCore::writeItem(QDriveValueItem* item)
{
    if (!m_online) {
        item->error = QDriveLink::LINK_ERR_OFFLINE;
        return;
    }
    item->error = writeRow(m_model->indexOf(item->funIndex), item->axis, item->value);
}

int QSimulatedDriveCore::readRow(int row, int axis, qint64* value) const
{
    if (row < 0 || row >= m_memory.size() || !validAxis(axis)) {
        return QDriveLink::LINK_ERR_UNKNOWN;
    }
    if (row == m_failRow) {
        return QDriveLink::LINK_ERR_REFUSED;
    }
    *value = memoryValue(row, axis);
    return QDriveLink::LINK_OK;
}

int QSimulatedDriveCore::checkWriteRow(int row, int axis, qint64 value) const
{
    if (row < 0 || row >= m_memory.size() || !validAxis(axis)) {
        return QDriveLink::LINK_ERR_UNKNOWN;
    }
    const tagSubFuncode_Servo& fun = m_model->codes.at(row);
    if (fun.isStateCode || (fun.rwLevel != 1 && fun.rwLevel != 2)) {
        return QDriveLink::LINK_ERR_READ_ONLY;
    }
    if (row == m_failRow || m_switches.refuseWrites) {
        return QDriveLink::LINK_ERR_REFUSED;
    }
    if (!QFuncodeScaling::isRawInRange(fun, value)) {
        return QDriveLink::LINK_ERR_RANGE;
    }
    return QDriveLink::LINK_OK;
}

int QSimulatedDriveCore::writeRow(int row, int axis, qint64 value)
{
    const int error = checkWriteRow(row, axis, value);
    if (error != QDriveLink::LINK_OK) {
        return error;
    }
    const tagSubFuncode_Servo& fun = m_model->codes.at(row);
    m_memory[row][axis] = value;
    if (!fun.isStore) {
        m_stored[row][axis] = value;
    }
    applyEffects(row, axis);
    return QDriveLink::LINK_OK;
}

int QSimulatedDriveCore::checkAxisCommand(int axis) const
{
    if (!m_online) {
        return QDriveLink::LINK_ERR_OFFLINE;
    }
    return validAxis(axis) ? QDriveLink::LINK_OK : QDriveLink::LINK_ERR_UNKNOWN;
}

int QSimulatedDriveCore::clearFaults()
{
    if (!m_online) {
        return QDriveLink::LINK_ERR_OFFLINE;
    }
    clearAllFaults();
    return QDriveLink::LINK_OK;
}

int QSimulatedDriveCore::historyRecords(int axis, QList<QByteArray>* records) const
{
    const int error = checkAxisCommand(axis);
    if (error == QDriveLink::LINK_OK) {
        *records = m_history[axis];
    }
    return error;
}

int QSimulatedDriveCore::clearHistory(int axis)
{
    const int error = checkAxisCommand(axis);
    if (error == QDriveLink::LINK_OK) {
        m_history[axis].clear();
    }
    return error;
}

int QSimulatedDriveCore::saveAll(int axis)
{
    const int error = checkAxisCommand(axis);
    if (error != QDriveLink::LINK_OK) {
        return error;
    }
    for (int row = 0; row < m_memory.size(); ++row) {
        if (m_model->codes.at(row).isStore) {
            m_stored[row][axis] = m_memory[row][axis];
        }
    }
    return QDriveLink::LINK_OK;
}

int QSimulatedDriveCore::reset(int axis)
{
    const int error = checkAxisCommand(axis);
    if (error != QDriveLink::LINK_OK) {
        return error;
    }
    // A reset is a power cycle of the axis: what was not saved is lost.
    for (int row = 0; row < m_memory.size(); ++row) {
        m_memory[row][axis] = m_stored[row][axis];
    }
    return QDriveLink::LINK_OK;
}

// ---------------------------------------------------------------- control

void QSimulatedDriveCore::setOnline(bool online)
{
    if (m_online == online) {
        return;
    }
    m_online = online;
    emit onlineChanged(online);
}

void QSimulatedDriveCore::setFaultSwitches(const QDriveFaultSwitches& switches)
{
    m_switches = switches;
    m_failRow = switches.failCode.isEmpty() ? -1 : m_model->indexOf(switches.failCode);
    m_requests = 0;
    emit faultSwitchesChanged();
}

QString QSimulatedDriveCore::refusalReason() const
{
    if (!m_switches.refuseWrites) {
        return QString();
    }
    return m_switches.refuseReason.isEmpty() ? QStringLiteral("writes refused") : m_switches.refuseReason;
}

bool QSimulatedDriveCore::raiseFault(const QString& code, int axis)
{
    const QDriveFaultDef* def = m_model->fault(code);
    if (!def || !validAxis(axis)) {
        return false;
    }
    for (const QDriveFaultRecord& f : qAsConst(m_faults)) {
        if (f.code == code && f.axis == axis) {
            return true;
        }
    }
    QDriveFaultRecord record;
    record.code = code;
    record.axis = axis;
    record.time = driveTime();
    m_faults.append(record);
    if (def->history) {
        m_history[axis].prepend(composeHistoryRecord(code, axis));
        while (m_history[axis].size() > kHistoryDepth) {
            m_history[axis].removeLast();
        }
    }
    emit faultsChanged();
    return true;
}

void QSimulatedDriveCore::clearAllFaults()
{
    const int before = m_faults.size();
    for (int i = m_faults.size() - 1; i >= 0; --i) {
        const QDriveFaultDef* def = m_model->fault(m_faults.at(i).code);
        if (!def || def->canClear) {
            m_faults.removeAt(i);
        }
    }
    if (m_faults.size() != before) {
        emit faultsChanged();
    }
}

qint64 QSimulatedDriveCore::rawValue(const QString& funIndex, int axis) const
{
    const int row = m_model->indexOf(funIndex);
    if (row < 0 || axis < 0 || axis > 2) {
        return 0;
    }
    return memoryValue(row, axis);
}

void QSimulatedDriveCore::setRawValue(const QString& funIndex, int axis, qint64 value)
{
    const int row = m_model->indexOf(funIndex);
    if (row < 0 || axis < 0 || axis > 2) {
        return;
    }
    m_memory[row][axis] = value;
}

qint64 QSimulatedDriveCore::storedValue(const QString& funIndex, int axis) const
{
    const int row = m_model->indexOf(funIndex);
    if (row < 0 || axis < 0 || axis > 2) {
        return 0;
    }
    return m_stored[row][axis];
}

int QSimulatedDriveCore::historyCount(int axis) const
{
    return (axis >= 0 && axis < 3) ? m_history[axis].size() : 0;
}

qint64 QSimulatedDriveCore::driveTime() const
{
    return QDateTime::currentSecsSinceEpoch() + m_clockOffset;
}

void QSimulatedDriveCore::setFrozen(bool frozen)
{
    m_frozen = frozen;
    m_frozenAt = m_clock.elapsed();
}

// ---------------------------------------------------------------- inside the drive

qint64 QSimulatedDriveCore::memoryValue(int row, int axis) const
{
    if (m_simulated.at(row)) {
        return simulatedValue(row, axis);
    }
    return m_memory[row][axis];
}

void QSimulatedDriveCore::applyEffects(int sourceRow, int axis)
{
    const tagSubFuncode_Servo& source = m_model->codes.at(sourceRow);
    const qint64 sourceRaw = m_memory[sourceRow][axis];
    for (const QDriveEffectDef& effect : m_model->effects) {
        if (effect.source != source.funIndex) {
            continue;
        }
        const int targetRow = m_model->indexOf(effect.target);
        if (targetRow < 0) {
            continue;
        }
        const tagSubFuncode_Servo& target = m_model->codes.at(targetRow);
        qint64 raw = 0;
        if (effect.linear) {
            const double value =
                QFuncodeScaling::rawToEditor(source, sourceRaw) * effect.scale + effect.offset;
            raw = QFuncodeScaling::editorToRaw(target, value);
        } else if (!effect.table.contains(sourceRaw) ||
                   !QFuncodeScaling::descriptionToRaw(target, effect.table.value(sourceRaw), &raw)) {
            continue;
        }
        m_memory[targetRow][axis] =
            qBound(QFuncodeScaling::rawMin(target), raw, QFuncodeScaling::rawMax(target));
    }
}

qint64 QSimulatedDriveCore::simulatedValue(int row, int axis) const
{
    const tagSubFuncode_Servo& fun = m_model->codes.at(row);
    const QDriveSimDef sim = m_model->sims.value(fun.funIndex);
    const qint64 ms = m_frozen ? m_frozenAt : m_clock.elapsed();
    // Each axis runs a little behind the one before it, as separate motors do.
    const double t = static_cast<double>(ms) / 1000.0 - 0.37 * axis;
    double value = sim.base;
    switch (sim.kind) {
    case QDriveSimDef::Sine:
        value = sim.base + sim.amp * std::sin(2.0 * M_PI * t / sim.periodS);
        break;
    case QDriveSimDef::Ramp:
        value = sim.base + sim.amp * std::fmod(t, sim.periodS) / sim.periodS;
        break;
    case QDriveSimDef::Noise:
        value = sim.base + sim.amp * noiseAt(row * 3 + axis, ms / 200);
        break;
    case QDriveSimDef::Clock:
        if (fun.showType == 5) {
            return driveTime();
        }
        value = sim.base + t;
        break;
    case QDriveSimDef::Const:
    case QDriveSimDef::None:
        break;
    }
    if (fun.showType == 4 || fun.showType == 7 || fun.showType == 3 || fun.showType == 1 ||
        fun.showType == 9) {
        qint64 def = 0;
        QFuncodeScaling::descriptionToRaw(fun, fun.defaultVal, &def);
        return sim.kind == QDriveSimDef::Const ? def : static_cast<qint64>(value);
    }
    const qint64 raw = QFuncodeScaling::editorToRaw(fun, value);
    return qBound(QFuncodeScaling::dataTypeMin(fun.dataType), raw,
                  QFuncodeScaling::dataTypeMax(fun.dataType));
}

QByteArray QSimulatedDriveCore::composeHistoryRecord(const QString& code, int axis) const
{
    // Words are counted from 1; a row's field starts at its first word and is its byte length long.
    int bytes = 0;
    for (const tagHisFaultFormat_Servo& row : m_model->historyFormat) {
        const int first = row.number.section(QLatin1Char('~'), 0, 0).toInt();
        bytes = qMax(bytes, (first - 1) * 2 + row.byteLen);
    }
    QByteArray record(qMax(0, bytes), '\0');
    for (const tagHisFaultFormat_Servo& row : m_model->historyFormat) {
        const int offset = (row.number.section(QLatin1Char('~'), 0, 0).toInt() - 1) * 2;
        if (offset < 0 || row.byteLen <= 0) {
            continue;
        }
        qint64 value = 0;
        if (row.param.compare(QLatin1String("FAULTCODE"), Qt::CaseInsensitive) == 0) {
            QString digits = code;
            digits.remove(QRegExp(QStringLiteral("\\D")));
            value = digits.toLongLong();
        } else if (row.param.compare(QLatin1String("RESERVE"), Qt::CaseInsensitive) != 0) {
            value = rawValue(row.param, axis);
        }
        // Big-endian, as the words arrive from the drive.
        for (int b = 0; b < row.byteLen; ++b) {
            const int shift = 8 * (row.byteLen - 1 - b);
            record[offset + b] =
                static_cast<char>(shift < 64 ? (static_cast<quint64>(value) >> shift) & 0xFF : 0);
        }
    }
    return record;
}
