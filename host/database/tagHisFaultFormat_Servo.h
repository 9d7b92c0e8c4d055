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

    // What a number must look like: one or two digits not starting with 0, optionally "~" and another
    // such number (the 16-bit words of the record that the row occupies, counted from 1).
    static const char* numberPattern() { return "^[1-9]\\d{0,1}(~[1-9]\\d{0,1}){0,1}$"; }

    bool operator==(const tagHisFaultFormat_Servo& o) const
    {
        return number == o.number && name == o.name && dataType == o.dataType && byteLen == o.byteLen &&
               param == o.param && reserved == o.reserved;
    }
};

typedef QList<tagHisFaultFormat_Servo> QHisFaultFormatList_Servo;
