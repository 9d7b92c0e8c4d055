#pragma once

class QDeviceServo;
class QWidget;

// Reads every function code of an online drive before a comparison, and returns when the answers are
// in. The wait runs the event loop in short slices, so the window stays responsive; it ends early when
// the drive goes offline or is removed.
class QDriveFullRead_Servo
{
public:
    // False when the drive is offline or was lost during the read.
    static bool readAll(QDeviceServo* device, QWidget* parent);
};
