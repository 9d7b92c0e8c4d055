#pragma once

#include "QCliCommand.h"

class QCliSource;
struct tagCompareSource_Servo;

// servo-cli compare A B: a drive or file against a drive or file, on every axis both have. Lists the codes
// that differ (every code with --all); exit status 1 when anything differs, 0 when both hold the same set.
class QCliCompareCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliCompareCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;

private:
    // The source as the comparer takes it; false after the message when a file holds unknown values.
    bool sourceOf(const QCliSource& loaded, tagCompareSource_Servo* source) const;
};
