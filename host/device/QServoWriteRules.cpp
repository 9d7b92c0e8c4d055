#include "QServoWriteRules.h"

#include "QDeviceServo.h"
#include "QFuncodeScaling.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QCoreApplication>

int QServoWriteRules::fromLinkError(int linkError)
{
    switch (linkError) {
    case QDriveLink::LINK_OK:
        return QDeviceServo::WRITE_OK;
    case QDriveLink::LINK_ERR_OFFLINE:
        return QDeviceServo::WRITE_ERR_OFFLINE;
    case QDriveLink::LINK_ERR_TIMEOUT:
        return QDeviceServo::WRITE_ERR_TIMEOUT;
    case QDriveLink::LINK_ERR_RANGE:
        return QDeviceServo::WRITE_ERR_RANGE;
    case QDriveLink::LINK_ERR_READ_ONLY:
        return QDeviceServo::WRITE_ERR_READ_ONLY;
    case QDriveLink::LINK_ERR_UNKNOWN:
        return QDeviceServo::WRITE_ERR_UNKNOWN_CODE;
    default:
        return QDeviceServo::WRITE_ERR_REFUSED;
    }
}

bool QServoWriteRules::isHeldByOscilloscope(const tagSubFuncode_Servo& fun) const
{
    const QDriveModelPtr& model = m_device.getDriveModel();
    return m_device.isOsciRunning() &&
           (fun.funIndex == model->osciFirstCode || model->osciNoEditCodes.contains(fun.funIndex));
}

bool QServoWriteRules::isEditable(const tagSubFuncode_Servo& fun) const
{
    const QDriveModelPtr& model = m_device.getDriveModel();
    if (fun.funIndex == model->osciFirstCode) {
        return !m_device.isOsciRunning();
    }
    return !model->osciNoEditCodes.contains(fun.funIndex) && hasWriteRight(fun);
}

int QServoWriteRules::checkRights(const tagSubFuncode_Servo* fun, int axis) const
{
    if (!fun || fun->isStateCode) {
        return fun ? QDeviceServo::WRITE_ERR_READ_ONLY : QDeviceServo::WRITE_ERR_UNKNOWN_CODE;
    }
    if (axis < 0 || axis >= m_device.getAxisNum()) {
        return QDeviceServo::WRITE_ERR_AXIS;
    }
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    if (!QDeviceServo::isAuthValid(fun->authority, authority)) {
        return QDeviceServo::WRITE_ERR_AUTHORITY;
    }
    if (!hasWriteRight(*fun)) {
        return QDeviceServo::WRITE_ERR_READ_ONLY;
    }
    if (isHeldByOscilloscope(*fun)) {
        return QDeviceServo::WRITE_ERR_OSCI;
    }
    if (!m_device.isDeviceOnline()) {
        return QDeviceServo::WRITE_ERR_OFFLINE;
    }
    return QDeviceServo::WRITE_OK;
}

int QServoWriteRules::checkRawValue(const QString& funIndex, qint64 rawValue, int axis, QString* reason) const
{
    const tagSubFuncode_Servo* fun = m_device.getFuncodePtrByFunIndex(funIndex);
    int error = checkRights(fun, axis);
    if (error == QDeviceServo::WRITE_OK && !QFuncodeScaling::isRawInRange(*fun, rawValue)) {
        error = QDeviceServo::WRITE_ERR_RANGE;
    }
    if (reason) {
        *reason = error == QDeviceServo::WRITE_OK ? QString() : m_device.getErrorReasonStr(error);
    }
    return error;
}

QString QServoWriteRules::refusal() const
{
    if (!m_device.isDeviceOnline()) {
        return m_device.getErrorReasonStr(QDeviceServo::WRITE_ERR_OFFLINE);
    }
    if (m_device.isOsciRunning()) {
        return QCoreApplication::translate("QDeviceServo", "STR_WRITE_WHILE_OSCI_RUNNING");
    }
    return m_device.getLink()->refusalReason();
}

bool QServoWriteRules::isWritePermitted(QString* reason) const
{
    const QString why = refusal();
    if (reason) {
        *reason = why;
    }
    return why.isEmpty();
}
