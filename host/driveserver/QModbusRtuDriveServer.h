#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>

class QModbusDriveServer;

// The Modbus RTU front end of the simulated drives on a serial port (or a pseudo-terminal). Frames
// are found by their length and CRC; a pause on the line starts a new frame; replies for units the
// server does not serve, and broadcasts, stay silent.
class QModbusRtuDriveServer : public QObject
{
    Q_OBJECT
public:
    explicit QModbusRtuDriveServer(QModbusDriveServer* drives, QObject* parent = nullptr);
    ~QModbusRtuDriveServer() override;

    bool open(const QString& portName, int baudRate, QSerialPort::Parity parity, QString* error = nullptr);
    void close();
    bool isOpen() const { return m_port->isOpen(); }

private:
    void onReadyRead();

    QModbusDriveServer* m_drives;
    QSerialPort* m_port;
    QByteArray m_buffer;
    QElapsedTimer m_lastByte;
};
