// A line of 64 drives of the largest shipped model on Modbus TCP, every one on a link (a connection) of its
// own, all served by one servo-drive-sim process on one port (unit ids 1, 4, 7, ...), in a project that is
// generated here. Prints, measured in the same run:
// - start-up: opening the project until every drive is online;
// - memory per drive: the growth of this process's resident memory over the project, once every drive has
//   been read whole;
// - link requests per second while one drive's longest group is shown, against a bare QModbusTcpClient
//   polling the same register blocks at the same interval alone; the other drives answer only their
//   status poll, printed apart;
// - a batch download of one parameter set (one drive's every writable setting, on every axis) into 8, 16,
//   32 and 64 drives, QServoBatchLine's default number at once, on the batch-download window's line with
//   the window's own steps around each drive (the motor type first, the drive's own copy of the records):
//   the time per drive, and the CPU time per drive of this process and of the simulator (which a machine
//   busy with other work leaves as it is).
// Requests are counted by the simulator: its verbose log holds one line per request.
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QFuncodeView_Servo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QServoBatchLine.h"
#include "QServoFuncodeBatchDownloadDlg.h"
#include "QServoStatusPoll.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QModbusTcpClient>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <functional>
#include <unistd.h>

namespace {
const int kDrives = 64;
const int kWindowMs = 5000;

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    static const QRegularExpression rss(QStringLiteral("VmRSS:\\s*(\\d+) kB"));
    return rss.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// Runs the event loop until the condition holds or the time is up. The condition is looked at every few
// milliseconds from a timer: a loop that only processed the events there are would spin (a poll of every
// drive's socket, thousands of times a second), taking a core from the simulator and the line it measures.
bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&]() {
        if (condition() || timer.elapsed() > timeoutMs) {
            loop.quit();
        }
    });
    check.start(2);
    if (!condition()) {
        loop.exec();
    }
    return condition();
}

// CPU time (ms) this process and the simulator have used: what a download costs per drive, which a busy
// machine leaves as it is while it stretches the wall-clock time.
double ownCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double processCpuMs(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    // After the command name: state is field 3, utime and stime fields 14 and 15, in clock ticks.
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    return (fields.value(11).toLongLong() + fields.value(12).toLongLong()) * 1000.0 / sysconf(_SC_CLK_TCK);
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The simulator's requests since the last mark, read from its log as it grows.
class RequestLog
{
public:
    struct Read
    {
        int unit;
        int address;
        int count;
        bool operator==(const Read& o) const
        {
            return unit == o.unit && address == o.address && count == o.count;
        }
    };

    explicit RequestLog(const QString& path) : m_file(path) {}

    // Takes the lines written since the last call: requests per unit, and the reads they were.
    QHash<int, int> take(QList<Read>* reads = nullptr)
    {
        QHash<int, int> perUnit;
        if (!m_file.isOpen() && !m_file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return perUnit;
        }
        static const QRegularExpression line(
            QStringLiteral("unit (\\d+) \\(.*\\) (read|write) 0x([0-9A-Fa-f]+)\\+(\\d+)"));
        while (true) {
            const QByteArray bytes = m_file.readLine();
            if (bytes.isEmpty()) {
                break;
            }
            const QRegularExpressionMatch m = line.match(QString::fromUtf8(bytes));
            if (!m.hasMatch()) {
                continue;
            }
            const int unit = m.captured(1).toInt();
            ++perUnit[unit];
            if (reads && m.captured(2) == QLatin1String("read")) {
                reads->append({unit, m.captured(3).toInt(nullptr, 16), m.captured(4).toInt()});
            }
        }
        return perUnit;
    }

private:
    QFile m_file;
};

int sum(const QHash<int, int>& perUnit, const std::function<bool(int)>& which)
{
    int total = 0;
    for (auto it = perUnit.cbegin(); it != perUnit.cend(); ++it) {
        total += which(it.key()) ? it.value() : 0;
    }
    return total;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QString error;
    if (!QTestHost::setUp(&error)) {
        out() << "cannot set up the host: " << error << Qt::endl;
        return 1;
    }
    QProjectCore* core = QProjectCore::self();
    QDriveModelPtr model;
    for (const QDriveModelPtr& candidate : core->getCatalogue()->models()) {
        if (!model || candidate->codeCount() * candidate->axisNum > model->codeCount() * model->axisNum) {
            model = candidate;
        }
    }
    QTemporaryDir dir;
    const QString logPath = dir.filePath("sim.log");
    QStringList args{"--port", "0", "--verbose", "--log", logPath, "--watch-stdin"};
    for (int i = 0; i < kDrives; ++i) {
        args << "--model" << model->modelName;
    }
    QProcess sim;
    sim.setStandardOutputFile(QProcess::nullDevice());
    sim.start(QStringLiteral(SERVO_DRIVE_SIM_EXE), args);
    int port = 0;
    const bool listening = waitFor(
        [&]() {
            QFile log(logPath);
            static const QRegularExpression said(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
            const QRegularExpressionMatch m =
                log.open(QIODevice::ReadOnly) ? said.match(QString::fromUtf8(log.readAll())) : said.match("");
            port = m.hasMatch() ? m.captured(1).toInt() : 0;
            return port > 0;
        },
        20000);
    if (!listening) {
        out() << "servo-drive-sim did not start" << Qt::endl;
        return 1;
    }
    RequestLog requests(logPath);
    requests.take();
    out() << QStringLiteral(
                 "%1 drives of the %2 (%3 codes, %4 axes) on Modbus TCP, one servo-drive-sim on port %5")
                 .arg(kDrives)
                 .arg(model->modelName)
                 .arg(model->codeCount())
                 .arg(model->axisNum)
                 .arg(port)
          << Qt::endl;
    out() << "load average: " << QString::fromLatin1([] {
        QFile f("/proc/loadavg");
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
    }()) << Qt::endl;

    // The project file, written here as the workbench writes it, and opened as a person opens it; no
    // drive has been made in this process before, so that the memory they take is measured.
    QStringList aliases;
    QJsonArray entries;
    for (int i = 0; i < kDrives; ++i) {
        aliases << QStringLiteral("line%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        entries.append(QJsonObject{
            {"alias", aliases.last()},
            {"model", model->modelName},
            {"link", QDriveLinkSettings::tcp("127.0.0.1", port, 1 + i * model->axisNum).toJson()}});
    }
    const QString projectPath = dir.filePath("line.json");
    QFile project(projectPath);
    if (!project.open(QIODevice::WriteOnly) ||
        project.write(QJsonDocument(QJsonObject{{"format", 1}, {"devices", entries}}).toJson()) < 0) {
        out() << "cannot write " << projectPath << Qt::endl;
        return 1;
    }
    project.close();
    const qint64 rssBefore = residentKb();
    QElapsedTimer startup;
    startup.start();
    if (!core->openProject(projectPath, &error)) {
        out() << error << Qt::endl;
        return 1;
    }
    QDeviceManager* devices = core->getDevMgr();
    const auto allOnline = [&]() {
        for (const QString& alias : aliases) {
            QDeviceServo* device = devices->getDeviceServo(alias);
            if (!device || !device->isDeviceOnline()) {
                return false;
            }
        }
        return true;
    };
    if (!waitFor(allOnline, 20000)) {
        out() << "not every drive came online" << Qt::endl;
        return 1;
    }
    const double startupMs = startup.nsecsElapsed() / 1e6;
    QElapsedTimer wholeRead;
    wholeRead.start();
    const bool readWhole = waitFor(
        [&]() {
            for (const QString& alias : aliases) {
                if (devices->getDeviceServo(alias)->isReadBusy()) {
                    return false;
                }
            }
            return true;
        },
        300000);
    const double wholeReadS = (startupMs + wholeRead.nsecsElapsed() / 1e6) / 1000;
    const qint64 rssAfter = residentKb();
    const QHash<int, int> startRequests = requests.take();
    out() << QStringLiteral("%1 %2")
                 .arg("start-up, project opened to every drive online (ms)", -60)
                 .arg(startupMs, 0, 'f', 0)
          << Qt::endl;
    out() << QStringLiteral("%1 %2 (%3 requests)")
                 .arg("every drive read whole in the background (s)", -60)
                 .arg(readWhole ? QString::number(wholeReadS, 'f', 1) : QStringLiteral("timed out"))
                 .arg(sum(startRequests, [](int) { return true; }))
          << Qt::endl;
    out() << QStringLiteral("%1 %2")
                 .arg("memory per drive, resident (kB)", -60)
                 .arg((rssAfter - rssBefore) / kDrives)
          << Qt::endl;

    // One drive's longest group shown; nothing else asked of the line.
    QDeviceServo* shown = devices->getDeviceServo(aliases.first());
    QTestHost::select(aliases.first());
    const QDeviceServo::FuncodeGroupMap& groups = shown->getNormalFuncodeGroupMap();
    const QString longest = QTestHost::longestGroup(shown);
    const int interval = shown->getCommuParams().refreshInterval;
    const auto isShown = [&](int unit) { return unit >= 1 && unit <= model->axisNum; };
    QHash<int, int> ours;
    QList<RequestLog::Read> tick;
    {
        QFuncodeView_Servo view;
        view.setModelGroup(longest);
        view.onInitModelData(groups);
        view.updateAxisColumns();
        view.resize(1400, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view)) {
            out() << "the table was never shown" << Qt::endl;
            return 1;
        }
        runFor(2 * interval);
        requests.take();
        runFor(kWindowMs);
        QList<RequestLog::Read> reads;
        ours = requests.take(&reads);
        for (const RequestLog::Read& read : qAsConst(reads)) {
            if (isShown(read.unit) && !tick.contains(read)) {
                tick.append(read);
            }
        }
    }
    // The anchor: the same blocks, polled at the same interval by a bare client; only its drive's units are
    // counted, since the other drives still answer their status poll (and so, now, does the shown drive).
    runFor(interval);
    QModbusTcpClient bare;
    bare.setConnectionParameter(QModbusDevice::NetworkAddressParameter, QStringLiteral("127.0.0.1"));
    bare.setConnectionParameter(QModbusDevice::NetworkPortParameter, port);
    bare.connectDevice();
    waitFor([&]() { return bare.state() == QModbusDevice::ConnectedState; }, 5000);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&]() {
        for (const RequestLog::Read& read : qAsConst(tick)) {
            QModbusReply* reply = bare.sendReadRequest(
                QModbusDataUnit(QModbusDataUnit::HoldingRegisters, read.address, quint16(read.count)),
                read.unit);
            if (reply) {
                QObject::connect(reply, &QModbusReply::finished, reply, &QObject::deleteLater);
            }
        }
    });
    requests.take();
    poll.start(interval);
    runFor(kWindowMs);
    poll.stop();
    runFor(interval);
    const QHash<int, int> anchor = requests.take();
    const double seconds = kWindowMs / 1000.0;
    out()
        << QStringLiteral("one table shown (%1, every %2 ms): requests per second").arg(longest).arg(interval)
        << Qt::endl;
    out() << QStringLiteral("  %1 %2")
                 .arg("the whole line", -58)
                 .arg(sum(ours, [](int) { return true; }) / seconds, 0, 'f', 1)
          << Qt::endl;
    out()
        << QStringLiteral("  %1 %2").arg("the shown drive", -58).arg(sum(ours, isShown) / seconds, 0, 'f', 1)
        << Qt::endl;
    // The drives not shown are only asked by their status poll: one read per drive and period.
    out() << QStringLiteral("  %1 %2 (one read per drive every %3 ms: %4)")
                 .arg(QStringLiteral("the other %1 drives, their status poll").arg(kDrives - 1), -58)
                 .arg(sum(ours, [&](int unit) { return !isShown(unit); }) / seconds, 0, 'f', 1)
                 .arg(QServoStatusPoll::kPeriodMs)
                 .arg((kDrives - 1) * 1000.0 / QServoStatusPoll::kPeriodMs, 0, 'f', 1)
          << Qt::endl;
    out() << QStringLiteral("  %1 %2")
                 .arg(QStringLiteral("anchor: bare QModbusTcpClient, the same %1 blocks alone")
                          .arg(tick.size()),
                      -58)
                 .arg(sum(anchor, isShown) / seconds, 0, 'f', 1)
          << Qt::endl;

    // One parameter set, the first drive's every writable setting, into the first n drives.
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    QMap<QString, tagExportFuncodePtr_Servo> set;
    for (const tagSubFuncode_Servo* fun : shown->getAllNormalFuncodes()) {
        if (fun->isStateCode || (fun->rwLevel != 1 && fun->rwLevel != 2) ||
            !QDeviceServo::isAuthValid(fun->authority, authority)) {
            continue;
        }
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = fun->funIndex;
        record->axisNum = model->axisNum;
        bool known = true;
        for (int axis = 0; axis < model->axisNum; ++axis) {
            qint64 raw = 0;
            known = known && shown->curValue(fun->funIndex, axis, &raw);
            record->curValue[size_t(axis)] = raw;
        }
        if (known) {
            set.insert(fun->funIndex, record);
        }
    }
    const int kRounds = 7;
    out() << QStringLiteral("batch download of %1 settings x %2 axes, %3 drives at once:")
                 .arg(set.size())
                 .arg(model->axisNum)
                 .arg(QServoBatchLine::kDefaultConcurrency)
          << Qt::endl;
    out() << QStringLiteral("  %1 %2 %3 %4 %5")
                 .arg("drives", -8)
                 .arg(QStringLiteral("total (s), median of %1").arg(kRounds), -24)
                 .arg("per drive (ms)", -15)
                 .arg("cpu per drive (ms): line + simulator", -38)
                 .arg("requests per drive")
          << Qt::endl;
    int status = readWhole ? 0 : 1;
    // The window is not shown, and the downloads are started on its line rather than by its Start button:
    // the window's own steps run around each drive.
    QServoFuncodeBatchDownloadDlg window;
    window.line()->setConcurrency(QServoBatchLine::kDefaultConcurrency);
    // One download into the first n drives: its time in ms (-1: timed out), requests and failed drives.
    const auto download = [&](int n, int* sent, QStringList* failed) {
        QServoBatchLine& line = *window.line();
        QEventLoop loop;
        QObject::connect(&line, &QServoBatchLine::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(600000, &loop, &QEventLoop::quit);
        requests.take();
        QElapsedTimer timer;
        timer.start();
        line.start(aliases.mid(0, n), set, true, 0);
        if (!line.isFinished()) {
            loop.exec();
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        if (!line.isFinished()) {
            return -1.0;
        }
        runFor(200); // the last lines of the simulator's log
        *sent = sum(requests.take(), [](int) { return true; });
        *failed = line.failedDrives();
        return ms;
    };
    int sent = 0;
    QStringList failed;
    download(8, &sent, &failed); // warm-up: the databases' first pages, the first connections' buffers
    // The median of several rounds, so that a busy moment of the machine does not decide: eight drives take
    // a third of a second, and one round varied by a third between runs. Each round goes over every count
    // in turn, so that the load other work puts on the machine during the run falls on every count alike.
    const QList<int> counts{8, 16, 32, 64};
    QHash<int, QList<double>> times;
    QHash<int, double> ownCpu;
    QHash<int, double> simCpu;
    QHash<int, int> sentTo;
    QHash<int, QStringList> failedIn;
    for (int round = 0; round < kRounds; ++round) {
        for (int n : counts) {
            const double ownBefore = ownCpuMs();
            const double simBefore = processCpuMs(sim.processId());
            times[n] << download(n, &sent, &failed);
            if (times[n].last() < 0) {
                out() << "  timed out" << Qt::endl;
                return 1;
            }
            ownCpu[n] += (ownCpuMs() - ownBefore) / (n * kRounds);
            simCpu[n] += (processCpuMs(sim.processId()) - simBefore) / (n * kRounds);
            sentTo[n] = sent;
            failedIn[n] += failed;
            status = failed.isEmpty() ? status : 1;
        }
    }
    for (int n : counts) {
        std::sort(times[n].begin(), times[n].end());
        const double totalMs = times[n].at(kRounds / 2);
        out() << QStringLiteral("  %1 %2 %3 %4 %5%6")
                     .arg(n, -8)
                     .arg(totalMs / 1000, -24, 'f', 2)
                     .arg(totalMs / n, -15, 'f', 0)
                     .arg(QStringLiteral("%1 + %2").arg(ownCpu[n], 0, 'f', 1).arg(simCpu[n], 0, 'f', 1), -38)
                     .arg(double(sentTo[n]) / n, 0, 'f', 0)
                     .arg(failedIn[n].isEmpty() ? QString()
                                                : QStringLiteral("  failed: %1").arg(failedIn[n].join(' ')))
              << Qt::endl;
    }
    QTestHost::clearProject();
    sim.closeWriteChannel();
    sim.waitForFinished(5000);
    return status;
}
