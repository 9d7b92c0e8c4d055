#pragma once

#include <QByteArray>

// Request frames as a Modbus server receives them, taken from the front of a stream of bytes that
// comes from outside: TCP frames (MBAP header) and RTU frames (unit, PDU, CRC). Replies framed the
// same way.
class QModbusFrameCodec
{
public:
    enum enResult
    {
        NeedMore, // not a whole frame yet
        Frame,    // a frame was taken from the buffer
        Garbage   // the bytes cannot be a frame: TCP drops the connection; RTU skips a byte
    };
    struct Request
    {
        quint16 transaction = 0; // TCP only
        int unit = 0;
        QByteArray pdu;
    };

    static const int kMaxPdu = 253;

    static enResult takeTcpRequest(QByteArray* buffer, Request* request);
    static QByteArray tcpReply(quint16 transaction, int unit, const QByteArray& pdu);

    // RTU requests of functions 3, 6 and 16 have a length the frame itself tells; a frame of another
    // function is taken when the bytes buffered end in its CRC. A frame with a wrong CRC, or bytes that
    // are no frame yet, lose their first byte (Garbage), so the reader finds the next frame.
    static enResult takeRtuRequest(QByteArray* buffer, Request* request);
    static QByteArray rtuReply(int unit, const QByteArray& pdu);

private:
    static int rtuRequestLength(const QByteArray& buffer);
};
