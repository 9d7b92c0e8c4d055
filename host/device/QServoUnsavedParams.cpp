#include "QServoUnsavedParams.h"

#include <QCoreApplication>

void QServoUnsavedParams::setUnsaved(const QString& funIndex, int axis)
{
    if (!isAxis(axis)) {
        return;
    }
    m_unsaved[static_cast<size_t>(axis)].insert(funIndex);
}

bool QServoUnsavedParams::isUnsaved(const QString& funIndex, int axis) const
{
    return isAxis(axis) && m_unsaved[static_cast<size_t>(axis)].contains(funIndex);
}

bool QServoUnsavedParams::isUnsavedOnAnyAxis(const QString& funIndex, int axisNum) const
{
    for (int axis = 0; axis < qMin(axisNum, kAxes); ++axis) {
        if (isUnsaved(funIndex, axis)) {
            return true;
        }
    }
    return false;
}

void QServoUnsavedParams::clearAxis(int axis)
{
    if (isAxis(axis)) {
        m_unsaved[static_cast<size_t>(axis)].clear();
    }
}

void QServoUnsavedParams::forgetIf(const std::function<bool(const QString&)>& gone)
{
    for (QSet<QString>& codes : m_unsaved) {
        for (auto it = codes.begin(); it != codes.end();) {
            it = gone(*it) ? codes.erase(it) : std::next(it);
        }
    }
}

QString QServoUnsavedParams::savedText(const QString& funIndex, int axisNum) const
{
    const char* key = isUnsavedOnAnyAxis(funIndex, axisNum) ? "STR_UNSAVED" : "STR_SAVED";
    return QCoreApplication::translate("QDeviceServo", key);
}

QColor QServoUnsavedParams::saveColor(const QString& funIndex, int axisNum) const
{
    return isUnsavedOnAnyAxis(funIndex, axisNum) ? QColor(255, 214, 153) : QColor(Qt::white);
}
