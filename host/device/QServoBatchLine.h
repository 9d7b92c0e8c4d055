#pragma once

#include "tagExportFuncode_Servo.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QServoBatchTransfer;

// Writes one map of function-code records into several drives, each through a QServoBatchTransfer of its
// own (written, read back, compared). Drives are on links of their own, so several are written at the same
// time: at most concurrency() at once, the next starting as one ends. A drive's failure never stops the
// others. It runs on the event loop; each drive's end and the end of the whole are signals.
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

    // Starts writing the records (see QServoBatchTransfer::start) into the drives of those aliases, in
    // that order. False when a line is still running.
    bool start(const QStringList& aliases, const QMap<QString, tagExportFuncodePtr_Servo>& records,
               bool bAllAxis, int axis);
    // Ends every running transfer without a verdict; drives not started stay untouched.
    void stop();

    bool isFinished() const { return m_running.empty() && m_next >= m_aliases.size(); }
    int runningCount() const { return int(m_running.size()); }
    int finishedCount() const { return m_finished; }
    QStringList failedDrives() const { return m_failed; }

signals:
    void driveStarted(const QString& aliasName);
    void driveFinished(const QString& aliasName, bool succeeded);
    void finished(bool allSucceeded);

private:
    void startMore();
    void onTransferFinished(QServoBatchTransfer* transfer, bool succeeded);

    int m_concurrency = kDefaultConcurrency;
    QStringList m_aliases;
    int m_next = 0;
    int m_finished = 0;
    QStringList m_failed;
    QMap<QString, tagExportFuncodePtr_Servo> m_records;
    bool m_announced = true; // finished() was emitted (or the line stopped)
    bool m_allAxis = true;
    int m_axis = 0;
    std::vector<std::unique_ptr<QServoBatchTransfer>> m_running;
};
