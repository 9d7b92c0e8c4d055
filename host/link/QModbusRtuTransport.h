#pragma once

#include "QDriveLinkSettings.h"
#include "QModbusLinkTransport.h"

#include <QElapsedTimer>
#include <QTimer>

class QSerialPort;

// Modbus RTU to a drive on a serial port: frames found by the function's length and checked by CRC,
// unit and function against the request. A request waits until the line has been quiet for the
// silence between frames (3.5 characters) since the last byte received.
class QModbusRtuTransport : public QModbusLinkTransport
{
    Q_OBJECT
public:
    explicit QModbusRtuTransport(const QDriveLinkSettings& settings, QObject* parent = nullptr);

    void open() override;
    void close() override;
    bool isOpen() const override;

protected:
    void write(const QByteArray& frame) override;

private:
    void writeNow();
    void fail(const QString& reason);

    QDriveLinkSettings m_settings;
    QSerialPort* m_port;
    QElapsedTimer m_lastByte;
    QTimer m_gapTimer;
    QByteArray m_pending;
    int m_gapMs = 2;
    int m_attempt = 0; // counts closes, so that news of an attempt already closed is dropped
};
