#include "QDriveSimProcesses.h"

#include "QDriveCatalogue.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QProjectCore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>

namespace {
const int kStopWaitMs = 2000;
}

QDriveSimProcesses::QDriveSimProcesses(QObject* parent) : QObject(parent) {}

QDriveSimProcesses::~QDriveSimProcesses()
{
    stopAll();
}

QString QDriveSimProcesses::programPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("servo-drive-sim"));
}

QString QDriveSimProcesses::logPath(const QString& alias)
{
    QString name = alias;
    name.replace(QRegExp(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QDir(QLibSetting::self()->dataDir())
        .filePath(QStringLiteral("log/servo-drive-sim-%1.log").arg(name));
}

int QDriveSimProcesses::freeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) {
        return 0;
    }
    return probe.serverPort();
}

bool QDriveSimProcesses::start(const QString& alias, const QDriveModelPtr& model,
                               QDriveLinkSettings* settings, QString* error)
{
    stop(alias);
    const QString program = programPath();
    const int port = freeLoopbackPort();
    if (!QFileInfo(program).isExecutable() || port == 0) {
        if (error) {
            *error = tr("STR_SIM_SERVER_NOT_STARTED").arg(alias, program);
        }
        return false;
    }
    QDir().mkpath(QFileInfo(logPath(alias)).absolutePath());
    const QStringList arguments = {QStringLiteral("--model"),
                                   model->modelName,
                                   QStringLiteral("--unit"),
                                   QString::number(settings->unitId),
                                   QStringLiteral("--port"),
                                   QString::number(port),
                                   QStringLiteral("--drives"),
                                   QProjectCore::self()->getCatalogue()->directory(),
                                   QStringLiteral("--verbose"),
                                   QStringLiteral("--log"),
                                   logPath(alias),
                                   QStringLiteral("--watch-stdin")};
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    m_processes.insert(alias, process);
    settings->host = QStringLiteral("127.0.0.1");
    settings->port = port;
    QLibLogger::self()->info(QStringLiteral("servo-drive-sim for %1 on 127.0.0.1:%2, log %3")
                                 .arg(alias)
                                 .arg(port)
                                 .arg(logPath(alias)));
    return true;
}

void QDriveSimProcesses::stop(const QString& alias)
{
    QProcess* process = m_processes.take(alias);
    if (!process) {
        return;
    }
    // Closing its input ends it (--watch-stdin); terminate and kill only when it does not listen.
    process->closeWriteChannel();
    if (!process->waitForFinished(kStopWaitMs)) {
        process->terminate();
        if (!process->waitForFinished(kStopWaitMs)) {
            process->kill();
            process->waitForFinished(kStopWaitMs);
        }
    }
    delete process;
}

void QDriveSimProcesses::stopAll()
{
    const QStringList aliases = m_processes.keys();
    for (const QString& alias : aliases) {
        stop(alias);
    }
}
