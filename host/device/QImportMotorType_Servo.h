#pragma once

#include "tagExportFuncode_Servo.h"

#include <QMap>
#include <QPointer>
#include <QString>

class QDeviceServo;

// The motor type of a drive decides how many of its other codes are scaled, so an import writes it
// first, alone, and checks that the drive took it before anything else is written.
class QImportMotorType_Servo
{
public:
    enum Result
    {
        NotNeeded, // no motor-type code among the records, or the drive already has the file's type
        Written,   // written and verified
        Failed     // the drive refused it, shows another type afterwards or was removed; reason says why
    };

    // Writes the motor-type record of funcodes (axis X) when it differs from the drive's motor type.
    // While waiting for the drive, events are processed (the drive may be removed meanwhile: Failed). reason
    // gets a text when it failed.
    static Result writeAhead(QDeviceServo* device, const QMap<QString, tagExportFuncodePtr_Servo>& funcodes,
                             QString* reason);
    // After a new motor type the records' raw values are taken anew from their file texts, because the
    // same text may now mean another raw value.
    static void rescale(const QDeviceServo* device, const QMap<QString, tagExportFuncodePtr_Servo>& funcodes);

private:
    static bool verify(const QPointer<QDeviceServo>& device, const QString& number, qint64 wanted,
                       int writeResult);
};
