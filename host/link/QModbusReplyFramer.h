#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The client side of Modbus framing: frames the link's requests for TCP (MBAP header) or RTU (unit, PDU,
// CRC), and takes the reply to the request waiting from the bytes a drive sent. The bytes come from
// outside: a reply is handed on only when it answers that very request: its transaction id (TCP), unit
// id, function code and byte count all agree with the request and with the frame that carries it.
// Anything else is garbled, at once where the header already shows it, so that a connection full of
// garbage is given up without waiting for a timeout.
class QModbusReplyFramer
{
public:
    enum enFraming
    {
        Tcp,
        Rtu
    };
    enum enResult
    {
        NeedMore, // not a whole reply yet
        Reply,    // the answer to the request (data or exception), taken from the bytes
        Skipped,  // bytes that answer a request given up (a late reply) were dropped
        Garbled   // the bytes do not answer the request: why says how
    };

    static const int kMaxPdu = 253;
    static const quint8 kReadHolding = 0x03;
    static const quint8 kWriteSingle = 0x06;
    static const quint8 kWriteMultiple = 0x10;
    static const quint8 kException = 0x80; // added to the function code of an exception reply

    explicit QModbusReplyFramer(enFraming framing = Tcp) : m_framing(framing) {}

    enFraming framing() const { return m_framing; }
    // The frame that carries the request PDU to unit; its reply is the one take() waits for.
    QByteArray frameRequest(int unit, const QByteArray& pdu);
    // Stops waiting for the reply (it timed out): on TCP its late arrival is skipped, not garbled.
    void giveUp();
    // A new connection: nothing given up on the old one can arrive on it.
    void reset();
    bool isWaiting() const { return m_waiting; }

    enResult take(QByteArray* buffer, QByteArray* pdu, QString* why);

private:
    enResult takeTcp(QByteArray* buffer, QByteArray* pdu, QString* why);
    enResult takeRtu(QByteArray* buffer, QByteArray* pdu, QString* why);
    int rtuFrameLength(const QByteArray& buffer, QString* why) const;
    bool answersRequest(const QByteArray& pdu, QString* why) const;

    enFraming m_framing;
    bool m_waiting = false;
    int m_unit = 0;
    QByteArray m_request;
    quint16 m_transaction = 0;
    QVector<quint16> m_givenUp; // the last few transactions whose replies may still come
};
