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
    // A value the device does not know (never read, read failed, written and not read back) is marked in
    // unknownAxes with an empty text. readSinceMs >= 0 (the device's value clock) when the drive was read
    // for this source: a value not read since then could not be read and counts as unknown as well.
    static tagCompareSource_Servo fromDevice(const QDeviceServo& device, qint64 readSinceMs = -1);
    // A text that is empty or "null" marks its value unknown.
    static tagCompareSource_Servo fromFile(const QString& path, const tagExportDevInfo_Servo& info);

    // "number (axis)" of the first value a source does not know (unknownAxes), or empty when every value
    // is known. Axes beyond axisNum (0 or less: each code's own
    // count) are not looked at.
    static QString firstUnknownValue(const tagExportFuncodeList_Servo& codes, int axisNum);
    static QString firstUnknownValue(const tagCompareSource_Servo& source);
};
