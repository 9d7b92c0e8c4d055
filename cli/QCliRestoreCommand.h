#pragma once

#include "QCliCommand.h"
#include "tagExportFuncode_Servo.h"

#include <QList>

// servo-cli restore DRIVE FILE: the import. The file must be made for the drive's model and is cut down to
// what the present authority allows; the motor type is written first and checked, then every code (or,
// with --only-differing, those that differ) is written and read back. --dry-run lists the codes that
// would change and writes nothing.
class QCliRestoreCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliRestoreCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;

private:
    // The codes whose file value differs from the drive's on an axis both have.
    static bool differs(const QDeviceServo* device, const tagExportFuncode_Servo& record);
    int printDryRun(const QDeviceServo* device, const tagExportFuncodeList_Servo& changing) const;
};
