#pragma once

#include "QModbusReplyFramer.h"

#include <QObject>

// The connection of a Modbus link to its drive, one request at a time: frames requests, reads the bytes
// that come back and hands on the reply that answers the request waiting, or says that what came was
// garbled. What the link does about silence (its timeout) and about garbage (renew the connection) is
// the link's; the transport only tells. Nothing is emitted from inside a call.
class QModbusLinkTransport : public QObject
{
    Q_OBJECT
public:
    explicit QModbusLinkTransport(QModbusReplyFramer::enFraming framing, QObject* parent = nullptr);

    // Starts a new connection: opened() or closed() follows.
    virtual void open() = 0;
    // Drops the connection and whatever was received on it; emits nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Sends a request PDU to unit; replied() or garbled() follows, or nothing (the link times out).
    void send(int unit, const QByteArray& pdu);
    // The request waiting timed out: a reply that comes for it later answers nothing.
    void giveUp() { m_framer.giveUp(); }

signals:
    void opened();
    // The connection failed or was lost; reason is for people.
    void closed(const QString& reason);
    void replied(const QByteArray& pdu);
    void garbled(const QString& why);

protected:
    virtual void write(const QByteArray& frame) = 0;
    // Bytes that came from the drive.
    void receive(const QByteArray& bytes);
    // A new connection: nothing of the old one is waited for or kept.
    void resetFraming();
    const QModbusReplyFramer& framer() const { return m_framer; }

private:
    QModbusReplyFramer m_framer;
    QByteArray m_buffer;
};
