// Drive model descriptions (data/drives/*.json): parsed, and when accepted, every code's range and
// default taken through the conversions that the devices and the simulated drive use.
#include "FuzzRegistry.h"
#include "QDriveModel.h"
#include "QFuncodeScaling.h"

namespace {
bool codeConverts(const tagSubFuncode_Servo& fun)
{
    qint64 raw = 0;
    if (!QFuncodeScaling::descriptionToRaw(fun, fun.defaultVal, &raw)) {
        return false;
    }
    const QString shown = QFuncodeScaling::showText(fun, raw);
    qint64 back = 0;
    QFuncodeScaling::parseShowText(fun, shown, &back);
    QFuncodeScaling::rawToEditor(fun, QFuncodeScaling::rawMin(fun));
    QFuncodeScaling::rawToEditor(fun, QFuncodeScaling::rawMax(fun));
    QFuncodeScaling::isRawInRange(fun, raw);
    QFuncodeScaling::menuDigits(fun.enumText);
    return true;
}

bool modelHolds(const QDriveModel& model)
{
    if (model.modelName.isEmpty() || model.axisNum < 1 || model.axisNum > 3 || model.codes.isEmpty()) {
        return false;
    }
    for (const QDriveGroupDef& group : model.groups) {
        for (int row : group.codeRows) {
            if (row < 0 || row >= model.codes.size()) {
                return false;
            }
        }
    }
    for (const tagSubFuncode_Servo& fun : model.codes) {
        if (model.code(fun.funIndex) != &fun || !codeConverts(fun)) {
            return false;
        }
    }
    return true;
}
} // namespace

SERVO_FUZZ_TARGET(drive_model)
{
    QString error;
    const QSharedPointer<QDriveModel> model = QDriveModel::fromJson(data, &error);
    if (!model) {
        return !error.isEmpty();
    }
    return modelHolds(*model);
}
