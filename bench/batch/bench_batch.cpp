#include "QDeviceServo.h"
#include "QFuncodeScaling.h"
#include "QRegisterBlockPlanner.h"
#include "QServoBatchDownloadHelper.h"
#include "QServoBatchEngine.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>
#include <time.h>

// Every writable function code of the largest shipped model downloaded into sixteen simulated drives,
// one after another as the batch-download window does it, each written and read back. Reports the
// total time, link requests per drive against the least possible (blocks of consecutive registers, at
// most 123 written or 125 read per block), peak memory, and the longest gap between two ticks of the
// event loop while the batch runs.
class bench_batch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { QTestHost::clearProject(); }
    void sixteenDrives();

private:
    QMap<QString, tagExportFuncodePtr_Servo> writableRecords(const QDeviceServo* dev) const;
    int minimumRequests(const QDeviceServo* dev,
                        const QMap<QString, tagExportFuncodePtr_Servo>& records) const;

    static const int kDrives = 16;
    QString m_model;
};

namespace {
// CPU time this thread has used: a gap measured in it shows the work done between two ticks, whatever
// else the machine runs at the same time.
qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A value in the code's range other than its default: the maximum, or the minimum when the maximum
// is the default.
qint64 otherValue(const tagSubFuncode_Servo& fun)
{
    qint64 lo = 0;
    qint64 hi = 0;
    qint64 def = 0;
    QFuncodeScaling::descriptionToRaw(fun, fun.minVal, &lo);
    QFuncodeScaling::descriptionToRaw(fun, fun.maxVal, &hi);
    QFuncodeScaling::descriptionToRaw(fun, fun.defaultVal, &def);
    return hi != def ? hi : lo;
}
} // namespace

void bench_batch::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    m_model = QStringLiteral("SD330");
    for (int i = 0; i < kDrives; ++i) {
        QVERIFY(QTestHost::addDrive(m_model, QStringLiteral("line%1").arg(i + 1)));
    }
}

QMap<QString, tagExportFuncodePtr_Servo> bench_batch::writableRecords(const QDeviceServo* dev) const
{
    QMap<QString, tagExportFuncodePtr_Servo> records;
    for (const tagSubFuncode_Servo* fun : dev->getAllNormalFuncodes()) {
        if (fun->rwLevel != 1 && fun->rwLevel != 2) {
            continue;
        }
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = fun->funIndex;
        record->axisNum = dev->getAxisNum();
        const qint64 value = otherValue(*fun);
        record->curValue = {{value, value, value}};
        records.insert(fun->funIndex, record);
    }
    return records;
}

int bench_batch::minimumRequests(const QDeviceServo* dev,
                                 const QMap<QString, tagExportFuncodePtr_Servo>& records) const
{
    QVector<QRegisterSpan> spans;
    for (const tagExportFuncodePtr_Servo& record : records) {
        const tagSubFuncode_Servo* fun = dev->getFuncodePtrByFunIndex(record->funIndex);
        spans.append(
            QRegisterSpan(fun->modbusAddr, qMax(1, QFuncodeScaling::dataTypeBits(fun->dataType) / 16)));
    }
    const int perAxis =
        QRegisterBlockPlanner::consecutiveBlockCount(spans, QRegisterBlockPlanner::kMaxWriteRegisters) +
        QRegisterBlockPlanner::consecutiveBlockCount(spans, QRegisterBlockPlanner::kMaxReadRegisters);
    return perAxis * dev->getAxisNum();
}

void bench_batch::sixteenDrives()
{
    QDeviceServo* first = QTestHost::addDrive(m_model, QStringLiteral("source"));
    const QMap<QString, tagExportFuncodePtr_Servo> records = writableRecords(first);
    const int minimum = minimumRequests(first, records);

    // The longest time the event loop did not come round, measured by a timer that fires on every pass.
    qint64 longestGap = 0;
    qint64 longestCpuGap = 0;
    qint64 lastCpu = threadCpuNs();
    int ticks = 0;
    int longTicks = 0;
    QElapsedTimer tick;
    QTimer ticker;
    ticker.setInterval(0);
    connect(&ticker, &QTimer::timeout, this, [&]() {
        const qint64 gap = tick.nsecsElapsed();
        const qint64 cpu = threadCpuNs();
        longestGap = qMax(longestGap, gap);
        longestCpuGap = qMax(longestCpuGap, cpu - lastCpu);
        ++ticks;
        longTicks += gap > 50 * 1000 * 1000;
        tick.restart();
        lastCpu = cpu;
    });

    const long memoryBefore = peakKilobytes();
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    QElapsedTimer total;
    total.start();
    tick.start();
    ticker.start();
    int succeeded = 0;
    int maxRequests = 0;
    for (int i = 0; i < kDrives; ++i) {
        const QString alias = QStringLiteral("line%1").arg(i + 1);
        helper.startWrite(alias, records, false);
        QVERIFY2(finished.wait(120000), qPrintable(alias));
        succeeded += finished.takeFirst().first().toBool();
        maxRequests =
            qMax(maxRequests, QTestHost::link(alias) ? QTestHost::link(alias)->writeRequestCount() +
                                                           QTestHost::link(alias)->readRequestCount()
                                                     : 0);
    }
    ticker.stop();
    const qint64 elapsed = total.elapsed();
    const long memoryAfter = peakKilobytes();

    const int axes = first->getAxisNum();
    qInfo("model %s: %d writable codes x %d axes = %d values per drive, %d drives", qPrintable(m_model),
          int(records.size()), axes, int(records.size()) * axes, kDrives);
    qInfo("drives succeeded: %d of %d", succeeded, kDrives);
    qInfo("total time: %lld ms (%.1f ms per drive)", elapsed, double(elapsed) / kDrives);
    qInfo("link requests per drive: %d, least possible %d (ratio %.3f; goal <= 1.1)", maxRequests, minimum,
          double(maxRequests) / minimum);
    qInfo("peak memory: %ld MB before the batch, %ld MB after", memoryBefore / 1024, memoryAfter / 1024);
    qInfo("longest gap between event-loop ticks: %.1f ms (goal <= 50 ms); %d of %d gaps over 50 ms",
          double(longestGap) / 1e6, longTicks, ticks);
    qInfo("longest gap in this thread's CPU time: %.1f ms (the work between two ticks, without waiting for "
          "the processor or the disk)",
          double(longestCpuGap) / 1e6);
    QCOMPARE(succeeded, kDrives);
}

QTEST_MAIN(bench_batch)
#include "bench_batch.moc"
