#include "QSimulatedDriveLink.h"

#include "QFuncodeScaling.h"

#include <QDateTime>
#include <QRegExp>
#include <QTimer>
#include <QtEndian>
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

QSimulatedDriveLink::QSimulatedDriveLink(const QDriveModelPtr& model, QObject* parent)
    : QDriveLink(parent), m_model(model)
{
    m_memory.resize(m_model->codes.size());
    for (int row = 0; row < m_model->codes.size(); ++row) {
        const tagSubFuncode_Servo& fun = m_model->codes.at(row);
        qint64 def = 0;
        QFuncodeScaling::descriptionToRaw(fun, fun.defaultVal, &def);
        m_memory[row] = {{def, def, def}};
    }
    m_stored = m_memory;
    m_clock.start();
}

QSimulatedDriveLink::~QSimulatedDriveLink() = default;

void QSimulatedDriveLink::answerLater(std::function<void()> answer)
{
    QTimer::singleShot(m_replyDelayMs, this, std::move(answer));
}

quint32 QSimulatedDriveLink::requestRead(const QDriveValueList& items)
{
    const quint32 id = nextRequestId();
    countRead(items.size());
    QDriveValueList answer = items;
    if (!m_online) {
        for (QDriveValueItem& item : answer) {
            item.error = LINK_ERR_OFFLINE;
        }
    } else {
        for (QDriveValueItem& item : answer) {
            const int row = m_model->indexOf(item.funIndex);
            if (row < 0 || item.axis < 0 || item.axis >= m_model->axisNum) {
                item.error = LINK_ERR_UNKNOWN;
                continue;
            }
            item.value = readValue(row, item.axis);
            item.error = LINK_OK;
        }
    }
    answerLater([this, id, answer]() { emit readFinished(id, answer); });
    return id;
}

quint32 QSimulatedDriveLink::requestWrite(const QDriveValueList& items)
{
    const quint32 id = nextRequestId();
    countWrite();
    QDriveValueList answer = items;
    for (QDriveValueItem& item : answer) {
        if (!m_online) {
            item.error = LINK_ERR_OFFLINE;
            continue;
        }
        const int row = m_model->indexOf(item.funIndex);
        if (row < 0 || item.axis < 0 || item.axis >= m_model->axisNum) {
            item.error = LINK_ERR_UNKNOWN;
            continue;
        }
        item.error = writeValue(row, item.axis, item.value);
        if (item.error == LINK_OK) {
            applyEffects(row, item.axis);
        }
    }
    const qint64 time = driveTime();
    answerLater([this, id, answer, time]() { emit writeFinished(id, answer, time); });
    return id;
}

quint32 QSimulatedDriveLink::requestCurrentFaults()
{
    const quint32 id = nextRequestId();
    const QDriveFaultList faults = m_online ? m_faults : QDriveFaultList();
    const int error = m_online ? LINK_OK : LINK_ERR_OFFLINE;
    answerLater([this, id, faults, error]() { emit currentFaultsRead(id, faults, error); });
    return id;
}

quint32 QSimulatedDriveLink::requestClearFaults()
{
    const quint32 id = nextRequestId();
    const int error = m_online ? LINK_OK : LINK_ERR_OFFLINE;
    if (m_online) {
        clearAllFaults();
    }
    answerLater([this, id, error]() { emit commandFinished(id, error); });
    return id;
}

quint32 QSimulatedDriveLink::requestHistoryRecords(int axis)
{
    const quint32 id = nextRequestId();
    const bool valid = axis >= 0 && axis < m_model->axisNum;
    const QList<QByteArray> records = (m_online && valid) ? m_history[axis] : QList<QByteArray>();
    const int error = !m_online ? LINK_ERR_OFFLINE : (valid ? LINK_OK : LINK_ERR_UNKNOWN);
    answerLater([this, id, axis, records, error]() { emit historyRecordsRead(id, axis, records, error); });
    return id;
}

quint32 QSimulatedDriveLink::requestClearHistory(int axis)
{
    const quint32 id = nextRequestId();
    const bool valid = axis >= 0 && axis < m_model->axisNum;
    const int error = !m_online ? LINK_ERR_OFFLINE : (valid ? LINK_OK : LINK_ERR_UNKNOWN);
    if (error == LINK_OK) {
        m_history[axis].clear();
    }
    answerLater([this, id, error]() { emit commandFinished(id, error); });
    return id;
}

quint32 QSimulatedDriveLink::requestSaveAll(int axis)
{
    const quint32 id = nextRequestId();
    const bool valid = axis >= 0 && axis < m_model->axisNum;
    const int error = !m_online ? LINK_ERR_OFFLINE : (valid ? LINK_OK : LINK_ERR_UNKNOWN);
    if (error == LINK_OK) {
        for (int row = 0; row < m_memory.size(); ++row) {
            if (m_model->codes.at(row).isStore) {
                m_stored[row][axis] = m_memory[row][axis];
            }
        }
    }
    answerLater([this, id, error]() { emit commandFinished(id, error); });
    return id;
}

quint32 QSimulatedDriveLink::requestReset(int axis)
{
    const quint32 id = nextRequestId();
    const bool valid = axis >= 0 && axis < m_model->axisNum;
    const int error = !m_online ? LINK_ERR_OFFLINE : (valid ? LINK_OK : LINK_ERR_UNKNOWN);
    if (error == LINK_OK) {
        // A reset is a power cycle of the axis: what was not saved is lost.
        for (int row = 0; row < m_memory.size(); ++row) {
            m_memory[row][axis] = m_stored[row][axis];
        }
    }
    answerLater([this, id, error]() { emit commandFinished(id, error); });
    return id;
}

void QSimulatedDriveLink::setOnline(bool online)
{
    if (m_online == online) {
        return;
    }
    m_online = online;
    emit onlineChanged(online);
}

bool QSimulatedDriveLink::raiseFault(const QString& code, int axis)
{
    const QDriveFaultDef* def = m_model->fault(code);
    if (!def || axis < 0 || axis >= m_model->axisNum) {
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

void QSimulatedDriveLink::clearAllFaults()
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

qint64 QSimulatedDriveLink::rawValue(const QString& funIndex, int axis) const
{
    const int row = m_model->indexOf(funIndex);
    if (row < 0 || axis < 0 || axis > 2) {
        return 0;
    }
    return readValue(row, axis);
}

void QSimulatedDriveLink::setRawValue(const QString& funIndex, int axis, qint64 value)
{
    const int row = m_model->indexOf(funIndex);
    if (row < 0 || axis < 0 || axis > 2) {
        return;
    }
    m_memory[row][axis] = value;
}

qint64 QSimulatedDriveLink::storedValue(const QString& funIndex, int axis) const
{
    const int row = m_model->indexOf(funIndex);
    if (row < 0 || axis < 0 || axis > 2) {
        return 0;
    }
    return m_stored[row][axis];
}

int QSimulatedDriveLink::historyCount(int axis) const
{
    return (axis >= 0 && axis < 3) ? m_history[axis].size() : 0;
}

qint64 QSimulatedDriveLink::driveTime() const
{
    return QDateTime::currentSecsSinceEpoch() + m_clockOffset;
}

qint64 QSimulatedDriveLink::readValue(int row, int axis) const
{
    if (m_model->sims.contains(m_model->codes.at(row).funIndex)) {
        return simulatedValue(row, axis);
    }
    return m_memory[row][axis];
}

int QSimulatedDriveLink::writeValue(int row, int axis, qint64 value)
{
    const tagSubFuncode_Servo& fun = m_model->codes.at(row);
    if (fun.isStateCode || (fun.rwLevel != 1 && fun.rwLevel != 2)) {
        return LINK_ERR_READ_ONLY;
    }
    if (!QFuncodeScaling::isRawInRange(fun, value)) {
        return LINK_ERR_RANGE;
    }
    m_memory[row][axis] = value;
    if (!fun.isStore) {
        m_stored[row][axis] = value;
    }
    return LINK_OK;
}

void QSimulatedDriveLink::applyEffects(int sourceRow, int axis)
{
    const tagSubFuncode_Servo& source = m_model->codes.at(sourceRow);
    const qint64 sourceRaw = m_memory[sourceRow][axis];
    for (const QDriveEffectDef& effect : m_model->effects) {
        if (effect.source != source.funIndex) {
            continue;
        }
        const int targetRow = m_model->indexOf(effect.target);
        const tagSubFuncode_Servo& target = m_model->codes.at(targetRow);
        qint64 raw = 0;
        if (effect.linear) {
            const double value =
                QFuncodeScaling::rawToEditor(source, sourceRaw) * effect.scale + effect.offset;
            raw = QFuncodeScaling::editorToRaw(target, value);
        } else if (effect.table.contains(sourceRaw)) {
            if (!QFuncodeScaling::descriptionToRaw(target, effect.table.value(sourceRaw), &raw)) {
                continue;
            }
        } else {
            continue;
        }
        m_memory[targetRow][axis] =
            qBound(QFuncodeScaling::rawMin(target), raw, QFuncodeScaling::rawMax(target));
    }
}

void QSimulatedDriveLink::setFrozen(bool frozen)
{
    m_frozen = frozen;
    m_frozenAt = m_clock.elapsed();
}

qint64 QSimulatedDriveLink::simulatedValue(int row, int axis) const
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

QByteArray QSimulatedDriveLink::composeHistoryRecord(const QString& code, int axis) const
{
    int words = 0;
    for (const tagHisFaultFormat_Servo& row : m_model->historyFormat) {
        words = qMax(words, row.number.section(QLatin1Char('~'), -1).toInt() + 1);
    }
    QByteArray record(words * 2, '\0');
    for (const tagHisFaultFormat_Servo& row : m_model->historyFormat) {
        const int first = row.number.section(QLatin1Char('~'), 0, 0).toInt();
        const int last = row.number.section(QLatin1Char('~'), -1).toInt();
        const int bytes = (last - first + 1) * 2;
        qint64 value = 0;
        if (row.param == QLatin1String("FAULTCODE")) {
            QString digits = code;
            digits.remove(QRegExp(QStringLiteral("\\D")));
            value = digits.toLongLong();
        } else if (row.param != QLatin1String("RESERVE")) {
            value = rawValue(row.param, axis);
        }
        // Big-endian, as the words arrive from the drive.
        for (int b = 0; b < bytes; ++b) {
            record[first * 2 + b] =
                static_cast<char>((static_cast<quint64>(value) >> (8 * (bytes - 1 - b))) & 0xFF);
        }
    }
    return record;
}
