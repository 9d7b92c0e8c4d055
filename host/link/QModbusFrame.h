#pragma once

#include <QByteArray>
#include <QtGlobal>

// The framing both ends of a Modbus line share: the MBAP header of Modbus TCP and the CRC-framed ADU of
// Modbus RTU. The link that asks a drive and the simulator that answers use the same bytes, so that a
// fault in one cannot hide behind the same fault in the other.
class QModbusFrame
{
public:
    static const int kMbapHeader = 7; // transaction, protocol, length (unit id and PDU), unit id
    static const int kMaxPdu = 253;

    struct Mbap
    {
        quint16 transaction = 0;
        quint16 protocol = 0;
        int length = 0; // the unit id and the PDU that follow the first six bytes
        quint8 unit = 0;
    };

    // The big-endian 16-bit word at the byte offset (the caller checked that two bytes are there).
    static quint16 wordAt(const QByteArray& data, int at);
    // The header at the start of the buffer; false while fewer than seven bytes are there.
    static bool readMbap(const QByteArray& buffer, Mbap* header);
    // A TCP frame: header and PDU.
    static QByteArray tcpFrame(quint16 transaction, int unit, const QByteArray& pdu);

    // An RTU frame: unit id, PDU and the CRC, low byte first.
    static QByteArray rtuFrame(int unit, const QByteArray& pdu);
    // Whether the first length bytes of the buffer end in the CRC of the bytes before it.
    static bool hasGoodCrc(const QByteArray& buffer, int length);
    static quint16 crc16(const QByteArray& data);
};
