#pragma once

#include <QList>
#include <QString>

struct tagHistoryFault
{
    QString faultCode;
    QString faultName;
};

struct tagHistoryFaultParam
{
    QString displayName;
    QString statusFunIndex; // status function-code number that describes the value
    qint64 rawValue = 0;
    bool missing = false; // the record ends before this value
};

// One decoded history fault entry.
struct tagHistoryFaultList
{
    QList<tagHistoryFault> faults;
    QList<tagHistoryFaultParam> params;
    bool truncated = false; // the record is shorter than its format
};
