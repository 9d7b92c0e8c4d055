#include "QServoBatchRecorder.h"

#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QPair>

QString QServoBatchRecorder::recordText(const QDeviceServo* device, const tagSubFuncode_Servo* fun,
                                        qint64 raw)
{
    if (fun->showType == 1) {
        return QString::number(raw);
    }
    const QString shown = device->getShowStr(fun, raw);
    if (fun->showType == 2) {
        return QString::number(QDeviceManager::getRefIndex(fun->enumText, shown));
    }
    return shown;
}

void QServoBatchRecorder::record(QDeviceServo* device, const QVector<tagServoBufInfo>& entries,
                                 qint64 driveTime)
{
    const QString time = QCommonMethod::timeStempTotimeStr(driveTime);
    QList<tagModifyFuncode_Servo> records;
    QList<QPair<QString, tagFuncodeModifyData>> events;
    for (const tagServoBufInfo& e : entries) {
        const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(e.funIndex);
        if (!e.isWritten() || !fun) {
            continue;
        }
        device->setParamUnsaved(e.axis, e.funIndex);
        if (e.oldKnown && e.oldValue == e.value) {
            continue;
        }
        tagModifyFuncode_Servo record;
        record.strTime = time;
        record.funIndex = e.funIndex;
        record.axisIndex = e.axis;
        record.oldVal = e.oldKnown ? recordText(device, fun, e.oldValue) : QString();
        record.newVal = recordText(device, fun, e.value);
        records.append(record);
        tagFuncodeModifyData event;
        event.timeStamp = static_cast<int>(driveTime);
        event.oldValue = device->rawToScaled(fun, e.oldValue);
        event.newValue = device->rawToScaled(fun, e.value);
        event.axisIndex = e.axis;
        events.append(qMakePair(e.funIndex, event));
    }
    if (records.isEmpty()) {
        return;
    }
    QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCodes(device->getAliasName(),
                                                                              records);
    QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvents(device->getAliasName(), events);
}
