#include "QServoPresentation.h"

#include "QDeviceServo.h"

#include <QCoreApplication>

namespace {
QString trPresentation(const char* key)
{
    return QCoreApplication::translate("QDeviceServo", key);
}
} // namespace

QIcon QServoPresentation::checkIcon(bool checked)
{
    static const QIcon on(QStringLiteral(":/img/Funcode/check_on"));
    static const QIcon off(QStringLiteral(":/img/Funcode/check_off"));
    return checked ? on : off;
}

QIcon QServoPresentation::rwLevelIcon(int rwLevel)
{
    static const QIcon icons[] = {
        QIcon(QStringLiteral(":/img/Funcode/rw_1")), QIcon(QStringLiteral(":/img/Funcode/rw_0")),
        QIcon(QStringLiteral(":/img/Funcode/rw_4")), QIcon(QStringLiteral(":/img/Funcode/rw_3"))};
    if (rwLevel < 0 || rwLevel > 3) {
        return QIcon(QStringLiteral(":/img/Funcode/rw_2"));
    }
    return icons[rwLevel];
}

QIcon QServoPresentation::effectIcon(int effectStyle)
{
    static const QIcon icons[] = {QIcon(QStringLiteral(":/img/Servo/Effect_0")),
                                  QIcon(QStringLiteral(":/img/Servo/Effect_1")),
                                  QIcon(QStringLiteral(":/img/Servo/Effect_2"))};
    return (effectStyle >= 0 && effectStyle <= 2) ? icons[effectStyle] : QIcon();
}

QString QServoPresentation::effectText(int effectStyle)
{
    switch (effectStyle) {
    case 0:
        return trPresentation("STR_INSTANT_EFFECT");
    case 1:
        return trPresentation("STR_RESET_EFFECT");
    case 2:
        return trPresentation("STR_STOP_EFFECT");
    default:
        return QString();
    }
}

QString QServoPresentation::axisName(int axis)
{
    switch (axis) {
    case QDeviceServo::AXIS_X:
        return QStringLiteral("X");
    case QDeviceServo::AXIS_Y:
        return QStringLiteral("Y");
    case QDeviceServo::AXIS_Z:
        return QStringLiteral("Z");
    default:
        return QString();
    }
}

QString QServoPresentation::dataTypeText(int dataType)
{
    switch (dataType) {
    case 3:
        return QStringLiteral("INT16");
    case 4:
        return QStringLiteral("UINT16");
    case 7:
        return QStringLiteral("INT32");
    case 8:
        return QStringLiteral("UINT32");
    case 15:
        return QStringLiteral("INT64");
    default:
        return QString::number(dataType);
    }
}

QIcon QServoPresentation::readWriteStatusIcon(int status)
{
    static const QIcon readOk(QStringLiteral(":/img/Funcode/status_read_ok"));
    static const QIcon readFailed(QStringLiteral(":/img/Funcode/status_read_failed"));
    static const QIcon writeOk(QStringLiteral(":/img/Funcode/status_write_ok"));
    static const QIcon writeFailed(QStringLiteral(":/img/Funcode/status_write_failed"));
    switch (status) {
    case QDeviceServo::RW_STATUS_READ_OK:
        return readOk;
    case QDeviceServo::RW_STATUS_READ_FAILED:
        return readFailed;
    case QDeviceServo::RW_STATUS_WRITE_OK:
        return writeOk;
    case QDeviceServo::RW_STATUS_WRITE_FAILED:
        return writeFailed;
    default:
        return QIcon();
    }
}

QString QServoPresentation::writeErrorText(int error, const QString& refusalReason)
{
    switch (error) {
    case QDeviceServo::WRITE_OK:
        return QString();
    case QDeviceServo::WRITE_ERR_OFFLINE:
        return trPresentation("STR_WRITE_ERR_OFFLINE");
    case QDeviceServo::WRITE_ERR_TIMEOUT:
        return trPresentation("STR_WRITE_ERR_TIMEOUT");
    case QDeviceServo::WRITE_ERR_RANGE:
        return trPresentation("STR_WRITE_ERR_RANGE");
    case QDeviceServo::WRITE_ERR_READ_ONLY:
        return trPresentation("STR_WRITE_ERR_READ_ONLY");
    case QDeviceServo::WRITE_ERR_UNKNOWN_CODE:
        return trPresentation("STR_WRITE_ERR_UNKNOWN_CODE");
    case QDeviceServo::WRITE_ERR_AUTHORITY:
        return trPresentation("STR_WRITE_ERR_AUTHORITY");
    case QDeviceServo::WRITE_ERR_OSCI:
        return trPresentation("STR_WRITE_ERR_OSCI");
    case QDeviceServo::WRITE_ERR_AXIS:
        return trPresentation("STR_WRITE_ERR_AXIS");
    case QDeviceServo::WRITE_ERR_BUSY:
        return trPresentation("STR_WRITE_ERR_BUSY");
    default:
        return refusalReason.isEmpty()
                   ? trPresentation("STR_WRITE_ERR_REFUSED")
                   : QStringLiteral("%1 (%2)").arg(trPresentation("STR_WRITE_ERR_REFUSED"), refusalReason);
    }
}
