#include "QCliRestoreCommand.h"

#include "QCliBatchTransfer.h"
#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QFuncodeImportFile_Servo.h"
#include "QImportMotorType_Servo.h"

#include <QJsonArray>
#include <QJsonObject>

bool QCliRestoreCommand::differs(const QDeviceServo* device, const tagExportFuncode_Servo& record)
{
    const int axes = qMin(device->getAxisNum(), qBound(1, record.axisNum, 3));
    for (int axis = 0; axis < axes; ++axis) {
        qint64 held = 0;
        // A value the drive is not known to hold differs from any value.
        if (!device->curValue(record.funIndex, axis, &held) || held != record.curValue[size_t(axis)]) {
            return true;
        }
    }
    return false;
}

int QCliRestoreCommand::printDryRun(const QDeviceServo* device,
                                    const tagExportFuncodeList_Servo& changing) const
{
    QCliTable table({tr("STR_CLI_NUMBER"), tr("STR_CLI_NAME"), tr("STR_CLI_AXIS"), tr("STR_CLI_FILE_VALUE"),
                     tr("STR_CLI_DRIVE_VALUE")});
    QJsonArray codes;
    for (const tagExportFuncodePtr_Servo& record : changing) {
        const int axes = qMin(device->getAxisNum(), qBound(1, record->axisNum, 3));
        for (int axis = 0; axis < axes; ++axis) {
            qint64 held = 0;
            if (device->curValue(record->funIndex, axis, &held) && held == record->curValue[size_t(axis)]) {
                continue;
            }
            const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(record->funIndex);
            const QString fileValue = device->getShowStr(fun, record->curValue[size_t(axis)]);
            const QString driveValue = device->getScaledCurValueStr(record->funIndex, axis);
            table.addRow(
                {record->funIndex, record->funName, QDeviceServo::getAxisName(axis), fileValue, driveValue});
            codes.append(QJsonObject{{"number", record->funIndex},
                                     {"name", record->funName},
                                     {"axis", QDeviceServo::getAxisName(axis)},
                                     {"file", fileValue},
                                     {"drive", driveValue}});
        }
    }
    print(table, QJsonObject{{"drive", options().operands.at(0)},
                             {"file", options().operands.at(1)},
                             {"changes", codes}});
    console().message(tr("STR_CLI_DRY_RUN").arg(changing.size()));
    return QCliExit::OK;
}

int QCliRestoreCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(2, 2, QStringLiteral("restore DRIVE FILE"), &status)) {
        return status;
    }
    QCliDrive* drive = openDrive(options().operands.at(0), &status);
    if (!drive) {
        return status;
    }
    QDeviceServo* device = drive->device();
    const QString path = options().operands.at(1);
    QFuncodeImportFile_Servo file;
    if (file.read(path, device, false) != QFuncodeImportFile_Servo::Ok) {
        return fail(QCliExit::FILE_REFUSED, tr("STR_CLI_FILE_REFUSED").arg(path, file.errorText()));
    }
    // Read-only codes of a file (versions, serial numbers) are not written, as in the batch download.
    const QMap<QString, tagExportFuncodePtr_Servo> writable =
        QCliBatchTransfer::writableRecords(device, file.rows());
    QList<tagSubFuncode_Servo*> codes;
    for (const tagExportFuncodePtr_Servo& record : writable) {
        codes.append(device->getFuncodePtrByFunIndex(record->funIndex));
    }
    const QStringList unread = drive->read(codes);
    if (!unread.isEmpty()) {
        return fail(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_NOT_READ_CODES")
                                                     .arg(unread.size())
                                                     .arg(unread.mid(0, 10).join(QStringLiteral(", "))));
    }
    tagExportFuncodeList_Servo changing;
    QMap<QString, tagExportFuncodePtr_Servo> records;
    for (const tagExportFuncodePtr_Servo& record : file.rows()) {
        if (!writable.contains(record->funIndex)) {
            continue;
        }
        const bool changes = differs(device, *record);
        if (changes) {
            changing.append(record);
        }
        if (changes || !options().onlyDiffering) {
            records.insert(record->funIndex, record);
        }
    }
    if (options().dryRun) {
        return printDryRun(device, changing);
    }
    QString refusal;
    if (!device->isWritePermitted(&refusal)) {
        return fail(QCliExit::WRITES_FAILED, tr("STR_CLI_DRIVE_REFUSES_WRITES").arg(drive->name(), refusal));
    }
    QString reason;
    if (QImportMotorType_Servo::writeAhead(device, records, &reason) == QImportMotorType_Servo::Failed) {
        return fail(QCliExit::WRITES_FAILED, tr("STR_CLI_MOTOR_TYPE_FAILED").arg(reason));
    }
    QImportMotorType_Servo::rescale(device, records);
    QCliBatchTransfer transfer(device);
    QObject::connect(&transfer, &QCliBatchTransfer::progress, &transfer,
                     [this, drive](int done, int total) { console().progress(drive->name(), done, total); });
    const bool written = transfer.run(records, true, QDeviceServo::AXIS_X);
    console().endProgress();
    QCliTable table({tr("STR_CLI_NUMBER"), tr("STR_CLI_AXIS"), tr("STR_CLI_REASON")});
    QJsonArray failed;
    for (const QCliBatchTransfer::Failure& failure : transfer.failures()) {
        table.addRow({failure.funIndex, QDeviceServo::getAxisName(failure.axis), failure.reason});
        failed.append(QJsonObject{{"number", failure.funIndex},
                                  {"axis", QDeviceServo::getAxisName(failure.axis)},
                                  {"reason", failure.reason}});
    }
    if (!table.isEmpty() || options().format == QCliOptions::FORMAT_JSON) {
        print(table, QJsonObject{{"drive", drive->name()},
                                 {"file", path},
                                 {"written", records.size()},
                                 {"changed", changing.size()},
                                 {"failed", failed}});
    }
    if (!written) {
        return fail(QCliExit::WRITES_FAILED,
                    tr("STR_CLI_RESTORE_FAILED").arg(failed.size()).arg(drive->name()));
    }
    console().message(tr("STR_CLI_RESTORED").arg(records.size()).arg(drive->name()));
    if (options().save && !drive->save(drive->allAxes())) {
        return fail(QCliExit::WRITES_FAILED, tr("STR_CLI_SAVE_FAILED").arg(drive->name()));
    }
    if (options().reset && !drive->reset(drive->allAxes())) {
        return fail(QCliExit::WRITES_FAILED, tr("STR_CLI_RESET_FAILED").arg(drive->name()));
    }
    return QCliExit::OK;
}
