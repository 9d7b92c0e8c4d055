#include "QFuncodeScaling.h"

#include <QDateTime>
#include <QRegExp>
#include <cctype>
#include <cmath>
#include <limits>

namespace {
// One form of date and time everywhere in the workbench; files written before still read.
const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString kOlderDateTimeFormat = QStringLiteral("yyyy/MM/dd hh:mm:ss");

bool parseInteger(QString text, qint64* value)
{
    text = text.trimmed();
    bool ok = false;
    qint64 v = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        v = text.mid(2).toLongLong(&ok, 16);
    } else {
        v = text.toLongLong(&ok, 10);
        if (!ok) {
            // "12.0" is a whole number written by a spreadsheet.
            const double d = text.toDouble(&ok);
            ok = ok && std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.2e18;
            v = ok ? static_cast<qint64>(d) : 0;
        }
    }
    if (ok && value) {
        *value = v;
    }
    return ok;
}

// Raw values this large are shown through a double: their text is made, not told digit by digit.
bool isExactDecimal(qint64 raw)
{
    return raw > -(qint64(1) << 53) && raw < (qint64(1) << 53);
}

// Whether the size characters at chars show raw with decimals as showText does: a '-' before a negative
// value, at least one digit before the point and no zero before another there, every decimal. Read once from
// the front on the text's own characters: files of thousands of codes ask it for every value.
bool showsDecimal(const QChar* chars, int size, qint64 raw, int decimals)
{
    const bool negative = raw < 0;
    const int first = negative ? 1 : 0;
    const int point = decimals > 0 ? size - decimals - 1 : size;
    // An exact raw value has at most 16 digits: more are never its text (and would not fit the sum).
    if (point <= first || point - first + decimals > 16) {
        return false;
    }
    if ((negative && chars[0] != QLatin1Char('-')) || (decimals > 0 && chars[point] != QLatin1Char('.')) ||
        (chars[first] == QLatin1Char('0') && point - first > 1)) {
        return false;
    }
    quint64 magnitude = 0;
    const auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const uint digit = uint(chars[i].unicode()) - '0';
            if (digit > 9) {
                return false;
            }
            magnitude = magnitude * 10 + digit;
        }
        return true;
    };
    return add(first, point) && add(point + 1, size) &&
           magnitude == (negative ? quint64(0) - quint64(raw) : quint64(raw));
}

// Whether text is raw as a hexadecimal code shows it ("0x" and upper-case digits), told digit by digit.
bool showsHex(const tagSubFuncode_Servo& fun, const QStringRef& text, qint64 raw)
{
    const int digits = fun.showType == 1 ? 4 : 8;
    const int bits = qMin(QFuncodeScaling::dataTypeBits(fun.dataType), digits * 4);
    const quint64 masked = quint64(raw) & (bits >= 64 ? ~quint64(0) : ((quint64(1) << bits) - 1));
    if (text.size() != 2 + digits || text.at(0) != QLatin1Char('0') || text.at(1) != QLatin1Char('x')) {
        return false;
    }
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < digits; ++i) {
        const int nibble = int((masked >> (4 * (digits - 1 - i))) & 0xF);
        if (text.at(2 + i) != QLatin1Char(kDigits[nibble])) {
            return false;
        }
    }
    return true;
}

// The codes other than decimal ones, kept out of line so that telling a decimal one saves no register.
Q_NEVER_INLINE bool showsRawOtherwise(const tagSubFuncode_Servo& fun, const QStringRef& text, qint64 raw)
{
    if (QFuncodeScaling::isHexType(fun.showType)) {
        return showsHex(fun, text, raw);
    }
    if (fun.showType == 2) {
        std::optional<QFuncodeEnumTable> scratch;
        const QString* shown = QFuncodeScaling::enumTable(fun, &scratch).textOf(raw);
        return shown ? *shown == text : text == QString::number(raw);
    }
    return text == QFuncodeScaling::showText(fun, raw);
}
} // namespace

double QFuncodeScaling::pow10(int decimals)
{
    static const double table[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};
    return table[qBound(0, decimals, 6)];
}

int QFuncodeScaling::dataTypeBits(int dataType)
{
    switch (dataType) {
    case 3:
    case 4:
        return 16;
    case 7:
    case 8:
        return 32;
    default:
        return 64;
    }
}

qint64 QFuncodeScaling::dataTypeMin(int dataType)
{
    switch (dataType) {
    case 3:
        return -32768;
    case 7:
        return std::numeric_limits<qint32>::min();
    case 4:
    case 8:
        return 0;
    default:
        return std::numeric_limits<qint64>::min();
    }
}

qint64 QFuncodeScaling::dataTypeMax(int dataType)
{
    switch (dataType) {
    case 3:
        return 32767;
    case 4:
        return 65535;
    case 7:
        return std::numeric_limits<qint32>::max();
    case 8:
        return std::numeric_limits<quint32>::max();
    default:
        return std::numeric_limits<qint64>::max();
    }
}

qint64 QFuncodeScaling::editorToRaw(const tagSubFuncode_Servo& fun, double value)
{
    if (!std::isfinite(value)) {
        return 0;
    }
    const double scaled = isDecimalType(fun.showType) ? value * pow10(decimals(fun.precision)) : value;
    if (scaled >= 9.2e18 || scaled <= -9.2e18) {
        return scaled > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    }
    return static_cast<qint64>(std::llround(scaled));
}

double QFuncodeScaling::rawToEditor(const tagSubFuncode_Servo& fun, qint64 raw)
{
    if (isDecimalType(fun.showType)) {
        return static_cast<double>(raw) / pow10(decimals(fun.precision));
    }
    return static_cast<double>(raw);
}

bool QFuncodeScaling::descriptionToRaw(const tagSubFuncode_Servo& fun, const QString& text, qint64* raw)
{
    if (isDecimalType(fun.showType)) {
        bool ok = false;
        const double v = text.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            return false;
        }
        if (raw) {
            *raw = editorToRaw(fun, v);
        }
        return true;
    }
    if (fun.showType == 4) {
        qint64 v = 0;
        if (!parseInteger(text, &v)) {
            v = packText(text);
        }
        if (raw) {
            *raw = v;
        }
        return true;
    }
    return parseInteger(text, raw);
}

qint64 QFuncodeScaling::rawMin(const tagSubFuncode_Servo& fun)
{
    qint64 v = dataTypeMin(fun.dataType);
    qint64 described = 0;
    if (descriptionToRaw(fun, fun.minVal, &described)) {
        v = qMax(v, described);
    }
    return v;
}

qint64 QFuncodeScaling::rawMax(const tagSubFuncode_Servo& fun)
{
    qint64 v = dataTypeMax(fun.dataType);
    qint64 described = 0;
    if (descriptionToRaw(fun, fun.maxVal, &described)) {
        v = qMin(v, described);
    }
    return v;
}

bool QFuncodeScaling::isRawInRange(const tagSubFuncode_Servo& fun, qint64 raw)
{
    if (fun.showType == 4 || fun.showType == 5) {
        return raw >= dataTypeMin(fun.dataType) && raw <= dataTypeMax(fun.dataType);
    }
    if (raw < rawMin(fun) || raw > rawMax(fun)) {
        return false;
    }
    if (fun.showType == 2) {
        std::optional<QFuncodeEnumTable> scratch;
        return enumTable(fun, &scratch).positionOfValue(raw) >= 0;
    }
    if (fun.showType == 6) {
        const QList<MenuDigit> digits = menuDigits(fun.enumText);
        for (const MenuDigit& d : digits) {
            const qint64 choice = (raw / static_cast<qint64>(pow10(qMin(d.digit, 6)))) % 10;
            if (choice >= d.options.size()) {
                return false;
            }
        }
    }
    return true;
}

QString QFuncodeScaling::showText(const tagSubFuncode_Servo& fun, qint64 raw)
{
    switch (fun.showType) {
    case 0:
    case 8:
    case 10: {
        const int dec = decimals(fun.precision);
        return QString::number(static_cast<double>(raw) / pow10(dec), 'f', dec);
    }
    case 1:
    case 9: {
        const int digits = fun.showType == 1 ? 4 : 8;
        const int bits = qMin(dataTypeBits(fun.dataType), digits * 4);
        const quint64 mask = bits >= 64 ? ~quint64(0) : ((quint64(1) << bits) - 1);
        return QStringLiteral("0x") +
               QString::number(quint64(raw) & mask, 16).toUpper().rightJustified(digits, '0');
    }
    case 2: {
        std::optional<QFuncodeEnumTable> scratch;
        const QString* text = enumTable(fun, &scratch).textOf(raw);
        return text ? *text : QString::number(raw);
    }
    case 3:
        return bitPattern(raw, qMin(dataTypeBits(fun.dataType), 32));
    case 4:
        return unpackText(raw);
    case 5:
        return QDateTime::fromSecsSinceEpoch(raw).toString(kDateTimeFormat);
    case 6:
        return QString::number(raw).rightJustified(menuDigitCount(fun.enumText), '0');
    case 7:
        return versionText(raw);
    default:
        return QString::number(raw);
    }
}

bool QFuncodeScaling::parseShowText(const tagSubFuncode_Servo& fun, const QString& text, qint64* raw)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("null")) {
        return false;
    }
    switch (fun.showType) {
    case 0:
    case 8:
    case 10: {
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            return false;
        }
        if (raw) {
            *raw = editorToRaw(fun, v);
        }
        return true;
    }
    case 1:
    case 9: {
        bool ok = false;
        QString digits = t;
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            digits = digits.mid(2);
        } else if (digits.endsWith(QLatin1Char('h'), Qt::CaseInsensitive)) {
            digits.chop(1);
        }
        const qint64 v = static_cast<qint64>(digits.toULongLong(&ok, 16));
        if (ok && raw) {
            *raw = v;
        }
        return ok;
    }
    case 2:
        return parseShowText(fun, QStringRef(&t), raw);
    case 3: {
        QString bits = t;
        bits.remove(QLatin1Char(' '));
        bool ok = false;
        const qint64 v = static_cast<qint64>(bits.toULongLong(&ok, 2));
        if (ok && raw) {
            *raw = v;
        }
        return ok;
    }
    case 4:
        if (raw) {
            *raw = packText(t);
        }
        return true;
    case 5: {
        QDateTime dt = QDateTime::fromString(t, kDateTimeFormat);
        if (!dt.isValid()) {
            dt = QDateTime::fromString(t, kOlderDateTimeFormat);
        }
        if (!dt.isValid()) {
            return parseInteger(t, raw);
        }
        if (raw) {
            *raw = dt.toSecsSinceEpoch();
        }
        return true;
    }
    case 7: {
        QRegExp re(QStringLiteral("^[vV]?(\\d+)\\.(\\d{1,2})$"));
        if (re.indexIn(t) == 0) {
            if (raw) {
                *raw = re.cap(1).toLongLong() * 100 + re.cap(2).toLongLong();
            }
            return true;
        }
        return parseInteger(t, raw);
    }
    default:
        return parseInteger(t, raw);
    }
}

bool QFuncodeScaling::parseShowText(const tagSubFuncode_Servo& fun, const QStringRef& text, qint64* raw)
{
    if (fun.showType != 2) {
        return parseShowText(fun, text.toString(), raw);
    }
    const QStringRef t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("null")) {
        return false;
    }
    std::optional<QFuncodeEnumTable> scratch;
    const QFuncodeEnumTable& table = enumTable(fun, &scratch);
    if (table.valueOf(t, raw)) {
        return true;
    }
    // An item whose label the table does not know: the value before the colon decides.
    qint64 head = 0;
    const bool hasColon = t.contains(QLatin1Char(':')) || t.contains(QChar(0xFF1A));
    if (hasColon && QFuncodeEnumTable::headValue(t, &head) && table.positionOfValue(head) >= 0) {
        if (raw) {
            *raw = head;
        }
        return true;
    }
    // Neither digits nor a sign nor a point first: no number ("inf" and "nan" are none either).
    const ushort first = t.at(0).unicode();
    if (first < 128 && std::isalpha(first) && !t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        return false;
    }
    return parseInteger(t.toString(), raw);
}

QString QFuncodeScaling::descriptionText(int showType, int precision, const QString& text)
{
    tagSubFuncode_Servo fun;
    fun.showType = showType;
    fun.precision = precision;
    fun.dataType = showType == 9 ? 8 : 15;
    if (isDecimalType(showType)) {
        bool ok = false;
        const double v = text.trimmed().toDouble(&ok);
        return ok ? QString::number(v, 'f', decimals(precision)) : text;
    }
    if (isHexType(showType)) {
        qint64 raw = 0;
        return parseInteger(text, &raw) ? showText(fun, raw) : text;
    }
    if (showType == 7) {
        qint64 raw = 0;
        return parseInteger(text, &raw) ? versionText(raw) : text;
    }
    if (showType == 4 || showType == 5) {
        // Texts and dates have no numeric range: a range bound shows empty, a date as a date.
        qint64 raw = 0;
        if (!parseInteger(text, &raw)) {
            return text;
        }
        return (raw == 0 || showType == 4) ? QString()
                                           : QDateTime::fromSecsSinceEpoch(raw).toString(kDateTimeFormat);
    }
    return text;
}

QStringList QFuncodeScaling::enumItems(const QString& enumText)
{
    if (enumText.isEmpty()) {
        return {};
    }
    return enumText.split(QLatin1Char('\n'));
}

bool QFuncodeScaling::enumItemValue(const QString& item, qint64* value)
{
    return QFuncodeEnumTable::headValue(QStringRef(&item), value);
}

int QFuncodeScaling::enumPositionOfValue(const QString& enumText, qint64 value)
{
    const QStringList items = enumItems(enumText);
    for (int i = 0; i < items.size(); ++i) {
        qint64 v = 0;
        if (enumItemValue(items.at(i), &v) && v == value) {
            return i;
        }
    }
    return -1;
}

const QFuncodeEnumTable& QFuncodeScaling::enumTable(const tagSubFuncode_Servo& fun,
                                                    std::optional<QFuncodeEnumTable>* scratch)
{
    if (fun.enumTable && fun.enumTable->source().isSharedWith(fun.enumText)) {
        return *fun.enumTable;
    }
    scratch->emplace(fun.enumText);
    return **scratch;
}

bool QFuncodeScaling::showsRaw(const tagSubFuncode_Servo& fun, const QStringRef& text, qint64 raw)
{
    if (isDecimalType(fun.showType) && isExactDecimal(raw)) {
        return showsDecimal(text.unicode(), text.size(), raw, decimals(fun.precision));
    }
    return showsRawOtherwise(fun, text, raw);
}

QList<QFuncodeScaling::MenuDigit> QFuncodeScaling::menuDigits(const QString& enumText)
{
    QList<MenuDigit> digits;
    const QStringList lines = enumItems(enumText);
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() < 3) {
            continue;
        }
        MenuDigit d;
        bool ok = false;
        d.digit = parts.at(0).trimmed().toInt(&ok);
        if (!ok || d.digit < 0 || d.digit > 9) {
            continue;
        }
        d.name = parts.at(1).trimmed();
        d.options = parts.mid(2).join(QLatin1Char(':')).split(QLatin1Char(';'));
        digits.append(d);
    }
    return digits;
}

int QFuncodeScaling::menuDigitCount(const QString& enumText)
{
    int count = 1;
    const QList<MenuDigit> digits = menuDigits(enumText);
    for (const MenuDigit& d : digits) {
        count = qMax(count, d.digit + 1);
    }
    return count;
}

qint64 QFuncodeScaling::packText(const QString& text)
{
    const QByteArray bytes = text.toLatin1().left(8);
    quint64 v = 0;
    for (int i = 0; i < 8; ++i) {
        v <<= 8;
        if (i < bytes.size()) {
            v |= static_cast<quint8>(bytes.at(i));
        }
    }
    return static_cast<qint64>(v);
}

QString QFuncodeScaling::unpackText(qint64 raw)
{
    QByteArray bytes;
    const quint64 v = static_cast<quint64>(raw);
    for (int i = 7; i >= 0; --i) {
        const char c = static_cast<char>((v >> (i * 8)) & 0xFF);
        if (c == 0) {
            break;
        }
        bytes.append(c);
    }
    return QString::fromLatin1(bytes);
}

QString QFuncodeScaling::bitPattern(qint64 raw, int bits)
{
    QString text;
    for (int i = bits - 1; i >= 0; --i) {
        text.append((quint64(raw) >> i) & 1 ? QLatin1Char('1') : QLatin1Char('0'));
        if (i > 0 && i % 4 == 0) {
            text.append(QLatin1Char(' '));
        }
    }
    return text;
}

QString QFuncodeScaling::versionText(qint64 raw)
{
    return QStringLiteral("V%1.%2").arg(raw / 100).arg(raw % 100, 2, 10, QLatin1Char('0'));
}
