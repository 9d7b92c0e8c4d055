#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

class QModbusDriveServer;
class QTcpSocket;

// One client of the Modbus TCP front end: takes its request frames, and sends each reply (after its
// delay) back to it. A client cannot make the server hold more than a bounded amount for it: bytes that
// cannot be a Modbus frame end the connection (the well-formed requests before them are answered
// first), replies it does not read past maxUnsentBytes drop it, and a frame begun but not finished
// within the idle timeout closes it.
class QModbusTcpDriveConnection : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        qint64 maxUnsentBytes = 256 * 1024;
        int idleTimeoutMs = 60000;
    };

    // Takes over the socket.
    QModbusTcpDriveConnection(QTcpSocket* socket, QModbusDriveServer* drives, const Limits& limits,
                              QObject* parent = nullptr);

    // The bytes sent for a reply; by default its Modbus TCP frame. A drive that garbles its replies is
    // simulated by another.
    using ReplyFramer = std::function<QByteArray(quint16 transaction, int unit, const QByteArray& pdu)>;
    void setReplyFramer(const ReplyFramer& framer) { m_replyFramer = framer; }

    // Ends the connection at once, whatever is unsent.
    void drop();

signals:
    // The connection is over; emitted once.
    void finished();

private:
    void onReadyRead();
    void send(const QByteArray& frame);
    void closeWhenAnswered();
    void end();
    qint64 unsentBytes() const;

    QTcpSocket* m_socket;
    QModbusDriveServer* m_drives;
    Limits m_limits;
    ReplyFramer m_replyFramer;
    QByteArray m_buffer;
    QTimer m_idle;
    qint64 m_delayedBytes = 0; // replies waiting for their delay
    bool m_closing = false;    // no more requests are taken; closes once the replies are out
    bool m_finished = false;
};
