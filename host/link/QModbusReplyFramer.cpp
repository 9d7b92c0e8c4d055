#include "QModbusReplyFramer.h"

#include "QModbusFrame.h"

namespace {
const int kMaxGivenUp = 4;

quint8 byteAt(const QByteArray& data, int at)
{
    return static_cast<quint8>(data.at(at));
}
} // namespace

QByteArray QModbusReplyFramer::frameRequest(int unit, const QByteArray& pdu)
{
    m_waiting = true;
    m_unit = unit;
    m_request = pdu;
    if (m_framing == Rtu) {
        return QModbusFrame::rtuFrame(unit, pdu);
    }
    return QModbusFrame::tcpFrame(++m_transaction, unit, pdu);
}

void QModbusReplyFramer::giveUp()
{
    if (m_waiting && m_framing == Tcp) {
        m_givenUp.append(m_transaction);
        if (m_givenUp.size() > kMaxGivenUp) {
            m_givenUp.removeFirst();
        }
    }
    m_waiting = false;
}

void QModbusReplyFramer::reset()
{
    m_waiting = false;
    m_givenUp.clear();
}

QModbusReplyFramer::enResult QModbusReplyFramer::take(QByteArray* buffer, QByteArray* pdu, QString* why)
{
    return m_framing == Tcp ? takeTcp(buffer, pdu, why) : takeRtu(buffer, pdu, why);
}

QModbusReplyFramer::enResult QModbusReplyFramer::takeTcp(QByteArray* buffer, QByteArray* pdu, QString* why)
{
    QModbusFrame::Mbap header;
    if (!QModbusFrame::readMbap(*buffer, &header)) {
        return NeedMore;
    }
    const quint16 transaction = header.transaction;
    const int length = header.length;
    const int unit = header.unit;
    if (header.protocol != 0) {
        *why = QStringLiteral("protocol id %1 is not Modbus").arg(header.protocol);
        return Garbled;
    }
    if (length < 3 || length > kMaxPdu + 1) {
        *why = QStringLiteral("a frame length of %1").arg(length);
        return Garbled;
    }
    const bool answer = m_waiting && transaction == m_transaction;
    if (!answer && !m_givenUp.contains(transaction)) {
        *why = QStringLiteral("unknown transaction id %1").arg(transaction);
        return Garbled;
    }
    if (answer && unit != m_unit) {
        *why = QStringLiteral("unit %1 answered a request to unit %2").arg(unit).arg(m_unit);
        return Garbled;
    }
    if (buffer->size() < 6 + length) {
        return NeedMore;
    }
    const QByteArray body = buffer->mid(QModbusFrame::kMbapHeader, length - 1);
    buffer->remove(0, 6 + length);
    if (!answer) {
        m_givenUp.removeOne(transaction);
        return Skipped;
    }
    if (!answersRequest(body, why)) {
        return Garbled;
    }
    m_waiting = false;
    *pdu = body;
    return Reply;
}

QModbusReplyFramer::enResult QModbusReplyFramer::takeRtu(QByteArray* buffer, QByteArray* pdu, QString* why)
{
    if (buffer->isEmpty()) {
        return NeedMore;
    }
    if (!m_waiting) {
        buffer->clear(); // the line was kept quiet after a timeout: what comes now answers nothing
        return Skipped;
    }
    if (byteAt(*buffer, 0) != m_unit) {
        *why = QStringLiteral("unit %1 answered a request to unit %2").arg(byteAt(*buffer, 0)).arg(m_unit);
        return Garbled;
    }
    const int length = rtuFrameLength(*buffer, why);
    if (length < 0) {
        return Garbled;
    }
    if (length == 0 || buffer->size() < length) {
        return NeedMore;
    }
    if (!QModbusFrame::hasGoodCrc(*buffer, length)) {
        *why = QStringLiteral("a wrong CRC");
        return Garbled;
    }
    const QByteArray body = buffer->mid(1, length - 3);
    buffer->remove(0, length);
    if (!answersRequest(body, why)) {
        return Garbled;
    }
    m_waiting = false;
    *pdu = body;
    return Reply;
}

int QModbusReplyFramer::rtuFrameLength(const QByteArray& buffer, QString* why) const
{
    if (buffer.size() < 2) {
        return 0;
    }
    const quint8 function = byteAt(buffer, 1);
    const quint8 asked = byteAt(m_request, 0);
    if (function == (asked | kException)) {
        return 5;
    }
    if (function != asked) {
        *why = QStringLiteral("function %1 answered a request of function %2").arg(function).arg(asked);
        return -1;
    }
    if (function == kWriteSingle || function == kWriteMultiple) {
        return 8;
    }
    if (function != kReadHolding) {
        *why = QStringLiteral("a reply of function %1 has no known length").arg(function);
        return -1;
    }
    if (buffer.size() < 3) {
        return 0;
    }
    // Here the byte count is what tells where the frame ends: it must be the one asked for.
    const int bytes = byteAt(buffer, 2);
    if (bytes != 2 * QModbusFrame::wordAt(m_request, 3)) {
        *why = QStringLiteral("%1 bytes answered a read of %2 registers")
                   .arg(bytes)
                   .arg(QModbusFrame::wordAt(m_request, 3));
        return -1;
    }
    return 5 + bytes;
}

bool QModbusReplyFramer::answersRequest(const QByteArray& pdu, QString* why) const
{
    const quint8 asked = byteAt(m_request, 0);
    const quint8 function = pdu.isEmpty() ? 0 : byteAt(pdu, 0);
    if (function == (asked | kException)) {
        if (pdu.size() != 2) {
            *why = QStringLiteral("an exception of %1 bytes").arg(pdu.size());
        }
        return pdu.size() == 2;
    }
    if (function != asked) {
        *why = QStringLiteral("function %1 answered a request of function %2").arg(function).arg(asked);
        return false;
    }
    switch (asked) {
    case kReadHolding:
        if (pdu.size() < 2 || byteAt(pdu, 1) + 2 != pdu.size()) {
            *why = QStringLiteral("a byte count of %1 in a frame of %2 bytes")
                       .arg(pdu.size() < 2 ? 0 : byteAt(pdu, 1))
                       .arg(pdu.size() - 2);
            return false;
        }
        if (byteAt(pdu, 1) != 2 * QModbusFrame::wordAt(m_request, 3)) {
            *why = QStringLiteral("%1 bytes answered a read of %2 registers")
                       .arg(byteAt(pdu, 1))
                       .arg(QModbusFrame::wordAt(m_request, 3));
            return false;
        }
        return true;
    case kWriteSingle:
    case kWriteMultiple:
        // The echo of a write repeats its address and its value (6) or register count (16).
        if (pdu != m_request.left(5)) {
            *why = QStringLiteral("a write acknowledged with other registers");
            return false;
        }
        return true;
    default:
        return true;
    }
}
