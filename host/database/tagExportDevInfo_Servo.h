#pragma once

#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QString>

// A device header and its function codes as written to or read from a function-code file.
struct tagExportDevInfo_Servo
{
    QString devText;     // "%1_%2": device name and configuration version
    QString axisNumText; // axis count as decimal text
    QString commuName;
    QString exportTime; // when the file was written
    QString modeText;   // "FOCUS" for a file saved from the monitored list, empty otherwise
    tagExportFuncodeList_Servo funcodes;
};
