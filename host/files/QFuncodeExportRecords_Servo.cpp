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
        qint64 raw = 0;
        if (!device->curValue(fun->funIndex, axis, &raw) && axis < record->axisNum) {
            record->unknownAxes |= quint8(1u << axis);
        }
        record->curValue[static_cast<size_t>(axis)] = raw;
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

tagExportFuncodeList_Servo QFuncodeExportRecords_Servo::deviceFuncodes(const QDeviceServo* device,
                                                                       bool bWithStateCodes)
{
    tagExportFuncodeList_Servo records;
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

tagExportFuncodeList_Servo QFuncodeExportRecords_Servo::exportList(const QDeviceServo* device,
                                                                   bool bWithStateCodes)
{
    tagExportFuncodeList_Servo records = deviceFuncodes(device, bWithStateCodes);
    for (const tagExportFuncodePtr_Servo& record : qAsConst(records)) {
        record->curValueTexts = record->valueTexts.mid(0, record->axisNum);
        record->valueTexts.clear();
        for (int axis = 0; axis < record->axisNum; ++axis) {
            record->valueTexts.append(record->defaultText);
        }
    }
    return records;
}

QStringList QFuncodeExportRecords_Servo::unknownNumbers(const tagExportFuncodeList_Servo& records)
{
    QStringList numbers;
    for (const tagExportFuncodePtr_Servo& record : records) {
        if (record && record->unknownAxes != 0) {
            numbers.append(record->funIndex);
        }
    }
    return numbers;
}

QStringList QFuncodeExportRecords_Servo::unknownNumbers(const QDeviceServo* device,
                                                        const tagExportFuncodeList_Servo& records)
{
    QStringList numbers;
    for (const tagExportFuncodePtr_Servo& record : records) {
        if (!record || !device || !device->getFuncodePtrByFunIndex(record->funIndex)) {
            continue;
        }
        for (int axis = 0; axis < device->getAxisNum(); ++axis) {
            if (!device->hasValue(record->funIndex, axis)) {
                numbers.append(record->funIndex);
                break;
            }
        }
    }
    return numbers;
}

tagExportFuncodeList_Servo QFuncodeExportRecords_Servo::leftOut(const tagExportFuncodeList_Servo& records,
                                                                const QStringList& numbers)
{
    tagExportFuncodeList_Servo kept;
    kept.reserve(records.size());
    for (const tagExportFuncodePtr_Servo& record : records) {
        if (record && !numbers.contains(record->funIndex)) {
            kept.append(record);
        }
    }
    return kept;
}
