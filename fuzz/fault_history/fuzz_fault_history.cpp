// History fault records as a drive returns them, decoded through a history-record format that itself
// comes from the input (a format is edited by the user and stored per drive). The first byte gives the
// number of format rows, six bytes each; the rest is the record.
#include "FuzzRegistry.h"
#include "QHisFaultRecordDecoder.h"

#include <cstdint>

namespace {
const int kRowBytes = 6;
const int kMaxRows = 24;

QString numberOf(quint8 first, quint8 span)
{
    switch (span % 4) {
    case 0:
        return QString::number(first % 100);
    case 1:
        return QStringLiteral("%1~%2").arg(first % 100).arg((first + span / 4) % 100);
    case 2:
        return QStringLiteral("0%1").arg(first); // refused by the number pattern
    default:
        return QString::fromLatin1(QByteArray(1, char(first)) + QByteArray(1, char(span)));
    }
}

int dataTypeOf(quint8 selector)
{
    static const int kTypes[] = {3, 4, 7, 8, 15};
    return selector < 5 ? kTypes[selector] : int(qint8(selector));
}

QString paramOf(quint8 kind)
{
    switch (kind % 4) {
    case 0:
        return QStringLiteral("FAULTCODE");
    case 1:
        return QStringLiteral("reserve");
    default:
        return QStringLiteral("H0b.%1").arg(kind, 2, 10, QLatin1Char('0'));
    }
}

tagHisFaultFormat_Servo rowOf(const uchar* bytes)
{
    tagHisFaultFormat_Servo row;
    row.number = numberOf(bytes[0], bytes[1]);
    row.dataType = dataTypeOf(bytes[2]);
    // Mostly sensible lengths, sometimes zero, negative or far too long.
    if (bytes[3] < 0xF0) {
        row.byteLen = bytes[3] % 17;
    } else {
        row.byteLen = bytes[4] % 2 ? -int(bytes[3]) : 0x7FFFFFFF - bytes[3];
    }
    row.param = paramOf(bytes[5]);
    row.name = row.param;
    return row;
}

QList<QDriveFaultDef> knownFaults()
{
    QList<QDriveFaultDef> faults;
    for (const char* code : {"E.101", "Er.02", "E.7", "AL.999999999999999999999", "", "E.101"}) {
        QDriveFaultDef fault;
        fault.code = QString::fromLatin1(code);
        fault.name = fault.code + QStringLiteral(" fault");
        faults.append(fault);
    }
    return faults;
}

// A decoded value never exceeds what its data type holds.
bool valueFits(qint64 value, int dataType)
{
    switch (dataType) {
    case 3:
        return value >= -32768 && value <= 32767;
    case 4:
        return value >= 0 && value <= 65535;
    case 7:
        return value >= INT32_MIN && value <= INT32_MAX;
    case 8:
        return value >= 0 && value <= UINT32_MAX;
    default:
        return true;
    }
}

bool entryHolds(const tagHistoryFaultList& entry, const QHisFaultFormatList_Servo& format)
{
    int row = 0;
    for (const tagHistoryFaultParam& param : entry.params) {
        while (row < format.size() && (QHisFaultRecordDecoder::isReserveRow(format[row]) ||
                                       QHisFaultRecordDecoder::isFaultCodeRow(format[row]))) {
            ++row;
        }
        if (row == format.size() || param.statusFunIndex != format[row].param) {
            return false; // a parameter without its row, or out of order
        }
        if (param.missing ? param.rawValue != 0 : !valueFits(param.rawValue, format[row].dataType)) {
            return false;
        }
        ++row;
    }
    for (const tagHistoryFault& fault : entry.faults) {
        if (fault.faultCode.isEmpty() || fault.faultName.isEmpty()) {
            return false;
        }
    }
    return true;
}
} // namespace

SERVO_FUZZ_TARGET(fault_history)
{
    if (data.isEmpty()) {
        return true;
    }
    const int rows = qMin(int(quint8(data[0])) % (kMaxRows + 1), (data.size() - 1) / kRowBytes);
    QHisFaultFormatList_Servo format;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData()) + 1;
    for (int i = 0; i < rows; ++i) {
        format.append(rowOf(bytes + i * kRowBytes));
    }
    const QByteArray record(data.constData() + 1 + rows * kRowBytes, data.size() - 1 - rows * kRowBytes);
    const QHisFaultRecordDecoder decoder(format, knownFaults());
    const QList<tagHistoryFaultList> entries = decoder.decodeAll({record, record.left(record.size() / 2)});
    for (const tagHistoryFaultList& entry : entries) {
        if (!entryHolds(entry, format)) {
            return false;
        }
    }
    return true;
}
