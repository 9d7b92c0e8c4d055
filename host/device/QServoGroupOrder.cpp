#include "QServoGroupOrder.h"

#include <QRegularExpression>
#include <algorithm>

qint64 QServoGroupOrder::numberOf(const QString& name)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    const QString head = name.section(QLatin1Char(' '), 0, 0);
    QRegularExpressionMatchIterator it = digits.globalMatch(head);
    QString last;
    while (it.hasNext()) {
        last = it.next().captured(0);
    }
    return last.isEmpty() ? 0LL : last.toLongLong();
}

bool QServoGroupOrder::lessThan(const QString& a, const QString& b)
{
    const bool aPtp = a.contains(QLatin1String("PtP"));
    const bool bPtp = b.contains(QLatin1String("PtP"));
    if (aPtp != bPtp) {
        return !aPtp;
    }
    const qint64 na = numberOf(a);
    const qint64 nb = numberOf(b);
    if (na != nb) {
        return na < nb;
    }
    return a < b;
}

QStringList QServoGroupOrder::sorted(const QStringList& names)
{
    QStringList result = names;
    std::stable_sort(result.begin(), result.end(), &QServoGroupOrder::lessThan);
    return result;
}
