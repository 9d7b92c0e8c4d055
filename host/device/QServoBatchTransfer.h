#pragma once

#include "tagExportFuncode_Servo.h"
#include "tagServoBufInfo.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QTimer>

class QDeviceServo;

// Writes a map of function-code records into one drive through the drive's batch engine, reads the
// written values back and compares what the drive holds with what was to be written. Values the drive
// cannot take at all (unknown code, read only, above the authority, out of range) are not sent and count
// as failed. It runs on the event loop without a window: progress and the end are signals. The engine
// stores what the drive took (modification records, statistics events, unsaved marks).
//
// A drive that goes away during the run (offline, or removed) is given a while to come back (10 s in
// the product) before the run ends as failed; only one such wait runs in the process at a time, the
// others start theirs when it is over. A drive that refuses writes as a whole (its link knows why, such
// as an enabled servo) ends the run at its first refused block: the rest is not sent, and every value
// not confirmed fails with the drive's reason (errorText).
class QServoBatchTransfer : public QObject
{
    Q_OBJECT
public:
    // A value that did not arrive as it should.
    struct Mismatch
    {
        QString funIndex;
        int axis = 0;
        qint64 written = 0;
        qint64 current = 0;
        bool transferred = false; // written and read back; false: the drive never confirmed it
    };

    explicit QServoBatchTransfer(QObject* parent = nullptr);
    ~QServoBatchTransfer() override;

    // Plans the values of the records (number -> record; curValue holds the raw value per axis; bAllAxis:
    // every axis the record holds, up to the drive's axis count, otherwise only axis) and starts writing.
    // Without a drive of that alias nothing starts, errorText says so and false is returned. A drive that is
    // offline, or (checkPermission) refuses writes in its present state, ends the run at once (failed).
    bool start(const QString& aliasName, const QMap<QString, tagExportFuncodePtr_Servo>& records,
               bool bAllAxis, int axis);
    // Ends the running run at once, without finished(); what the drive did not confirm counts as failed.
    void stop();
    // Whether a drive that refuses writes in its present state is left alone (default) or written anyway
    // (for callers that asked the person already).
    void setCheckPermission(bool check) { m_checkPermission = check; }

    // The hub's notices; those of other drives, of another phase and after the end change nothing.
    // error: the first link error of the block, 0 when every value was taken.
    void onWriteReply(const QString& aliasName, int len, int error = 0);
    void onReadReply(const QString& aliasName, int len);
    void onWriteFinished(const QString& aliasName);
    void onReadFinished(const QString& aliasName);
    // Status 1: the drive went offline.
    void onDevStatus(const QString& aliasName, int status);

    QString aliasName() const { return m_alias; }
    QString errorText() const { return m_errorText; }
    bool isFinished() const { return m_finished; }
    bool isReadingBack() const { return m_readingBack; }
    // Registers acknowledged so far, written plus read back, and of the whole run.
    int progress() const { return m_progress; }
    int total() const { return m_total; }
    // After the run: values that read back different, and values the drive never confirmed.
    QList<Mismatch> mismatches() const { return m_mismatches; }
    // Codes the drive could not take at all (number, link error).
    QList<QPair<QString, int>> rejectedFuncodes() const { return m_rejected; }
    // After the run: every code that failed (rejected, not confirmed, or holding another value).
    QSet<QString> failedFuncodes() const;

    // How long a vanished drive is waited for (10 s); tests shorten it.
    static void setVanishWaitMs(int ms);
    static int vanishWaitMs();
    static bool isVanishWaitPending();

signals:
    void progressChanged(int done, int total);
    void readBackStarted();
    void finished(bool succeeded);

private:
    QDeviceServo* device() const;
    bool isRunningFor(const QString& aliasName) const;
    void addProgress(int len);
    void endIfDriveRefuses();
    void finish();
    void end();
    bool evaluate();
    void beginWait();
    void onWaitElapsed();
    void onDeviceRemoved(const QString& aliasName);
    bool needsWait() const;

    QString m_alias;
    QString m_errorText;
    int m_progress = 0;
    int m_total = 0;
    bool m_finished = true;
    bool m_readingBack = false;
    bool m_checkPermission = true;
    QList<Mismatch> m_mismatches;
    QList<QPair<QString, int>> m_rejected;
    QServoTaskMap m_planned; // what was to be written, for a drive that is gone when the run ends
    QTimer m_waitTimer;
};
