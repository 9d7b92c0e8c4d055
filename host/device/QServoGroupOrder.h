#pragma once

#include <QStringList>

// The display order of function-code groups: by the number before the first blank (its last run of
// digits), groups named "PtP" last, equal numbers by name.
class QServoGroupOrder
{
public:
    static bool lessThan(const QString& a, const QString& b);
    static QStringList sorted(const QStringList& names);

private:
    static qint64 numberOf(const QString& name);
};
