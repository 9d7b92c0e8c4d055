// The device's batch engine: blocks of consecutive registers per axis (the planner's rules are its own
// suite's), values it cannot send left out, one request per block, hub signals per block and per phase,
// values recorded like any other write, and answers it no longer waits for ignored. Waiting for a drive
// that went offline and came back, and stopping, are shown through the batch transfer's suite.

#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QServoBatchEngine.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QStatistics.h"
#include "QTestHost.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

namespace {
// A model whose register layout is known: 16-bit codes A.00-A.02 at 0-2, a 32-bit code A.03 at 3-4, a
// 64-bit code A.04 at 5-8, a 16-bit code A.05 at 20, a read-only code A.06 at 9, and 130 16-bit codes
// B.000-B.129 at 100-229.
QByteArray layoutModelJson()
{
    auto code = [](const QString& index, int addr, int dataType, int rw = 1) {
        return QJsonObject{{"index", index}, {"name", index},        {"min", "0"},
                           {"max", "1000"},  {"default", "1"},       {"modbus", addr},
                           {"rw", rw},       {"dataType", dataType}, {"showType", 0}};
    };
    QJsonArray a{code("A.00", 0, 4),  code("A.01", 1, 4),  code("A.02", 2, 3),   code("A.03", 3, 8),
                 code("A.04", 5, 15), code("A.05", 20, 4), code("A.06", 9, 4, 0)};
    QJsonArray b;
    for (int i = 0; i < 130; ++i) {
        b.append(code(QStringLiteral("B.%1").arg(i, 3, 10, QLatin1Char('0')), 100 + i, 4));
    }
    QJsonObject root{{"format", 1},
                     {"model", "LAYOUT2"},
                     {"configVersion", "1.00"},
                     {"axisNum", 2},
                     {"identity", QJsonObject{{"family", "L"}, {"firmware", "L1"}, {"number", 77}}},
                     {"groups", QJsonArray{QJsonObject{{"name", "A Block"}, {"codes", a}},
                                           QJsonObject{{"name", "B Long"}, {"codes", b}}}}};
    return QJsonDocument(QTestHost::bilingual(root)).toJson();
}

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

QStringList longRun(int from, int count)
{
    QStringList list;
    for (int i = from; i < from + count; ++i) {
        list << QStringLiteral("B.%1").arg(i, 3, 10, QLatin1Char('0'));
    }
    return list;
}
QSignalManager* hub()
{
    return QSignalManager::self();
}
} // namespace

class tst_QServoBatchEngine : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QString error;
        QDriveModelPtr model = QDriveModel::fromJson(layoutModelJson(), &error);
        QVERIFY2(model, qPrintable(error));
        QProjectCore::self()->getCatalogue()->addModel(model);
    }

    void init()
    {
        m_device = QTestHost::addDrive("LAYOUT2", "drive");
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
        const QStringList mixed{"A.00", "A.01", "A.02", "A.03", "A.04", "A.05"};
        // 1 + 1 + 1 + 2 + 4 registers at 0-8: one block; A.05 at 20 is apart for writes, read through.
        QTest::newRow("mixed widths, axis X") << mixed << qint64(7) << false << 2 << 1 << 2 * 10 << "";
        QTest::newRow("mixed widths, both axes") << mixed << qint64(7) << true << 4 << 2 << 2 * 2 * 10 << "";
        QTest::newRow("123 registers per write, 125 per read")
            << longRun(0, 130) << qint64(7) << false << 2 << 2 << 2 * 130 << "";
        QTest::newRow("read only") << QStringList{"A.01", "A.06"} << qint64(5) << false << 1 << 1 << 2
                                   << "A.06";
        QTest::newRow("unknown") << QStringList{"A.01", "Z.99"} << qint64(5) << false << 1 << 1 << 2
                                 << "Z.99";
        QTest::newRow("out of range")
            << QStringList{"A.00"} << qint64(5000) << false << 0 << 0 << 0 << "A.00";
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
        QCOMPARE(engine->rejectedFuncodes().isEmpty(), rejected.isEmpty());
        QVERIFY(rejected.isEmpty() || engine->rejectedFuncodes().first().first == rejected);
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
        QSignalSpy writeReplies(hub(), &QSignalManager::sigWriteReply);
        QSignalSpy writeFinished(hub(), &QSignalManager::sigWriteFinished);
        QSignalSpy readReplies(hub(), &QSignalManager::sigReadReply);
        QSignalSpy readFinished(hub(), &QSignalManager::sigReadFinished);
        m_device->calcFuncodeReadWriteTaskMap(
            recordsOf(QStringList{"A.00", "A.03", "A.04"} + longRun(0, 130), 9), true, 0);
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
        QCOMPARE(m_link->rawValue("B.129", 1), qint64(10));
        QCOMPARE(m_link->rawValue("A.04", 0), qint64(9));
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
        const int eventsA00 = statistics->eventCount("drive", "A.00");
        const int eventsA01 = statistics->eventCount("drive", "A.01");
        // A.00 changes on both axes; A.01 is written with the value it already holds on axis X.
        auto map = recordsOf({"A.00"}, 42);
        map.insert("A.01", recordsOf({"A.01"}, 1, 1).first());
        m_device->calcFuncodeReadWriteTaskMap(map, true, 0);
        QSignalSpy finished(hub(), &QSignalManager::sigWriteFinished);
        m_device->modifyFuncodeValueWithRecord_readAfterWrite();
        QVERIFY(finished.wait());
        QCOMPARE(records->recordCount("drive"), before + 2);
        const tagModifyFuncode_Servo newest = records->getModifyFunCodes("drive").first();
        QCOMPARE(newest.funIndex, QString("A.00"));
        QCOMPARE(newest.oldVal, QString("1"));
        QCOMPARE(newest.newVal, QString("43"));
        QCOMPARE(statistics->eventCount("drive", "A.00"), eventsA00 + 2);
        QCOMPARE(statistics->eventCount("drive", "A.01"), eventsA01);
        QVERIFY(m_device->isParamUnsaved("A.00", 1));
        QVERIFY(m_device->isParamUnsaved("A.01", 0));
    }

    void ignoresAnswersItNoLongerWaitsFor()
    {
        QSignalSpy replies(hub(), &QSignalManager::sigWriteReply);
        QSignalSpy finished(hub(), &QSignalManager::sigWriteFinished);
        m_link->setReplyDelay(20);
        m_device->calcFuncodeReadWriteTaskMap(recordsOf(longRun(0, 130), 5), false, 0);
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
