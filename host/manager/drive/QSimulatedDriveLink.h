#pragma once

#include "QDriveLink.h"
#include "QDriveModel.h"

#include <QElapsedTimer>
#include <QHash>
#include <QVector>
#include <array>
#include <functional>

// A servo drive simulated in the process. It keeps its own drive memory (one raw value per code and
// axis), answers requests after a configurable delay through the event loop, enforces ranges and
// rights, moves its monitoring values over time, and can be taken offline, raise and clear faults
// and keep history fault records as raw bytes.
class QSimulatedDriveLink : public QDriveLink
{
    Q_OBJECT
public:
    explicit QSimulatedDriveLink(const QDriveModelPtr& model, QObject* parent = nullptr);
    ~QSimulatedDriveLink() override;

    QString linkName() const override { return QStringLiteral("Simulated"); }
    bool isOnline() const override { return m_online; }

    quint32 requestRead(const QDriveValueList& items) override;
    quint32 requestWrite(const QDriveValueList& items) override;
    quint32 requestCurrentFaults() override;
    quint32 requestClearFaults() override;
    quint32 requestHistoryRecords(int axis) override;
    quint32 requestClearHistory(int axis) override;
    quint32 requestSaveAll(int axis) override;
    quint32 requestReset(int axis) override;

    // --- control of the simulation (menus of the workbench, tests)
    void setOnline(bool online);
    // Milliseconds before an answer arrives; 0 answers on the next pass of the event loop.
    void setReplyDelay(int ms) { m_replyDelayMs = qMax(0, ms); }
    int replyDelay() const { return m_replyDelayMs; }
    // Raises a fault; it is also written to the history of its axis when its description says so.
    bool raiseFault(const QString& code, int axis = 0);
    void clearAllFaults();
    QDriveFaultList currentFaults() const { return m_faults; }
    // The drive's raw memory, without delay or checks.
    qint64 rawValue(const QString& funIndex, int axis) const;
    void setRawValue(const QString& funIndex, int axis, qint64 value);
    // Shift of the drive's clock against the computer's, in seconds.
    void setClockOffset(qint64 seconds) { m_clockOffset = seconds; }
    qint64 driveTime() const;
    // While frozen, monitoring values stay where they are (for tests).
    void setFrozen(bool frozen);
    // Values kept through power-off (written by "save all") per code and axis.
    qint64 storedValue(const QString& funIndex, int axis) const;
    int historyCount(int axis) const;

    const QDriveModelPtr& model() const { return m_model; }

private:
    qint64 readValue(int row, int axis) const;
    int writeValue(int row, int axis, qint64 value);
    void applyEffects(int sourceRow, int axis);
    qint64 simulatedValue(int row, int axis) const;
    QByteArray composeHistoryRecord(const QString& code, int axis) const;
    void answerLater(std::function<void()> answer);

    QDriveModelPtr m_model;
    QVector<std::array<qint64, 3>> m_memory;
    QVector<std::array<qint64, 3>> m_stored;
    QDriveFaultList m_faults;
    std::array<QList<QByteArray>, 3> m_history;
    bool m_online = true;
    bool m_frozen = false;
    qint64 m_frozenAt = 0;
    int m_replyDelayMs = 5;
    qint64 m_clockOffset = 0;
    QElapsedTimer m_clock;
};
