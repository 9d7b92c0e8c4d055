#pragma once

#include <QString>

// Communication parameters of a device.
struct QCommuParams
{
    int refreshInterval = 500; // ms between periodic reads; 0 or less: no periodic reading
    int timeoutMs = 1000;      // how long a synchronous write or read waits for the drive
    QString commuName = QStringLiteral("Simulated");

    bool operator==(const QCommuParams& o) const
    {
        return refreshInterval == o.refreshInterval && timeoutMs == o.timeoutMs && commuName == o.commuName;
    }
    bool operator!=(const QCommuParams& o) const { return !(*this == o); }
};
