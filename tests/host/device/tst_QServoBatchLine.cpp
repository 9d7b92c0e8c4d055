// One set of records written into several drives: at most the set number at once, never two on one wire,
// the caller's steps one at a time, each drive's verdict its own, and the end announced once.
#include "QServoBatchDriveSteps.h"
#include "QServoBatchLine.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// Wires named by the test; a prepare that waits for a while, as one waiting for its drive does.
class Steps : public QServoBatchDriveSteps
{
public:
    QHash<QString, QString> buses;
    QString refused;
    int inside = 0;
    bool nested = false;

    QString busOf(const QString& alias) const override { return buses.value(alias); }
    bool prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>*, QString* error) override
    {
        nested = nested || inside > 0;
        ++inside;
        QTest::qWait(10);
        --inside;
        *error = alias == refused ? QStringLiteral("refused") : QString();
        return error->isEmpty();
    }
};
} // namespace

class tst_QServoBatchLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void drivesRunSideBySide_data()
    {
        QTest::addColumn<int>("concurrency");
        QTest::addColumn<QStringList>("buses"); // of d1..d5; d3's step fails
        QTest::addColumn<int>("most");
        QTest::newRow("one at a time") << 1 << QStringList{"", "", "", "", ""} << 1;
        QTest::newRow("two at once") << 2 << QStringList{"", "", "", "", ""} << 2;
        QTest::newRow("more than there are drives") << 9 << QStringList{"", "", "", "", ""} << 5;
        QTest::newRow("one wire, one at a time on it")
            << 9 << QStringList{"COM1", "COM1", "", "COM1", ""} << 3;
    }

    void drivesRunSideBySide()
    {
        QFETCH(int, concurrency);
        QFETCH(QStringList, buses);
        QFETCH(int, most);
        const QStringList aliases{"d1", "d2", "d3", "d4", "d5"};
        Steps steps;
        steps.refused = "d3";
        for (int i = 0; i < aliases.size(); ++i) {
            QVERIFY(QTestHost::addDrive("TST3", aliases.at(i), 5));
            steps.buses.insert(aliases.at(i), buses.at(i));
        }
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = "P2.00";
        record->axisNum = 1;
        record->curValue = {{300, 300, 300}};
        QServoBatchLine line;
        line.setSteps(&steps);
        line.setConcurrency(concurrency);
        int seen = 0;
        bool sharedWire = false;
        connect(&line, &QServoBatchLine::driveStarted, this, [&]() {
            seen = qMax(seen, line.runningCount());
            QSet<QString> wires;
            for (const QString& alias : line.runningDrives()) {
                const QString bus = steps.busOf(alias);
                sharedWire = sharedWire || (!bus.isEmpty() && wires.contains(bus));
                wires.insert(bus);
            }
        });
        QSignalSpy finished(&line, &QServoBatchLine::finished);
        QVERIFY(line.start(aliases, {{"P2.00", record}}, true, 0));
        QVERIFY(finished.wait());
        QCOMPARE(seen, most);
        QVERIFY(!sharedWire);
        QVERIFY(!steps.nested);
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(line.failedDrives(), QStringList{"d3"});
        QCOMPARE(line.driveError("d3"), QString("refused"));
        QCOMPARE(line.finishedCount(), aliases.size());
        for (const QString& alias : aliases) {
            QCOMPARE(QTestHost::link(alias)->rawValue("P2.00", 0) == 300, alias != "d3");
        }
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(tst_QServoBatchLine)
#include "tst_QServoBatchLine.moc"
