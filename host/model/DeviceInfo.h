#pragma once

#include <QMetaType>
#include <QString>

// The host's description of a device. The two texts and the number identify the drive family and are
// the key of its history-record format.
struct DeviceInfo
{
    QString aliasName;
    QString identText1; // drive family
    QString identText2; // firmware line
    int identNumber = 0;
};

Q_DECLARE_METATYPE(const DeviceInfo*)
