#pragma once

#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QMap>
#include <QString>

// One side of a comparison: a drive of the project (values as read from it) or a function-code file.
struct tagCompareSource_Servo
{
    QString devText; // drive model and version joined by "_" or "-"
    int axisNum = 0; // 0 or less: not known
    QString name;    // communication name
    QString title;   // the drive's show name, or the file's path
    // Group name -> its function codes, in the source's order.
    QMap<QString, tagExportFuncodeList_Servo> groupMap;
};
