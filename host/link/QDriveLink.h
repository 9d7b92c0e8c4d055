#pragma once

#include "QDriveValueItem.h"

#include <QByteArray>
#include <QList>
#include <QObject>

// The way to one drive. Every request returns at once with an id; the answer comes later as a
// signal carrying that id, on the thread that owns the link. Implementations: the in-process
// simulated drive, and bus links.
class QDriveLink : public QObject
{
    Q_OBJECT
public:
    enum enLinkError
    {
        LINK_OK = 0,
        LINK_ERR_OFFLINE = 1,   // the drive does not answer
        LINK_ERR_TIMEOUT = 2,   // no answer in time
        LINK_ERR_RANGE = 3,     // value outside the code's range
        LINK_ERR_READ_ONLY = 4, // the code cannot be written
        LINK_ERR_UNKNOWN = 5,   // the drive has no such code
        LINK_ERR_REFUSED = 6    // refused in the drive's present state
    };

    explicit QDriveLink(QObject* parent = nullptr);
    ~QDriveLink() override;

    virtual QString linkName() const = 0;
    // Where the link goes, for people ("Modbus TCP 127.0.0.1:1502, unit 1").
    virtual QString linkDescription() const { return linkName(); }
    virtual bool isOnline() const = 0;
    // Why the drive refuses writes in its present state, as far as the link knows; empty otherwise.
    virtual QString refusalReason() const { return QString(); }
    // The identity number the drive reports of itself (a drive model's identity number), so that a
    // program can tell which model answers; 0 while not known.
    virtual int identityNumber() const { return 0; }

    virtual quint32 requestRead(const QDriveValueList& items) = 0;
    virtual quint32 requestWrite(const QDriveValueList& items) = 0;
    virtual quint32 requestCurrentFaults() = 0;
    virtual quint32 requestClearFaults() = 0;
    virtual quint32 requestHistoryRecords(int axis) = 0;
    virtual quint32 requestClearHistory(int axis) = 0;
    virtual quint32 requestSaveAll(int axis) = 0;
    virtual quint32 requestReset(int axis) = 0;

    // Traffic counters, for diagnostics and benchmarks.
    int readRequestCount() const { return m_readRequests; }
    int readItemCount() const { return m_readItems; }
    int writeRequestCount() const { return m_writeRequests; }
    void resetCounters();

signals:
    void readFinished(quint32 requestId, QDriveValueList items);
    // driveTime: the drive's clock when it took the values (seconds since 1970-01-01 UTC)
    void writeFinished(quint32 requestId, QDriveValueList items, qint64 driveTime);
    void currentFaultsRead(quint32 requestId, QDriveFaultList faults, int error);
    void historyRecordsRead(quint32 requestId, int axis, QList<QByteArray> records, int error);
    void commandFinished(quint32 requestId, int error);
    void onlineChanged(bool online);
    // The drive raised or cleared a fault by itself.
    void faultsChanged();

protected:
    quint32 nextRequestId() { return ++m_lastRequestId; }
    void countRead(int items);
    void countWrite() { ++m_writeRequests; }

private:
    quint32 m_lastRequestId = 0;
    int m_readRequests = 0;
    int m_readItems = 0;
    int m_writeRequests = 0;
};
