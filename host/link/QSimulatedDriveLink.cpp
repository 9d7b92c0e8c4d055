#include "QSimulatedDriveLink.h"

QSimulatedDriveLink::QSimulatedDriveLink(const QDriveModelPtr& model, QObject* parent)
    : QDriveLink(parent), m_core(new QSimulatedDriveCore(model, this))
{
    connect(m_core, &QSimulatedDriveCore::onlineChanged, this, &QDriveLink::onlineChanged);
    connect(m_core, &QSimulatedDriveCore::faultsChanged, this, &QDriveLink::faultsChanged);
    m_timeoutTimer.setSingleShot(true);
    connect(&m_timeoutTimer, &QTimer::timeout, this, &QSimulatedDriveLink::expireRequests);
    m_clock.start();
}

QSimulatedDriveLink::~QSimulatedDriveLink() = default;

void QSimulatedDriveLink::deliver(quint32 id, const QDriveRequestFate& fate, Answer answer, Answer timedOut)
{
    Pending pending;
    pending.timedOut = std::move(timedOut);
    pending.deadline = m_timeoutMs > 0 ? m_clock.elapsed() + m_timeoutMs : -1;
    m_pending.insert(id, pending);
    armTimeoutTimer();
    if (fate.drop) {
        return;
    }
    QTimer::singleShot(m_replyDelayMs + fate.extraDelayMs, this, [this, id, answer]() {
        // Taken only while its own request still waits: never as the answer to another one.
        if (m_pending.remove(id) > 0) {
            answer();
        }
    });
}

void QSimulatedDriveLink::armTimeoutTimer()
{
    qint64 next = -1;
    for (const Pending& p : qAsConst(m_pending)) {
        if (p.deadline >= 0 && (next < 0 || p.deadline < next)) {
            next = p.deadline;
        }
    }
    if (next < 0) {
        m_timeoutTimer.stop();
        return;
    }
    m_timeoutTimer.start(static_cast<int>(qMax<qint64>(0, next - m_clock.elapsed())));
}

void QSimulatedDriveLink::expireRequests()
{
    const qint64 now = m_clock.elapsed();
    QList<Answer> expired;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->deadline >= 0 && it->deadline <= now) {
            expired.append(it->timedOut);
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    armTimeoutTimer();
    for (const Answer& timedOut : qAsConst(expired)) {
        timedOut();
    }
}

quint32 QSimulatedDriveLink::requestRead(const QDriveValueList& items)
{
    const quint32 id = nextRequestId();
    countRead(items.size());
    const QDriveRequestFate fate = m_core->beginRequest();
    QDriveValueList answer = items;
    for (QDriveValueItem& item : answer) {
        m_core->readItem(&item);
    }
    QDriveValueList late = items;
    for (QDriveValueItem& item : late) {
        item.error = LINK_ERR_TIMEOUT;
    }
    deliver(
        id, fate, [this, id, answer]() { emit readFinished(id, answer); },
        [this, id, late]() { emit readFinished(id, late); });
    return id;
}

quint32 QSimulatedDriveLink::requestWrite(const QDriveValueList& items)
{
    const quint32 id = nextRequestId();
    countWrite();
    const QDriveRequestFate fate = m_core->beginRequest();
    QDriveValueList answer = items;
    for (QDriveValueItem& item : answer) {
        m_core->writeItem(&item);
    }
    QDriveValueList late = items;
    for (QDriveValueItem& item : late) {
        item.error = LINK_ERR_TIMEOUT;
    }
    const qint64 time = m_core->driveTime();
    deliver(
        id, fate, [this, id, answer, time]() { emit writeFinished(id, answer, time); },
        [this, id, late]() { emit writeFinished(id, late, 0); });
    return id;
}

quint32 QSimulatedDriveLink::requestCurrentFaults()
{
    const quint32 id = nextRequestId();
    const QDriveRequestFate fate = m_core->beginRequest();
    const bool online = m_core->isOnline();
    const QDriveFaultList faults = online ? m_core->currentFaults() : QDriveFaultList();
    const int error = online ? LINK_OK : LINK_ERR_OFFLINE;
    deliver(
        id, fate, [this, id, faults, error]() { emit currentFaultsRead(id, faults, error); },
        [this, id]() { emit currentFaultsRead(id, QDriveFaultList(), LINK_ERR_TIMEOUT); });
    return id;
}

quint32 QSimulatedDriveLink::requestClearFaults()
{
    const quint32 id = nextRequestId();
    const QDriveRequestFate fate = m_core->beginRequest();
    const int error = m_core->clearFaults();
    deliver(
        id, fate, [this, id, error]() { emit commandFinished(id, error); },
        [this, id]() { emit commandFinished(id, LINK_ERR_TIMEOUT); });
    return id;
}

quint32 QSimulatedDriveLink::requestHistoryRecords(int axis)
{
    const quint32 id = nextRequestId();
    const QDriveRequestFate fate = m_core->beginRequest();
    QList<QByteArray> records;
    const int error = m_core->historyRecords(axis, &records);
    deliver(
        id, fate, [this, id, axis, records, error]() { emit historyRecordsRead(id, axis, records, error); },
        [this, id, axis]() { emit historyRecordsRead(id, axis, QList<QByteArray>(), LINK_ERR_TIMEOUT); });
    return id;
}

quint32 QSimulatedDriveLink::command(int (QSimulatedDriveCore::*run)(int), int axis)
{
    const quint32 id = nextRequestId();
    const QDriveRequestFate fate = m_core->beginRequest();
    const int error = (m_core->*run)(axis);
    deliver(
        id, fate, [this, id, error]() { emit commandFinished(id, error); },
        [this, id]() { emit commandFinished(id, LINK_ERR_TIMEOUT); });
    return id;
}

quint32 QSimulatedDriveLink::requestClearHistory(int axis)
{
    return command(&QSimulatedDriveCore::clearHistory, axis);
}

quint32 QSimulatedDriveLink::requestSaveAll(int axis)
{
    return command(&QSimulatedDriveCore::saveAll, axis);
}

quint32 QSimulatedDriveLink::requestReset(int axis)
{
    return command(&QSimulatedDriveCore::reset, axis);
}
