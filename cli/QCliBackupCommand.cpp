#include "QCliBackupCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QFuncodeExportRecords_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QParameterFingerprint_Servo.h"

#include <QJsonObject>

int QCliBackupCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(2, 2, QStringLiteral("backup DRIVE FILE"), &status)) {
        return status;
    }
    QCliDrive* drive = openDrive(options().operands.at(0), &status);
    if (!drive) {
        return status;
    }
    const QString path = options().operands.at(1);
    const QStringList unread = drive->read(drive->normalCodes());
    if (!unread.isEmpty()) {
        return fail(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_NOT_READ_CODES")
                                                         .arg(unread.size())
                                                         .arg(unread.mid(0, 10).join(QStringLiteral(", "))) +
                                                     QLatin1Char('\n') +
                                                     tr("STR_CLI_NOTHING_WRITTEN").arg(path));
    }
    const QDeviceServo* device = drive->device();
    const tagExportDevInfo_Servo info = QFuncodeExportRecords_Servo::collectDeviceFuncodes(device).first();
    // A value that became unknown after the read (the drive went away meanwhile) is no number either.
    const QStringList unknown = QFuncodeExportRecords_Servo::unknownNumbers(info.funcodes);
    if (!unknown.isEmpty()) {
        return fail(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_NOT_READ_CODES")
                                                         .arg(unknown.size())
                                                         .arg(unknown.mid(0, 10).join(QStringLiteral(", "))) +
                                                     QLatin1Char('\n') +
                                                     tr("STR_CLI_NOTHING_WRITTEN").arg(path));
    }
    if (!QFuncodeHelper_Servo::writeFuncodeFile(path, info)) {
        return fail(QCliExit::FILE_REFUSED,
                    tr("STR_CLI_FILE_NOT_WRITTEN").arg(path, QFuncodeHelperBase::lastErrorText()));
    }
    const QParameterFingerprint_Servo::Result fingerprint = QParameterFingerprint_Servo::ofDevice(*device);
    console().message(tr("STR_CLI_BACKUP_WRITTEN").arg(info.funcodes.size()).arg(drive->name(), path));
    QCliTable table({tr("STR_CLI_FILE"), tr("STR_CLI_CODES"), tr("STR_CLI_INFO_FINGERPRINT")});
    table.addRow({path, QString::number(info.funcodes.size()), fingerprint.hex});
    print(table,
          QJsonObject{{"drive", drive->name()},
                      {"file", path},
                      {"codes", info.funcodes.size()},
                      {"fingerprint", fingerprint.hex}},
          false);
    return QCliExit::OK;
}
