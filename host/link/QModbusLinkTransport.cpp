#include "QModbusLinkTransport.h"

QModbusLinkTransport::QModbusLinkTransport(QModbusReplyFramer::enFraming framing, QObject* parent)
    : QObject(parent), m_framer(framing)
{
}

void QModbusLinkTransport::send(int unit, const QByteArray& pdu)
{
    if (m_framer.framing() == QModbusReplyFramer::Rtu) {
        m_buffer.clear(); // RTU frames carry no transaction: what came before answers nothing now
    }
    write(m_framer.frameRequest(unit, pdu));
}

void QModbusLinkTransport::resetFraming()
{
    m_framer.reset();
    m_buffer.clear();
}

void QModbusLinkTransport::receive(const QByteArray& bytes)
{
    m_buffer.append(bytes);
    for (;;) {
        QByteArray pdu;
        QString why;
        switch (m_framer.take(&m_buffer, &pdu, &why)) {
        case QModbusReplyFramer::NeedMore:
            return;
        case QModbusReplyFramer::Skipped:
            continue;
        case QModbusReplyFramer::Garbled:
            m_buffer.clear();
            m_framer.giveUp();
            emit garbled(why);
            return;
        case QModbusReplyFramer::Reply:
            emit replied(pdu);
            continue; // the link may have sent its next request meanwhile
        }
    }
}
