#pragma once

#include "QDriveValueItem.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>

// The reads a device queues without waiting for them. A code of an axis is queued at most once while it
// waits or is with the drive; one request is with the drive at a time, and a request that has to be cut
// ends where a group of codes ends.
class QServoReadQueue
{
public:
    struct Entry
    {
        QString funIndex;
        int axis;
    };

    // Queues the read of a code of an axis; false when the same read waits or is with the drive.
    bool enqueue(const QString& funIndex, int axis);
    // Takes the reads of the next request (at most maxItems) and counts them as with the drive.
    QDriveValueList takeBatch(int maxItems);
    // The request now with the drive (0: none).
    void setInFlight(quint32 requestId) { m_inFlight = requestId; }
    // The drive answered a request: its reads are no longer with the drive.
    void answered(quint32 requestId, const QDriveValueList& items);
    // Drops the queued reads for which drop returns true; returns how many were dropped.
    int dropQueued(const std::function<bool(const Entry&)>& drop);
    // Drops every queued read (the drive went offline, the descriptions were reloaded).
    void clearQueued();
    // Forgets what was with the drive (the link came back: those answers will not come).
    void forgetInFlight();

    int pendingCount() const { return m_queue.size(); }
    bool hasInFlight() const { return m_inFlight != 0; }
    quint32 inFlightRequest() const { return m_inFlight; }
    bool isBusy() const { return !m_queue.isEmpty() || m_inFlight != 0; }

private:
    static QString keyOf(const QString& funIndex, int axis);
    int batchSize(int maxItems) const;

    QList<Entry> m_queue;
    QSet<QString> m_queuedKeys; // funIndex + axis of queued reads
    quint32 m_inFlight = 0;
    QSet<QString> m_inFlightKeys;
};
