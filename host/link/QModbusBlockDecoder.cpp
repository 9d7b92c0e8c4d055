#include "QModbusBlockDecoder.h"

#include "QModbusRegisterMap.h"

QDriveFaultList QModbusBlockDecoder::faults(const QVector<quint16>& words, const QModbusRegisterMap& map)
{
    QDriveFaultList list;
    if (words.isEmpty()) {
        return list;
    }
    const int entrySize = QModbusRegisterMap::kFaultEntryRegisters;
    const int available = (words.size() - 1) / entrySize;
    const int count = qMin<int>(words.at(0), qMin(available, int(QModbusRegisterMap::kMaxFaultEntries)));
    for (int i = 0; i < count; ++i) {
        const int at = 1 + i * entrySize;
        QDriveFaultRecord record;
        const quint32 number = (quint32(words.at(at)) << 16) | words.at(at + 1);
        record.code = map.faultCode(number);
        record.axis = words.at(at + 2);
        record.time = QModbusRegisterMap::decode(words.mid(at + 4, 4), 15);
        if (record.axis >= map.model()->axisNum) {
            continue; // an axis the drive does not have: not a fault of ours
        }
        list.append(record);
    }
    return list;
}

bool QModbusBlockDecoder::historyHeader(const QVector<quint16>& words, int* count, int* length)
{
    if (words.size() < 2) {
        return false;
    }
    *count = words.at(0);
    *length = words.at(1);
    if (*count == 0) {
        return true;
    }
    return *length > 0 && qint64(*count) * *length <= QModbusRegisterMap::kMaxHistoryRegisters;
}

QList<QByteArray> QModbusBlockDecoder::historyRecords(const QVector<quint16>& words, int count, int length)
{
    QList<QByteArray> records;
    if (length <= 0) {
        return records;
    }
    for (int r = 0; r < count && (r + 1) * length <= words.size(); ++r) {
        QByteArray record;
        record.reserve(length * 2);
        for (int w = 0; w < length; ++w) {
            const quint16 word = words.at(r * length + w);
            record.append(static_cast<char>(word >> 8));
            record.append(static_cast<char>(word & 0xFF));
        }
        records.append(record);
    }
    return records;
}

bool QModbusBlockDecoder::value(const QVector<quint16>& words, int offset, int dataType, qint64* value)
{
    const int count = QModbusRegisterMap::registerCount(dataType);
    if (offset < 0 || offset + count > words.size()) {
        return false;
    }
    *value = QModbusRegisterMap::decode(words.constData() + offset, count, dataType);
    return true;
}

QString QModbusBlockDecoder::refusalReason(const QVector<quint16>& words)
{
    if (words.isEmpty() || !(words.at(0) & QModbusRegisterMap::kStatusWritesRefused)) {
        return QString();
    }
    const int reasonAt = QModbusRegisterMap::kReasonRegister - QModbusRegisterMap::kStatusRegister;
    const QString reason = QString::fromUtf8(QModbusRegisterMap::unpackText(words.mid(reasonAt))).trimmed();
    return reason.isEmpty() ? QStringLiteral("writes refused") : reason;
}
