#include "QServoFaultStore.h"

#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QHisFaultRecordDecoder.h"

namespace {
bool validAxis(int axis)
{
    return axis >= 0 && axis < 3;
}
} // namespace

QServoFaultStore::QServoFaultStore(const QDriveModelPtr& model) : m_model(model)
{
    m_format = model->historyFormat;
}

void QServoFaultStore::setModel(const QDriveModelPtr& model)
{
    m_model = model;
    for (const tagFaultInfoPtr& fault : qAsConst(m_curFaults)) {
        if (const QDriveFaultDef* def = m_model->fault(fault->faultCode)) {
            fault->faultName = def->name;
            fault->faultReason = def->reason;
            fault->faultMethod = def->remedy;
        }
    }
}

int QServoFaultStore::setCurFaults(const QDriveFaultList& faults)
{
    QList<tagFaultInfoPtr> list;
    for (const QDriveFaultRecord& record : faults) {
        list.append(makeFaultInfo(record, list.size() + 1));
    }
    int change = FAULTS_UNCHANGED;
    bool same = list.size() == m_curFaults.size();
    for (int i = 0; same && i < list.size(); ++i) {
        same = sameFault(*list.at(i), *m_curFaults.at(i));
    }
    if (same) {
        return change;
    }
    change |= FAULTS_CHANGED;
    for (const tagFaultInfoPtr& fault : qAsConst(list)) {
        if (!contains(*fault)) {
            change |= FAULTS_NEW;
        }
    }
    if (list.isEmpty()) {
        change |= FAULTS_ALL_CLEARED;
    }
    m_curFaults = list;
    return change;
}

tagFaultInfoPtr QServoFaultStore::makeFaultInfo(const QDriveFaultRecord& record, int index) const
{
    auto info = tagFaultInfoPtr::create();
    const QDriveFaultDef* def = m_model->fault(record.code);
    info->strIndex = QString::number(index);
    info->faultTime = QDateTime::fromSecsSinceEpoch(record.time);
    info->axisIndex = record.axis;
    info->faultCode = record.code;
    info->faultName = def ? def->name : record.code;
    info->faultReason = def ? def->reason : QString();
    info->faultMethod = def ? def->remedy : QString();
    info->bHistory = def ? def->history : false;
    info->bCanClear = def ? def->canClear : true;
    info->bStopNow = def ? def->stopNow : false;
    return info;
}

bool QServoFaultStore::sameFault(const tagFaultInfo& a, const tagFaultInfo& b)
{
    return a.faultCode == b.faultCode && a.axisIndex == b.axisIndex && a.faultTime == b.faultTime;
}

bool QServoFaultStore::contains(const tagFaultInfo& fault) const
{
    for (const tagFaultInfoPtr& known : m_curFaults) {
        if (sameFault(*known, fault)) {
            return true;
        }
    }
    return false;
}

bool QServoFaultStore::setHistoryRecords(int axis, const QList<QByteArray>& records)
{
    if (!validAxis(axis) || m_history[static_cast<size_t>(axis)] == records) {
        return false;
    }
    m_history[static_cast<size_t>(axis)] = records;
    return true;
}

QList<QByteArray> QServoFaultStore::historyRecords(int axis) const
{
    return validAxis(axis) ? m_history[static_cast<size_t>(axis)] : QList<QByteArray>();
}

QList<tagHistoryFaultList> QServoFaultStore::historyList(int axis) const
{
    return QHisFaultRecordDecoder(m_format, m_model->faults).decodeAll(historyRecords(axis));
}

QHisFaultFormatList_Servo QServoFaultStore::format(bool modelDefault) const
{
    return modelDefault ? m_model->historyFormat : m_format;
}

bool QServoFaultStore::loadFormat(bool fromDatabase, const DeviceInfo& identity)
{
    QHisFaultFormatList_Servo format;
    const QConfigDB_Servo* db = QDatabaseManager::self()->getConfigDatabase_Servo();
    if (fromDatabase && db) {
        format = db->getDevHisFaultFormat(identity.identText1, identity.identText2, identity.identNumber);
    }
    if (format.isEmpty()) {
        format = m_model->historyFormat;
    }
    if (format == m_format) {
        return false;
    }
    m_format = format;
    return true;
}
