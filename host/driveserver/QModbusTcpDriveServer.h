#pragma once

#include "QModbusTcpDriveConnection.h"

#include <QHostAddress>
#include <QList>
#include <QObject>

class QModbusDriveServer;
class QTcpServer;

// The Modbus TCP front end of the simulated drives: listens on an address and port and serves every
// connection (QModbusTcpDriveConnection) within the same limits.
class QModbusTcpDriveServer : public QObject
{
    Q_OBJECT
public:
    explicit QModbusTcpDriveServer(QModbusDriveServer* drives, QObject* parent = nullptr);
    ~QModbusTcpDriveServer() override;

    // Port 0 takes a free port; see port().
    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 port() const;
    bool isListening() const;
    // Stops listening and drops every connection (a drive that vanished from the network).
    void close();
    int connectionCount() const { return m_connections.size(); }

    // For connections made from now on.
    void setLimits(const QModbusTcpDriveConnection::Limits& limits) { m_limits = limits; }
    const QModbusTcpDriveConnection::Limits& limits() const { return m_limits; }
    void setReplyFramer(const QModbusTcpDriveConnection::ReplyFramer& framer) { m_replyFramer = framer; }

private:
    void onNewConnection();

    QModbusDriveServer* m_drives;
    QTcpServer* m_server;
    QModbusTcpDriveConnection::Limits m_limits;
    QModbusTcpDriveConnection::ReplyFramer m_replyFramer;
    QList<QModbusTcpDriveConnection*> m_connections;
};
