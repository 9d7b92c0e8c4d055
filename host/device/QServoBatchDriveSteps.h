#pragma once

#include "tagExportFuncode_Servo.h"

#include <QMap>
#include <QString>

// What the caller of a QServoBatchLine does for each drive around its transfer (reaching the drive,
// the motor type first, saving afterwards), and which wire each drive is on. The line calls prepare and
// complete one at a time, from the event loop and never inside a drive's signals or another step's
// wait, so that a step may wait for its drive. The defaults do nothing and fail nothing.
class QServoBatchDriveSteps
{
public:
    virtual ~QServoBatchDriveSteps();

    // The wire the drive is on; drives on one wire are never written at the same time. Empty: a wire of
    // its own. The default asks the drive's link: drives on one serial port share it; every TCP
    // connection is a wire of its own.
    virtual QString busOf(const QString& alias) const;
    // Before the transfer: readies the drive and may change the drive's own copy of the records (its raw
    // values, what it can take). False, with error saying why, ends the drive as failed.
    virtual bool prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>* records,
                         QString* error);
    // After a transfer that succeeded (storing, resetting); false, with error, fails the drive.
    virtual bool complete(const QString& alias, QString* error);
};
