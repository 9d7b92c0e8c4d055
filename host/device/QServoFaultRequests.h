#pragma once

#include "QDriveValueItem.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QDeviceServo;
class QDriveLink;
class QServoFaultStore;
class QServoRequestWaiter;

// The fault traffic of a servo drive: reads and clears its current faults and history records, hands
// the answers to the device's fault store and announces what changed on the hub. A drive that raises
// or clears a fault by itself is read again.
class QServoFaultRequests : public QObject
{
    Q_OBJECT
public:
    QServoFaultRequests(QDeviceServo& device, QServoFaultStore& store, QServoRequestWaiter& waiter);

    void readCurrent();
    // Clears the current faults and waits for the drive; then reads them again.
    bool clearCurrent();
    // Reads the history records of the axis; wait waits for them.
    void readHistory(int axis, bool wait);
    // Clears the history of the axis and waits for the drive; then reads it again.
    bool clearHistory(int axis);
    // Takes the history-record format stored for the drive (fromDatabase) or the model's own.
    void loadFormat(bool fromDatabase);

private slots:
    void onCurrentFaultsRead(quint32 requestId, QDriveFaultList faults, int error);
    void onHistoryRead(quint32 requestId, int axis, QList<QByteArray> records, int error);
    void onFaultsChanged();

private:
    bool isReachable(int axis) const;
    int timeoutMs() const;
    void announceCurrent(int change);
    void announceHistory();

    QDeviceServo& m_device;
    QDriveLink* m_link = nullptr;
    QServoFaultStore& m_store;
    QServoRequestWaiter& m_waiter;
};
