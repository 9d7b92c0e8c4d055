#pragma once

#include "QFuncodeEnumTable.h"

#include <QMetaType>
#include <QString>

// The description of one function code. Owned by the device; a pointer stays valid as long as the
// device exists. Values are not members: the device keeps them per axis.
struct tagSubFuncode_Servo
{
    QString funIndex; // number, e.g. "P00.01"; the text before the first "." is the group code
    bool isCommon = false;
    QString funName;
    int authority = 0; // lowest authority (enAuthority) that sees the code
    int showType = 0;  // 0/8/10 decimal, 1/9 hexadecimal, 2 enumerated, 3 bits, 4 text, 5 date-time,
                       // 6 menu parameter, 7 version
    QString enumText;  // enumerated items "value:label" or menu fields "digit:name:opt;opt", one per line
    QFuncodeEnumTablePtr enumTable; // enumText taken apart once (enumerated codes of a drive model)
    int dataType = 4;               // 3 int16, 4 uint16, 7 int32, 8 uint32, 15 int64
    int precision = 0;              // decimal-point code: the number of decimals of the scaled value
    QString minVal;                 // minimum in engineering units (decimal codes) or as a decimal integer
    QString maxVal;
    QString defaultVal;
    QString unit;
    int rwLevel = 1;     // 0 read only, 1 read/write, 2 write only, 3 factory (read only)
    int effectStyle = 0; // 0 at once, 1 after a reset, 2 after the drive stops
    bool isStore = true; // kept through power-off
    bool relateF = false;
    bool relateP = false;
    bool relateS = false;
    bool relateT = false;
    int modbusAddr = -1; // register address on a bus link
    QString canopenAddr; // "0x2000:01" or a decimal number
    int byteLength = 2;
    QString usbCode;
    bool isStateCode = false; // a monitoring (state) code rather than a setting
    QString remark;
    QString relateParam; // related function-code numbers, comma separated
    QString groupCode;   // text before the first "."
    QString groupName;   // key of the group maps
};

typedef tagSubFuncode_Servo* tagSubFuncodePtr_Servo;

Q_DECLARE_METATYPE(tagSubFuncodePtr_Servo)
