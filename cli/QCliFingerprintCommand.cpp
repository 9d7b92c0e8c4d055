#include "QCliFingerprintCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliSource.h"
#include "QCliTable.h"
#include "QParameterFingerprint_Servo.h"

#include <QJsonObject>

int QCliFingerprintCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(1, 1, QStringLiteral("fingerprint DRIVE|FILE"), &status)) {
        return status;
    }
    QCliSource source;
    status = source.load(session(), options().operands.first());
    if (status != QCliExit::OK) {
        return status;
    }
    const QParameterFingerprint_Servo::Result fingerprint =
        source.isDrive() ? QParameterFingerprint_Servo::ofDevice(*source.drive()->device())
                         : QParameterFingerprint_Servo::ofFile(source.file());
    if (!fingerprint.available) {
        return fail(source.isDrive() ? QCliExit::DRIVE_NOT_REACHED : QCliExit::FILE_REFUSED,
                    tr("STR_CLI_SOURCE_PROBLEM")
                        .arg(source.name(), QParameterFingerprint_Servo::describe(fingerprint)));
    }
    QCliTable table({tr("STR_CLI_SOURCE"), tr("STR_CLI_INFO_FINGERPRINT")});
    table.addRow({source.name(), fingerprint.hex});
    const QJsonObject json{{"source", source.name()},
                           {"model", source.model()},
                           {"codes", fingerprint.codeCount},
                           {"fingerprint", fingerprint.hex}};
    if (options().format == QCliOptions::FORMAT_TEXT) {
        console().out(fingerprint.hex + QLatin1Char('\n'));
        return QCliExit::OK;
    }
    print(table, json);
    return QCliExit::OK;
}
