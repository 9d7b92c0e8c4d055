#include "QSimulatedDriveRegisters.h"

#include "QDriveLink.h"
#include "QSimulatedDriveCore.h"

#include <QPair>

namespace {
typedef QModbusRegisterMap Map;

const int kStatusAreaEnd = Map::kReasonRegister + Map::kReasonRegisters;
const int kFaultAreaEnd = Map::kFaultCountRegister + 1 + Map::kFaultEntryRegisters * Map::kMaxFaultEntries;
const int kHistoryAreaEnd = 0x10000;

void put(QVector<quint16>* words, int at, const QVector<quint16>& part)
{
    for (int i = 0; i < part.size() && at + i < words->size(); ++i) {
        (*words)[at + i] = part.at(i);
    }
}
} // namespace

QSimulatedDriveRegisters::QSimulatedDriveRegisters(QSimulatedDriveCore* core)
    : m_core(core), m_map(core->model())
{
}

int QSimulatedDriveRegisters::exceptionOf(int linkError)
{
    switch (linkError) {
    case QDriveLink::LINK_OK:
        return NO_EXCEPTION;
    case QDriveLink::LINK_ERR_READ_ONLY:
        return ILLEGAL_FUNCTION;
    case QDriveLink::LINK_ERR_UNKNOWN:
        return ILLEGAL_ADDRESS;
    case QDriveLink::LINK_ERR_RANGE:
        return ILLEGAL_VALUE;
    default:
        return DEVICE_FAILURE;
    }
}

int QSimulatedDriveRegisters::read(int axis, int address, int count, QVector<quint16>* words) const
{
    words->clear();
    if (count <= 0 || address < 0 || address + count > kHistoryAreaEnd) {
        return ILLEGAL_ADDRESS;
    }
    if (address >= QDriveModel::kReservedRegisterStart) {
        return readArea(axis, address, count, words);
    }
    if (address + count > QDriveModel::kReservedRegisterStart) {
        return ILLEGAL_ADDRESS;
    }
    return readCodes(axis, address, count, words);
}

int QSimulatedDriveRegisters::readCodes(int axis, int address, int count, QVector<quint16>* words) const
{
    bool any = false;
    int row = -1;
    QVector<quint16> value;
    for (int r = address; r < address + count; ++r) {
        int word = 0;
        const int holder = m_map.rowHolding(r, &word);
        if (holder < 0) {
            words->append(0); // registers between codes read as 0
            continue;
        }
        any = true;
        if (holder != row) {
            row = holder;
            qint64 raw = 0;
            const int error = m_core->readRow(row, axis, &raw);
            if (error != QDriveLink::LINK_OK) {
                words->clear();
                return exceptionOf(error);
            }
            value = Map::encode(raw, m_map.span(row).count);
        }
        words->append(value.at(word));
    }
    if (!any) {
        words->clear();
        return ILLEGAL_ADDRESS;
    }
    return NO_EXCEPTION;
}

int QSimulatedDriveRegisters::readArea(int axis, int address, int count, QVector<quint16>* words) const
{
    const QList<QPair<int, int>> areas = {{Map::kCommandRegister, kStatusAreaEnd},
                                          {Map::kFaultCountRegister, kFaultAreaEnd},
                                          {Map::kHistoryCountRegister, kHistoryAreaEnd}};
    for (int i = 0; i < areas.size(); ++i) {
        const int start = areas.at(i).first;
        if (address < start || address + count > areas.at(i).second) {
            continue;
        }
        const QVector<quint16> image = i == 0 ? statusArea() : (i == 1 ? faultArea() : historyArea(axis));
        *words = image.mid(address - start, count);
        words->resize(count); // beyond the records: 0
        return NO_EXCEPTION;
    }
    return ILLEGAL_ADDRESS;
}

QVector<quint16> QSimulatedDriveRegisters::statusArea() const
{
    QVector<quint16> words(kStatusAreaEnd - Map::kCommandRegister, 0);
    const QString reason = m_core->refusalReason();
    words[Map::kStatusRegister - Map::kCommandRegister] = reason.isEmpty() ? 0 : Map::kStatusWritesRefused;
    put(&words, Map::kClockRegister - Map::kCommandRegister,
        Map::encode(m_core->driveTime(), Map::kClockRegisters));
    put(&words, Map::kIdentityRegister - Map::kCommandRegister,
        Map::encode(m_core->model()->identNumber, Map::kIdentityRegisters));
    put(&words, Map::kReasonRegister - Map::kCommandRegister,
        Map::packText(reason.toUtf8(), Map::kReasonRegisters));
    return words;
}

QVector<quint16> QSimulatedDriveRegisters::faultArea() const
{
    QVector<quint16> words(kFaultAreaEnd - Map::kFaultCountRegister, 0);
    const QDriveFaultList faults = m_core->currentFaults();
    const int count = qMin(faults.size(), int(Map::kMaxFaultEntries));
    words[0] = static_cast<quint16>(count);
    for (int i = 0; i < count; ++i) {
        const QDriveFaultRecord& f = faults.at(i);
        const int at = 1 + i * Map::kFaultEntryRegisters;
        put(&words, at, Map::encode(Map::faultNumber(f.code), 2));
        words[at + 2] = static_cast<quint16>(f.axis);
        put(&words, at + 4, Map::encode(f.time, 4));
    }
    return words;
}

QVector<quint16> QSimulatedDriveRegisters::historyArea(int axis) const
{
    QList<QByteArray> records;
    m_core->historyRecords(axis, &records);
    int length = 0;
    for (const QByteArray& record : qAsConst(records)) {
        length = qMax(length, (record.size() + 1) / 2);
    }
    QVector<quint16> words{static_cast<quint16>(records.size()), static_cast<quint16>(length)};
    for (const QByteArray& record : qAsConst(records)) {
        QVector<quint16> part = Map::packText(record, length);
        words += part;
    }
    return words;
}

int QSimulatedDriveRegisters::write(int axis, int address, const QVector<quint16>& values,
                                    QStringList* written)
{
    if (values.isEmpty() || address < 0 || address + values.size() > kHistoryAreaEnd) {
        return ILLEGAL_ADDRESS;
    }
    if (address >= QDriveModel::kReservedRegisterStart) {
        if (address != Map::kCommandRegister || values.size() != 1) {
            return ILLEGAL_ADDRESS;
        }
        return runCommand(axis, values.first(), written);
    }
    // Whole codes only, every one checked before any is written.
    QList<QPair<int, qint64>> changes;
    for (int r = address; r < address + values.size();) {
        const int row = m_map.rowStartingAt(r);
        const int count = m_map.span(row).count;
        if (row < 0 || r + count > address + values.size()) {
            return ILLEGAL_ADDRESS;
        }
        const tagSubFuncode_Servo& fun = m_core->model()->codes.at(row);
        const qint64 value = Map::decode(values.mid(r - address, count), fun.dataType);
        const int error = m_core->checkWriteRow(row, axis, value);
        if (error != QDriveLink::LINK_OK) {
            return exceptionOf(error);
        }
        changes.append({row, value});
        r += count;
    }
    for (const auto& change : qAsConst(changes)) {
        m_core->writeRow(change.first, axis, change.second);
        if (written) {
            written->append(QStringLiteral("%1=%2")
                                .arg(m_core->model()->codes.at(change.first).funIndex)
                                .arg(change.second));
        }
    }
    return NO_EXCEPTION;
}

int QSimulatedDriveRegisters::runCommand(int axis, quint16 command, QStringList* written)
{
    int error = QDriveLink::LINK_OK;
    QString name;
    switch (command) {
    case Map::COMMAND_SAVE_ALL:
        error = m_core->saveAll(axis);
        name = QStringLiteral("save all");
        break;
    case Map::COMMAND_RESET:
        error = m_core->reset(axis);
        name = QStringLiteral("reset");
        break;
    case Map::COMMAND_CLEAR_FAULTS:
        error = m_core->clearFaults();
        name = QStringLiteral("clear faults");
        break;
    case Map::COMMAND_CLEAR_HISTORY:
        error = m_core->clearHistory(axis);
        name = QStringLiteral("clear history");
        break;
    default:
        return ILLEGAL_VALUE;
    }
    if (written) {
        written->append(name);
    }
    return exceptionOf(error);
}

QString QSimulatedDriveRegisters::describeBlock(int address, int count) const
{
    QString first;
    QString last;
    for (int r = address; r < address + count; ++r) {
        const int row = m_map.rowStartingAt(r);
        if (row < 0) {
            continue;
        }
        const QString number = m_core->model()->codes.at(row).funIndex;
        if (first.isEmpty()) {
            first = number;
        }
        last = number;
    }
    if (first.isEmpty()) {
        return QString();
    }
    return first == last ? first : QStringLiteral("%1..%2").arg(first, last);
}
