#pragma once

#include "QModbusLinkTransport.h"

#include <QTimer>

class QTcpSocket;

// Modbus TCP to a drive: our own MBAP framing on a QTcpSocket, so that the transaction id, the unit id
// and the frame length of every reply are checked (QModbusTcpClient shows none of them). A connection
// that is not made within the timeout is given up.
class QModbusTcpTransport : public QModbusLinkTransport
{
    Q_OBJECT
public:
    QModbusTcpTransport(const QString& host, int port, int connectTimeoutMs, QObject* parent = nullptr);

    void open() override;
    void close() override;
    bool isOpen() const override;

protected:
    void write(const QByteArray& frame) override;

private:
    void fail(const QString& reason);

    QString m_host;
    quint16 m_port;
    QTcpSocket* m_socket;
    QTimer m_connectTimer;
    bool m_active = false; // between open() and the close that ends it
};
