#include "QModbusTcpDriveServer.h"

#include "QModbusDriveServer.h"
#include "QModbusFrameCodec.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
const int kMaxBuffered = 64 * 1024;
}

QModbusTcpDriveServer::QModbusTcpDriveServer(QModbusDriveServer* drives, QObject* parent)
    : QObject(parent), m_drives(drives), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &QModbusTcpDriveServer::onNewConnection);
}

QModbusTcpDriveServer::~QModbusTcpDriveServer()
{
    close();
}

bool QModbusTcpDriveServer::listen(const QHostAddress& address, quint16 port, QString* error)
{
    if (m_server->listen(address, port)) {
        return true;
    }
    if (error) {
        *error = m_server->errorString();
    }
    return false;
}

quint16 QModbusTcpDriveServer::port() const
{
    return m_server->serverPort();
}

bool QModbusTcpDriveServer::isListening() const
{
    return m_server->isListening();
}

void QModbusTcpDriveServer::close()
{
    m_server->close();
    const QList<QTcpSocket*> sockets = m_buffers.keys();
    m_buffers.clear();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void QModbusTcpDriveServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        m_buffers.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket]() {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void QModbusTcpDriveServer::onReadyRead(QTcpSocket* socket)
{
    auto it = m_buffers.find(socket);
    if (it == m_buffers.end()) {
        return;
    }
    it->append(socket->readAll());
    QModbusFrameCodec::Request request;
    QModbusFrameCodec::enResult result;
    while ((result = QModbusFrameCodec::takeTcpRequest(&it.value(), &request)) == QModbusFrameCodec::Frame) {
        const QModbusDriveServer::Reply reply = m_drives->handle(request.unit, request.pdu);
        if (!reply.send) {
            continue;
        }
        const QByteArray frame = QModbusFrameCodec::tcpReply(request.transaction, request.unit, reply.pdu);
        if (reply.delayMs <= 0) {
            socket->write(frame);
            continue;
        }
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(reply.delayMs, this, [guard, frame]() {
            if (guard && guard->state() == QAbstractSocket::ConnectedState) {
                guard->write(frame);
            }
        });
    }
    if (result == QModbusFrameCodec::Garbage || it->size() > kMaxBuffered) {
        m_buffers.erase(it);
        socket->abort();
        socket->deleteLater();
    }
}
