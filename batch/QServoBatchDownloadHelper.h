#pragma once

#include "QServoBatchTransfer.h"
#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>

// Writes one map of function-code records into one drive for the batch-download window: the values' texts
// are turned into the drive's own raw values first, then a QServoBatchTransfer writes, reads back and
// compares them. Progress and the outcome are signals.
class QServoBatchDownloadHelper : public QObject
{
    Q_OBJECT
public:
    typedef QServoBatchTransfer::Mismatch Mismatch;

    explicit QServoBatchDownloadHelper(QObject* parent = nullptr);
    ~QServoBatchDownloadHelper() override;

    // Starts a run. With bRecompute the records' value texts are turned into raw values with the drive's
    // own scaling first (texts that do not read keep their raw values). Without such a drive nothing
    // starts and errorText says so; when the drive refuses writing, the run ends at once (failed).
    void startWrite(const QString& aliasName, const QMap<QString, tagExportFuncodePtr_Servo>& records,
                    bool bRecompute);
    // Ends the running run without a verdict (sigFinishWrite is not emitted).
    void stop();

    // Why the last run could not start or ended at once (no such drive, or the drive's refusal).
    QString errorText() const { return m_errorText.isEmpty() ? m_transfer->errorText() : m_errorText; }
    QString aliasName() const { return m_transfer->aliasName(); }
    bool isFinished() const { return m_transfer->isFinished(); }
    int progress() const { return m_transfer->progress(); }
    int total() const { return m_transfer->total(); }
    // The records of the last run, after recomputing.
    QMap<QString, tagExportFuncodePtr_Servo> records() const { return m_records; }
    // After the run: values that read back different, and values the drive never confirmed.
    QList<Mismatch> mismatches() const { return m_transfer->mismatches(); }
    // Codes the drive could not take at all (number, link error); they count as failed.
    QList<QPair<QString, int>> rejectedFuncodes() const { return m_transfer->rejectedFuncodes(); }

    // Turns the records' value texts into the drive's raw values (texts that do not read keep theirs).
    static void recompute(const QDeviceServo* dev, const QMap<QString, tagExportFuncodePtr_Servo>& records);

    // How long a vanished drive is waited for (10 s); tests shorten it.
    static void setVanishWaitMs(int ms) { QServoBatchTransfer::setVanishWaitMs(ms); }
    static int vanishWaitMs() { return QServoBatchTransfer::vanishWaitMs(); }
    static bool isVanishWaitPending() { return QServoBatchTransfer::isVanishWaitPending(); }

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
    QServoBatchTransfer* m_transfer = nullptr;
    QMap<QString, tagExportFuncodePtr_Servo> m_records;
    QString m_errorText;
};
