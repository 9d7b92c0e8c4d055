// The device's batch engine: blocks of consecutive registers per axis (the planner's rules are its own
// suite's), values it cannot send left out, one request per block, hub signals per block and per phase,
// values recorded like any other write, and answers it no longer waits for ignored. Waiting for a drive
// that went offline and came back, and stopping, are shown through the batch transfer's suite.

#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QRecordDB_Servo.h"
#include "QServoBatchEngine.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QStatistics.h"
#include "QTestHost.h"

#include <QtTest>

namespace {
// Registers of the test model: P00.01 and P00.02 at 1 and 2, P00.11 (16 bit) at 11, P00.12 (32 bit) at
// 12-13, P00.13 (64 bit) at 14-17, the limits P10.xx from 1024.
QMap<QString, tagExportFuncodePtr_Servo> recordsOf(const QStringList& numbers, qint64 value, int axisNum = 2)
{
    QMap<QString, tagExportFuncodePtr_Servo> map;
    for (const QString& number : numbers) {
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = number;
        record->axisNum = axisNum;
        record->curValue = {{value, value + 1, value + 2}};
        map.insert(number, record);
    }
    return map;
}

} // namespace

class tst_QServoBatchEngine : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addDrive("TST2", "drive");
        m_link = QTestHost::link("drive");
        QVERIFY(m_device && m_link);
    }

    void cleanup() { QTestHost::clearProject(); }

    void plansBlocksOfConsecutiveRegisters_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("allAxes");
        QTest::addColumn<int>("writeTasks");
        QTest::addColumn<int>("readTasks");
        QTest::addColumn<int>("registers");
        QTest::addColumn<QString>("rejected"); // a value the drive cannot take is left out
        const QStringList mixed{"P00.01", "P00.02", "P00.11", "P00.12", "P00.13"};
        // 1 + 1 and 1 + 2 + 4 registers: apart for writes, the gap between them read through.
        QTest::newRow("mixed widths, axis X") << mixed << qint64(20) << false << 2 << 1 << 2 * 9 << "";
        QTest::newRow("mixed widths, both axes") << mixed << qint64(20) << true << 4 << 2 << 2 * 2 * 9 << "";
        QTest::newRow("read only") << QStringList{"P00.02", "P00.07"} << qint64(5) << false << 1 << 1 << 2
                                   << "P00.07";
        QTest::newRow("unknown") << QStringList{"P00.02", "Z.99"} << qint64(5) << false << 1 << 1 << 2
                                 << "Z.99";
        QTest::newRow("out of range")
            << QStringList{"P00.02"} << qint64(7000) << false << 0 << 0 << 0 << "P00.02";
    }

    void plansBlocksOfConsecutiveRegisters()
    {
        QFETCH(QStringList, numbers);
        QFETCH(qint64, value);
        QFETCH(bool, allAxes);
        QFETCH(int, writeTasks);
        QFETCH(int, readTasks);
        QFETCH(int, registers);
        QFETCH(QString, rejected);
        QCOMPARE(m_device->calcFuncodeReadWriteTaskMap(recordsOf(numbers, value), allAxes, 0), registers);
        QServoBatchEngine* engine = m_device->batchEngine();
        QCOMPARE(engine->writeTaskCount(), writeTasks);
        QCOMPARE(engine->readTaskCount(), readTasks);
        QCOMPARE(engine->rejectedFuncodes().value(0).first, rejected);
        // Each task is a run of consecutive registers of one axis, in register order.
        int values = 0;
        for (const QList<tagServoBufInfo>& task : m_device->getWriteTaskMap()) {
            for (int i = 1; i < task.size(); ++i) {
                QCOMPARE(task.at(i).axis, task.first().axis);
                QCOMPARE(task.at(i).addr, task.at(i - 1).addr + task.at(i - 1).regCount);
            }
            values += task.size();
        }
        QCOMPARE(values, (numbers.size() - (rejected.isEmpty() ? 0 : 1)) * (allAxes ? 2 : 1));
    }

    void writesAndReadsBackOneRequestPerBlock()
    {
        QSignalSpy writeReplies(QSignalManager::self(), &QSignalManager::sigWriteReply);
        QSignalSpy writeFinished(QSignalManager::self(), &QSignalManager::sigWriteFinished);
        QSignalSpy readReplies(QSignalManager::self(), &QSignalManager::sigReadReply);
        QSignalSpy readFinished(QSignalManager::self(), &QSignalManager::sigReadFinished);
        m_device->calcFuncodeReadWriteTaskMap(
            recordsOf({"P00.01", "P00.12", "P00.13", "P10.00", "P10.119"}, 20), true, 0);
        QServoBatchEngine* engine = m_device->batchEngine();
        m_link->resetCounters();
        QVERIFY(m_device->modifyFuncodeValueWithRecord_readAfterWrite());
        QVERIFY(!m_device->modifyFuncodeValueWithRecord_readAfterWrite()); // one run at a time
        QVERIFY(writeFinished.wait());
        QCOMPARE(writeFinished.at(0), (QVariantList{"drive", 0}));
        QCOMPARE(writeReplies.size(), engine->writeTaskCount());
        QCOMPARE(m_link->writeRequestCount(), engine->writeTaskCount());
        QCOMPARE(writeReplies.last().at(0).toString(), QString("drive"));
        QVERIFY(writeReplies.last().at(3).toBool());
        QCOMPARE(m_link->rawValue("P10.119", 1), qint64(21));
        QCOMPARE(m_link->rawValue("P00.13", 0), qint64(20));
        QVERIFY(m_device->readFuncodeByTaskMap());
        QVERIFY(readFinished.wait());
        QCOMPARE(readReplies.size(), engine->readTaskCount());
        QCOMPARE(m_link->readRequestCount(), engine->readTaskCount());
        QCOMPARE(engine->requestCount(), engine->writeTaskCount() + engine->readTaskCount());
    }

    void recordsWrittenValuesLikeAnyWrite()
    {
        QVERIFY(QTestHost::readAll(m_device));
        QRecordDB_Servo* records = QDatabaseManager::self()->getRecordDatabase_Servo();
        QStatistics* statistics = QDatabaseManager::self()->getStatisticsDatabase();
        const int before = records->recordCount("drive");
        const int eventsChanged = statistics->eventCount("drive", "P10.05");
        const int eventsKept = statistics->eventCount("drive", "P10.06");
        // P10.05 changes on both axes; P10.06 is written with the value it already holds on axis X.
        auto map = recordsOf({"P10.05"}, 42);
        map.insert("P10.06", recordsOf({"P10.06"}, 6, 1).first());
        m_device->calcFuncodeReadWriteTaskMap(map, true, 0);
        QSignalSpy finished(QSignalManager::self(), &QSignalManager::sigWriteFinished);
        m_device->modifyFuncodeValueWithRecord_readAfterWrite();
        QVERIFY(finished.wait());
        QCOMPARE(records->recordCount("drive"), before + 2);
        const tagModifyFuncode_Servo newest = records->getModifyFunCodes("drive").first();
        QCOMPARE(newest.funIndex, QString("P10.05"));
        QCOMPARE(newest.oldVal, QString("5"));
        QCOMPARE(newest.newVal, QString("43"));
        QCOMPARE(statistics->eventCount("drive", "P10.05"), eventsChanged + 2);
        QCOMPARE(statistics->eventCount("drive", "P10.06"), eventsKept);
        QVERIFY(m_device->isParamUnsaved("P10.05", 1));
        QVERIFY(m_device->isParamUnsaved("P10.06", 0));
    }

    void ignoresAnswersItNoLongerWaitsFor()
    {
        QSignalSpy replies(QSignalManager::self(), &QSignalManager::sigWriteReply);
        QSignalSpy finished(QSignalManager::self(), &QSignalManager::sigWriteFinished);
        m_link->setReplyDelay(20);
        m_device->calcFuncodeReadWriteTaskMap(recordsOf({"P00.01", "P00.13"}, 20), false, 0); // two blocks
        m_device->modifyFuncodeValueWithRecord_readAfterWrite();
        // The first answer is under way when the work is stopped and started again: that answer belongs
        // to a request the engine no longer waits for and must not count for the new run's first block.
        m_device->stopReadWriteTask_batch();
        m_device->modifyFuncodeValueWithRecord_readAfterWrite();
        QVERIFY(finished.wait());
        QCOMPARE(replies.size(), 2);
        QCOMPARE(m_device->batchEngine()->requestCount(), 3);
        QTest::qWait(60); // any stray answer would arrive now
        QCOMPARE(replies.size(), 2);
        QCOMPARE(finished.size(), 1);
    }
};

QTEST_MAIN(tst_QServoBatchEngine)
#include "tst_QServoBatchEngine.moc"
