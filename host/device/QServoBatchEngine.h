#pragma once

#include "QDriveValueItem.h"
#include "tagExportFuncode_Servo.h"
#include "tagServoBufInfo.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QTimer>
#include <QVector>

class QDeviceServo;
class QDriveLink;

// The batch engine of one drive: writes a set of function-code values in blocks of consecutive
// registers and reads them back, one link request per block and one request at a time. Each block's
// outcome is announced on the hub (sigWriteReply, sigReadReply), each phase's end too
// (sigWriteFinished, sigReadFinished; val = the number of blocks that failed).
//
// A block whose answer is lost (timeout) is sent again, twice at most. While the drive is offline the
// engine waits and sends the block again when the drive is back; whoever started the work decides how
// long to wait (stop). Answers to requests the engine no longer waits for are ignored, so a late answer
// is never taken for the answer of a later block.
class QServoBatchEngine : public QObject
{
    Q_OBJECT
public:
    enum enPhase
    {
        PHASE_IDLE = 0,
        PHASE_WRITING,
        PHASE_WRITTEN,
        PHASE_READING,
        PHASE_DONE
    };

    static const int kMaxRetries = 2;
    // Written values are stored in chunks of about this many: each chunk is one transaction per
    // database, small enough to keep the event loop going and few enough to keep commits rare.
    static const int kRecordChunk = 512;

    // The engine belongs to the device (a Qt child) and talks to the device's link.
    QServoBatchEngine(QDeviceServo* device, QDriveLink* link);
    ~QServoBatchEngine() override;

    // Plans the tasks for the records (number -> record; curValue holds the raw value per axis).
    // bAllAxis: every axis the record holds, up to the drive's axis count; otherwise only axis. Values
    // the drive cannot take (unknown code, read only, above the authority, out of range) are left out
    // and listed by rejectedFuncodes. Returns the registers of the values to transfer, written plus read
    // back; the hub's replies carry the same measure per block.
    int calcTaskMap(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool bAllAxis, int axis);
    // Starts writing the planned tasks; false when nothing is planned or work is under way.
    bool startWrite();
    // Starts reading the planned values back; false when nothing is planned or work is under way.
    bool startRead();
    // Ends the work at once; answers still under way are ignored. The values the drive took are stored
    // (modification records, statistics events, unsaved marks) as they come, and the rest here.
    void stop();

    enPhase phase() const { return m_phase; }
    bool isBusy() const { return m_phase == PHASE_WRITING || m_phase == PHASE_READING; }
    QServoTaskMap writeTaskMap() const;
    // Number and link error of every value that was not planned.
    QList<QPair<QString, int>> rejectedFuncodes() const { return m_rejected; }
    int writeTaskCount() const { return m_writeTasks.size(); }
    int readTaskCount() const { return m_readTasks.size(); }
    // Link requests sent since the last plan, retries included.
    int requestCount() const { return m_requests; }

private:
    struct Task
    {
        int addr = 0;
        int regCount = 0;     // registers from the first to the last value, gaps read through included
        int valueRegs = 0;    // registers of the values carried
        QVector<int> members; // positions in m_entries
    };

    void planAxis(const QVector<int>& entries, bool forWrite);
    bool appendEntry(const QString& funIndex, const tagExportFuncode_Servo& record, int axis);
    bool begin(enPhase phase);
    void sendCurrent();
    QDriveValueList itemsOf(const Task& task) const;
    void onWriteFinished(quint32 requestId, QDriveValueList items, qint64 driveTime);
    void onReadFinished(quint32 requestId, QDriveValueList items);
    bool takeAnswer(quint32 requestId, const QDriveValueList& items);
    void applyAnswer(const QDriveValueList& items, bool write);
    void advance();
    void finishPhase();
    void onOnlineChanged(bool online);
    void onWatchdog();
    void recordWritten();
    const QVector<Task>& currentTasks() const;

    QDeviceServo* m_device;
    QDriveLink* m_link;
    QVector<tagServoBufInfo> m_entries;
    QHash<QString, int> m_entryIndex; // "number#axis" -> position in m_entries
    QVector<Task> m_writeTasks;
    QVector<Task> m_readTasks;
    QList<QPair<QString, int>> m_rejected;
    QVector<int> m_unrecorded; // written values not stored yet
    enPhase m_phase = PHASE_IDLE;
    int m_task = 0;
    int m_retries = 0;
    int m_failedTasks = 0;
    int m_requests = 0;
    quint32 m_inFlight = 0;
    bool m_waitingOnline = false;
    qint64 m_driveTime = 0;
    QTimer m_watchdog;
};
