#include "QFaultExportRows.h"

#include "QDeviceServo.h"

#include <QCoreApplication>

namespace {
QString tr(const char* key)
{
    return QCoreApplication::translate("QFaultExportRows", key);
}

const int kDateShowType = 5;
} // namespace

QStringList QFaultExportRows::curFaultHeaders()
{
    return {tr("STR_DEVICE"),    tr("STR_INDEX"),        tr("STR_FAULT_CODE"),   tr("STR_FAULT_NAME"),
            tr("STR_TIME"),      tr("STR_FAULT_REASON"), tr("STR_FAULT_METHOD"), tr("STR_HISTORY"),
            tr("STR_CAN_CLEAR"), tr("STR_STOP_NOW")};
}

QStringList QFaultExportRows::curFaultRow(const QString& deviceName, const tagFaultInfo& fault)
{
    return {deviceName,
            fault.strIndex,
            fault.faultCode,
            fault.faultName,
            faultTimeText(fault.faultTime),
            fault.faultReason,
            fault.faultMethod,
            flagText(fault.bHistory),
            flagText(fault.bCanClear),
            flagText(fault.bStopNow)};
}

QList<QStringList> QFaultExportRows::curFaultRows(const QDeviceServo* device)
{
    QList<QStringList> rows;
    if (!device) {
        return rows;
    }
    const QString name = device->getShowNameByShowType(false);
    const QList<tagFaultInfoPtr> faults = device->getCurFaultList();
    for (const tagFaultInfoPtr& fault : faults) {
        rows.append(curFaultRow(name, *fault));
    }
    return rows;
}

QString QFaultExportRows::faultTimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString QFaultExportRows::flagText(bool flag)
{
    return flag ? tr("STR_YES") : tr("STR_NO");
}

QStringList QFaultExportRows::historyHeaders()
{
    // The record label's text ends in a blank before its number.
    return {tr("STR_FAULT_RECORD").trimmed(), tr("STR_FAULT_NAME"), tr("STR_PARAMETER_NAME"), tr("STR_VALUE"),
            tr("STR_UNIT")};
}

QList<QStringList> QFaultExportRows::historyRows(const QDeviceServo* device, int axis)
{
    QList<QStringList> rows;
    if (!device) {
        return rows;
    }
    const QList<tagHistoryFaultList> records = device->getHistoryFaultList(axis);
    for (int i = 0; i < records.size(); ++i) {
        const tagHistoryFaultList& record = records.at(i);
        const QStringList head{QString::number(i + 1), recordFaultsText(record, QStringLiteral("; "))};
        if (record.params.isEmpty()) {
            rows.append(head + QStringList{QString(), QString(), QString()});
        }
        for (const tagHistoryFaultParam& param : record.params) {
            rows.append(head + paramTexts(device, param));
        }
    }
    return rows;
}

QString QFaultExportRows::recordFaultsText(const tagHistoryFaultList& record, const QString& separator)
{
    QStringList faults;
    for (const tagHistoryFault& fault : record.faults) {
        faults.append(QStringLiteral("%1: %3").arg(fault.faultCode, fault.faultName));
    }
    return faults.join(separator);
}

QString QFaultExportRows::recordLabel(int number, const tagHistoryFaultList& record)
{
    const QString faults = recordFaultsText(record, QStringLiteral(","));
    QString label = tr("STR_FAULT_RECORD") + QString::number(number) + QStringLiteral(": ") +
                    (faults.isEmpty() ? tr("STR_NO_FAULT") : faults);
    if (record.truncated) {
        label += QLatin1Char(' ') + tr("STR_HIS_RECORD_TRUNCATED");
    }
    return label;
}

QString QFaultExportRows::recordToolTip(const tagHistoryFaultList& record)
{
    return recordFaultsText(record, QStringLiteral(",")).replace(QLatin1Char(','), QLatin1Char('\n'));
}

QStringList QFaultExportRows::paramTexts(const QDeviceServo* device, const tagHistoryFaultParam& param)
{
    QString name = param.displayName;
    QString value = param.missing ? tr("STR_HIS_VALUE_MISSING") : QString::number(param.rawValue);
    QString unit;
    const tagSubFuncode_Servo* fun =
        device ? device->getStatusFuncodeByIndex(param.statusFunIndex, false) : nullptr;
    if (fun) {
        if (name.isEmpty()) {
            name = fun->funName;
        }
        if (!param.missing) {
            value = device->getShowStr(fun, param.rawValue);
        }
        unit = fun->showType == kDateShowType ? QStringLiteral("y-m-d h:m:s") : fun->unit;
    }
    return {name, value, unit};
}
