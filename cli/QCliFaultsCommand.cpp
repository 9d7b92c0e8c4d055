#include "QCliFaultsCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"

#include <QJsonArray>
#include <QJsonObject>

int QCliFaultsCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(1, 1, QStringLiteral("faults DRIVE"), &status)) {
        return status;
    }
    QCliDrive* drive = openDrive(options().operands.first(), &status);
    if (!drive) {
        return status;
    }
    QDeviceServo* device = drive->device();
    const QList<int> axes = chosenAxes(device, &status);
    if (axes.isEmpty()) {
        return status;
    }
    if (!drive->readCurrentFaults()) {
        return fail(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_FAULTS_NOT_READ").arg(drive->name()));
    }
    QCliTable current(QFaultExportRows::curFaultHeaders());
    QJsonArray currentJson;
    for (const tagFaultInfoPtr& fault : device->getCurFaultList()) {
        current.addRow(QFaultExportRows::curFaultRow(drive->name(), *fault));
        currentJson.append(QJsonObject{{"code", fault->faultCode},
                                       {"name", fault->faultName},
                                       {"axis", QDeviceServo::getAxisName(fault->axisIndex)},
                                       {"time", QFaultExportRows::faultTimeText(fault->faultTime)},
                                       {"reason", fault->faultReason},
                                       {"remedy", fault->faultMethod},
                                       {"history", fault->bHistory},
                                       {"canClear", fault->bCanClear},
                                       {"stopNow", fault->bStopNow}});
    }
    QJsonObject json{{"drive", drive->name()}, {"current", currentJson}};
    QCliTable history(QStringList{tr("STR_CLI_AXIS")} + QFaultExportRows::historyHeaders());
    if (options().history) {
        QJsonArray historyJson;
        for (int axis : axes) {
            device->readHisFaultFuncode(axis, true);
            const QString axisName = QDeviceServo::getAxisName(axis);
            for (const QStringList& row : QFaultExportRows::historyRows(device, axis)) {
                history.addRow(QStringList{axisName} + row);
            }
            int number = 0;
            for (const tagHistoryFaultList& record : device->getHistoryFaultList(axis)) {
                QJsonArray faults;
                for (const tagHistoryFault& fault : record.faults) {
                    faults.append(QJsonObject{{"code", fault.faultCode}, {"name", fault.faultName}});
                }
                QJsonArray params;
                for (const tagHistoryFaultParam& param : record.params) {
                    const QStringList texts = QFaultExportRows::paramTexts(device, param);
                    params.append(
                        QJsonObject{{"name", texts.value(0)},
                                    {"value", param.missing ? QJsonValue() : QJsonValue(texts.value(1))},
                                    {"unit", texts.value(2)}});
                }
                historyJson.append(QJsonObject{{"axis", axisName},
                                               {"record", ++number},
                                               {"faults", faults},
                                               {"params", params},
                                               {"truncated", record.truncated}});
            }
        }
        json.insert(QStringLiteral("history"), historyJson);
    }
    switch (options().format) {
    case QCliOptions::FORMAT_JSON:
        console().outJson(json);
        break;
    case QCliOptions::FORMAT_CSV:
        console().out(current.toCsv() +
                      (options().history ? QStringLiteral("\n") + history.toCsv() : QString()));
        break;
    default:
        console().out(current.isEmpty() ? tr("STR_CLI_NO_CURRENT_FAULTS") + QLatin1Char('\n')
                                        : current.toText());
        if (options().history) {
            console().out(QLatin1Char('\n') + history.toText());
        }
        break;
    }
    return QCliExit::OK;
}
