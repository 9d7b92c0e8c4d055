#pragma once

#include "QDriveLink.h"
#include "QDriveLinkSettings.h"
#include "QDriveModel.h"
#include "QModbusRegisterMap.h"
#include "QModbusTransaction.h"

#include <QList>
#include <QPointer>
#include <QTimer>

class QModbusLinkTransport;

// A drive on Modbus TCP or Modbus RTU, reached over holding registers laid out by QModbusRegisterMap.
// Event-driven on the thread that owns it: nothing blocks, no thread of its own.
//
// One Modbus request is on the wire at a time. Each link request becomes a transaction of register
// blocks (the fewest, by QRegisterBlockPlanner); reads waiting together share blocks, and writes and
// commands go before reads still waiting. A timeout ends that Modbus request with LINK_ERR_TIMEOUT;
// a reply after its timeout is never taken for another request. Every reply is checked against its
// request (transaction, unit, function, byte count against the frame, by QModbusReplyFramer); one that
// does not answer it is garbled: the request fails like a timeout, the reply is counted and logged, and
// the connection is renewed, so that nothing else that came on it is read. Three failures in a row, or
// a lost connection, take the drive offline. The link then probes with growing pauses (a read of the
// drive clock on a fresh connection; a probe that fails ends its connection) and comes online when the
// drive answers.
class QModbusDriveLink : public QDriveLink
{
    Q_OBJECT
public:
    static const int kTimeoutsBeforeOffline = 3;
    static const int kFirstRetryMs = 250;
    static const int kLastRetryMs = 4000;
    static const int kStatusPollMs = 2000;

    QModbusDriveLink(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                     QObject* parent = nullptr);
    // A link on a transport of the caller's (which it takes over), for tools that feed it bytes.
    QModbusDriveLink(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                     QModbusLinkTransport* transport, QObject* parent = nullptr);
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
    // Replies that did not answer their request, since the link was made.
    int garbledReplyCount() const { return m_garbledReplies; }
    int pendingTransactionCount() const { return m_queue.size(); }
    // The pauses between probes while offline (tools that drive the link quickly shorten them).
    void setRetryPauses(int firstMs, int lastMs);

private:
    struct InFlight
    {
        bool active = false;
        QModbusOperation op;
        quint32 transaction = 0; // 0: the probe
    };

    void attach(QModbusLinkTransport* transport);
    quint32 enqueue(QModbusTransaction transaction, bool first = false);
    void schedulePump();
    void pump();
    int nextTransaction() const;
    void startTransaction(int index);
    void send(const QModbusOperation& op, quint32 transaction);
    void onReplied(const QByteArray& pdu);
    void onGarbled(const QString& why);
    void onReplyTimeout();
    void settle(const InFlight& done, const QVector<quint16>& words, int error);
    void takeResult(const InFlight& done, const QVector<quint16>& words, int error);
    void finish(QModbusTransaction transaction);
    void noteResult(int error);
    void onOpened();
    void onClosed(const QString& reason);
    void goOffline(const QString& reason);
    void goOnline();
    void takeProbeAnswer(const QVector<quint16>& words);
    void renewConnection();
    void scheduleProbe();
    void probe();
    void failQueue(int error);
    int unitOf(int axis) const { return m_settings.unitId + axis; }

    QDriveLinkSettings m_settings;
    QModbusRegisterMap m_map;
    QModbusLinkTransport* m_transport = nullptr;
    bool m_opening = false;            // the transport is making a connection
    QList<QModbusTransaction> m_queue; // the first may have started
    InFlight m_inFlight;
    bool m_pumpScheduled = false;
    bool m_online = false;
    int m_timeoutsInRow = 0;
    int m_firstRetryMs = kFirstRetryMs;
    int m_lastRetryMs = kLastRetryMs;
    int m_retryMs = kFirstRetryMs;
    QTimer m_probeTimer;
    QTimer m_holdTimer;     // RTU: quiet time after a timeout, so a late reply finds no request waiting
    QTimer m_statusTimer;   // while the drive refuses writes: asks again whether it still does
    QTimer m_replyTimer;    // the request on the wire
    bool m_garbled = false; // the last failed request got a reply that did not answer it
    QString m_offlineReason;
    qint64 m_clockOffset = 0;
    int m_identity = 0;
    QString m_refusal;
    int m_modbusRequests = 0;
    int m_garbledReplies = 0;
};
