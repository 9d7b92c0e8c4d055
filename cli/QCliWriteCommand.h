#pragma once

#include "QCliCommand.h"

#include <QList>

struct tagSubFuncode_Servo;

// servo-cli write DRIVE NUMBER VALUE: one value, checked as an edit in the workbench is (range, the
// code's right, the drive's state, the authority), written, read back and recorded in the modification
// records of the data folder; --save stores the drive's parameters afterwards.
class QCliWriteCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliWriteCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;

private:
    int check(const QDeviceServo* device, const tagSubFuncode_Servo* fun, const QString& value, qint64 raw,
              const QList<int>& axes) const;
    static QString valueHint(const QDeviceServo* device, const tagSubFuncode_Servo* fun);
};
