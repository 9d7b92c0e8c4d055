#include "QModbusFrame.h"

#include <QtEndian>

quint16 QModbusFrame::wordAt(const QByteArray& data, int at)
{
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(data.constData()) + at);
}

bool QModbusFrame::readMbap(const QByteArray& buffer, Mbap* header)
{
    if (buffer.size() < kMbapHeader) {
        return false;
    }
    header->transaction = wordAt(buffer, 0);
    header->protocol = wordAt(buffer, 2);
    header->length = wordAt(buffer, 4);
    header->unit = static_cast<quint8>(buffer.at(6));
    return true;
}

QByteArray QModbusFrame::tcpFrame(quint16 transaction, int unit, const QByteArray& pdu)
{
    QByteArray frame(kMbapHeader, '\0');
    auto* header = reinterpret_cast<uchar*>(frame.data());
    qToBigEndian<quint16>(transaction, header);
    qToBigEndian<quint16>(static_cast<quint16>(pdu.size() + 1), header + 4);
    frame[6] = static_cast<char>(unit);
    return frame + pdu;
}

QByteArray QModbusFrame::rtuFrame(int unit, const QByteArray& pdu)
{
    QByteArray frame;
    frame.reserve(pdu.size() + 3);
    frame.append(static_cast<char>(unit));
    frame.append(pdu);
    const quint16 crc = crc16(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
    return frame;
}

bool QModbusFrame::hasGoodCrc(const QByteArray& buffer, int length)
{
    if (length < 3 || length > buffer.size()) {
        return false;
    }
    const quint16 crc =
        static_cast<quint8>(buffer.at(length - 2)) | (static_cast<quint8>(buffer.at(length - 1)) << 8);
    return crc16(buffer.left(length - 2)) == crc;
}

quint16 QModbusFrame::crc16(const QByteArray& data)
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
