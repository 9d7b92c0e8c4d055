#include "QModbusRtuTransport.h"

#include <QSerialPort>

namespace {
QSerialPort::Parity serialParity(QDriveLinkSettings::enParity parity)
{
    switch (parity) {
    case QDriveLinkSettings::ParityEven:
        return QSerialPort::EvenParity;
    case QDriveLinkSettings::ParityOdd:
        return QSerialPort::OddParity;
    default:
        return QSerialPort::NoParity;
    }
}
} // namespace

QModbusRtuTransport::QModbusRtuTransport(const QDriveLinkSettings& settings, QObject* parent)
    : QModbusLinkTransport(QModbusReplyFramer::Rtu, parent), m_settings(settings),
      m_port(new QSerialPort(this))
{
    // 3.5 characters of 11 bits, and never less than the 1.75 ms the standard sets above 19200 baud.
    m_gapMs = qMax(2, (35 * 11 * 1000 / 10 + settings.baudRate - 1) / qMax(1, settings.baudRate));
    m_gapTimer.setSingleShot(true);
    connect(&m_gapTimer, &QTimer::timeout, this, &QModbusRtuTransport::writeNow);
    connect(m_port, &QSerialPort::readyRead, this, [this]() {
        m_lastByte.restart();
        receive(m_port->readAll());
    });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError && m_port->isOpen()) {
            fail(m_port->errorString());
        }
    });
}

void QModbusRtuTransport::open()
{
    close();
    m_port->setPortName(m_settings.serialPort);
    m_port->setBaudRate(m_settings.baudRate);
    m_port->setParity(serialParity(m_settings.parity));
    m_port->setDataBits(static_cast<QSerialPort::DataBits>(m_settings.dataBits));
    m_port->setStopBits(m_settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    const bool ok = m_port->open(QIODevice::ReadWrite);
    const QString why = m_port->errorString();
    m_lastByte.start();
    const int attempt = m_attempt;
    // Never from inside the call: the link hears of it on the next pass of the loop.
    QMetaObject::invokeMethod(
        this,
        [this, ok, why, attempt]() {
            if (attempt != m_attempt) {
                return; // closed since
            }
            if (ok) {
                emit opened();
            } else {
                emit closed(why);
            }
        },
        Qt::QueuedConnection);
}

void QModbusRtuTransport::close()
{
    ++m_attempt;
    m_gapTimer.stop();
    m_pending.clear();
    if (m_port->isOpen()) {
        const QSignalBlocker quiet(m_port);
        m_port->close();
    }
    resetFraming();
}

bool QModbusRtuTransport::isOpen() const
{
    return m_port->isOpen();
}

void QModbusRtuTransport::write(const QByteArray& frame)
{
    m_pending = frame;
    const qint64 quiet = m_lastByte.elapsed();
    if (quiet >= m_gapMs) {
        writeNow();
        return;
    }
    m_gapTimer.start(int(m_gapMs - quiet));
}

void QModbusRtuTransport::writeNow()
{
    if (m_pending.isEmpty() || !m_port->isOpen()) {
        return;
    }
    m_port->write(m_pending);
    m_pending.clear();
}

void QModbusRtuTransport::fail(const QString& reason)
{
    close();
    emit closed(reason);
}
