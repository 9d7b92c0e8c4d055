#include "QCliReadCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliTable.h"
#include "QDeviceServo.h"

#include <QJsonArray>
#include <QJsonObject>
#include <climits>

QList<tagSubFuncode_Servo*> QCliReadCommand::chosenCodes(const QCliDrive* drive, int* status) const
{
    const QStringList numbers = options().operands.mid(1);
    if (numbers.isEmpty()) {
        return drive->allCodes();
    }
    const QDeviceServo* device = drive->device();
    QList<tagSubFuncode_Servo*> codes;
    for (const QString& number : numbers) {
        tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(number);
        if (!fun) {
            *status = usage(tr("STR_CLI_UNKNOWN_NUMBER").arg(number, device->getDevName()));
            return {};
        }
        if (!device->getFuncodePtrByFunIndex(number, true)) {
            *status = usage(tr("STR_CLI_NUMBER_ABOVE_AUTHORITY").arg(number));
            return {};
        }
        codes.append(fun);
    }
    return codes;
}

int QCliReadCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(1, INT_MAX, QStringLiteral("read DRIVE [NUMBER...]"), &status)) {
        return status;
    }
    QCliDrive* drive = openDrive(options().operands.first(), &status);
    if (!drive) {
        return status;
    }
    const QDeviceServo* device = drive->device();
    const QList<int> axes = chosenAxes(device, &status);
    const QList<tagSubFuncode_Servo*> codes = chosenCodes(drive, &status);
    if (axes.isEmpty() || codes.isEmpty()) {
        return status;
    }
    const QStringList unread = drive->read(codes);
    const QString notRead = tr("STR_CLI_NOT_READ");

    QStringList header{tr("STR_CLI_NUMBER"), tr("STR_CLI_NAME")};
    if (options().format == QCliOptions::FORMAT_CSV) {
        header << tr("STR_CLI_AXIS") << tr("STR_CLI_VALUE") << tr("STR_CLI_RAW");
    } else {
        for (int axis : axes) {
            header << QDeviceServo::getAxisName(axis);
        }
    }
    header << tr("STR_CLI_UNIT");
    QCliTable table(header);
    QJsonArray jsonCodes;
    for (const tagSubFuncode_Servo* fun : codes) {
        QStringList row{fun->funIndex, fun->funName};
        QJsonArray values;
        for (int axis : axes) {
            qint64 raw = 0;
            const bool known = device->curValue(fun->funIndex, axis, &raw);
            const QString text = known ? device->getScaledCurValueStr(fun->funIndex, axis) : notRead;
            values.append(QJsonObject{{"axis", QDeviceServo::getAxisName(axis)},
                                      {"text", known ? QJsonValue(text) : QJsonValue()},
                                      {"raw", known ? QJsonValue(raw) : QJsonValue()}});
            if (options().format == QCliOptions::FORMAT_CSV) {
                table.addRow({fun->funIndex, fun->funName, QDeviceServo::getAxisName(axis), text,
                              known ? QString::number(raw) : QString(), fun->unit});
            } else {
                row << text;
            }
        }
        if (options().format != QCliOptions::FORMAT_CSV) {
            table.addRow(row << fun->unit);
        }
        jsonCodes.append(QJsonObject{
            {"number", fun->funIndex}, {"name", fun->funName}, {"unit", fun->unit}, {"values", values}});
    }
    print(table, QJsonObject{{"drive", drive->name()},
                             {"model", device->getDevName()},
                             {"configVersion", device->getConfigVersion()},
                             {"codes", jsonCodes}});
    if (!unread.isEmpty()) {
        return fail(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_NOT_READ_CODES")
                                                     .arg(unread.size())
                                                     .arg(unread.mid(0, 10).join(QStringLiteral(", "))));
    }
    return QCliExit::OK;
}
