#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

// A TCP proxy on 127.0.0.1 in front of a Modbus server, for tests: requests pass through unchanged;
// replies pass through, or are replaced by bytes a confused drive might send.
class GarblingProxy : public QObject
{
public:
    enum Mode
    {
        Pass,
        Noise,         // bytes that are no Modbus frame at all
        StalledHeader, // the request's transaction id, then a length that never arrives
        NoRegisters,   // a well-formed answer without registers, whatever was asked
        Silence        // nothing
    };

    explicit GarblingProxy(quint16 upstreamPort) : m_upstreamPort(upstreamPort)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &GarblingProxy::accept);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    quint16 port() const { return m_server.serverPort(); }
    void setMode(Mode mode) { m_mode = mode; }
    int connections() const { return m_connections; }

private:
    void accept()
    {
        while (QTcpSocket* client = m_server.nextPendingConnection()) {
            ++m_connections;
            auto* upstream = new QTcpSocket(client);
            upstream->connectToHost(QHostAddress::LocalHost, m_upstreamPort);
            connect(client, &QTcpSocket::readyRead, upstream,
                    [client, upstream]() { upstream->write(client->readAll()); });
            connect(upstream, &QTcpSocket::readyRead, client,
                    [this, client, upstream]() { client->write(garble(upstream->readAll())); });
            connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        }
    }

    QByteArray garble(const QByteArray& reply) const
    {
        switch (m_mode) {
        case Pass:
            return reply;
        case Noise:
            return QByteArray::fromHex("ffee00c3a5017f7f00000000deadbeef0102030405");
        case StalledHeader:
            return reply.left(2) + QByteArray::fromHex("000000ff") + reply.mid(6, 1) +
                   QByteArray::fromHex("03");
        case NoRegisters:
            return reply.left(2) + QByteArray::fromHex("00000003") + reply.mid(6, 1) +
                   QByteArray::fromHex("0300");
        case Silence:
            return QByteArray();
        }
        return reply;
    }

    QTcpServer m_server;
    quint16 m_upstreamPort;
    Mode m_mode = Pass;
    int m_connections = 0;
};
