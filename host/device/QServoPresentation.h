#pragma once

#include <QIcon>
#include <QString>

// How the tables and dialogs show the properties of a servo drive's function codes: icons of the
// check state, the write right, when a value takes effect and the last read or write; texts of the
// axis, data type, effect and write errors.
class QServoPresentation
{
public:
    static QIcon checkIcon(bool checked);
    static QIcon rwLevelIcon(int rwLevel);
    static QIcon effectIcon(int effectStyle);
    static QString effectText(int effectStyle);
    static QString axisName(int axis);
    static QString dataTypeText(int dataType);
    // Icon of a QDeviceServo::enReadWriteStatus.
    static QIcon readWriteStatusIcon(int status);
    // Text of a QDeviceServo::enWriteError; a refused write names the drive's reason when known.
    static QString writeErrorText(int error, const QString& refusalReason);
};
