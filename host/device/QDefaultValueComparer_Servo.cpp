#include "QDefaultValueComparer_Servo.h"

#include "QDeviceServo.h"
#include "QFuncodeScaling.h"

QList<QStringList> QDefaultValueComparer_Servo::differingRows() const
{
    QList<QStringList> rows;
    const int axes = m_device.getAxisNum();
    const QList<tagSubFuncode_Servo*> codes = m_device.getAllNormalFuncodes();
    for (const tagSubFuncode_Servo* fun : codes) {
        for (int axis = 0; axis < axes; ++axis) {
            if (differsFromDefault(*fun, axis)) {
                rows.append(rowOf(*fun, axis));
            }
        }
    }
    return rows;
}

bool QDefaultValueComparer_Servo::differsFromDefault(const tagSubFuncode_Servo& fun, int axis) const
{
    qint64 held = 0;
    if (fun.isStateCode || !m_device.curValue(fun.funIndex, axis, &held)) {
        return false;
    }
    qint64 defaultRaw = 0;
    if (QFuncodeScaling::descriptionToRaw(fun, fun.defaultVal, &defaultRaw)) {
        return held != defaultRaw;
    }
    // A default the drive cannot turn into a value (free text) is compared as shown.
    return !m_device.isCurValEqualDef(fun.funIndex, axis);
}

QStringList QDefaultValueComparer_Servo::rowOf(const tagSubFuncode_Servo& fun, int axis) const
{
    return {fun.funIndex, fun.funName, QDeviceServo::getAxisName(axis),
            m_device.getScaledCurValueStr(fun.funIndex, axis),
            m_device.getScaledDefaultValueStr(fun.funIndex, axis)};
}
