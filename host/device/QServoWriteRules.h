#pragma once

#include <QString>

class QDeviceServo;
struct tagSubFuncode_Servo;

// Whether a value may be written to a servo drive, before anything is sent: the code must be a
// writable setting visible at the present authority, the axis must exist, the oscilloscope must not
// hold the code, the drive must be online and the value in range. Answers are QDeviceServo::enWriteError.
class QServoWriteRules
{
public:
    explicit QServoWriteRules(const QDeviceServo& device) : m_device(device) {}

    // Everything but the value.
    int checkRights(const tagSubFuncode_Servo* fun, int axis) const;
    // A raw value (the only form a value is checked in: converted once, where an edit begins); reason,
    // when given, gets the text of a refusal.
    int checkRawValue(const QString& funIndex, qint64 rawValue, int axis, QString* reason = nullptr) const;
    // Whether the drive accepts writes at all in its present state, and why not.
    bool isWritePermitted(QString* reason) const;
    // The write error of a QDriveLink::enLinkError.
    static int fromLinkError(int linkError);

private:
    bool isHeldByOscilloscope(const tagSubFuncode_Servo& fun) const;
    QString refusal() const;

    const QDeviceServo& m_device;
};
