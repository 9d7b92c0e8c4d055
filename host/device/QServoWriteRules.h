#pragma once

#include "tagSubFuncode_Servo.h"

#include <QString>

class QDeviceServo;

// Whether a value may be written to a servo drive, before anything is sent: the code must be a
// writable setting visible at the present authority, the axis must exist, the oscilloscope must not
// hold the code, the drive must be online and the value in range. Answers are QDeviceServo::enWriteError.
class QServoWriteRules
{
public:
    explicit QServoWriteRules(const QDeviceServo& device) : m_device(device) {}

    // Whether the code's right lets its value be edited at all.
    static bool hasWriteRight(const tagSubFuncode_Servo& fun) { return fun.rwLevel == 1 || fun.rwLevel == 2; }
    // Whether a function-code table lets a person begin an edit of the code: the oscilloscope's first code
    // follows the oscilloscope alone (its right is not looked at), its other codes are never edited in a
    // table, any other code follows its right. The drive's state is checked when the value is written.
    bool isEditable(const tagSubFuncode_Servo& fun) const;
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
