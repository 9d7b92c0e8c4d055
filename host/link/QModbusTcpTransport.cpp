#include "QModbusTcpTransport.h"

#include <QTcpSocket>

QModbusTcpTransport::QModbusTcpTransport(const QString& host, int port, int connectTimeoutMs, QObject* parent)
    : QModbusLinkTransport(QModbusReplyFramer::Tcp, parent), m_host(host), m_port(static_cast<quint16>(port)),
      m_socket(new QTcpSocket(this))
{
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(connectTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, [this]() { fail(tr("STR_LINK_CONNECT_TIMEOUT")); });
    connect(m_socket, &QTcpSocket::connected, this, [this]() {
        m_connectTimer.stop();
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit opened();
    });
    connect(m_socket, &QTcpSocket::readyRead, this, [this]() { receive(m_socket->readAll()); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this]() { fail(m_socket->errorString()); });
    connect(m_socket, &QTcpSocket::disconnected, this, [this]() { fail(QString()); });
}

void QModbusTcpTransport::open()
{
    close();
    m_active = true;
    m_connectTimer.start();
    m_socket->connectToHost(m_host, m_port);
}

void QModbusTcpTransport::close()
{
    m_active = false;
    m_connectTimer.stop();
    const QSignalBlocker quiet(m_socket); // a close asked for is no loss to report
    m_socket->abort();
    resetFraming();
}

bool QModbusTcpTransport::isOpen() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void QModbusTcpTransport::write(const QByteArray& frame)
{
    m_socket->write(frame);
}

void QModbusTcpTransport::fail(const QString& reason)
{
    if (!m_active) {
        return; // already told, or closed on purpose
    }
    close();
    emit closed(reason);
}
