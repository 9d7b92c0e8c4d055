#pragma once

#include <QString>

// The host's description of a plug-in.
class QPluginInfo
{
public:
    QString strId;       // left empty by most plug-ins
    int kind = 0;        // where the host lists the plug-in
    QString displayName; // shown in the host's plug-in list and window menu
    bool bEnabled = false;
    int version = 0;
};
