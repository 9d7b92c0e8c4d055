#include "QImportMotorType_Servo.h"

#include "QDeviceServo.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
const int kMotorTypeTimeoutMs = 1000;
}

QImportMotorType_Servo::Result
QImportMotorType_Servo::writeAhead(QDeviceServo* device,
                                   const QMap<QString, tagExportFuncodePtr_Servo>& funcodes, QString* reason)
{
    if (!device) {
        return NotNeeded;
    }
    const QString number = device->getDevMotorTypeFuncode();
    const tagExportFuncodePtr_Servo record = funcodes.value(number);
    if (number.isEmpty() || !record) {
        return NotNeeded;
    }
    const qint64 wanted = record->curValue[0];
    if (device->isMotorType(wanted)) {
        return NotNeeded;
    }
    // The waits below run the event loop, in which the drive may be removed from the project.
    QPointer<QDeviceServo> guard(device);
    const int result = guard->writeOneFuncode_Synch(number, wanted, kMotorTypeTimeoutMs, true);
    if (verify(guard, number, wanted, result)) {
        return Written;
    }
    if (reason) {
        *reason =
            !guard ? QCoreApplication::translate("Strings", "STR_NO_EXIST_DEVICE")
            : result != 0
                ? guard->getErrorReasonStr(result)
                : QCoreApplication::translate("Strings", "STR_READ_DEV_MOTOR_TYPE_MATCH_CONFIG_TABLE_FAILED");
    }
    return Failed;
}

bool QImportMotorType_Servo::verify(const QPointer<QDeviceServo>& device, const QString& number,
                                    qint64 wanted, int writeResult)
{
    if (!device) {
        return false;
    }
    if (device->isMotorType(wanted)) {
        return true;
    }
    if (writeResult != 0) {
        return false;
    }
    // The write was acknowledged but the value held is not known yet: ask the drive.
    qint64 readBack = 0;
    if (device->readOneFuncode_Synch(number, readBack, kMotorTypeTimeoutMs, true) != 0 || !device) {
        return false;
    }
    return device->isMotorType(wanted);
}

void QImportMotorType_Servo::rescale(const QDeviceServo* device,
                                     const QMap<QString, tagExportFuncodePtr_Servo>& funcodes)
{
    if (!device) {
        return;
    }
    for (const tagExportFuncodePtr_Servo& record : funcodes) {
        const int count = qMin(record->valueTexts.size(), int(record->curValue.size()));
        for (int axis = 0; axis < count; ++axis) {
            bool ok = false;
            const qint64 raw =
                device->getRawValueByScaledValStr(record->funIndex, record->valueTexts.at(axis), &ok);
            if (ok && raw != record->curValue[size_t(axis)]) {
                record->curValue[size_t(axis)] = raw;
            }
        }
    }
}
