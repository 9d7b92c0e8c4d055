// servo-cli download into sixteen servo-drive-sim drives on Modbus TCP (every writable setting of the
// largest shipped model), one drive at a time (--jobs 1) against four at once (--jobs 4). One drive refuses
// writes and must fail alone. Prints, side by side: the wall time, the Modbus requests each drive served
// (counted in the simulators' request logs), and the verdicts.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <memory>
#include <vector>

namespace {
const int kDrives = 16;
const int kRefusing = 6; // the drive that refuses writes
const char kModel[] = "SD330";

struct Sim
{
    std::unique_ptr<QProcess> process;
    QString log;
    int port = 0;
};

struct Run
{
    double seconds = 0;
    QVector<int> requests; // per drive
    QStringList failed;
    int exitCode = -1;
};

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

bool startSim(Sim* sim, const QString& log, bool refuse)
{
    sim->log = log;
    sim->process = std::make_unique<QProcess>();
    QStringList args{"--model", kModel, "--port", "0", "--verbose", "--log", log, "--watch-stdin"};
    if (refuse) {
        args << "--refuse-writes"
             << "Servo enabled";
    }
    // Every request is a line on its standard output too: nobody reads it, so it goes nowhere.
    sim->process->setStandardOutputFile(QProcess::nullDevice());
    sim->process->start(QStringLiteral(SERVO_DRIVE_SIM_EXE), args);
    if (!sim->process->waitForStarted()) {
        return false;
    }
    const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QRegularExpressionMatch match = listening.match(QString::fromUtf8(file.readAll()));
            if (match.hasMatch()) {
                sim->port = match.captured(1).toInt();
                return true;
            }
        }
        QThread::msleep(20);
    }
    return false;
}

// Requests a drive served so far: the verbose log has one line per request ("unit 1 (SD330 X) read ...").
int loggedRequests(const QString& log)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return 0;
    }
    static const QRegularExpression request(QStringLiteral("unit \\d+ \\(.*\\) (read|write) "));
    int count = 0;
    while (!file.atEnd()) {
        if (request.match(QString::fromUtf8(file.readLine())).hasMatch()) {
            ++count;
        }
    }
    return count;
}

int runCli(const QStringList& arguments, const QString& dataDir, QByteArray* stdoutText = nullptr)
{
    QProcess cli;
    cli.start(QStringLiteral(SERVO_CLI_EXE), arguments + QStringList{"--quiet", "--data-dir", dataDir});
    if (!cli.waitForFinished(600000)) {
        cli.kill();
        cli.waitForFinished();
        return -1;
    }
    if (stdoutText) {
        *stdoutText = cli.readAllStandardOutput();
    }
    return cli.exitCode();
}

Run download(const std::vector<Sim>& sims, const QString& file, int jobs, const QString& dataDir)
{
    QStringList targets;
    QVector<int> before;
    for (const Sim& sim : sims) {
        targets << QStringLiteral("tcp:127.0.0.1:%1").arg(sim.port);
        before << loggedRequests(sim.log);
    }
    Run run;
    QByteArray json;
    QElapsedTimer timer;
    timer.start();
    run.exitCode = runCli(
        QStringList{"download", file, "--jobs", QString::number(jobs), "--format", "json", "--to"} + targets,
        dataDir, &json);
    run.seconds = timer.elapsed() / 1000.0;
    // The simulators write their logs as they serve: give the last lines a moment to land.
    QThread::msleep(200);
    for (size_t i = 0; i < sims.size(); ++i) {
        run.requests << loggedRequests(sims[i].log) - before.at(int(i));
    }
    for (const QJsonValue& drive : QJsonDocument::fromJson(json).object().value("drives").toArray()) {
        if (!drive.toObject().value("ok").toBool()) {
            run.failed << drive.toObject().value("drive").toString();
        }
    }
    return run;
}

QString requestsText(const QVector<int>& requests, int skip)
{
    QVector<int> counted;
    for (int i = 0; i < requests.size(); ++i) {
        if (i != skip) {
            counted << requests.at(i);
        }
    }
    std::sort(counted.begin(), counted.end());
    long sum = 0;
    for (int n : counted) {
        sum += n;
    }
    return QStringLiteral("%1 (%2-%3)")
        .arg(counted.isEmpty() ? 0 : double(sum) / counted.size(), 0, 'f', 1)
        .arg(counted.isEmpty() ? 0 : counted.first())
        .arg(counted.isEmpty() ? 0 : counted.last());
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::vector<Sim> sims(kDrives);
    for (int i = 0; i < kDrives; ++i) {
        if (!startSim(&sims[size_t(i)], dir.filePath(QStringLiteral("sim%1.log").arg(i)), i == kRefusing)) {
            out() << "servo-drive-sim did not start" << Qt::endl;
            return 1;
        }
    }
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString file = dir.filePath(QStringLiteral("golden.funcodeservo"));
    if (runCli({"backup", QStringLiteral("sim:%1").arg(kModel), file}, data) != 0) {
        out() << "servo-cli backup failed" << Qt::endl;
        return 1;
    }
    const Run one = download(sims, file, 1, data);
    const Run four = download(sims, file, 4, data);
    const QString refusing = QStringLiteral("tcp:127.0.0.1:%1").arg(sims[kRefusing].port);
    out() << QStringLiteral(
                 "servo-cli download of every %1 setting into %2 servo-drive-sim drives on Modbus TCP")
                 .arg(kModel)
                 .arg(kDrives)
          << Qt::endl;
    const QString format = QStringLiteral("%1 %2 %3");
    out() << format.arg(QString(), -34).arg("--jobs 1", -22).arg("--jobs 4") << Qt::endl;
    out() << format.arg("wall time (s)", -34)
                 .arg(QString::number(one.seconds, 'f', 2), -22)
                 .arg(QString::number(four.seconds, 'f', 2))
          << Qt::endl;
    out() << format.arg("requests per drive, mean (min-max)", -34)
                 .arg(requestsText(one.requests, kRefusing), -22)
                 .arg(requestsText(four.requests, kRefusing))
          << Qt::endl;
    out() << format.arg("requests to the refusing drive", -34)
                 .arg(one.requests.value(kRefusing), -22)
                 .arg(four.requests.value(kRefusing))
          << Qt::endl;
    const auto alone = [&refusing](const Run& run) {
        return run.failed == QStringList{refusing} && run.exitCode == 5 ? QStringLiteral("yes")
                                                                        : run.failed.join(QLatin1Char(' '));
    };
    out() << format.arg("only the refusing drive failed", -34).arg(alone(one), -22).arg(alone(four))
          << Qt::endl;
    out() << format.arg("speed-up", -34)
                 .arg(QString(), -22)
                 .arg(QString::number(four.seconds > 0 ? one.seconds / four.seconds : 0, 'f', 2))
          << Qt::endl;
    for (Sim& sim : sims) {
        sim.process->closeWriteChannel();
        sim.process->waitForFinished(3000);
    }
    return alone(one) == QLatin1String("yes") && alone(four) == QLatin1String("yes") ? 0 : 1;
}
