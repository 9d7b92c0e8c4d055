#include "QModbusFrameCodec.h"

#include "QModbusFrame.h"

namespace {
const int kMinRtuFrame = 4;
} // namespace

QModbusFrameCodec::enResult QModbusFrameCodec::takeTcpRequest(QByteArray* buffer, Request* request)
{
    QModbusFrame::Mbap header;
    if (!QModbusFrame::readMbap(*buffer, &header)) {
        return NeedMore;
    }
    if (header.protocol != 0 || header.length < 2 || header.length > kMaxPdu + 1) {
        return Garbage;
    }
    if (buffer->size() < 6 + header.length) {
        return NeedMore;
    }
    request->transaction = header.transaction;
    request->unit = header.unit;
    request->pdu = buffer->mid(QModbusFrame::kMbapHeader, header.length - 1);
    buffer->remove(0, 6 + header.length);
    return Frame;
}

QByteArray QModbusFrameCodec::tcpReply(quint16 transaction, int unit, const QByteArray& pdu)
{
    return QModbusFrame::tcpFrame(transaction, unit, pdu);
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
            if (QModbusFrame::hasGoodCrc(*buffer, n)) {
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
    if (!QModbusFrame::hasGoodCrc(*buffer, length)) {
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
    return QModbusFrame::rtuFrame(unit, pdu);
}
