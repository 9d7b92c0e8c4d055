#pragma once

#include "QDriveLink.h"
#include "QDriveModel.h"
#include "QSimulatedDriveCore.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTimer>
#include <functional>

// A servo drive simulated in the process: the in-process front end of a QSimulatedDriveCore. It
// answers every request after a configurable delay through the event loop, and with
// LINK_ERR_TIMEOUT when the answer does not come within its timeout (a reply the fault switches
// drop or delay); an answer that comes after its request timed out is thrown away.
class QSimulatedDriveLink : public QDriveLink
{
    Q_OBJECT
public:
    explicit QSimulatedDriveLink(const QDriveModelPtr& model, QObject* parent = nullptr);
    ~QSimulatedDriveLink() override;

    QString linkName() const override { return QStringLiteral("Simulated"); }
    bool isOnline() const override { return m_core->isOnline(); }
    QString refusalReason() const override { return m_core->refusalReason(); }
    int identityNumber() const override { return m_core->model()->identNumber; }

    quint32 requestRead(const QDriveValueList& items) override;
    quint32 requestWrite(const QDriveValueList& items) override;
    quint32 requestCurrentFaults() override;
    quint32 requestClearFaults() override;
    quint32 requestHistoryRecords(int axis) override;
    quint32 requestClearHistory(int axis) override;
    quint32 requestSaveAll(int axis) override;
    quint32 requestReset(int axis) override;

    // The simulated drive behind this link.
    QSimulatedDriveCore* core() const { return m_core; }

    // --- control of the simulation (menus of the workbench, tests)
    void setOnline(bool online) { m_core->setOnline(online); }
    // Milliseconds before an answer arrives; 0 answers on the next pass of the event loop.
    void setReplyDelay(int ms) { m_replyDelayMs = qMax(0, ms); }
    int replyDelay() const { return m_replyDelayMs; }
    // Milliseconds after which a request without answer ends with LINK_ERR_TIMEOUT; 0: never.
    void setTimeout(int ms) { m_timeoutMs = qMax(0, ms); }
    int timeout() const { return m_timeoutMs; }
    void setFaultSwitches(const QDriveFaultSwitches& switches) { m_core->setFaultSwitches(switches); }
    QDriveFaultSwitches faultSwitches() const { return m_core->faultSwitches(); }
    int pendingRequestCount() const { return m_pending.size(); }
    bool raiseFault(const QString& code, int axis = 0) { return m_core->raiseFault(code, axis); }
    void clearAllFaults() { m_core->clearAllFaults(); }
    QDriveFaultList currentFaults() const { return m_core->currentFaults(); }
    // The drive's raw memory, without delay or checks.
    qint64 rawValue(const QString& funIndex, int axis) const { return m_core->rawValue(funIndex, axis); }
    void setRawValue(const QString& funIndex, int axis, qint64 value)
    {
        m_core->setRawValue(funIndex, axis, value);
    }
    void setClockOffset(qint64 seconds) { m_core->setClockOffset(seconds); }
    qint64 driveTime() const { return m_core->driveTime(); }
    void setFrozen(bool frozen) { m_core->setFrozen(frozen); }
    // Values kept through power-off (written by "save all") per code and axis.
    qint64 storedValue(const QString& funIndex, int axis) const
    {
        return m_core->storedValue(funIndex, axis);
    }
    int historyCount(int axis) const { return m_core->historyCount(axis); }

    const QDriveModelPtr& model() const { return m_core->model(); }

private:
    typedef std::function<void()> Answer;
    struct Pending
    {
        Answer timedOut;
        qint64 deadline = 0;
    };

    // Sends the answer after the reply delay (unless the fault switches lose it), or timedOut when
    // the timeout comes first.
    void deliver(quint32 id, const QDriveRequestFate& fate, Answer answer, Answer timedOut);
    quint32 command(int (QSimulatedDriveCore::*run)(int), int axis);
    void expireRequests();
    void armTimeoutTimer();

    QSimulatedDriveCore* m_core = nullptr;
    int m_replyDelayMs = 5;
    int m_timeoutMs = 1000;
    QHash<quint32, Pending> m_pending;
    QTimer m_timeoutTimer;
    QElapsedTimer m_clock;
};
