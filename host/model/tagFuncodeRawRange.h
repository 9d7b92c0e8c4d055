#pragma once

#include <QSharedData>
#include <QString>
#include <QtGlobal>

// A code's minimum and maximum as raw values (QFuncodeScaling::rawMin and rawMax), worked out from its
// description once, when the drive model reads the code, rather than on every check of a value; shared by
// the copies each device makes of the code. It holds while the texts and types it was worked out from are
// the code's; a code described otherwise since (or never given one) has its texts read again on each call.
struct tagFuncodeRawRange : public QSharedData
{
    QString minText; // the texts it was worked out from, shared with the description's
    QString maxText;
    int showType = -1;
    int dataType = 0;
    int precision = 0;
    qint64 min = 0;
    qint64 max = 0;
};
