#pragma once

#include <QList>
#include <QString>

// One row of the format that decodes a history fault record.
struct tagHisFaultFormat_Servo
{
    QString number;   // one number or a range "a~b" (one or two digits each)
    QString name;     // display name
    int dataType = 7; // 3 int16, 4 uint16, 7 int32, 8 uint32, 15 int64
    int byteLen = 4;
    QString param;    // a function-code number, "FAULTCODE" or "RESERVE"
    int reserved = 0; // not edited

    bool operator==(const tagHisFaultFormat_Servo& o) const
    {
        return number == o.number && name == o.name && dataType == o.dataType && byteLen == o.byteLen &&
               param == o.param && reserved == o.reserved;
    }
};

typedef QList<tagHisFaultFormat_Servo> QHisFaultFormatList_Servo;
