#pragma once

#include <QList>
#include <QStringList>

class QDeviceServo;
struct tagSubFuncode_Servo;

// Lists the settings of a drive whose value differs from the default: one row per code and axis,
// "number, name, axis, current value, default value" as the drive shows them. Only values that were
// read count (a value never read or whose read failed is not known to differ), state codes are
// monitoring values and have no meaningful default, so they are left out. Codes come in group display
// order at the present authority.
class QDefaultValueComparer_Servo
{
public:
    explicit QDefaultValueComparer_Servo(const QDeviceServo& device) : m_device(device) {}

    QList<QStringList> differingRows() const;
    // Whether the known value of the axis differs from the code's default (false when not read).
    bool differsFromDefault(const tagSubFuncode_Servo& fun, int axis) const;

private:
    QStringList rowOf(const tagSubFuncode_Servo& fun, int axis) const;

    const QDeviceServo& m_device;
};
