#pragma once

#include "DeviceInfo.h"
#include "QDriveModel.h"
#include "QDriveValueItem.h"
#include "tagFaultInfo.h"
#include "tagHisFaultFormat_Servo.h"
#include "tagHistoryFaultList.h"

#include <QByteArray>
#include <QList>
#include <array>

// What a servo drive keeps of its faults: the current faults as last read, the raw history records of
// each axis, and the history-record format that decodes them (the one stored in the configuration
// database for the drive's identity, else the model's own). The device feeds it the link's answers
// and announces what changed.
class QServoFaultStore
{
public:
    enum CurFaultChange
    {
        FAULTS_UNCHANGED = 0,
        FAULTS_CHANGED = 1,    // the list differs from the last one
        FAULTS_NEW = 2,        // ... and holds a fault the last one did not
        FAULTS_ALL_CLEARED = 4 // ... and is empty after holding faults
    };

    explicit QServoFaultStore(const QDriveModelPtr& model);

    // The current faults take their texts from the new model.
    void setModel(const QDriveModelPtr& model);

    // ---- current faults
    QList<tagFaultInfoPtr> curFaults() const { return m_curFaults; }
    // Stores the faults the drive reports now; returns CurFaultChange flags.
    int setCurFaults(const QDriveFaultList& faults);

    // ---- history
    // Stores the records of an axis; false when they equal the stored ones or the axis is invalid.
    bool setHistoryRecords(int axis, const QList<QByteArray>& records);
    QList<QByteArray> historyRecords(int axis) const;
    // The records of the axis decoded with the format in use.
    QList<tagHistoryFaultList> historyList(int axis) const;

    // ---- format
    // The format in use, or the model's own.
    QHisFaultFormatList_Servo format(bool modelDefault) const;
    // Takes the format stored for the identity (fromDatabase and one is stored) or the model's own;
    // true when the format in use changed.
    bool loadFormat(bool fromDatabase, const DeviceInfo& identity);

private:
    tagFaultInfoPtr makeFaultInfo(const QDriveFaultRecord& record, int index) const;
    static bool sameFault(const tagFaultInfo& a, const tagFaultInfo& b);
    bool contains(const tagFaultInfo& fault) const;

    QDriveModelPtr m_model;
    QList<tagFaultInfoPtr> m_curFaults;
    std::array<QList<QByteArray>, 3> m_history;
    QHisFaultFormatList_Servo m_format;
};
