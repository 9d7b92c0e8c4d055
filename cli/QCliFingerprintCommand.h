#pragma once

#include "QCliCommand.h"

// servo-cli fingerprint DRIVE|FILE: the SHA-256 fingerprint of the parameter set, the same from a drive
// and from any of its files.
class QCliFingerprintCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliFingerprintCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;
};
