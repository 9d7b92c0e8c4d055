#pragma once

#include <QHash>
#include <QHostAddress>
#include <QObject>

class QModbusDriveServer;
class QTcpServer;
class QTcpSocket;

// The Modbus TCP front end of the simulated drives: listens on an address and port, takes request
// frames from every connection, and sends each reply (after its delay) to the connection that asked.
// A connection that sends what cannot be a Modbus frame is closed.
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
    int connectionCount() const { return m_buffers.size(); }

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);

    QModbusDriveServer* m_drives;
    QTcpServer* m_server;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
