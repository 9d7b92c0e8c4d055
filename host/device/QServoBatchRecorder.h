#pragma once

#include "tagModifyFuncode_Servo.h"
#include "tagServoBufInfo.h"

#include <QVector>

class QDeviceServo;
struct tagSubFuncode_Servo;

// Stores the values a batch wrote like any other write: each written value is marked unsaved, and each
// one that changed (or whose old value was unknown) becomes a modification record and a statistics
// event of the drive, all in one transaction per database.
class QServoBatchRecorder
{
public:
    static void record(QDeviceServo* device, const QVector<tagServoBufInfo>& entries, qint64 driveTime);
    // The text a modification record keeps for a raw value: decimal for hexadecimal codes, the position
    // in the value list for enumerated codes, the shown text otherwise.
    static QString recordText(const QDeviceServo* device, const tagSubFuncode_Servo* fun, qint64 raw);
};
