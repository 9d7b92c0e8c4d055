#include "QCliInfoCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QParameterFingerprint_Servo.h"

#include <QJsonObject>

int QCliInfoCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(1, 1, QStringLiteral("info DRIVE"), &status)) {
        return status;
    }
    QCliDrive* drive = openDrive(options().operands.first(), &status);
    if (!drive) {
        return status;
    }
    const QStringList unread = drive->read(drive->normalCodes());
    const QDeviceServo* device = drive->device();
    const QParameterFingerprint_Servo::Result fingerprint = QParameterFingerprint_Servo::ofDevice(*device);
    const DeviceInfo identity = device->getDeviceInfo();

    QCliTable table({tr("STR_CLI_FIELD"), tr("STR_CLI_VALUE")});
    table.addRow({tr("STR_CLI_INFO_DRIVE"), drive->name()});
    table.addRow({tr("STR_CLI_INFO_LINK"), device->getLink()->linkDescription()});
    table.addRow({tr("STR_CLI_INFO_MODEL"), device->getDevName()});
    table.addRow({tr("STR_CLI_INFO_VERSION"), device->getConfigVersion()});
    table.addRow({tr("STR_CLI_INFO_AXES"), QString::number(device->getAxisNum())});
    table.addRow({tr("STR_CLI_INFO_ONLINE"), yesNo(device->isDeviceOnline())});
    table.addRow({tr("STR_CLI_INFO_IDENTITY"), QStringLiteral("%1 %2 (%3)")
                                                   .arg(identity.identText1, identity.identText2)
                                                   .arg(identity.identNumber)});
    table.addRow({tr("STR_CLI_INFO_FINGERPRINT"), fingerprint.available
                                                      ? fingerprint.hex
                                                      : QParameterFingerprint_Servo::describe(fingerprint)});

    QJsonObject json{{"drive", drive->name()},
                     {"link", device->getLink()->linkDescription()},
                     {"model", device->getDevName()},
                     {"configVersion", device->getConfigVersion()},
                     {"axes", device->getAxisNum()},
                     {"online", device->isDeviceOnline()},
                     {"identity", QJsonObject{{"family", identity.identText1},
                                              {"firmware", identity.identText2},
                                              {"number", identity.identNumber}}},
                     {"fingerprint", fingerprint.available ? QJsonValue(fingerprint.hex) : QJsonValue()}};
    if (!fingerprint.available) {
        json.insert(QStringLiteral("fingerprintUnavailable"), fingerprint.reason);
    }
    print(table, json, false);
    if (!unread.isEmpty()) {
        return fail(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_NOT_READ_CODES")
                                                     .arg(unread.size())
                                                     .arg(unread.mid(0, 10).join(QStringLiteral(", "))));
    }
    return QCliExit::OK;
}
