#pragma once

#include "tagCompareSource_Servo.h"
#include "tagExportDevInfo_Servo.h"

#include <QList>
#include <QString>

class QDeviceServo;

// Builds the sources of a comparison: a drive's settings from the values it holds, or a function-code
// file's codes, each cut down to what the present authority may see.
class QCompareSourceBuilder_Servo
{
public:
    static tagCompareSource_Servo fromDevice(const QDeviceServo& device);
    static tagCompareSource_Servo fromFile(const QString& path, const tagExportDevInfo_Servo& info);

    // "number (axis)" of the first value a source does not know (its text is empty or "null": never read,
    // or read failed), or empty when every value is known. Axes beyond axisNum (0 or less: each code's own
    // count) are not looked at.
    static QString firstUnknownValue(const QList<tagExportFuncodePtr_Servo>& codes, int axisNum);
    static QString firstUnknownValue(const tagCompareSource_Servo& source);
};
