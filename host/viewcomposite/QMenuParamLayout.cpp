#include "QMenuParamLayout.h"

#include <QRegularExpression>

namespace {

qint64 powerOfTen(int digit)
{
    qint64 power = 1;
    for (int i = 0; i < digit; ++i) {
        power *= 10;
    }
    return power;
}

} // namespace

QMenuParamLayout QMenuParamLayout::parse(const QString& enumText)
{
    QMenuParamLayout layout;
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*(\\d+)"));
    const QStringList lines =
        enumText.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    QList<int> seen;
    for (const QString& line : lines) {
        const int first = line.indexOf(QLatin1Char(':'));
        const int second = first < 0 ? -1 : line.indexOf(QLatin1Char(':'), first + 1);
        if (second < 0) {
            continue;
        }
        bool ok = false;
        const int digit = line.left(first).trimmed().toInt(&ok);
        if (!ok || digit < 0 || digit > 9 || seen.contains(digit)) {
            continue;
        }
        Field field;
        field.digit = digit;
        field.name = line.mid(first + 1, second - first - 1).trimmed();
        const QStringList options = line.mid(second + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (int i = 0; i < options.size(); ++i) {
            Option option;
            option.text = options.at(i).trimmed();
            const QRegularExpressionMatch match = leadingNumber.match(option.text);
            option.value = match.hasMatch() ? match.captured(1).toInt() : i;
            if (option.value <= 9 && !option.text.isEmpty()) {
                field.options.append(option);
            }
        }
        seen.append(digit);
        layout.m_fields.append(field);
    }
    return layout;
}

int QMenuParamLayout::digitOf(qint64 value, int digit)
{
    const qint64 magnitude = value < 0 ? -value : value;
    return int((magnitude / powerOfTen(digit)) % 10);
}

qint64 QMenuParamLayout::withDigit(qint64 value, int digit, int choice)
{
    const bool negative = value < 0;
    qint64 magnitude = negative ? -value : value;
    const qint64 power = powerOfTen(digit);
    magnitude += (qBound(0, choice, 9) - digitOf(magnitude, digit)) * power;
    return negative ? -magnitude : magnitude;
}
