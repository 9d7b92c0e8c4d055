#pragma once

#include <QDateTime>
#include <QSharedPointer>
#include <QString>

// One current fault of a drive.
struct tagFaultInfo
{
    QString strIndex;
    QDateTime faultTime;
    int axisIndex = 0;
    QString faultCode;
    QString faultName;
    QString faultReason;
    QString faultMethod; // remedy
    bool bHistory = true;
    bool bCanClear = true;
    bool bStopNow = false;
};

typedef QSharedPointer<tagFaultInfo> tagFaultInfoPtr;
