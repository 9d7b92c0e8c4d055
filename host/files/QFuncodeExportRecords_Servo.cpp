#include "QFuncodeExportRecords_Servo.h"

#include "QDeviceServo.h"

#include <QDateTime>

tagExportFuncodePtr_Servo QFuncodeExportRecords_Servo::fromDevice(const QDeviceServo* device,
                                                                  const tagSubFuncode_Servo* fun)
{
    tagExportFuncodePtr_Servo record(new tagExportFuncode_Servo);
    record->canopenAddr = QDeviceServo::convertAddr(fun->canopenAddr);
    record->usbCode = QDeviceServo::convertAddr(fun->usbCode);
    record->groupName = fun->groupName;
    record->funIndex = fun->funIndex;
    record->funName = fun->funName;
    record->dataType = fun->dataType;
    record->axisNum = device->getAxisNum();
    record->authority = fun->authority;
    for (int axis = 0; axis < 3; ++axis) {
        record->curValue[static_cast<size_t>(axis)] = device->getCurValue(fun->funIndex, axis);
        record->valueTexts.append(device->getScaledCurValueStr(fun->funIndex, axis));
    }
    record->minText = device->getScaledValueString(fun->showType, fun->precision, fun->minVal);
    record->maxText = device->getScaledValueString(fun->showType, fun->precision, fun->maxVal);
    record->defaultText = device->getScaledDefaultValueStr(fun->funIndex, 0);
    record->unitText = fun->unit;
    record->remarkText = fun->remark;
    return record;
}

tagExportDevInfo_Servo QFuncodeExportRecords_Servo::deviceHeader(const QDeviceServo* device)
{
    tagExportDevInfo_Servo info;
    info.devText = QStringLiteral("%1_%2").arg(device->getDevName(), device->getConfigVersion());
    info.axisNumText = QString::number(device->getAxisNum());
    info.commuName = device->getCommuName();
    info.exportTime = QDateTime::currentDateTime().toString(Qt::ISODate);
    return info;
}

QList<tagExportFuncodePtr_Servo> QFuncodeExportRecords_Servo::deviceFuncodes(const QDeviceServo* device,
                                                                             bool bWithStateCodes)
{
    QList<tagExportFuncodePtr_Servo> records;
    if (!device) {
        return records;
    }
    QList<const QDeviceServo::FuncodeGroupMap*> maps{&device->getNormalFuncodeGroupMap()};
    if (bWithStateCodes) {
        maps.append(&device->getStateFuncodeGroupMap());
    }
    for (const QDeviceServo::FuncodeGroupMap* groups : qAsConst(maps)) {
        const QStringList names = QDeviceServo::orderGroupName(groups->keys());
        for (const QString& name : names) {
            for (const tagSubFuncode_Servo* fun : groups->value(name)) {
                records.append(fromDevice(device, fun));
            }
        }
    }
    return records;
}

QList<tagExportDevInfo_Servo> QFuncodeExportRecords_Servo::collectDeviceFuncodes(const QDeviceServo* device)
{
    if (!device) {
        return QList<tagExportDevInfo_Servo>();
    }
    tagExportDevInfo_Servo info = deviceHeader(device);
    info.funcodes = deviceFuncodes(device, false);
    return QList<tagExportDevInfo_Servo>{info};
}

QList<tagExportFuncodePtr_Servo> QFuncodeExportRecords_Servo::exportList(const QDeviceServo* device,
                                                                         bool bWithStateCodes)
{
    QList<tagExportFuncodePtr_Servo> records = deviceFuncodes(device, bWithStateCodes);
    for (const tagExportFuncodePtr_Servo& record : qAsConst(records)) {
        record->curValueTexts = record->valueTexts.mid(0, record->axisNum);
        record->valueTexts.clear();
        for (int axis = 0; axis < record->axisNum; ++axis) {
            record->valueTexts.append(record->defaultText);
        }
    }
    return records;
}
