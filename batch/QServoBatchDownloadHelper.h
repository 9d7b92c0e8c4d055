#pragma once

#include "tagExportFuncode_Servo.h"
#include "tagServoBufInfo.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>

class QDeviceServo;

// Writes one map of function-code records into one drive through the drive's batch engine, without a
// window: the values are written block by block, read back, and compared with what was to be written.
// Progress and the outcome are signals. A drive that goes away during the run is given a while to come
// back (10 s in the product) before the run ends as failed; only one such wait runs in the process at a
// time.
class QServoBatchDownloadHelper : public QObject
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

    explicit QServoBatchDownloadHelper(QObject* parent = nullptr);
    ~QServoBatchDownloadHelper() override;

    // Starts a run. With bRecompute the records' value texts are turned into raw values with the drive's
    // own scaling first (texts that do not read keep their raw values). Without such a drive nothing
    // starts and errorText says so; when the drive refuses writing, the run ends at once (failed).
    void startWrite(const QString& aliasName, const QMap<QString, tagExportFuncodePtr_Servo>& records,
                    bool bRecompute);
    // Ends the running run without a verdict (sigFinishWrite is not emitted).
    void stop();

    QString errorText() const { return m_errorText; }
    QString aliasName() const { return m_alias; }
    bool isFinished() const { return m_finished; }
    int progress() const { return m_progress; }
    int total() const { return m_total; }
    // The records of the last run, after recomputing.
    QMap<QString, tagExportFuncodePtr_Servo> records() const { return m_records; }
    // After the run: values that read back different, and values the drive never confirmed.
    QList<Mismatch> mismatches() const { return m_mismatches; }
    // Codes the drive could not take at all (number, link error); they count as failed.
    QList<QPair<QString, int>> rejectedFuncodes() const { return m_rejected; }

    // How long a vanished drive is waited for (10 s); tests shorten it.
    static void setVanishWaitMs(int ms);
    static int vanishWaitMs();
    static bool isVanishWaitPending();

signals:
    void sigFinishWrite(bool bSucceed);
    void sigProgressValue(int nValue, int total);

public slots:
    void slotOnReadReply(QString aliasName, int addr, int len, bool bSucceed);
    void slotOnWriteReply(QString aliasName, int addr, int len, bool bSucceed);
    void slotReadFinished(QString aliasName, int val = 0);
    void soltWriteFinished(QString aliasName, int val = 0);
    void slotDevStatus(QString aliasName, int iStatus);

private:
    QDeviceServo* device() const;
    void recompute(const QDeviceServo* dev);
    void connectPhase(bool readPhase);
    void disconnectHub();
    void addProgress(const QString& aliasName, int len);
    void finish();
    bool evaluate();
    void beginWait();
    void onWaitElapsed();
    void onDeviceRemoved(const QString& aliasName);
    bool needsWait() const;

    QString m_alias;
    QMap<QString, tagExportFuncodePtr_Servo> m_records;
    int m_progress = 0;
    int m_total = 0;
    bool m_finished = true;
    QString m_errorText;
    QList<Mismatch> m_mismatches;
    QList<QPair<QString, int>> m_rejected;
    QTimer m_waitTimer;
};
