#pragma once

#include "PtyPair.h"
#include "SimServer.h"

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
