#pragma once

#include "QDriveValueItem.h"
#include "tagExportFuncode_Servo.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QBatchProgress_Servo;
class QDeviceServo;
class QServoBatchTransfer;
class QServoRequestWaiter;
class QWidget;

// Reads or writes many function codes of one drive in blocks, and returns when the work is done. While
// it runs the event loop keeps going (no thread): windows repaint, and a modal progress dialog with the
// given title offers Cancel. After every run, also one without failures, sigFailedFuncodes names the
// codes that could not be read or written, in one list.
//
// A write sends the records' raw values, reads every written value back and counts a code as failed when
// the drive refused it, did not answer, or holds another value afterwards. Codes the drive cannot take
// at all (unknown, read only, above the present authority, out of range) are not sent and are failed.
// Codes not reached because the user cancelled are failed too, so that a caller can offer them again.
// The write is a QServoBatchTransfer (blocks of consecutive registers; a drive that goes away is waited
// for a while); the drive's batch engine stores what the drive took.
class QBatchReadWrite_Servo : public QObject
{
    Q_OBJECT
public:
    // progressKind 0 shows a progress dialog (parent: the window it belongs to); any other value works
    // without a window.
    QBatchReadWrite_Servo(const QString& aliasName, const QString& title, QWidget* parent = nullptr,
                          int progressKind = 0);
    ~QBatchReadWrite_Servo() override;

    // Reads every axis of the codes (every code of the drive when the list is empty). True when all were
    // read.
    bool batchReadFuncode(const QStringList& funIndexList);
    // Writes the records (number -> record; each record's curValue holds the raw value per axis) and reads
    // them back. bAllAxis: every axis the record holds, up to the drive's axis count; otherwise only axis.
    // True when every value was written and reads back as written.
    bool batchWriteFuncode(const QMap<QString, tagExportFuncodePtr_Servo>& funcodeMap, bool bAllAxis,
                           int axis);

    // The codes that failed in the last run, in the order they were asked for.
    QStringList failedFuncodes() const { return m_failed; }
    bool wasCancelled() const;
    // Values per read request (tests and benchmarks).
    void setBlockSize(int items) { m_blockSize = qMax(1, items); }

public slots:
    // Stops the running work after the request under way.
    void cancel();

signals:
    void sigFailedFuncodes(QString aliasName, QStringList faultFuncodeList);

private:
    QDeviceServo* device() const;
    QList<QDriveValueItem> readItems(const QDeviceServo* dev, const QStringList& funIndexList);
    void readBlocks(const QList<QDriveValueItem>& items, int timeoutMs);
    void waitFor(QServoBatchTransfer* transfer);
    int blockTimeout(const QDeviceServo* dev) const;
    void fail(const QString& funIndex);
    void failAll(const QStringList& funIndexList);
    bool finishRun();
    void beginRun(QDeviceServo* dev);
    void updateInputFilter();

    QString m_alias;
    QBatchProgress_Servo* m_progress = nullptr;
    QServoRequestWaiter* m_waiter = nullptr;
    QStringList m_failed;
    QSet<QString> m_failedSet;
    int m_blockSize = 120;
};
