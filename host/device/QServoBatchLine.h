#pragma once

#include "tagExportFuncode_Servo.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QServoBatchDriveSteps;
class QServoBatchTransfer;

// Writes one map of function-code records into several drives, each through a QServoBatchTransfer of its
// own (written, read back, compared), at most concurrency() at once, the next starting as one ends.
// Drives on one wire (QServoBatchDriveSteps::busOf) are never written at the same time: a drive whose
// wire is busy waits and a later drive on a free wire goes first. A drive's failure never stops the
// others. The caller's steps run before and after each transfer, one at a time. It runs on the event
// loop; each drive's progress and end and the end of the whole are signals.
class QServoBatchLine : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultConcurrency = 4;
    static constexpr int kMaxConcurrency = 64;

    explicit QServoBatchLine(QObject* parent = nullptr);
    ~QServoBatchLine() override;

    // How many drives are written at once (1 to kMaxConcurrency); a running line takes it for the drives
    // that start after the change.
    void setConcurrency(int drives);
    int concurrency() const { return m_concurrency; }
    // The caller's work around each transfer (not owned; null: the defaults). Set before start().
    void setSteps(QServoBatchDriveSteps* steps) { m_steps = steps; }

    // Starts writing the records (see QServoBatchTransfer::start) into the drives of those aliases, in
    // that order. False when a line is still running.
    bool start(const QStringList& aliases, const QMap<QString, tagExportFuncodePtr_Servo>& records,
               bool bAllAxis, int axis);
    // Starts no other drive and ends every running one at once without a verdict: the block with the
    // drive is answered, nothing more is sent. Drives not started stay untouched.
    void stop();

    bool isFinished() const { return m_running.empty() && m_pending.isEmpty(); }
    int runningCount() const { return int(m_running.size()); }
    QStringList runningDrives() const;
    int finishedCount() const { return m_finished; }
    QStringList failedDrives() const { return m_failed; }
    // While driveFinished is emitted: the drive's transfer (null when it ended before writing).
    const QServoBatchTransfer* transferOf(const QString& aliasName) const;
    // Why a drive of this run failed as a whole (a step's or the transfer's reason); empty otherwise.
    QString driveError(const QString& aliasName) const { return m_errors.value(aliasName); }

signals:
    void driveStarted(const QString& aliasName);
    // Registers acknowledged of the drive's transfer, written plus read back.
    void driveProgress(const QString& aliasName, int done, int total);
    void driveFinished(const QString& aliasName, bool succeeded);
    void finished(bool allSucceeded);

private:
    struct Drive;
    enum enStep
    {
        STEP_PREPARE,
        STEP_COMPLETE
    };
    struct Step
    {
        QString alias;
        enStep kind;
    };

    void startMore();
    void startDrive(const QString& alias);
    void schedulePump();
    void pump();
    void prepare(const QString& alias);
    void complete(const QString& alias);
    void startTransfer(Drive* drive);
    void endDrive(const QString& alias, bool succeeded, const QString& error);
    void announceIfDone();
    Drive* find(const QString& alias) const;

    int m_concurrency = kDefaultConcurrency;
    QServoBatchDriveSteps* m_steps = nullptr;
    QStringList m_pending;
    QHash<QString, QString> m_busOf;
    QSet<QString> m_busyBuses;
    QList<Step> m_queue;
    bool m_inStep = false;
    bool m_pumpScheduled = false;
    int m_run = 0; // counts the runs, so that a step that returns after a stop and a new start is dropped
    int m_finished = 0;
    QStringList m_failed;
    QHash<QString, QString> m_errors;
    QMap<QString, tagExportFuncodePtr_Servo> m_records;
    bool m_announced = true; // finished() was emitted (or the line stopped)
    bool m_allAxis = true;
    int m_axis = 0;
    std::vector<std::unique_ptr<Drive>> m_running;
};
