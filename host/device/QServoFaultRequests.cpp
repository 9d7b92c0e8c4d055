#include "QServoFaultRequests.h"

#include "QDeviceServo.h"
#include "QDriveLink.h"
#include "QServoFaultStore.h"
#include "QServoRequestWaiter.h"
#include "QSignalManager.h"

QServoFaultRequests::QServoFaultRequests(QDeviceServo& device, QServoFaultStore& store,
                                         QServoRequestWaiter& waiter)
    : QObject(&device), m_device(device), m_link(device.getLink()), m_store(store), m_waiter(waiter)
{
    connect(m_link, &QDriveLink::currentFaultsRead, this, &QServoFaultRequests::onCurrentFaultsRead);
    connect(m_link, &QDriveLink::historyRecordsRead, this, &QServoFaultRequests::onHistoryRead);
    connect(m_link, &QDriveLink::faultsChanged, this, &QServoFaultRequests::onFaultsChanged);
}

bool QServoFaultRequests::isReachable(int axis) const
{
    return m_device.isDeviceOnline() && axis >= 0 && axis < m_device.getAxisNum();
}

int QServoFaultRequests::timeoutMs() const
{
    return m_device.getCommuParams().timeoutMs;
}

void QServoFaultRequests::readCurrent()
{
    if (m_device.isDeviceOnline()) {
        m_link->requestCurrentFaults();
    }
}

bool QServoFaultRequests::clearCurrent()
{
    if (!m_device.isDeviceOnline()) {
        return false;
    }
    const auto clear = [this] { return m_link->requestClearFaults(); };
    const bool ok = m_waiter.request(clear, timeoutMs()) == QDriveLink::LINK_OK;
    readCurrent();
    return ok;
}

void QServoFaultRequests::onCurrentFaultsRead(quint32 requestId, QDriveFaultList faults, int error)
{
    Q_UNUSED(requestId)
    if (error != QDriveLink::LINK_OK) {
        return;
    }
    announceCurrent(m_store.setCurFaults(faults));
}

void QServoFaultRequests::announceCurrent(int change)
{
    if (change == QServoFaultStore::FAULTS_UNCHANGED) {
        return;
    }
    QSignalManager* hub = QSignalManager::self();
    const QString alias = m_device.getAliasName();
    emit m_device.curFaultsChanged();
    emit hub->SigDeviceFaultChanged(alias);
    if (change & QServoFaultStore::FAULTS_NEW) {
        emit hub->SigDeviceNewFaultArrived(alias);
    } else if (change & QServoFaultStore::FAULTS_ALL_CLEARED) {
        emit hub->SigCurFaultHasClear(alias);
    }
}

void QServoFaultRequests::onFaultsChanged()
{
    readCurrent();
    for (int axis = 0; axis < m_device.getAxisNum(); ++axis) {
        readHistory(axis, false);
    }
}

void QServoFaultRequests::readHistory(int axis, bool wait)
{
    if (!isReachable(axis)) {
        return;
    }
    if (!wait) {
        m_link->requestHistoryRecords(axis);
        return;
    }
    m_waiter.request([this, axis] { return m_link->requestHistoryRecords(axis); }, timeoutMs());
}

void QServoFaultRequests::onHistoryRead(quint32 requestId, int axis, QList<QByteArray> records, int error)
{
    Q_UNUSED(requestId)
    if (error != QDriveLink::LINK_OK || !m_store.setHistoryRecords(axis, records)) {
        return;
    }
    announceHistory();
}

void QServoFaultRequests::announceHistory()
{
    emit QSignalManager::self()->SigHistoryFaultChanged(m_device.getAliasName());
}

void QServoFaultRequests::loadFormat(bool fromDatabase)
{
    if (m_store.loadFormat(fromDatabase, m_device.getDeviceInfo())) {
        announceHistory();
    }
}

bool QServoFaultRequests::clearHistory(int axis)
{
    if (!isReachable(axis)) {
        return false;
    }
    const auto clear = [this, axis] { return m_link->requestClearHistory(axis); };
    const bool ok = m_waiter.request(clear, timeoutMs()) == QDriveLink::LINK_OK;
    readHistory(axis, true);
    return ok;
}
