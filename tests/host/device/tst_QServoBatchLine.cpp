// One set of records written into several drives: at most the set number at once, each drive's verdict
// its own, and the end announced once.
#include "QDeviceServo.h"
#include "QServoBatchLine.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

class tst_QServoBatchLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void drivesRunSideBySide_data()
    {
        QTest::addColumn<int>("concurrency");
        QTest::newRow("one at a time") << 1;
        QTest::newRow("two at once") << 2;
        QTest::newRow("more than there are drives") << 9;
    }

    void drivesRunSideBySide()
    {
        QFETCH(int, concurrency);
        const QStringList aliases{"d1", "d2", "missing", "d3", "d4"};
        for (const QString& alias : aliases) {
            QVERIFY(alias == "missing" || QTestHost::addDrive("TST3", alias, 5));
        }
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = "P2.00";
        record->axisNum = 1;
        record->curValue = {{300, 300, 300}};
        QServoBatchLine line;
        line.setConcurrency(concurrency);
        int most = 0;
        connect(&line, &QServoBatchLine::driveStarted, this,
                [&]() { most = qMax(most, line.runningCount()); });
        QSignalSpy finished(&line, &QServoBatchLine::finished);
        QVERIFY(line.start(aliases, {{"P2.00", record}}, true, 0));
        QVERIFY(finished.count() == 1 || finished.wait());
        QCOMPARE(most, qMin(concurrency, 4)); // the missing drive ends as it starts
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(line.failedDrives(), QStringList{"missing"});
        QCOMPARE(line.finishedCount(), aliases.size());
        for (const char* alias : {"d1", "d2", "d3", "d4"}) {
            QCOMPARE(QTestHost::link(alias)->rawValue("P2.00", 0), qint64(300));
        }
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(tst_QServoBatchLine)
#include "tst_QServoBatchLine.moc"
