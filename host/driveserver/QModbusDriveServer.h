#pragma once

#include "QDriveModel.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <memory>
#include <vector>

class QSimulatedDriveCore;
class QSimulatedDriveRegisters;

// Simulated drives behind Modbus unit ids: the protocol side of the simulated drive's server, shared
// by its TCP and RTU front ends. It takes the protocol data unit of a request for a unit and gives the
// reply (or none: an offline drive and a lost reply stay silent; a late one says how late). It reads
// holding registers (function 3) and writes them (6 and 16); anything else gets exception 1.
class QModbusDriveServer : public QObject
{
    Q_OBJECT
public:
    struct Reply
    {
        bool send = false; // false: no reply at all
        int delayMs = 0;
        QByteArray pdu;
    };

    explicit QModbusDriveServer(QObject* parent = nullptr);
    ~QModbusDriveServer() override;

    // Serves a new simulated drive of the model: axis X at firstUnit, Y and Z at the units after it.
    // Null with a reason when a unit is outside 1 to 247 or already taken.
    QSimulatedDriveCore* addDrive(const QDriveModelPtr& model, int firstUnit, QString* error = nullptr);
    QList<QSimulatedDriveCore*> drives() const;
    // The drive and axis behind a unit, or null.
    QSimulatedDriveCore* driveAt(int unit, int* axis = nullptr) const;

    Reply handle(int unit, const QByteArray& pdu);

    // Milliseconds every reply waits (the drive's own processing time).
    void setReplyDelay(int ms) { m_replyDelayMs = qMax(0, ms); }
    // One log line per request (requestLogged).
    void setVerbose(bool verbose) { m_verbose = verbose; }

    // ---- requests received for served units
    int requestCount() const { return m_requests; }
    int readRequestCount() const { return m_reads; }
    int writeRequestCount() const { return m_writes; }
    void resetCounters();

signals:
    void requestLogged(const QString& line);

private:
    struct Drive;
    Drive* driveOf(int unit, int* axis) const;
    QByteArray readHolding(Drive& drive, int axis, const QByteArray& pdu, QString* log);
    QByteArray writeSingle(Drive& drive, int axis, const QByteArray& pdu, QString* log);
    QByteArray writeMultiple(Drive& drive, int axis, const QByteArray& pdu, QString* log);
    static QByteArray exception(quint8 function, int code);

    std::vector<std::unique_ptr<Drive>> m_drives;
    int m_replyDelayMs = 0;
    bool m_verbose = false;
    int m_requests = 0;
    int m_reads = 0;
    int m_writes = 0;
};
