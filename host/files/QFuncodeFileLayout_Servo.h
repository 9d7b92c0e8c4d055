#pragma once

#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstring>

// The one layout of a function-code file, shared by the comma-separated form, the first sheet of a
// workbook and the export of selected codes:
//   line 1  the import mark: a text followed by "_9786345324_"
//   line 2  device text ("model_version"), axis count, communication name, mode ("FOCUS" for a file saved
//           from the monitored list, else empty)
//   line 3  the column headings
//   then one line per function code, fourteen fields: CANopen address, USB code, group, number, name,
//           authority, data type, axis count, the raw value of axis X, Y and Z, the value text of axis X,
//           Y and Z. Names and texts are written as they are, commas included.
//   and a line "import end sign"; what follows it (other pages of an export) is not function codes.
class QFuncodeFileLayout_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeFileLayout_Servo)

public:
    enum enField
    {
        FIELD_CANOPEN = 0,
        FIELD_USB = 1,
        FIELD_GROUP = 2,
        FIELD_NUMBER = 3,
        FIELD_NAME = 4,
        FIELD_AUTHORITY = 5,
        FIELD_DATA_TYPE = 6,
        FIELD_AXIS_NUM = 7,
        FIELD_RAW = 8,   // 8, 9, 10: raw values of X, Y, Z
        FIELD_TEXT = 11, // 11, 12, 13: value texts of X, Y, Z
        FIELD_COUNT = 14
    };

    static QString markSignature();
    static QString markLine();
    static QString endSign();
    static QString focusMode();

    static QStringList deviceFields(const tagExportDevInfo_Servo& info);
    static QStringList headingFields();
    static QStringList codeFields(const tagExportFuncode_Servo& funcode);
    // Fields that hold integers (written as numbers into a workbook).
    static bool isIntegerField(int field)
    {
        return field == FIELD_CANOPEN || field == FIELD_USB ||
               (field >= FIELD_AUTHORITY && field < FIELD_TEXT);
    }

    // Digits with an optional sign, nothing else (how the writers write integers). Inline: asked for
    // several tokens of every line.
    static Q_ALWAYS_INLINE bool parseStrictInteger(const QStringRef& text, qint64* value);
    static bool parseStrictInteger(const QString& text, qint64* value);
    // Also what a spreadsheet makes of an integer: blanks around it, "1E3", "1000.0".
    static bool parseInteger(const QStringRef& text, qint64* value);
    static bool parseInteger(const QString& text, qint64* value);
    // Equal texts without making a string of the view; asked for several tokens of every line.
    static bool sameText(const QString& text, const QStringRef& view)
    {
        return text.size() == view.size() && sameChars(text.constData(), view.unicode(), view.size());
    }
    // Equal size characters, compared four at a time (a character at a time is most of the cost of telling
    // a name or a number equal to its description's).
    static Q_ALWAYS_INLINE bool sameChars(const QChar* a, const QChar* b, int size);
};

Q_ALWAYS_INLINE bool QFuncodeFileLayout_Servo::sameChars(const QChar* a, const QChar* b, int size)
{
    if (size < 4) {
        for (int i = 0; i < size; ++i) {
            if (a[i] != b[i]) {
                return false;
            }
        }
        return true;
    }
    const auto word = [](const QChar* chars) {
        quint64 value;
        std::memcpy(&value, chars, sizeof(value));
        return value;
    };
    // The last four characters are compared last, overlapping the word before them where the size is no
    // multiple of four.
    const int last = size - 4;
    for (int i = 0; i < last; i += 4) {
        if (word(a + i) != word(b + i)) {
            return false;
        }
    }
    return word(a + last) == word(b + last);
}

Q_ALWAYS_INLINE bool QFuncodeFileLayout_Servo::parseStrictInteger(const QStringRef& text, qint64* value)
{
    const int size = text.size();
    // The characters looked at through one pointer: each QStringRef::at() goes through its string again.
    const QChar* data = text.unicode();
    // Bare digits, as the writers write them, at most 18: they fit without a check of the range.
    if (size > 0 && size <= 18 && uint(data[0].unicode()) - '0' <= 9) {
        quint64 magnitude = 0;
        int i = 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        // Four digits a step (a word of four characters, the first the lowest): the canopen address, the
        // longest field of most lines, takes two steps and a digit.
        for (; i + 4 <= size; i += 4) {
            quint64 word;
            std::memcpy(&word, data + i, sizeof(word));
            const quint64 digits = word - 0x0030003000300030ull;
            // A character below '0' borrows and one above '9' carries into the high bits of its own place.
            if (((digits | (digits + 0x0076007600760076ull)) & 0xFF80FF80FF80FF80ull) != 0) {
                return false;
            }
            const quint64 pairs = (digits * 10 + (digits >> 16)) & 0x0000FFFF0000FFFFull;
            magnitude = magnitude * 10000 + ((pairs * 100 + (pairs >> 32)) & 0xFFFFFFFFull);
        }
#endif
        for (; i < size; ++i) {
            const uint digit = uint(data[i].unicode()) - '0';
            if (digit > 9) {
                return false;
            }
            magnitude = magnitude * 10 + digit;
        }
        if (value) {
            *value = static_cast<qint64>(magnitude);
        }
        return true;
    }
    int i = (size > 0 && (data[0] == QLatin1Char('-') || data[0] == QLatin1Char('+'))) ? 1 : 0;
    if (i >= size || size - i > 19) {
        return false;
    }
    const bool negative = data[0] == QLatin1Char('-');
    quint64 magnitude = 0;
    for (; i < size; ++i) {
        const ushort c = data[i].unicode();
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - '0');
    }
    // 19 digits fit in 64 bits unsigned; the signed range is checked here.
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    if (magnitude > limit) {
        return false;
    }
    if (value) {
        *value = negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude);
    }
    return true;
}
