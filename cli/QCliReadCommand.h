#pragma once

#include "QCliCommand.h"

#include <QList>

struct tagSubFuncode_Servo;

// servo-cli read DRIVE [NUMBER...]: values as the workbench shows them (every code when no number is
// given), with raw values in csv and json. A value that could not be read is shown as not read, never as
// a number.
class QCliReadCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliReadCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;

private:
    QList<tagSubFuncode_Servo*> chosenCodes(const QCliDrive* drive, int* status) const;
};
