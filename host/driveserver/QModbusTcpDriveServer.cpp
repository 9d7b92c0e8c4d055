#include "QModbusTcpDriveServer.h"

#include <QTcpServer>
#include <QTcpSocket>

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
    const QList<QModbusTcpDriveConnection*> connections = m_connections;
    m_connections.clear();
    for (QModbusTcpDriveConnection* connection : connections) {
        connection->disconnect(this);
        connection->drop();
        connection->deleteLater();
    }
}

void QModbusTcpDriveServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto* connection = new QModbusTcpDriveConnection(socket, m_drives, m_limits, this);
        connection->setReplyFramer(m_replyFramer);
        m_connections.append(connection);
        connect(connection, &QModbusTcpDriveConnection::finished, this, [this, connection]() {
            m_connections.removeOne(connection);
            connection->deleteLater();
        });
    }
}
