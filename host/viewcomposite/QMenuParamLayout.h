#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The layout of a menu parameter: a decimal value whose decimal digits each choose one option of a
// setting. A code's enumText describes it with one line per digit, "digit:name:opt0;opt1;...", e.g.
// "0:Stop mode:0 Coast;1 Ramp;2 Short brake" (digit 0 is the units digit). An option that starts with
// a number stands for that digit value, any other for its position in the list.
class QMenuParamLayout
{
public:
    struct Option
    {
        int value = 0;
        QString text;
    };
    struct Field
    {
        int digit = 0; // 0 units, 1 tens, ...
        QString name;
        QList<Option> options;
    };

    // Reads the lines; lines without a digit from 0 to 9 or repeating a digit are skipped.
    static QMenuParamLayout parse(const QString& enumText);

    bool isEmpty() const { return m_fields.isEmpty(); }
    QList<Field> fields() const { return m_fields; }

    // The digit of a value (of its magnitude) and the value with one digit replaced (sign kept).
    static int digitOf(qint64 value, int digit);
    static qint64 withDigit(qint64 value, int digit, int choice);

private:
    QList<Field> m_fields;
};
