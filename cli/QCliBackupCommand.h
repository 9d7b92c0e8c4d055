#pragma once

#include "QCliCommand.h"

// servo-cli backup DRIVE FILE: every setting of the drive, read whole first, into a function-code file in
// the export's layout. A value that cannot be read is an error: the file is not written then.
class QCliBackupCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliBackupCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;
};
