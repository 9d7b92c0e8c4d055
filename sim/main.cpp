// servo-drive-sim: simulated servo drives served on Modbus TCP or RTU.
#include "QDriveCatalogue.h"
#include "QDriveSimOptions.h"
#include "QModbusDriveServer.h"
#include "QModbusRtuDriveServer.h"
#include "QModbusTcpDriveServer.h"
#include "QSimulatedDriveCore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <unistd.h>

namespace {
const int kExitBadArguments = 2;
const int kExitCannotServe = 1;

QFile* logFile()
{
    static QFile file;
    return &file;
}

void say(const QString& line)
{
    const QString stamped = QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + line;
    QTextStream out(stdout);
    out << stamped << Qt::endl;
    if (logFile()->isOpen()) {
        logFile()->write(stamped.toUtf8() + '\n');
        logFile()->flush();
    }
}

int fail(const QString& message, int code)
{
    QTextStream(stderr) << "servo-drive-sim: " << message << Qt::endl;
    return code;
}

// Adds every drive of the command line; false with a message.
bool addDrives(const QDriveSimOptions& options, const QDriveCatalogue& catalogue, QModbusDriveServer* server,
               QString* error)
{
    int nextUnit = 1;
    for (const QDriveSimOptions::Drive& d : options.drives) {
        const QDriveModelPtr model = catalogue.model(d.model);
        if (!model) {
            *error = QStringLiteral("no drive model \"%1\" (known: %2)")
                         .arg(d.model, catalogue.modelNames().join(QStringLiteral(", ")));
            return false;
        }
        const int unit = d.unit > 0 ? d.unit : nextUnit;
        QSimulatedDriveCore* core = server->addDrive(model, unit, error);
        if (!core) {
            return false;
        }
        core->setFaultSwitches(options.switches);
        for (const QString& code : d.faults) {
            if (!core->raiseFault(code)) {
                *error = QStringLiteral("the %1 has no fault \"%2\"").arg(model->modelName, code);
                return false;
            }
        }
        nextUnit = unit + model->axisNum;
        say(QStringLiteral("%1 on unit %2%3")
                .arg(model->modelName)
                .arg(unit)
                .arg(model->axisNum > 1 ? QStringLiteral(" to %1").arg(unit + model->axisNum - 1)
                                        : QString()));
    }
    return true;
}

QSerialPort::Parity parityOf(const QString& name)
{
    if (name == QLatin1String("none")) {
        return QSerialPort::NoParity;
    }
    return name == QLatin1String("odd") ? QSerialPort::OddParity : QSerialPort::EvenParity;
}

// Quits when the parent process closes our standard input (or dies).
void watchStdin(QCoreApplication* app)
{
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [notifier]() {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof(buffer)) <= 0) {
            notifier->setEnabled(false);
            QCoreApplication::quit();
        }
    });
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("servo-drive-sim"));
    QDriveSimOptions options;
    QString error;
    if (!options.parse(QCoreApplication::arguments(), &error)) {
        return fail(error + QStringLiteral("\n") + QDriveSimOptions::helpText(), kExitBadArguments);
    }
    if (options.help) {
        QTextStream(stdout) << QDriveSimOptions::helpText();
        return 0;
    }
    QDriveCatalogue catalogue;
    catalogue.loadDirectory(options.drivesDir.isEmpty() ? QDriveCatalogue::defaultDirectory()
                                                        : options.drivesDir);
    for (const QString& problem : catalogue.loadErrors()) {
        QTextStream(stderr) << "servo-drive-sim: " << problem << Qt::endl;
    }
    if (options.listModels) {
        QTextStream(stdout) << catalogue.modelNames().join(QLatin1Char('\n')) << Qt::endl;
        return 0;
    }
    if (!options.logFile.isEmpty()) {
        logFile()->setFileName(options.logFile);
        if (!logFile()->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            return fail(QStringLiteral("cannot write %1: %2").arg(options.logFile, logFile()->errorString()),
                        kExitBadArguments);
        }
    }
    QModbusDriveServer server;
    server.setReplyDelay(options.replyDelayMs);
    server.setVerbose(options.verbose);
    QObject::connect(&server, &QModbusDriveServer::requestLogged, &say);
    if (!addDrives(options, catalogue, &server, &error)) {
        return fail(error, kExitBadArguments);
    }
    QModbusTcpDriveServer tcp(&server);
    QModbusTcpDriveConnection::Limits limits;
    limits.idleTimeoutMs = options.idleTimeoutS * 1000;
    tcp.setLimits(limits);
    QModbusRtuDriveServer rtu(&server);
    if (!options.serialPort.isEmpty()) {
        if (!rtu.open(options.serialPort, options.baudRate, parityOf(options.parity), &error)) {
            return fail(QStringLiteral("cannot open %1: %2").arg(options.serialPort, error),
                        kExitCannotServe);
        }
        say(QStringLiteral("serving Modbus RTU on %1, %2 baud")
                .arg(options.serialPort)
                .arg(options.baudRate));
    } else {
        if (!tcp.listen(options.bind, static_cast<quint16>(options.port), &error)) {
            return fail(QStringLiteral("cannot listen on %1:%2: %3")
                            .arg(options.bind.toString())
                            .arg(options.port)
                            .arg(error),
                        kExitCannotServe);
        }
        say(QStringLiteral("listening on %1:%2").arg(options.bind.toString()).arg(tcp.port()));
    }
    if (options.watchStdin) {
        watchStdin(&app);
    }
    return QCoreApplication::exec();
}
