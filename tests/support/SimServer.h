#pragma once

#include <QtTest>

// One servo-drive-sim process serving drives on a free loopback port (or on a serial port); the suite
// defines SERVO_DRIVE_SIM_EXE.
class SimServer
{
public:
    ~SimServer() { stop(); }

    // Starts it with the arguments (--watch-stdin and, unless serial, --port 0 added) and waits until it
    // serves. False when it did not.
    bool start(const QStringList& arguments, bool serial = false)
    {
        QStringList args = arguments;
        args << QStringLiteral("--watch-stdin");
        if (!serial) {
            args << QStringLiteral("--port") << QStringLiteral("0");
        }
        m_process.start(QStringLiteral(SERVO_DRIVE_SIM_EXE), args);
        if (!m_process.waitForStarted()) {
            return false;
        }
        const QRegularExpression serving(serial ? QStringLiteral("serving Modbus RTU")
                                                : QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
        // Under the sanitizers, beside other suites starting simulators, coming up can take many seconds.
        QString out;
        const bool up = QTest::qWaitFor(
            [&]() {
                out += QString::fromUtf8(m_process.readAllStandardOutput());
                return serving.match(out).hasMatch() || m_process.state() == QProcess::NotRunning;
            },
            30000);
        if (!up || !serving.match(out).hasMatch()) {
            return false;
        }
        port = serial ? 0 : serving.match(out).captured(1).toInt();
        return true;
    }

    QString tcp(int unit = 1) const { return QStringLiteral("tcp:127.0.0.1:%1/%2").arg(port).arg(unit); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning) {
            return;
        }
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    QProcess& process() { return m_process; }

    int port = 0;

private:
    QProcess m_process;
};
