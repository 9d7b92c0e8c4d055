#pragma once

#include "QServoBatchTransfer.h"
#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

class QDeviceServo;
struct tagServoBufInfo;

// A write of records into one drive by the host's write-read-back layer (QServoBatchTransfer: blocks of
// consecutive registers, every value read back and compared, a vanished drive waited for as in the
// workbench), with each value that did not arrive named and its reason said in the words of the command
// line. Each transfer waits for its own drive, so that transfers into several drives run side by side.
class QCliBatchTransfer : public QObject
{
    Q_OBJECT

public:
    struct Failure
    {
        QString funIndex;
        int axis = 0;
        QString reason;
    };

    explicit QCliBatchTransfer(QDeviceServo* device, QObject* parent = nullptr);

    // records: number -> record whose curValue holds the raw value per axis. allAxes: every axis the
    // record holds, up to the drive's axis count; otherwise only axis. finished() follows, also when the
    // drive refuses writes in its present state (then every value fails with the drive's reason).
    void start(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool allAxes, int axis);
    // start() and wait for the end, running the event loop; returns succeeded().
    bool run(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool allAxes, int axis);
    // What the drive can take of a file's codes: settings it knows that may be written (read-only codes,
    // such as versions and serial numbers, are left out), by number.
    static QMap<QString, tagExportFuncodePtr_Servo> writableRecords(const QDeviceServo* device,
                                                                    const tagExportFuncodeList_Servo& codes);

    // Every value of a finished transfer into the device that did not arrive, with its reason.
    static QList<Failure> failuresOf(const QServoBatchTransfer& transfer, const QDeviceServo* device);

    bool isFinished() const { return m_finished; }
    bool succeeded() const { return m_finished && m_failures.isEmpty(); }
    QList<Failure> failures() const { return m_failures; }

signals:
    void progress(int done, int total);
    void finished(bool succeeded);

private:
    void onFinished();
    static QString reasonOf(const QDeviceServo* device, int linkError);
    static QString entryReason(const QServoBatchTransfer& transfer, const QDeviceServo* device,
                               const QServoBatchTransfer::Mismatch& mismatch, const tagServoBufInfo* entry);

    QPointer<QDeviceServo> m_device;
    QString m_alias;
    QServoBatchTransfer m_transfer;
    QList<Failure> m_failures;
    bool m_finished = true;
};
