#pragma once

#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QFuncodeScaling.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Drives whose names and enumerated texts hold commas, with a different value on every axis, for the
// round trips through function-code files.
namespace FuncodeFileFixture {

// The test model with commas in names, group titles and value texts: "FCM<axes>".
inline QDriveModelPtr commaModel(int axisNum)
{
    const QString name = QStringLiteral("FCM%1").arg(axisNum);
    QJsonObject root = QJsonDocument::fromJson(QTestHost::testModelJson(axisNum, name)).object();
    QJsonArray groups = root.value("groups").toArray();
    QJsonObject basic = groups.at(0).toObject();
    QJsonArray codes = basic.value("codes").toArray();
    QJsonObject motor = codes.at(0).toObject();
    motor.insert("name", "Motor type, frame, power");
    motor.insert("items", QJsonArray{"0:40 mm flange, 100 W, 3000 rpm", "1:60 mm flange, 200 W, 3000 rpm",
                                     "3:80 mm flange, 750 W, 2500 rpm", "5:130 mm flange, 1 kW, 2000 rpm"});
    codes[0] = motor;
    QJsonObject current = codes.at(1).toObject();
    current.insert("name", "Rated current, peak,");
    codes[1] = current;
    QJsonObject mode = codes.at(3).toObject();
    mode.insert("items", QJsonArray{"0:Position, pulses", "1:Speed, analog", "2:Torque, 3 limits"});
    codes[3] = mode;
    basic.insert("codes", codes);
    groups[0] = basic;
    // A code that the user authority does not see.
    QJsonObject gains = groups.at(2).toObject();
    QJsonArray gainCodes = gains.value("codes").toArray();
    QJsonObject sampling = gainCodes.at(3).toObject();
    sampling.insert("authority", 1);
    gainCodes[3] = sampling;
    gains.insert("codes", gainCodes);
    groups[2] = gains;
    root.insert("groups", groups);
    QString error;
    QDriveModelPtr model = QDriveModel::fromJson(QJsonDocument(root).toJson(), &error);
    if (!model) {
        qWarning("comma model does not load: %s", qPrintable(error));
    }
    return model;
}

inline void registerModels()
{
    for (int axes = 1; axes <= 3; ++axes) {
        QProjectCore::self()->getCatalogue()->addModel(commaModel(axes));
    }
}

// One of the enumerated values of the code, chosen by n.
inline qint64 enumValue(const tagSubFuncode_Servo& fun, int n)
{
    const QStringList items = QFuncodeScaling::enumItems(fun.enumText);
    qint64 value = 0;
    QFuncodeScaling::enumItemValue(items.value(n % qMax(1, items.size())), &value);
    return value;
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
                const qint64 value = fun->showType == 2 ? enumValue(*fun, seed + axis)
                                     : fun->showType == 6
                                         ? (seed + axis) % 2
                                         : low + step % qMax<qint64>(1, qMin<qint64>(high - low, 90));
                link->setRawValue(fun->funIndex, axis, value);
            }
        }
    }
    return QTestHost::readAll(device);
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace FuncodeFileFixture
