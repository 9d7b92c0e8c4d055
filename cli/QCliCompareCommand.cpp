#include "QCliCompareCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliSource.h"
#include "QCliTable.h"
#include "QCompareSourceBuilder_Servo.h"
#include "QDeviceServo.h"
#include "QFuncodeComparer_Servo.h"
#include "QParameterFingerprint_Servo.h"

#include <QJsonArray>
#include <QJsonObject>

bool QCliCompareCommand::sourceOf(const QCliSource& loaded, tagCompareSource_Servo* source) const
{
    *source = loaded.isDrive() ? QCompareSourceBuilder_Servo::fromDevice(*loaded.drive()->device())
                               : QCompareSourceBuilder_Servo::fromFile(loaded.name(), loaded.file());
    source->title = loaded.name();
    // A drive is read whole before it is compared; a file may hold values its maker never read.
    const QString unknown = QCompareSourceBuilder_Servo::firstUnknownValue(*source);
    if (!unknown.isEmpty()) {
        console().error(
            tr("STR_CLI_SOURCE_PROBLEM").arg(loaded.name(), tr("STR_CLI_FILE_VALUE_UNKNOWN").arg(unknown)));
        return false;
    }
    return true;
}

int QCliCompareCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(2, 2, QStringLiteral("compare A B"), &status)) {
        return status;
    }
    QCliSource loaded[2];
    tagCompareSource_Servo sources[2];
    for (int side = 0; side < 2; ++side) {
        status = loaded[side].load(session(), options().operands.at(side));
        if (status != QCliExit::OK) {
            return status;
        }
        if (!sourceOf(loaded[side], &sources[side])) {
            return QCliExit::FILE_REFUSED;
        }
    }
    const QFuncodeComparer_Servo::Result result = QFuncodeComparer_Servo::compare(sources[0], sources[1]);
    const int axesA = qBound(1, sources[0].axisNum, 3);
    const int axesB = qBound(1, sources[1].axisNum, 3);
    QStringList header{tr("STR_CLI_NUMBER"), tr("STR_CLI_NAME")};
    for (int axis = 0; axis < axesA; ++axis) {
        header << QStringLiteral("A:%1").arg(QDeviceServo::getAxisName(axis));
    }
    for (int axis = 0; axis < axesB; ++axis) {
        header << QStringLiteral("B:%1").arg(QDeviceServo::getAxisName(axis));
    }
    if (options().all) {
        header << tr("STR_CLI_DIFFERS");
    }
    QCliTable table(header);
    QJsonArray codes;
    for (const tagCompareFuncodePtr_Servo& record : options().all ? result.all : result.differing) {
        QStringList row{record->funIndex, record->funName};
        row += record->textsA.mid(0, axesA);
        row += record->textsB.mid(0, axesB);
        if (options().all) {
            row << yesNo(!record->equal);
        }
        table.addRow(row);
        codes.append(QJsonObject{{"number", record->funIndex},
                                 {"name", record->funName},
                                 {"a", QJsonArray::fromStringList(record->textsA.mid(0, axesA))},
                                 {"b", QJsonArray::fromStringList(record->textsB.mid(0, axesB))},
                                 {"differs", !record->equal}});
    }
    QJsonObject json{{"a", options().operands.at(0)},
                     {"b", options().operands.at(1)},
                     {"compared", result.all.size()},
                     {"differing", result.differing.size()},
                     {"codes", codes}};
    for (int side = 0; side < 2; ++side) {
        const QParameterFingerprint_Servo::Result fingerprint =
            QParameterFingerprint_Servo::ofSource(sources[side]);
        json.insert(side == 0 ? QStringLiteral("fingerprintA") : QStringLiteral("fingerprintB"),
                    fingerprint.available ? QJsonValue(fingerprint.hex) : QJsonValue());
    }
    if (!table.isEmpty() || options().format != QCliOptions::FORMAT_TEXT) {
        print(table, json);
    }
    console().message(tr("STR_CLI_COMPARED").arg(result.all.size()).arg(result.differing.size()));
    return result.differing.isEmpty() ? QCliExit::OK : QCliExit::DIFFERS;
}
