#include "QModbusTcpDriveConnection.h"

#include "QModbusDriveServer.h"
#include "QModbusFrameCodec.h"

#include <QTcpSocket>

QModbusTcpDriveConnection::QModbusTcpDriveConnection(QTcpSocket* socket, QModbusDriveServer* drives,
                                                     const Limits& limits, QObject* parent)
    : QObject(parent), m_socket(socket), m_drives(drives), m_limits(limits)
{
    m_socket->setParent(this);
    m_idle.setSingleShot(true);
    m_idle.setInterval(m_limits.idleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, &QModbusTcpDriveConnection::drop);
    connect(m_socket, &QTcpSocket::readyRead, this, &QModbusTcpDriveConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &QModbusTcpDriveConnection::end);
}

void QModbusTcpDriveConnection::drop()
{
    m_socket->abort();
    end();
}

void QModbusTcpDriveConnection::end()
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_idle.stop();
    emit finished();
}

qint64 QModbusTcpDriveConnection::unsentBytes() const
{
    return m_socket->bytesToWrite() + m_delayedBytes;
}

void QModbusTcpDriveConnection::onReadyRead()
{
    const QByteArray bytes = m_socket->readAll();
    if (m_closing || m_finished) {
        return; // what comes after garbage is not read
    }
    m_buffer.append(bytes);
    QModbusFrameCodec::Request request;
    QModbusFrameCodec::enResult result;
    while ((result = QModbusFrameCodec::takeTcpRequest(&m_buffer, &request)) == QModbusFrameCodec::Frame) {
        const QModbusDriveServer::Reply reply = m_drives->handle(request.unit, request.pdu);
        if (!reply.send) {
            continue;
        }
        const QByteArray frame =
            m_replyFramer ? m_replyFramer(request.transaction, request.unit, reply.pdu)
                          : QModbusFrameCodec::tcpReply(request.transaction, request.unit, reply.pdu);
        if (reply.delayMs <= 0) {
            send(frame);
        } else {
            m_delayedBytes += frame.size();
            QTimer::singleShot(reply.delayMs, this, [this, frame]() {
                m_delayedBytes -= frame.size();
                send(frame);
                closeWhenAnswered();
            });
        }
        if (m_finished || unsentBytes() > m_limits.maxUnsentBytes) {
            drop(); // the client does not read its replies
            return;
        }
    }
    if (result == QModbusFrameCodec::Garbage) {
        m_closing = true;
        m_buffer.clear();
        m_idle.start(); // a client that does not read the replies still goes in the end
        closeWhenAnswered();
        return;
    }
    // The idle timer runs from the first byte of a frame, so that trickling bytes cannot stretch it.
    if (m_buffer.isEmpty()) {
        m_idle.stop();
    } else if (!m_idle.isActive()) {
        m_idle.start();
    }
}

void QModbusTcpDriveConnection::send(const QByteArray& frame)
{
    if (m_finished || m_socket->state() != QAbstractSocket::ConnectedState) {
        return;
    }
    m_socket->write(frame);
    if (unsentBytes() > m_limits.maxUnsentBytes) {
        drop();
    }
}

void QModbusTcpDriveConnection::closeWhenAnswered()
{
    if (m_closing && !m_finished && m_delayedBytes == 0) {
        m_socket->disconnectFromHost(); // after the replies written so far
    }
}
