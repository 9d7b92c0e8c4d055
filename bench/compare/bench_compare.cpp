#include "QCompareSourceLoader_Servo.h"
#include "QDeviceServo.h"
#include "QExportDB_Servo.h"
#include "QFuncodeCompareTreeModel_Servo.h"
#include "QFuncodeComparer_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QFuncodeXlsxFile_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>

namespace {
const int kCodes = 10000;
const int kGroups = 100;
const int kRuns = 7;
const char kLargestModel[] = "SD330";

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Median time of a step in milliseconds: wall time, and the CPU time of this thread (which a busy
// machine disturbs less).
struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
    QString text() const
    {
        return QStringLiteral("%1 ms (cpu %2 ms)").arg(wallMs, 0, 'f', 1).arg(cpuMs, 0, 'f', 1);
    }
    Timing operator+(const Timing& other) const { return {wallMs + other.wallMs, cpuMs + other.cpuMs}; }
};

// before runs untimed ahead of each step (it frees what the last step made, as a user's first comparison
// has nothing to free).
Timing median(const std::function<void()>& step, int runs = kRuns, const std::function<void()>& before = {})
{
    QVector<double> wall;
    QVector<double> cpu;
    for (int run = 0; run < runs; ++run) {
        if (before) {
            before();
        }
        QElapsedTimer clock;
        const double cpuStart = threadCpuMs();
        clock.start();
        step();
        wall.append(clock.nsecsElapsed() / 1e6);
        cpu.append(threadCpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall.at(runs / 2), cpu.at(runs / 2)};
}

// n codes in groups of n / kGroups; every hundredth code of the second file has another value on one axis.
tagExportDevInfo_Servo generatedFile(int codes, bool changed)
{
    tagExportDevInfo_Servo info;
    info.devText = QStringLiteral("SD330_1.00");
    info.axisNumText = QStringLiteral("3");
    info.commuName = changed ? QStringLiteral("changed") : QStringLiteral("original");
    const int perGroup = codes / kGroups;
    for (int i = 0; i < codes; ++i) {
        auto code = tagExportFuncodePtr_Servo::create();
        const int group = i / perGroup;
        code->groupName = QStringLiteral("P%1 Group %1").arg(group);
        code->funIndex = QStringLiteral("P%1.%2").arg(group).arg(i % perGroup, 3, 10, QLatin1Char('0'));
        code->funName = QStringLiteral("Setting %1, generated").arg(i);
        code->axisNum = 3;
        for (int axis = 0; axis < 3; ++axis) {
            const qint64 value = i * 10 + axis + ((changed && i % 100 == 7 && axis == i % 3) ? 1 : 0);
            code->curValue[size_t(axis)] = value;
            code->valueTexts << QString::number(value);
        }
        info.funcodes.append(code);
    }
    return info;
}

tagCompareSource_Servo sourceOf(const tagExportDevInfo_Servo& info)
{
    tagCompareSource_Servo source;
    source.devText = info.devText;
    source.axisNum = info.axisNumText.toInt();
    source.name = info.commuName;
    for (const tagExportFuncodePtr_Servo& code : info.funcodes) {
        source.groupMap[code->groupName].append(code);
    }
    return source;
}

// The file in the form its suffix names, written by the function-code file writers.
bool writeFile(const QString& path, const tagExportDevInfo_Servo& info)
{
    if (path.endsWith(QLatin1String(".csv"))) {
        return QFuncodeHelper_Servo::writeFuncodeCsvFile(path, info);
    }
    if (path.endsWith(QLatin1String(".xlsx"))) {
        QFuncodeXlsxFile_Servo workbook;
        workbook.addFuncodes(QStringLiteral("Function codes"), info);
        return workbook.write(path) == 0;
    }
    return QExportDB_Servo().writeFile(path, {info});
}

QList<tagCompareFuncode_Servo*> pointers(const QList<tagCompareFuncodePtr_Servo>& records)
{
    QList<tagCompareFuncode_Servo*> list;
    for (const tagCompareFuncodePtr_Servo& record : records) {
        list.append(record.data());
    }
    return list;
}

void fillModel(const QFuncodeComparer_Servo::Result& result)
{
    QFuncodeCompareTreeModel_Servo model;
    model.setHeader({"No.", "Name", "XA", "YA", "ZA", "XB", "YB", "ZB"});
    model.setCompareData(pointers(result.all));
}
} // namespace

// Load, compare and show: the costs a user waits for after pressing "Compare".
class bench_compare : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
        QVERIFY(QTestHost::addSelectedDrive(kLargestModel, "A"));
    }

    void twoGeneratedFiles_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("function-code file") << "funcodeservo";
        QTest::newRow("comma-separated") << "csv";
        QTest::newRow("workbook") << "xlsx";
    }

    void twoGeneratedFiles()
    {
        QFETCH(QString, suffix);
        const QString pathA = m_dir.filePath("a." + suffix);
        const QString pathB = m_dir.filePath("b." + suffix);
        QVERIFY(writeFile(pathA, generatedFile(kCodes, false)));
        QVERIFY(writeFile(pathB, generatedFile(kCodes, true)));

        QCompareSourceLoader_Servo loader(nullptr);
        tagCompareSource_Servo a;
        tagCompareSource_Servo b;
        const Timing load = median(
            [&]() {
                QVERIFY(loader.loadFile(pathA, &a));
                QVERIFY(loader.loadFile(pathB, &b));
            },
            kRuns, [&]() { a = b = tagCompareSource_Servo(); });
        QFuncodeComparer_Servo::Result result;
        const Timing compare = median([&]() { result = QFuncodeComparer_Servo::compare(a, b); }, kRuns,
                                      [&]() { result = QFuncodeComparer_Servo::Result(); });
        QCOMPARE(result.all.size(), kCodes);
        QCOMPARE(result.differing.size(), kCodes / 100);
        const Timing model = median([&]() { fillModel(result); });
        qInfo("two .%s files of %d codes, %d differing (median of %d):", qPrintable(suffix), kCodes,
              int(result.differing.size()), kRuns);
        qInfo("  load both %s, compare %s, model %s, total %s", qPrintable(load.text()),
              qPrintable(compare.text()), qPrintable(model.text()),
              qPrintable((load + compare + model).text()));
    }

    // Time per n log n stays flat when the comparison grows as n log n.
    void compareGrowth()
    {
        for (int codes : {10000, 20000, 40000, 80000}) {
            const tagCompareSource_Servo a = sourceOf(generatedFile(codes, false));
            const tagCompareSource_Servo b = sourceOf(generatedFile(codes, true));
            QFuncodeComparer_Servo::Result result;
            const Timing t = median([&]() { result = QFuncodeComparer_Servo::compare(a, b); }, 5,
                                    [&]() { result = QFuncodeComparer_Servo::Result(); });
            QCOMPARE(result.differing.size(), codes / 100);
            qInfo("compare %6d codes: %s, cpu %.0f ns per n log2 n", codes, qPrintable(t.text()),
                  t.cpuMs * 1e6 / (codes * std::log2(double(codes))));
        }
    }

    void twoDrivesOfTheLargestModel()
    {
        QDeviceServo* a = QTestHost::addDrive(kLargestModel, "bench A", 0);
        QDeviceServo* b = QTestHost::addDrive(kLargestModel, "bench B", 0);
        QVERIFY(a && b);
        QTestHost::link("bench B")->setRawValue("P2.00", 2, 1234);
        QCompareSourceLoader_Servo loader(nullptr);
        tagCompareSource_Servo sa;
        tagCompareSource_Servo sb;
        const Timing load = median([&]() {
            QVERIFY(loader.loadDrive("bench A", true, &sa));
            QVERIFY(loader.loadDrive("bench B", true, &sb));
        });
        QFuncodeComparer_Servo::Result result;
        const Timing compare = median([&]() { result = QFuncodeComparer_Servo::compare(sa, sb); });
        QCOMPARE(result.differing.size(), 1);
        const Timing model = median([&]() { fillModel(result); });
        qInfo("two simulated %s drives (%d codes, %d axes, replies at once; median of %d):", kLargestModel,
              int(result.all.size()), a->getAxisNum(), kRuns);
        qInfo("  read both %s, compare %s, model %s, total %s", qPrintable(load.text()),
              qPrintable(compare.text()), qPrintable(model.text()),
              qPrintable((load + compare + model).text()));
    }
};

QTEST_MAIN(bench_compare)
#include "bench_compare.moc"
