#include "QFuncodePageRows_Servo.h"

#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

bool QFuncodePageRows_Servo::build(const QDeviceServo* device, const QString& pageName, QStringList* header,
                                   QList<QStringList>* rows, QString* text)
{
    header->clear();
    rows->clear();
    text->clear();
    if (!device) {
        return false;
    }
    if (pageName == tr("STR_SORTED_FUNCODE_MODIFY")) {
        statistics(device, header, rows);
    } else if (pageName == tr("STR_MODIFY_RECORD")) {
        records(device, header, rows);
    } else if (pageName == tr("STR_MONITOR_FUNCODE")) {
        monitored(device, header, rows);
    } else if (pageName == tr("STR_COMPARE_DEFAULT")) {
        *header << tr("STR_INDEX") << tr("STR_FUNCODE_NAME") << tr("STR_AXIS_INDEX") << tr("STR_CUR_VAL")
                << tr("STR_DEFAULT_VAL");
        *rows = device->getCompareFuncodeDefault();
    } else if (pageName == tr("STR_CURRENT_FAULT")) {
        *header = QFaultExportRows::curFaultHeaders();
        *rows = QFaultExportRows::curFaultRows(device);
    } else if (pageName == tr("STR_HIS_FAULT")) {
        history(device, header, rows);
    } else {
        return false;
    }
    if (rows->isEmpty()) {
        *text = tr("STR_PAGE_HAS_NO_ROWS");
    }
    return true;
}

QStringList QFuncodePageRows_Servo::axisHeaders(const QDeviceServo* device)
{
    const char* const keys[3] = {"STR_AXIS_X", "STR_AXIS_Y", "STR_AXIS_Z"};
    QStringList headers;
    for (int axis = 0; axis < device->getAxisNum(); ++axis) {
        headers.append(tr(keys[axis]));
    }
    return headers;
}

QStringList QFuncodePageRows_Servo::axisValues(const QDeviceServo* device, const QString& funIndex)
{
    QStringList values;
    for (int axis = 0; axis < device->getAxisNum(); ++axis) {
        values.append(device->getScaledCurValueStr(funIndex, axis));
    }
    return values;
}

void QFuncodePageRows_Servo::statistics(const QDeviceServo* device, QStringList* header,
                                        QList<QStringList>* rows)
{
    *header << tr("STR_INDEX") << tr("STR_NAME") << tr("STR_MODIFY_COUNT") << tr("STR_LAST_MODIFY_TIME")
            << axisHeaders(device) << tr("STR_DEFAULT_VAL") << tr("STR_UNIT");
    const QSortedModifyDataList sorted =
        QDatabaseManager::self()->getStatisticsDatabase()->getSortedFuncodeModifyData(device->getAliasName(),
                                                                                      true);
    for (const auto& entry : sorted) {
        const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(entry.first);
        if (!fun || entry.second.isEmpty()) {
            continue;
        }
        // The events come newest first.
        rows->append(QStringList{fun->funIndex, fun->funName, QString::number(entry.second.size()),
                                 QCommonMethod::timeStempTotimeStr(entry.second.first().timeStamp)} +
                     axisValues(device, fun->funIndex) +
                     QStringList{device->getScaledDefaultValueStr(fun->funIndex, 0), fun->unit});
    }
}

void QFuncodePageRows_Servo::records(const QDeviceServo* device, QStringList* header,
                                     QList<QStringList>* rows)
{
    *header << tr("STR_DATETIME") << tr("STR_INDEX") << tr("STR_NAME") << tr("STR_AXIS_INDEX")
            << tr("STR_NEW_VAL") << tr("STR_OLD_VAL") << tr("STR_RELATE_PARAM");
    const QList<tagModifyFuncode_Servo> list =
        QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes(device->getAliasName());
    for (const tagModifyFuncode_Servo& record : list) {
        const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(record.funIndex);
        const int showType = fun ? fun->showType : 0;
        const QString enumText = fun ? fun->enumText : QString();
        QStringList related;
        for (auto it = record.relateParamMap.cbegin(); it != record.relateParamMap.cend(); ++it) {
            related.append(QStringLiteral("%1: %2 -> %3").arg(it.key(), it.value().first, it.value().second));
        }
        rows->append(QStringList{
            record.strTime, record.funIndex, fun ? fun->funName : QString(),
            QDeviceServo::getAxisName(record.axisIndex), recordValue(record.newVal, showType, enumText),
            recordValue(record.oldVal, showType, enumText), related.join(QStringLiteral("; "))});
    }
}

void QFuncodePageRows_Servo::monitored(const QDeviceServo* device, QStringList* header,
                                       QList<QStringList>* rows)
{
    *header << tr("STR_INDEX") << tr("STR_NAME") << axisHeaders(device) << tr("STR_DEFAULT_VAL")
            << tr("STR_MIN_VAL") << tr("STR_MAX_VAL") << tr("STR_UNIT");
    const QStringList numbers = device->getSelSubFuncodeList();
    for (const QString& number : numbers) {
        const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(number);
        if (!fun) {
            continue;
        }
        rows->append(QStringList{fun->funIndex, fun->funName} + axisValues(device, number) +
                     QStringList{device->getScaledDefaultValueStr(number, 0),
                                 device->getScaledValueString(fun->showType, fun->precision, fun->minVal),
                                 device->getScaledValueString(fun->showType, fun->precision, fun->maxVal),
                                 fun->unit});
    }
}

// The decoded history of every axis, each row led by its axis.
void QFuncodePageRows_Servo::history(const QDeviceServo* device, QStringList* header,
                                     QList<QStringList>* rows)
{
    *header << tr("STR_AXIS_INDEX") << QFaultExportRows::historyHeaders();
    for (int axis = 0; axis < device->getAxisNum(); ++axis) {
        const QString axisName = QDeviceServo::getAxisName(axis);
        for (const QStringList& row : QFaultExportRows::historyRows(device, axis)) {
            rows->append(QStringList{axisName} + row);
        }
    }
}

// The record database keeps enumerated values as their position in the value list.
QString QFuncodePageRows_Servo::recordValue(const QString& stored, int showType, const QString& enumText)
{
    bool ok = false;
    const int position = stored.toInt(&ok, 10);
    if (showType != 2 || !ok) {
        return stored;
    }
    const QString item = QDeviceManager::getRefStr(enumText, position);
    return item.isEmpty() ? stored : item;
}
