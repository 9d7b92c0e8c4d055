#pragma once

#include "QCliCommand.h"

// servo-cli info DRIVE: model, configuration version, axes, online state, firmware identity and the
// fingerprint of the parameter set (for which every setting is read).
class QCliInfoCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliInfoCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;
};
