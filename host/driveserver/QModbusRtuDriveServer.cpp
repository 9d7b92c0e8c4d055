#include "QModbusRtuDriveServer.h"

#include "QModbusDriveServer.h"
#include "QModbusFrameCodec.h"

#include <QPointer>
#include <QTimer>

namespace {
// Silence after which what is buffered is a torn frame, not the start of the next one.
const int kFrameGapMs = 50;
} // namespace

QModbusRtuDriveServer::QModbusRtuDriveServer(QModbusDriveServer* drives, QObject* parent)
    : QObject(parent), m_drives(drives), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &QModbusRtuDriveServer::onReadyRead);
}

QModbusRtuDriveServer::~QModbusRtuDriveServer()
{
    close();
}

bool QModbusRtuDriveServer::open(const QString& portName, int baudRate, QSerialPort::Parity parity,
                                 QString* error)
{
    m_port->setPortName(portName);
    m_port->setBaudRate(baudRate);
    m_port->setParity(parity);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setStopBits(QSerialPort::OneStop);
    if (m_port->open(QIODevice::ReadWrite)) {
        m_lastByte.start();
        return true;
    }
    if (error) {
        *error = m_port->errorString();
    }
    return false;
}

void QModbusRtuDriveServer::close()
{
    if (m_port->isOpen()) {
        m_port->close();
    }
    m_buffer.clear();
}

void QModbusRtuDriveServer::onReadyRead()
{
    if (m_lastByte.elapsed() > kFrameGapMs) {
        m_buffer.clear();
    }
    m_lastByte.restart();
    m_buffer.append(m_port->readAll());
    QModbusFrameCodec::Request request;
    QModbusFrameCodec::enResult result;
    while ((result = QModbusFrameCodec::takeRtuRequest(&m_buffer, &request)) != QModbusFrameCodec::NeedMore) {
        if (result != QModbusFrameCodec::Frame || request.unit == 0) {
            continue;
        }
        const QModbusDriveServer::Reply reply = m_drives->handle(request.unit, request.pdu);
        if (!reply.send) {
            continue;
        }
        const QByteArray frame = QModbusFrameCodec::rtuReply(request.unit, reply.pdu);
        QPointer<QSerialPort> port(m_port);
        QTimer::singleShot(reply.delayMs, this, [port, frame]() {
            if (port && port->isOpen()) {
                port->write(frame);
            }
        });
    }
}
