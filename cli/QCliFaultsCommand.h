#pragma once

#include "QCliCommand.h"

// servo-cli faults DRIVE: the drive's current faults, and with --history the fault history of the axes,
// decoded with the history-record format in use, in the texts of the workbench's fault pages.
class QCliFaultsCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliFaultsCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;
};
