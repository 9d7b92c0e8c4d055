#include "QModbusFrameCodec.h"

#include <QtEndian>

namespace {
const int kMbapHeader = 7;
const int kMinRtuFrame = 4;

quint16 word(const QByteArray& data, int at)
{
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(data.constData()) + at);
}
} // namespace

QModbusFrameCodec::enResult QModbusFrameCodec::takeTcpRequest(QByteArray* buffer, Request* request)
{
    if (buffer->size() < kMbapHeader) {
        return NeedMore;
    }
    const quint16 protocol = word(*buffer, 2);
    const int length = word(*buffer, 4); // unit id and PDU
    if (protocol != 0 || length < 2 || length > kMaxPdu + 1) {
        return Garbage;
    }
    if (buffer->size() < 6 + length) {
        return NeedMore;
    }
    request->transaction = word(*buffer, 0);
    request->unit = static_cast<quint8>(buffer->at(6));
    request->pdu = buffer->mid(kMbapHeader, length - 1);
    buffer->remove(0, 6 + length);
    return Frame;
}

QByteArray QModbusFrameCodec::tcpReply(quint16 transaction, int unit, const QByteArray& pdu)
{
    QByteArray frame(kMbapHeader, '\0');
    qToBigEndian<quint16>(transaction, reinterpret_cast<uchar*>(frame.data()));
    qToBigEndian<quint16>(static_cast<quint16>(pdu.size() + 1), reinterpret_cast<uchar*>(frame.data()) + 4);
    frame[6] = static_cast<char>(unit);
    return frame + pdu;
}

quint16 QModbusFrameCodec::crc16(const QByteArray& data)
{
    quint16 crc = 0xFFFF;
    for (char c : data) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<quint16>((crc >> 1) ^ 0xA001) : static_cast<quint16>(crc >> 1);
        }
    }
    return crc;
}

int QModbusFrameCodec::rtuRequestLength(const QByteArray& buffer)
{
    switch (static_cast<quint8>(buffer.at(1))) {
    case 0x03:
    case 0x06:
        return 8;
    case 0x10:
        return buffer.size() < 7 ? -1 : 9 + static_cast<quint8>(buffer.at(6));
    default:
        return 0; // unknown: look for a CRC that fits
    }
}

QModbusFrameCodec::enResult QModbusFrameCodec::takeRtuRequest(QByteArray* buffer, Request* request)
{
    if (buffer->size() < kMinRtuFrame) {
        return NeedMore;
    }
    int length = rtuRequestLength(*buffer);
    if (length < 0) {
        return NeedMore;
    }
    if (length == 0) {
        for (int n = kMinRtuFrame; n <= buffer->size() && n <= kMaxPdu + 3; ++n) {
            const quint16 crc =
                static_cast<quint8>(buffer->at(n - 2)) | (static_cast<quint8>(buffer->at(n - 1)) << 8);
            if (crc16(buffer->left(n - 2)) == crc) {
                length = n;
                break;
            }
        }
        if (length == 0) {
            // Not a whole frame of a function we do not serve: more likely line noise.
            buffer->remove(0, 1);
            return Garbage;
        }
    }
    if (buffer->size() < length) {
        return NeedMore;
    }
    const quint16 crc =
        static_cast<quint8>(buffer->at(length - 2)) | (static_cast<quint8>(buffer->at(length - 1)) << 8);
    if (crc16(buffer->left(length - 2)) != crc) {
        buffer->remove(0, 1);
        return Garbage;
    }
    request->transaction = 0;
    request->unit = static_cast<quint8>(buffer->at(0));
    request->pdu = buffer->mid(1, length - 3);
    buffer->remove(0, length);
    return Frame;
}

QByteArray QModbusFrameCodec::rtuReply(int unit, const QByteArray& pdu)
{
    QByteArray frame;
    frame.append(static_cast<char>(unit));
    frame.append(pdu);
    const quint16 crc = crc16(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
    return frame;
}
