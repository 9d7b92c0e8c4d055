#pragma once

#include "QDriveLink.h"
#include "QDriveLinkSettings.h"
#include "QDriveModel.h"
#include "QModbusRegisterMap.h"
#include "QModbusTransaction.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QTimer>

class QModbusClient;
class QModbusReply;

// A drive on Modbus TCP or Modbus RTU (Qt SerialBus), reached over holding registers laid out by
// QModbusRegisterMap. Event-driven on the thread that owns it: nothing blocks, no thread of its own.
//
// One Modbus request is on the wire at a time. Each link request becomes a transaction of register
// blocks (the fewest, by QRegisterBlockPlanner); reads waiting together share blocks, and writes and
// commands go before reads still waiting. A timeout ends that Modbus request with LINK_ERR_TIMEOUT;
// a reply after its timeout is never taken for another request. Three timeouts in a row, or a lost
// connection, take the drive offline (the connection is then closed, so that nothing a confused drive
// sent is read later); the link then tries again with growing pauses and comes online when the drive
// answers. Replies that are not Modbus answers to the request count as no answer.
class QModbusDriveLink : public QDriveLink
{
    Q_OBJECT
public:
    static const int kTimeoutsBeforeOffline = 3;
    static const int kFirstRetryMs = 250;
    static const int kLastRetryMs = 4000;
    static const int kStatusPollMs = 2000;
    // A request whose reply has not finished this long after its timeout is given up by the link
    // itself: a reply that begins like an answer stops the client's own timer.
    static const int kWatchdogSlackMs = 250;

    QModbusDriveLink(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                     QObject* parent = nullptr);
    ~QModbusDriveLink() override;

    QString linkName() const override { return m_settings.kindName(); }
    QString linkDescription() const override { return m_settings.describe(); }
    bool isOnline() const override { return m_online; }
    QString refusalReason() const override { return m_refusal; }
    // Read with the drive clock whenever the link comes online.
    int identityNumber() const override { return m_identity; }
    // Why the drive is offline, for people ("no answer to 3 requests in a row"); empty while online.
    QString offlineReason() const { return m_online ? QString() : m_offlineReason; }

    quint32 requestRead(const QDriveValueList& items) override;
    quint32 requestWrite(const QDriveValueList& items) override;
    quint32 requestCurrentFaults() override;
    quint32 requestClearFaults() override;
    quint32 requestHistoryRecords(int axis) override;
    quint32 requestClearHistory(int axis) override;
    quint32 requestSaveAll(int axis) override;
    quint32 requestReset(int axis) override;

    const QDriveLinkSettings& settings() const { return m_settings; }
    const QModbusRegisterMap& registerMap() const { return m_map; }
    // Modbus requests sent since the link was made (probes included).
    int modbusRequestCount() const { return m_modbusRequests; }
    int pendingTransactionCount() const { return m_queue.size(); }

private:
    struct InFlight
    {
        QModbusReply* reply = nullptr;
        QModbusOperation op;
        quint32 transaction = 0; // 0: the probe
    };

    void createClient();
    quint32 enqueue(QModbusTransaction transaction, bool first = false);
    void schedulePump();
    void pump();
    int nextTransaction() const;
    void startTransaction(int index);
    void send(const QModbusOperation& op, quint32 transaction);
    void onReplyFinished(QModbusReply* reply);
    void onWatchdog();
    void settle(const InFlight& done, const QVector<quint16>& words, int error);
    void takeResult(const InFlight& done, const QVector<quint16>& words, int error);
    int errorOf(QModbusReply* reply, const QModbusOperation& op, QVector<quint16>* words);
    void finish(QModbusTransaction transaction);
    void noteResult(int error);
    void onStateChanged(int state);
    void goOffline(const QString& reason);
    QString connectionReason() const;
    void goOnline();
    void takeProbeAnswer(const QVector<quint16>& words);
    void scheduleProbe();
    void probe();
    void failQueue(int error);
    int unitOf(int axis) const { return m_settings.unitId + axis; }

    QDriveLinkSettings m_settings;
    QModbusRegisterMap m_map;
    QModbusClient* m_client = nullptr;
    QList<QModbusTransaction> m_queue; // the first may have started
    InFlight m_inFlight;
    bool m_pumpScheduled = false;
    bool m_online = false;
    int m_timeoutsInRow = 0;
    int m_retryMs = kFirstRetryMs;
    QTimer m_probeTimer;
    QTimer m_holdTimer;     // RTU: quiet time after a timeout, so a late reply finds no request waiting
    QTimer m_statusTimer;   // while the drive refuses writes: asks again whether it still does
    QTimer m_watchdog;      // the request on the wire, in case its reply never finishes
    int m_clientState = 0;  // QModbusDevice::State
    bool m_garbled = false; // the last failed reply was not a Modbus answer to the request
    QString m_offlineReason;
    qint64 m_clockOffset = 0;
    int m_identity = 0;
    QString m_refusal;
    int m_modbusRequests = 0;
};
