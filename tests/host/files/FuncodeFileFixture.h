#pragma once

#include "FileFixtures.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QFuncodeScaling.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

// Drives whose names and enumerated texts hold commas, with a different value on every axis, for the
// round trips through function-code files.
namespace FuncodeFileFixture {

// The test model with commas in names and value texts (in both languages), and a code the user authority
// does not see: "FCM<axes>".
inline QDriveModelPtr commaModel(int axisNum, const QString& language = QStringLiteral("en"))
{
    return QTestHost::testModel(axisNum, QStringLiteral("FCM%1").arg(axisNum), language,
                                {{"\"Motor type\"", "\"Motor type, frame, power\""},
                                 {"\"Rated current\"", "\"Rated current, peak,\""},
                                 {"0:Motor A 200W", "0:40 mm flange, 100 W, 3000 rpm"},
                                 {"1:Motor B 400W", "1:60 mm flange, 200 W, 3000 rpm"},
                                 {"3:Motor C 750W", "3:80 mm flange, 750 W, 2500 rpm"},
                                 {"5:Motor D 1kW", "5:130 mm flange, 1 kW, 2000 rpm"},
                                 {"\"0:Position\"", "\"0:Position, pulses\""},
                                 {"\"1:Speed\"", "\"1:Speed, analog\""},
                                 {"\"2:Torque\"", "\"2:Torque, 3 limits\""},
                                 {"\"电机型号\"", "\"电机型号, 机座, 功率\""},
                                 {"\"额定电流\"", "\"额定电流, 峰值,\""},
                                 {"0:电机A 200W", "0:40法兰, 100W, 3000rpm"},
                                 {"1:电机B 400W", "1:60法兰, 200W, 3000rpm"},
                                 {"3:电机C 750W", "3:80法兰, 750W, 2500rpm"},
                                 {"5:电机D 1kW", "5:130法兰, 1kW, 2000rpm"},
                                 {"\"0:位置\"", "\"0:位置, 脉冲\""},
                                 {"\"1:速度\"", "\"1:速度, 模拟量\""},
                                 {"\"2:转矩\"", "\"2:转矩, 3个限值\""},
                                 {"\"index\": \"P2.03\"", "\"authority\": 1, \"index\": \"P2.03\""}});
}

inline void registerModels()
{
    for (const QString& language : QDriveModel::languages()) {
        QProjectCore::self()->getCatalogue()->addModel(commaModel(3, language));
    }
}

// Gives every writable code of the drive a value of its own per axis (different from the default), as
// the drive's memory, and reads them into the device.
inline bool setDistinctValues(QDeviceServo* device, int seed)
{
    QSimulatedDriveLink* link = QTestHost::link(device->getAliasName());
    if (!link) {
        return false;
    }
    const auto& groups = device->getNormalFuncodeGroupMap();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        for (const tagSubFuncode_Servo* fun : it.value()) {
            if (fun->rwLevel != 1 || fun->showType == 4 || fun->showType == 5 || fun->showType == 7) {
                continue;
            }
            const qint64 low = QFuncodeScaling::rawMin(*fun);
            const qint64 high = QFuncodeScaling::rawMax(*fun);
            for (int axis = 0; axis < device->getAxisNum(); ++axis) {
                const qint64 step = qint64(seed * 7 + axis * 3 + 1);
                const qint64 value =
                    fun->showType == 2   ? fun->enumTable->itemValue((seed + axis) % fun->enumTable->count())
                    : fun->showType == 6 ? (seed + axis) % 2
                                         : low + step % qMax<qint64>(1, qMin<qint64>(high - low, 90));
                link->setRawValue(fun->funIndex, axis, value);
            }
        }
    }
    return QTestHost::readAll(device);
}

} // namespace FuncodeFileFixture
