#pragma once

#include "tagFaultInfo.h"
#include "tagHistoryFaultList.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QDeviceServo;

// The texts of faults as the pages show them and as exports write them: one row of ten columns per
// current fault, and one row per history record and parameter. The current-fault table, the history
// tree, their csv exports and the export dialog's fault pages all take their texts from here.
class QFaultExportRows
{
public:
    enum CurFaultColumn
    {
        COL_DEVICE = 0,
        COL_INDEX,
        COL_CODE,
        COL_NAME,
        COL_TIME,
        COL_REASON,
        COL_METHOD,
        COL_HISTORY,
        COL_CAN_CLEAR,
        COL_STOP_NOW,
        CUR_FAULT_COLUMNS
    };

    enum HistoryColumn
    {
        HIS_RECORD = 0,
        HIS_FAULTS,
        HIS_PARAM_NAME,
        HIS_VALUE,
        HIS_UNIT,
        HISTORY_COLUMNS
    };

    // ---- current faults
    static QStringList curFaultHeaders();
    // The ten texts of one fault; the flags as the translated yes or no.
    static QStringList curFaultRow(const QString& deviceName, const tagFaultInfo& fault);
    static QList<QStringList> curFaultRows(const QDeviceServo* device);
    static QString faultTimeText(const QDateTime& time);
    static QString flagText(bool flag);

    // ---- fault history
    static QStringList historyHeaders();
    // One row per record and parameter (a record without parameters gets one row), records numbered
    // from 1.
    static QList<QStringList> historyRows(const QDeviceServo* device, int axis);
    // The faults of a record as "code: name", joined with separator.
    static QString recordFaultsText(const tagHistoryFaultList& record, const QString& separator);
    // The label of record number (from 1) and its tool tip (empty when it has no fault).
    static QString recordLabel(int number, const tagHistoryFaultList& record);
    static QString recordToolTip(const tagHistoryFaultList& record);
    // Name, value and unit of a parameter, through the state code it names.
    static QStringList paramTexts(const QDeviceServo* device, const tagHistoryFaultParam& param);
};
