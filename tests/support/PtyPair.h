#pragma once

#include <QtTest>

// Two pseudo-terminals joined like a cable by socat, for Modbus RTU: the drive's end and the program's end.
class PtyPair
{
public:
    ~PtyPair()
    {
        if (m_socat.state() != QProcess::NotRunning) {
            m_socat.terminate();
            m_socat.waitForFinished(2000);
        }
    }

    // False when socat is missing or did not make the pair.
    bool start()
    {
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        if (socat.isEmpty()) {
            return false;
        }
        m_socat.start(socat, {QStringLiteral("pty,raw,echo=0,link=%1").arg(drive()),
                              QStringLiteral("pty,raw,echo=0,link=%1").arg(program())});
        return m_socat.waitForStarted() &&
               QTest::qWaitFor(
                   [this]() { return QFileInfo::exists(drive()) && QFileInfo::exists(program()); }, 5000);
    }

    bool isRunning() const { return m_socat.state() == QProcess::Running; }
    QString drive() const { return m_dir.filePath(QStringLiteral("drive")); }
    QString program() const { return m_dir.filePath(QStringLiteral("program")); }

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
};
