// Fault-history records from a drive, decoded with a history-record format (data/drives/README.md,
// "History records"). The input holds both: its first byte is the number of format rows, then five
// bytes per row (first word, last word or 0, data type, byte length, parameter kind), then the record.
// Whatever the format and however short the record, the decoder reads only the record's bytes, gives
// every parameter row its entry and marks the ones it could not read.
#include "FuzzRegistry.h"
#include "QHisFaultRecordDecoder.h"

namespace {
const int kRowBytes = 5;

QString paramOf(quint8 kind)
{
    switch (kind % 5) {
    case 0:
        return QStringLiteral("FAULTCODE");
    case 1:
        return QStringLiteral("reserve");
    case 2:
        return QStringLiteral("faultcode");
    default:
        return QStringLiteral("P0B.%1").arg(kind % 40, 2, 10, QLatin1Char('0'));
    }
}

tagHisFaultFormat_Servo rowOf(const char* bytes)
{
    const quint8 first = quint8(bytes[0]);
    const quint8 last = quint8(bytes[1]);
    static const int types[] = {3, 4, 7, 8, 15};
    tagHisFaultFormat_Servo row;
    row.number = last ? QStringLiteral("%1~%2").arg(first).arg(last) : QString::number(first);
    row.name = QStringLiteral("value %1").arg(first);
    row.dataType = quint8(bytes[2]) < 5 ? types[quint8(bytes[2])] : quint8(bytes[2]);
    row.byteLen = qint8(bytes[3]); // may be negative or zero
    row.param = paramOf(quint8(bytes[4]));
    return row;
}

// Whether the row's field lies wholly inside a record of the given size.
bool fits(const tagHisFaultFormat_Servo& row, int recordSize)
{
    int first = 0;
    int last = 0;
    if (!QHisFaultRecordDecoder::parseNumber(row.number, &first, &last) || row.byteLen <= 0) {
        return true; // not placed: nothing is read, the record is not counted short
    }
    return (first - 1) * 2 + row.byteLen <= recordSize;
}

QList<QDriveFaultDef> faultList()
{
    QList<QDriveFaultDef> faults;
    for (int code : {101, 102, 201, 65535}) {
        QDriveFaultDef fault;
        fault.code = QStringLiteral("E.%1").arg(code);
        fault.name = QStringLiteral("fault %1").arg(code);
        faults.append(fault);
    }
    return faults;
}
} // namespace

SERVO_FUZZ_TARGET(his_fault_record)
{
    if (data.isEmpty()) {
        return true;
    }
    const int rowCount = qMin(quint8(data.at(0)) % 32, (data.size() - 1) / kRowBytes);
    QHisFaultFormatList_Servo format;
    for (int i = 0; i < rowCount; ++i) {
        format.append(rowOf(data.constData() + 1 + i * kRowBytes));
    }
    // A copy of exactly the record's bytes, so that a read past its end is a read past an allocation.
    const QByteArray record(data.constData() + 1 + rowCount * kRowBytes,
                            data.size() - 1 - rowCount * kRowBytes);
    const tagHistoryFaultList entry = QHisFaultRecordDecoder(format, faultList()).decode(record);

    int params = 0;
    bool anyOutside = false;
    for (const tagHisFaultFormat_Servo& row : format) {
        anyOutside = anyOutside || (!QHisFaultRecordDecoder::isReserveRow(row) && !fits(row, record.size()));
        params +=
            QHisFaultRecordDecoder::isReserveRow(row) || QHisFaultRecordDecoder::isFaultCodeRow(row) ? 0 : 1;
    }
    if (entry.params.size() != params || entry.truncated != anyOutside) {
        return false;
    }
    for (const tagHistoryFaultParam& param : entry.params) {
        if (param.missing && param.rawValue != 0) {
            return false;
        }
    }
    for (const tagHistoryFault& fault : entry.faults) {
        if (fault.faultCode.isEmpty() || fault.faultName.isEmpty()) {
            return false;
        }
    }
    return true;
}
