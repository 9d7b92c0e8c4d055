#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// One device entry of a project file, as read; values the entry leaves out are marked as not given.
struct tagProjectDevice
{
    int entry = 0; // position in the file's device list, from 1
    QString alias;
    QString model;
    bool hasRefreshInterval = false;
    int refreshInterval = 0;
    bool hasTimeout = false;
    int timeoutMs = 0;
    bool hasReplyDelay = false;
    int replyDelayMs = 0;
    bool online = true;
    QStringList monitored;
    QJsonObject link; // how the drive is reached; empty for a simulated drive
};
