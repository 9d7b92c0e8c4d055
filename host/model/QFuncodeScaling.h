#pragma once

#include "tagSubFuncode_Servo.h"

#include <QString>
#include <QStringList>

#include <optional>

// Conversions between a code's raw drive value, its shown text and the numbers the editors use.
// Shared by the devices and the simulated drive so both agree on every value.
class QFuncodeScaling
{
public:
    static bool isDecimalType(int showType) { return showType == 0 || showType == 8 || showType == 10; }
    static bool isHexType(int showType) { return showType == 1 || showType == 9; }
    // Decimals of a decimal-point code (0 to 6).
    static int decimals(int precision) { return qBound(0, precision, 6); }
    static double pow10(int decimals);

    static int dataTypeBits(int dataType);
    static qint64 dataTypeMin(int dataType);
    static qint64 dataTypeMax(int dataType);

    // The number the editors use (shown units for decimal codes, the raw value otherwise).
    static qint64 editorToRaw(const tagSubFuncode_Servo& fun, double value);
    static double rawToEditor(const tagSubFuncode_Servo& fun, qint64 raw);
    // A description text (minimum, maximum, default) as a raw value.
    static bool descriptionToRaw(const tagSubFuncode_Servo& fun, const QString& text, qint64* raw);
    // Raw range of a code: its minimum and maximum, within its data type.
    static qint64 rawMin(const tagSubFuncode_Servo& fun);
    static qint64 rawMax(const tagSubFuncode_Servo& fun);
    static bool isRawInRange(const tagSubFuncode_Servo& fun, qint64 raw);

    // Shown text of a raw value, and back.
    static QString showText(const tagSubFuncode_Servo& fun, qint64 raw);
    static bool parseShowText(const tagSubFuncode_Servo& fun, const QString& text, qint64* raw);
    // The same for a part of a longer text; an enumerated code's text is read without a copy.
    static bool parseShowText(const tagSubFuncode_Servo& fun, const QStringRef& text, qint64* raw);
    // Whether text is exactly showText(fun, raw), told without making the text where the show type allows.
    static bool showsRaw(const tagSubFuncode_Servo& fun, const QStringRef& text, qint64 raw);
    // Shown text of a description value for a show type.
    static QString descriptionText(int showType, int precision, const QString& text);

    // The items of an enumerated code: the table its description holds, or one made into *scratch when
    // the description has none (or its enumerated text changed since).
    static const QFuncodeEnumTable& enumTable(const tagSubFuncode_Servo& fun,
                                              std::optional<QFuncodeEnumTable>* scratch);

    // Enumerated items ("value:label", one per line) and their values.
    static QStringList enumItems(const QString& enumText);
    static bool enumItemValue(const QString& item, qint64* value);
    static int enumPositionOfValue(const QString& enumText, qint64 value);

    // Menu parameters: one line "digit:name:opt;opt" per decimal digit.
    struct MenuDigit
    {
        int digit = 0;
        QString name;
        QStringList options;
    };
    static QList<MenuDigit> menuDigits(const QString& enumText);
    static int menuDigitCount(const QString& enumText);

    static qint64 packText(const QString& text);
    static QString unpackText(qint64 raw);
    static QString bitPattern(qint64 raw, int bits);
    static QString versionText(qint64 raw);
};
