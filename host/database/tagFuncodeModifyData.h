#pragma once

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

// One modification event of a function code as counted by the statistics database.
struct tagFuncodeModifyData
{
    int timeStamp = 0; // seconds since 1970-01-01 UTC, the drive's time of the change
    double oldValue = 0.0;
    double newValue = 0.0;
    int axisIndex = 0;
};

// Per function-code number, its events; the list is ordered by how often each code was modified.
typedef QList<QPair<QString, QList<tagFuncodeModifyData>>> QSortedModifyDataList;

Q_DECLARE_METATYPE(tagFuncodeModifyData)
