#pragma once

#include "QDriveFaultSwitches.h"
#include "QDriveModel.h"
#include "QDriveValueItem.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QVector>
#include <array>

// One simulated servo drive: its memory (one raw value per code and axis), the values kept through
// power-off, ranges and rights, effects of one code on another, monitoring values that move over
// time, current faults and history records, save and reset, and the fault switches. It answers at
// once; front ends (the in-process link, the Modbus server) add the delays and the protocol.
// Errors are QDriveLink::enLinkError values.
class QSimulatedDriveCore : public QObject
{
    Q_OBJECT
public:
    explicit QSimulatedDriveCore(const QDriveModelPtr& model, QObject* parent = nullptr);
    ~QSimulatedDriveCore() override;

    const QDriveModelPtr& model() const { return m_model; }
    int axisNum() const { return m_model->axisNum; }

    // ---- requests, as a front end hands them over
    // Counts one request against the fault switches and says what happens to its reply.
    QDriveRequestFate beginRequest();
    int requestCount() const { return m_requests; }
    // One value; the error of the item is set.
    void readItem(QDriveValueItem* item) const;
    void writeItem(QDriveValueItem* item);
    // By position in the model's codes (no name look-up), for front ends that address by register.
    int readRow(int row, int axis, qint64* value) const;
    int writeRow(int row, int axis, qint64 value);
    // What writeRow would answer, without writing.
    int checkWriteRow(int row, int axis, qint64 value) const;
    QDriveFaultList currentFaults() const { return m_faults; }
    int clearFaults();
    int historyRecords(int axis, QList<QByteArray>* records) const;
    int clearHistory(int axis);
    int saveAll(int axis);
    int reset(int axis);

    // ---- control of the simulation
    bool isOnline() const { return m_online; }
    void setOnline(bool online);
    void setFaultSwitches(const QDriveFaultSwitches& switches);
    QDriveFaultSwitches faultSwitches() const { return m_switches; }
    // Why writes are refused now; empty while they are accepted.
    QString refusalReason() const;
    // Raises a fault; it is also written to the history of its axis when its description says so.
    bool raiseFault(const QString& code, int axis = 0);
    void clearAllFaults();
    // The drive's raw memory, without checks.
    qint64 rawValue(const QString& funIndex, int axis) const;
    void setRawValue(const QString& funIndex, int axis, qint64 value);
    qint64 storedValue(const QString& funIndex, int axis) const;
    int historyCount(int axis) const;
    // Shift of the drive's clock against the computer's, in seconds.
    void setClockOffset(qint64 seconds) { m_clockOffset = seconds; }
    qint64 driveTime() const;
    // While frozen, monitoring values stay where they are (for tests).
    void setFrozen(bool frozen);

signals:
    void onlineChanged(bool online);
    // The drive raised or cleared a fault by itself.
    void faultsChanged();
    void faultSwitchesChanged();

private:
    bool validAxis(int axis) const { return axis >= 0 && axis < m_model->axisNum; }
    int checkAxisCommand(int axis) const;
    bool hits(int every) const { return every > 0 && m_requests % every == 0; }
    qint64 memoryValue(int row, int axis) const;
    void applyEffects(int sourceRow, int axis);
    qint64 simulatedValue(int row, int axis) const;
    QByteArray composeHistoryRecord(const QString& code, int axis) const;

    QDriveModelPtr m_model;
    QVector<std::array<qint64, 3>> m_memory;
    QVector<std::array<qint64, 3>> m_stored;
    QVector<bool> m_simulated; // per row: the value moves by itself
    QDriveFaultList m_faults;
    std::array<QList<QByteArray>, 3> m_history;
    QDriveFaultSwitches m_switches;
    int m_failRow = -1;
    int m_requests = 0;
    bool m_online = true;
    bool m_frozen = false;
    qint64 m_frozenAt = 0;
    qint64 m_clockOffset = 0;
    QElapsedTimer m_clock;
};
