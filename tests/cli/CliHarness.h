#pragma once

#include "PtyPair.h"

#include <QtTest>

// servo-cli run as a user runs it, and the drives it talks to: servo-drive-sim processes on loopback
// TCP, and a pair of pseudo-terminals joined by socat for Modbus RTU.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The data folder every run of the suite shares (its records and settings).
inline QString cliDataDir()
{
    static QTemporaryDir dir;
    return dir.path();
}

// Runs servo-cli with the suite's data folder (added as --data-dir) and waits for it to end.
inline CliRun cli(const QStringList& arguments, const QString& lang = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), lang.isEmpty() ? QStringLiteral("C.UTF-8") : lang);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SERVO_CLI_EXE), QStringList(arguments)
                                                     << QStringLiteral("--data-dir") << cliDataDir());
    CliRun result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("servo-cli did not finish");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// One servo-drive-sim process serving drives on a free loopback port (or on a serial port).
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

    int port = 0;

private:
    QProcess m_process;
};
