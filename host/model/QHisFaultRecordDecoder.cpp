#include "QHisFaultRecordDecoder.h"

#include "QFuncodeScaling.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
qint64 digitsOf(const QString& code)
{
    QString digits;
    for (const QChar c : code) {
        if (c.isDigit()) {
            digits.append(c);
        }
    }
    bool ok = false;
    const qint64 value = digits.left(18).toLongLong(&ok);
    return ok ? value : -1;
}
} // namespace

QHisFaultRecordDecoder::QHisFaultRecordDecoder(const QHisFaultFormatList_Servo& format,
                                               const QList<QDriveFaultDef>& faults)
    : m_format(format)
{
    for (const QDriveFaultDef& fault : faults) {
        const qint64 key = digitsOf(fault.code);
        if (key > 0 && !m_faults.contains(key)) {
            m_faults.insert(key, fault);
        }
    }
}

bool QHisFaultRecordDecoder::parseNumber(const QString& number, int* firstWord, int* lastWord)
{
    static const QRegularExpression pattern(QString::fromLatin1(tagHisFaultFormat_Servo::numberPattern()));
    if (!pattern.match(number).hasMatch()) {
        return false;
    }
    *firstWord = number.section(QLatin1Char('~'), 0, 0).toInt();
    *lastWord = number.section(QLatin1Char('~'), -1).toInt();
    return true;
}

int QHisFaultRecordDecoder::typeBytes(int dataType)
{
    return QFuncodeScaling::dataTypeBits(dataType) / 8;
}

qint64 QHisFaultRecordDecoder::fieldValue(const char* bytes, int length, int dataType)
{
    // Only the lowest eight bytes can matter for any data type.
    const int skip = qMax(0, length - 8);
    quint64 value = 0;
    for (int i = skip; i < length; ++i) {
        value = (value << 8) | static_cast<quint8>(bytes[i]);
    }
    // A field narrower than its type holds the low bytes of the value: a signed one has its sign in the
    // field's highest bit.
    const int width = length - skip;
    if (isSignedType(dataType) && width > 0 && width < typeBytes(dataType)) {
        const quint64 sign = quint64(1) << (8 * width - 1);
        value = (value ^ sign) - sign;
    }
    switch (dataType) {
    case 3:
        return static_cast<qint16>(static_cast<quint16>(value & 0xFFFFu));
    case 4:
        return static_cast<qint64>(value & 0xFFFFu);
    case 7:
        return static_cast<qint32>(static_cast<quint32>(value & 0xFFFFFFFFu));
    case 8:
        return static_cast<qint64>(value & 0xFFFFFFFFu);
    default:
        return static_cast<qint64>(value);
    }
}

bool QHisFaultRecordDecoder::isSignedType(int dataType)
{
    return dataType == 3 || dataType == 7 || dataType == 15;
}

bool QHisFaultRecordDecoder::isFaultCodeRow(const tagHisFaultFormat_Servo& row)
{
    return row.param.compare(QLatin1String("FAULTCODE"), Qt::CaseInsensitive) == 0;
}

bool QHisFaultRecordDecoder::isReserveRow(const tagHisFaultFormat_Servo& row)
{
    return row.param.compare(QLatin1String("RESERVE"), Qt::CaseInsensitive) == 0;
}

tagHistoryFaultList QHisFaultRecordDecoder::decode(const QByteArray& record) const
{
    tagHistoryFaultList entry;
    for (const tagHisFaultFormat_Servo& row : m_format) {
        if (isReserveRow(row)) {
            continue;
        }
        int first = 0;
        int last = 0;
        const bool placed = parseNumber(row.number, &first, &last) && row.byteLen > 0;
        const int offset = (first - 1) * 2;
        const bool inside = placed && qint64(offset) + row.byteLen <= record.size();
        if (placed && !inside) {
            entry.truncated = true;
        }
        const QByteArray field = inside ? record.mid(offset, row.byteLen) : QByteArray();
        if (isFaultCodeRow(row)) {
            decodeFaults(row, field, &entry);
            continue;
        }
        tagHistoryFaultParam param;
        param.displayName = row.name;
        param.statusFunIndex = row.param;
        param.missing = !inside;
        param.rawValue = inside ? fieldValue(field.constData(), field.size(), row.dataType) : 0;
        entry.params.append(param);
    }
    return entry;
}

QList<tagHistoryFaultList> QHisFaultRecordDecoder::decodeAll(const QList<QByteArray>& records) const
{
    QList<tagHistoryFaultList> list;
    list.reserve(records.size());
    for (const QByteArray& record : records) {
        list.append(decode(record));
    }
    return list;
}

void QHisFaultRecordDecoder::decodeFaults(const tagHisFaultFormat_Servo& row, const QByteArray& field,
                                          tagHistoryFaultList* entry) const
{
    // A field narrower than one value still holds one (shorter) code; bytes after the last whole code are
    // not read.
    const int width = qMin(typeBytes(row.dataType), field.size());
    for (int pos = 0; width > 0 && pos + width <= field.size(); pos += width) {
        const qint64 code = fieldValue(field.constData() + pos, width, row.dataType);
        if (code != 0) {
            entry->faults.append(faultOf(code));
        }
    }
}

tagHistoryFault QHisFaultRecordDecoder::faultOf(qint64 code) const
{
    tagHistoryFault fault;
    const auto it = m_faults.constFind(code);
    if (it == m_faults.constEnd()) {
        fault.faultCode = QString::number(code);
        fault.faultName = QCoreApplication::translate("QHisFaultRecordDecoder", "STR_UNKNOWN_FAULT");
        return fault;
    }
    fault.faultCode = it->code;
    fault.faultName = it->name;
    return fault;
}
