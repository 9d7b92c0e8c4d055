#include "QCliWriteCommand.h"

#include "QCliBatchTransfer.h"
#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QFuncodeExportRecords_Servo.h"

#include <QJsonArray>
#include <QJsonObject>

// What a value of the code looks like: its items, or its range and unit.
QString QCliWriteCommand::valueHint(const QDeviceServo* device, const tagSubFuncode_Servo* fun)
{
    if (fun->showType == 2) {
        return fun->enumText.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(", "));
    }
    return tr("STR_CLI_RANGE")
        .arg(device->getScaledValueString(fun->showType, fun->precision, fun->minVal),
             device->getScaledValueString(fun->showType, fun->precision, fun->maxVal), fun->unit)
        .trimmed();
}

int QCliWriteCommand::check(const QDeviceServo* device, const tagSubFuncode_Servo* fun, const QString& value,
                            qint64 raw, const QList<int>& axes) const
{
    for (int axis : axes) {
        const int error = device->checkWriteRawValue(fun->funIndex, raw, axis);
        if (error == QDeviceServo::WRITE_OK) {
            continue;
        }
        if (error == QDeviceServo::WRITE_ERR_RANGE) {
            return usage(tr("STR_CLI_VALUE_OUT_OF_RANGE").arg(value, fun->funIndex, valueHint(device, fun)));
        }
        const QString reason =
            tr("STR_CLI_WRITE_REFUSED").arg(fun->funIndex, device->getErrorReasonStr(error));
        return error == QDeviceServo::WRITE_ERR_OFFLINE ? fail(QCliExit::DRIVE_NOT_REACHED, reason)
                                                        : usage(reason);
    }
    QString refusal;
    if (!device->isWritePermitted(&refusal)) {
        return fail(QCliExit::WRITES_FAILED,
                    tr("STR_CLI_DRIVE_REFUSES_WRITES").arg(device->getAliasName(), refusal));
    }
    return QCliExit::OK;
}

int QCliWriteCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(3, 3, QStringLiteral("write DRIVE NUMBER VALUE"), &status)) {
        return status;
    }
    QCliDrive* drive = openDrive(options().operands.at(0), &status);
    if (!drive) {
        return status;
    }
    QDeviceServo* device = drive->device();
    const QString number = options().operands.at(1);
    const QString value = options().operands.at(2);
    tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(number);
    if (!fun) {
        return usage(tr("STR_CLI_UNKNOWN_NUMBER").arg(number, device->getDevName()));
    }
    // Without --axis an edit goes to axis X, as in the workbench's table of one axis.
    const QList<int> axes =
        options().axisGiven ? chosenAxes(device, &status) : QList<int>{QDeviceServo::AXIS_X};
    if (axes.isEmpty()) {
        return status;
    }
    bool parsed = false;
    const qint64 raw = device->getRawValueByScaledValStr(number, value, &parsed);
    if (!parsed) {
        return usage(tr("STR_CLI_BAD_VALUE").arg(value, number, valueHint(device, fun)));
    }
    status = check(device, fun, value, raw, axes);
    if (status != QCliExit::OK) {
        return status;
    }
    // The value before, for the modification record.
    drive->read({fun});
    QStringList before;
    for (int axis : axes) {
        before.append(device->hasValue(number, axis) ? device->getScaledCurValueStr(number, axis)
                                                     : tr("STR_CLI_NOT_READ"));
    }
    tagExportFuncodePtr_Servo record = QFuncodeExportRecords_Servo::fromDevice(device, fun);
    for (int axis : axes) {
        record->curValue[size_t(axis)] = raw;
    }
    QCliBatchTransfer transfer(device);
    const bool written = transfer.run({{number, record}}, axes.size() > 1, axes.first());

    QCliTable table({tr("STR_CLI_NUMBER"), tr("STR_CLI_AXIS"), tr("STR_CLI_BEFORE"), tr("STR_CLI_AFTER"),
                     tr("STR_CLI_UNIT")});
    QJsonArray values;
    for (int i = 0; i < axes.size(); ++i) {
        const int axis = axes.at(i);
        qint64 held = 0;
        const bool known = device->curValue(number, axis, &held);
        const QString after = known ? device->getScaledCurValueStr(number, axis) : tr("STR_CLI_NOT_READ");
        table.addRow({number, QDeviceServo::getAxisName(axis), before.at(i), after, fun->unit});
        values.append(QJsonObject{{"axis", QDeviceServo::getAxisName(axis)},
                                  {"before", before.at(i)},
                                  {"after", known ? QJsonValue(after) : QJsonValue()},
                                  {"raw", known ? QJsonValue(held) : QJsonValue()}});
    }
    print(table, QJsonObject{
                     {"drive", drive->name()}, {"number", number}, {"written", written}, {"values", values}});
    if (!written) {
        for (const QCliBatchTransfer::Failure& failure : transfer.failures()) {
            console().error(
                tr("STR_CLI_CODE_FAILED")
                    .arg(failure.funIndex, QDeviceServo::getAxisName(failure.axis), failure.reason));
        }
        return QCliExit::WRITES_FAILED;
    }
    if (options().save && !drive->save(axes)) {
        return fail(QCliExit::WRITES_FAILED, tr("STR_CLI_SAVE_FAILED").arg(drive->name()));
    }
    return QCliExit::OK;
}
