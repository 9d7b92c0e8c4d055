#include "QBaseTableView.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QModifyFunModel_Servo.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QStatistics.h"
#include "QTestHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>
#include <algorithm>
#include <climits>
#include <ctime>
#include <numeric>

namespace {
// Inserted in transactions of this many rows.
const int kChunk = 20000;
const int kStatisticsEvents = 1000000;
const QSize kPageSize(1400, 900);
// Page Up steps from the end: far enough that the pages read on the way down have left the cache.
const int kPageUpSteps = 300;
const int kReferenceRows = 10000;
const char kAlias[] = "bench";
const char kModel[] = "SD330";

// A memory figure of the process in kB from /proc/self/status ("VmHWM": peak resident, "VmRSS": resident
// now); -1 when it cannot be read.
qint64 memoryKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    const QString text = QString::fromLatin1(status.readAll());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("%1:\\s+(\\d+)").arg(QLatin1String(field))).match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

qint64 peakMemoryKb()
{
    return memoryKb("VmHWM");
}

// Processor time of this thread in ms.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double percentile(QVector<double> values, double fraction)
{
    if (values.isEmpty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values.at(qMin(values.size() - 1, int(fraction * values.size())));
}

// A value text as the workspace stores it: a position for enumerated codes, decimal otherwise.
QString storedValue(const tagSubFuncode_Servo* fun, int i)
{
    if (fun->showType == 2) {
        const int items = qMax(1, fun->enumText.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
        return QString::number(i % items);
    }
    return QString::number(i % 100);
}
} // namespace

class bench_records : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordPage_data();
    void recordPage();
    void referencePageSteps();
    void refreshStatistics();
    void findPerKeystroke_data();
    void findPerKeystroke();
    void cleanupTestCase();

private:
    void fillRecords(int total);
    void fillStatistics(int total);
    void reportMemory(const char* step, qint64 before);
    // Step times (wall clock and this thread's processor time) of a series of steps.
    class Steps
    {
    public:
        void begin();
        void end();
        // Takes the last step of other as a step of its own.
        void addLastOf(const Steps& other);
        QString summary() const;

    private:
        QElapsedTimer m_wall;
        double m_cpuStart = 0;
        QVector<double> m_wallMs;
        QVector<double> m_cpuMs;
    };
    // Goes to the end of the history; per step the scroll, the page read it causes and the repaint.
    Steps scrollToEnd(QTableView* view, bool pageDown);
    // Also: the steps that read a page of the pager, apart.
    Steps pageUp(QTableView* view, int count, const QModifyRecordPager_Servo& pager, Steps* reading);

    QDeviceServo* m_device = nullptr;
    QList<tagSubFuncode_Servo*> m_codes;
    int m_stored = 0;
    bool m_statisticsStored = false;
};

void bench_records::Steps::begin()
{
    m_cpuStart = threadCpuMs();
    m_wall.start();
}

void bench_records::Steps::end()
{
    m_wallMs.append(m_wall.nsecsElapsed() / 1e6);
    m_cpuMs.append(threadCpuMs() - m_cpuStart);
}

void bench_records::Steps::addLastOf(const Steps& other)
{
    m_wallMs.append(other.m_wallMs.constLast());
    m_cpuMs.append(other.m_cpuMs.constLast());
}

QString bench_records::Steps::summary() const
{
    const auto line = [](const QVector<double>& times) {
        const double sum = std::accumulate(times.cbegin(), times.cend(), 0.0);
        return QStringLiteral("mean %1 ms, 99th percentile %2 ms, slowest %3 ms")
            .arg(sum / qMax(1, times.size()), 0, 'f', 2)
            .arg(percentile(times, 0.99), 0, 'f', 2)
            .arg(percentile(times, 1.0), 0, 'f', 2);
    };
    return QStringLiteral("%1 steps; wall clock %2; processor time %3")
        .arg(m_wallMs.size())
        .arg(line(m_wallMs), line(m_cpuMs));
}

void bench_records::reportMemory(const char* step, qint64 before)
{
    qInfo("%s: peak memory (VmHWM) before %lld kB, after %lld kB; resident now (VmRSS) %lld kB", step, before,
          peakMemoryKb(), memoryKb("VmRSS"));
}

void bench_records::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    m_device = QTestHost::addDrive(QString::fromLatin1(kModel), QString::fromLatin1(kAlias));
    QVERIFY(m_device);
    QTestHost::select(QString::fromLatin1(kAlias));
    m_codes = m_device->getAllNormalFuncodes();
    QVERIFY(!m_codes.isEmpty());
    QVERIFY(QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes(
        QString::fromLatin1(kAlias)));
}

// Adds records until the device has `total`; each run of the data function grows the same history.
void bench_records::fillRecords(int total)
{
    QRecordDB_Servo* records = QDatabaseManager::self()->getRecordDatabase_Servo();
    QList<tagModifyFuncode_Servo> chunk;
    for (int i = m_stored; i < total; ++i) {
        const tagSubFuncode_Servo* fun = m_codes.at((i * 7) % m_codes.size());
        tagModifyFuncode_Servo record;
        record.strTime = QDateTime::fromSecsSinceEpoch(1714557600 + i).toString("yyyy-MM-dd hh:mm:ss");
        record.funIndex = fun->funIndex;
        record.axisIndex = i % m_device->getAxisNum();
        record.oldVal = storedValue(fun, i);
        record.newVal = storedValue(fun, i + 1);
        chunk.append(record);
        if (chunk.size() == kChunk || i == total - 1) {
            QVERIFY(records->insertModifyFunCodes(QString::fromLatin1(kAlias), chunk));
            chunk.clear();
        }
    }
    m_stored = qMax(m_stored, total);
}

void bench_records::fillStatistics(int total)
{
    QStatistics* statistics = QDatabaseManager::self()->getStatisticsDatabase();
    QVERIFY(statistics->clearDevice(QString::fromLatin1(kAlias)));
    QList<QPair<QString, tagFuncodeModifyData>> chunk;
    for (int i = 0; i < total; ++i) {
        // Skewed counts, so that the order by count matters.
        const tagSubFuncode_Servo* fun = m_codes.at((qint64(i) * i) % m_codes.size());
        tagFuncodeModifyData event;
        event.timeStamp = 1714557600 + i;
        event.oldValue = i % 100;
        event.newValue = (i + 1) % 100;
        event.axisIndex = i % m_device->getAxisNum();
        chunk.append(qMakePair(fun->funIndex, event));
        if (chunk.size() == kChunk) {
            QVERIFY(statistics->addFuncodeModifyEvents(QString::fromLatin1(kAlias), chunk));
            chunk.clear();
        }
    }
    QVERIFY(chunk.isEmpty() || statistics->addFuncodeModifyEvents(QString::fromLatin1(kAlias), chunk));
}

void bench_records::recordPage_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>(
        "pageDown"); // to the end by Page Down, or by one drag of the scroll bar to its end
    QTest::newRow("100000 records") << 100000 << true;
    QTest::newRow("1000000 records") << 1000000 << false;
}

// Opening the modification-records page of a long history, going to its end and paging back up through
// pages that have left the cache: the time to the first screen, each step's time (wall clock and this
// thread's processor time, which the other processes of a busy machine do not inflate), and the memory.
void bench_records::recordPage()
{
    QFETCH(int, records);
    QFETCH(bool, pageDown);
    QElapsedTimer fill;
    fill.start();
    fillRecords(records);
    qInfo("RESULT %d records stored in %.1f s", records, fill.elapsed() / 1000.0);

    QModifyFunModel_Servo model;
    QBaseTableView view;
    view.setModel(&model);
    view.resize(kPageSize);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const qint64 peakBefore = peakMemoryKb();
    const qint64 residentBefore = memoryKb("VmRSS");

    Steps firstScreen;
    firstScreen.begin();
    model.loadRecords(QString::fromLatin1(kAlias));
    QCoreApplication::processEvents();
    view.viewport()->repaint();
    firstScreen.end();
    QVERIFY(!model.index(0, QModifyFunModel_Servo::COL_NAME).data().toString().isEmpty());
    qInfo("RESULT records page, %d records: first screen %s", records, qPrintable(firstScreen.summary()));

    QCOMPARE(model.rowCount(), records);
    const Steps down = scrollToEnd(&view, pageDown);
    QCOMPARE(view.indexAt(QPoint(0, view.viewport()->height() - 2)).row(), records - 1);
    qInfo("RESULT records page, %d records: to the end by %s: %s; %d pages read", records,
          pageDown ? "Page Down" : "dragging the scroll bar to its end", qPrintable(down.summary()),
          model.pager().pagesRead());
    const int readBefore = model.pager().pagesRead();
    Steps reading;
    const Steps up = pageUp(&view, kPageUpSteps, model.pager(), &reading);
    qInfo("RESULT records page, %d records: Page Up from the end: %s; %d pages read again", records,
          qPrintable(up.summary()), model.pager().pagesRead() - readBefore);
    qInfo("RESULT records page, %d records: of these, the Page Up steps that read a page: %s", records,
          qPrintable(reading.summary()));
    qInfo("RESULT records page, %d records: resident memory %lld kB before opening, %lld kB at the end; peak "
          "%lld kB before, %lld kB after",
          records, residentBefore, memoryKb("VmRSS"), peakBefore, peakMemoryKb());
}

bench_records::Steps bench_records::scrollToEnd(QTableView* view, bool pageDown)
{
    Steps steps;
    QScrollBar* bar = view->verticalScrollBar();
    int stalled = 0;
    while (bar->value() < bar->maximum() && stalled < 100) {
        const int value = bar->value();
        steps.begin();
        if (pageDown) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        } else {
            bar->setValue(bar->maximum());
        }
        QCoreApplication::processEvents();
        view->viewport()->repaint();
        steps.end();
        stalled = bar->value() == value ? stalled + 1 : 0;
    }
    return steps;
}

bench_records::Steps bench_records::pageUp(QTableView* view, int count, const QModifyRecordPager_Servo& pager,
                                           Steps* reading)
{
    Steps steps;
    QScrollBar* bar = view->verticalScrollBar();
    for (int i = 0; i < count && bar->value() > 0; ++i) {
        const int read = pager.pagesRead();
        steps.begin();
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCoreApplication::processEvents();
        view->viewport()->repaint();
        steps.end();
        if (pager.pagesRead() != read) {
            reading->addLastOf(steps);
        }
    }
    return steps;
}

// The same page steps over the same texts held in a QStandardItemModel: what painting the page costs
// without the records model.
void bench_records::referencePageSteps()
{
    QStandardItemModel reference(0, QModifyFunModel_Servo::COL_COUNT);
    const QList<tagModifyFuncode_Servo> page =
        QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodePage(QString::fromLatin1(kAlias),
                                                                                  INT_MAX, 256);
    QVERIFY(!page.isEmpty());
    for (int i = 0; i < kReferenceRows; ++i) {
        QList<QStandardItem*> items;
        for (const QString& text : QModifyFunModel_Servo::makeDisplayRow(page.at(i % page.size()))) {
            items.append(new QStandardItem(text));
        }
        reference.appendRow(items);
    }
    QBaseTableView view;
    view.setModel(&reference);
    view.resize(kPageSize);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    Steps steps;
    QScrollBar* bar = view.verticalScrollBar();
    while (bar->value() < bar->maximum()) {
        steps.begin();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCoreApplication::processEvents();
        view.viewport()->repaint();
        steps.end();
    }
    qInfo("RESULT reference, %d rows in a QStandardItemModel: Page Down to the end: %s", kReferenceRows,
          qPrintable(steps.summary()));
}

void bench_records::refreshStatistics()
{
    // Qt Test runs a benchmark function again until its timing settles: the events are stored once.
    if (!m_statisticsStored) {
        QElapsedTimer fill;
        fill.start();
        fillStatistics(kStatisticsEvents);
        qInfo("RESULT %d statistics events stored in %.1f s", kStatisticsEvents, fill.elapsed() / 1000.0);
        m_statisticsStored = true;
    }
    QSortedModifyFunModel_Servo model;
    const qint64 before = peakMemoryKb();
    QElapsedTimer first;
    first.start();
    model.refresh(true);
    qInfo("RESULT statistics over %d events: first refresh %.1f ms, %d codes", kStatisticsEvents,
          first.nsecsElapsed() / 1e6, model.rowCount());
    QBENCHMARK
    {
        model.refresh(true);
    }
    reportMemory("refreshing the statistics", before);
    QVERIFY(model.rowCount() > 0);
}

void bench_records::findPerKeystroke_data()
{
    QTest::addColumn<QString>("text");
    // What the dialog searches while a person types "loop gain", "P2.1" and "brake".
    const QStringList words{QStringLiteral("loop gain"), QStringLiteral("P2.1"), QStringLiteral("brake")};
    for (const QString& word : words) {
        for (int length = 1; length <= word.size(); ++length) {
            const QString typed = word.left(length);
            QTest::newRow(qPrintable(typed)) << typed;
        }
    }
}

void bench_records::findPerKeystroke()
{
    QFETCH(QString, text);
    QFindFuncodeDialog_Servo dialog;
    QBENCHMARK
    {
        dialog.SlotlineEditFindServoFun(text);
    }
    QVERIFY(dialog.getModel()->rowCount() > 0);
}

void bench_records::cleanupTestCase()
{
    qInfo("peak memory (VmHWM) at the end: %lld kB", peakMemoryKb());
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (!qEnvironmentVariableIsSet("SERVO_DRIVES_DIR")) {
        qputenv("SERVO_DRIVES_DIR", BENCH_DRIVES_DIR);
    }
    // A million records take minutes to store and to scroll through on a busy machine.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
        qputenv("QTEST_FUNCTION_TIMEOUT", "7200000");
    }
    QApplication app(argc, argv);
    bench_records bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_records.moc"
