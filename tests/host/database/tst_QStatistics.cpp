#include "DatabaseTestFiles.h"

#include "QStatistics.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using namespace DatabaseTestFiles;

namespace {
using Events = QList<QPair<QString, tagFuncodeModifyData>>;

// n events of the code, time stamps 1000, 1001, ...
Events eventsOf(const QString& funIndex, int n)
{
    Events events;
    for (int i = 0; i < n; ++i) {
        events.append({funIndex, {1000 + i, 0.0, 1.0, 0}});
    }
    return events;
}

// Per device and code: how many events and the newest time stamp, counted by hand.
using HandCount = QMap<QString, QMap<QString, QPair<int, int>>>;

void count(HandCount* counts, const QString& devKey, const Events& events)
{
    for (const auto& event : events) {
        QPair<int, int>& entry = (*counts)[devKey][event.first];
        entry.second = entry.first == 0 ? event.second.timeStamp : qMax(entry.second, event.second.timeStamp);
        ++entry.first;
    }
}

// Events of many codes with skewed counts and time stamps out of order.
Events scatteredEvents(int n, int seed)
{
    Events events;
    for (int i = 0; i < n; ++i) {
        const int code = (i * i + seed) % 17;
        const int time = 5000 + (i * 7919 + seed) % 1000;
        events.append({QStringLiteral("P%1.%2").arg(code / 5).arg(code % 5, 2, 10, QLatin1Char('0')),
                       {time, double(i), double(i + 1), i % 3}});
    }
    return events;
}

QList<tagFuncodeModifyCount> sortedHandCount(const QMap<QString, QPair<int, int>>& counts, bool descending)
{
    QList<tagFuncodeModifyCount> sorted;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        sorted.append({it.key(), it.value().first, it.value().second});
    }
    std::stable_sort(sorted.begin(), sorted.end(), [descending](const auto& a, const auto& b) {
        return descending ? a.count > b.count : a.count < b.count;
    });
    return sorted;
}

QStringList numbersOf(const QSortedModifyDataList& sorted)
{
    QStringList numbers;
    for (const auto& entry : sorted) {
        numbers.append(entry.first);
    }
    return numbers;
}
} // namespace

class tst_QStatistics : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY((m_db = openNew<QStatistics>(m_dir)) != nullptr); }
    void sortedByCount();
    void eventsNewestFirstWithTheirValues();
    void devicesAreSeparate();
    void oneBadEventSpoilsTheBatch();
    void aggregateEqualsHandCount_data();
    void aggregateEqualsHandCount();
    void eventsOfOneCode();
    void countsOfAnUpgradedFile();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QStatistics> m_db;
};

// Sorted by count in either direction, ties by number; each entry holds all the code's events.
void tst_QStatistics::sortedByCount()
{
    // Stored interleaved, so that storing order cannot produce the expected order by accident.
    const Events events = eventsOf("P01.00", 1) + eventsOf("P00.10", 1) + eventsOf("P02.00", 1) +
                          eventsOf("P01.00", 2) + eventsOf("P00.02", 2) + eventsOf("P02.00", 1) +
                          eventsOf("P00.01", 1) + eventsOf("P00.02", 1);
    QVERIFY2(m_db->addFuncodeModifyEvents("drive", events), qPrintable(m_db->lastError()));
    const QSortedModifyDataList sorted = m_db->getSortedFuncodeModifyData("drive", true);
    QCOMPARE(numbersOf(sorted), (QStringList{"P00.02", "P01.00", "P02.00", "P00.01", "P00.10"}));
    QCOMPARE(numbersOf(m_db->getSortedFuncodeModifyData("drive", false)),
             (QStringList{"P00.01", "P00.10", "P02.00", "P00.02", "P01.00"}));
    for (const auto& entry : sorted) {
        QCOMPARE(entry.second.size(), m_db->eventCount("drive", entry.first));
    }
    QCOMPARE(m_db->eventCount("drive", "P01.00"), 3);
}

void tst_QStatistics::eventsNewestFirstWithTheirValues()
{
    const QList<tagFuncodeModifyData> stored{
        {200, 0, 1, 0}, {1714557600, -12345.678901234, 0.1 + 0.2, 2}, {100, 0, 3, 1}, {1714557600, 0, 4, 0}};
    for (const tagFuncodeModifyData& event : stored) {
        QVERIFY(m_db->addFuncodeModifyEvent("drive", "P03.07", event));
    }
    const auto line = [](const tagFuncodeModifyData& e) {
        return QString::asprintf("%d|%.17g|%.17g|%d", e.timeStamp, e.oldValue, e.newValue, e.axisIndex);
    };
    QStringList actual;
    for (const tagFuncodeModifyData& event :
         m_db->getSortedFuncodeModifyData("drive", true).value(0).second) {
        actual << line(event);
    }
    // Newest time first; in the same second the later stored comes first.
    QCOMPARE(actual, (QStringList{line(stored[3]), line(stored[1]), line(stored[0]), line(stored[2])}));
}

void tst_QStatistics::devicesAreSeparate()
{
    QVERIFY(m_db->addFuncodeModifyEvents("drive A", eventsOf("P00.01", 2)));
    QVERIFY(m_db->addFuncodeModifyEvents("drive B", eventsOf("P00.01", 5) + eventsOf("P00.02", 1)));
    QCOMPARE(m_db->eventCount("drive A", "P00.01"), 2);
    QVERIFY(m_db->renameDevice("drive A", "drive B"));
    QCOMPARE(m_db->eventCount("drive B", "P00.01"), 7);
    QCOMPARE(m_db->eventCount("drive A", "P00.01"), 0);
    QVERIFY(m_db->addFuncodeModifyEvents("drive C", eventsOf("P00.01", 1)));
    QVERIFY(m_db->clearDevice("drive B"));
    QVERIFY(m_db->getSortedFuncodeModifyData("drive B", true).isEmpty());
    QCOMPARE(m_db->eventCount("drive C", "P00.01"), 1);
}

void tst_QStatistics::oneBadEventSpoilsTheBatch()
{
    QVERIFY(!m_db->addFuncodeModifyEvent(QString(), "P00.01", {1, 0, 1, 0}));
    Events events = eventsOf("P00.01", 3);
    events.append({QString(), {2, 0, 1, 0}});
    QVERIFY(!m_db->addFuncodeModifyEvents("drive", events));
    QCOMPARE(m_db->eventCount("drive", "P00.01"), 0);
}

void tst_QStatistics::aggregateEqualsHandCount_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("events stored") << "store";
    QTest::newRow("renamed onto a device with events") << "rename";
    QTest::newRow("another device cleared") << "clear";
    QTest::newRow("a refused batch") << "refuse";
}

// The counts of one aggregate query equal the events counted by hand, and the order of the full load.
void tst_QStatistics::aggregateEqualsHandCount()
{
    QFETCH(QString, operation);
    HandCount counts;
    const Events a = scatteredEvents(400, 1);
    const Events b = scatteredEvents(150, 2);
    QVERIFY(m_db->addFuncodeModifyEvents("drive A", a));
    QVERIFY(m_db->addFuncodeModifyEvents("drive B", b));
    count(&counts, "drive A", a);
    count(&counts, "drive B", b);
    if (operation == "rename") {
        QVERIFY(m_db->renameDevice("drive B", "drive A"));
        count(&counts, "drive A", b);
        counts.remove("drive B");
    } else if (operation == "clear") {
        QVERIFY(m_db->clearDevice("drive B"));
        counts.remove("drive B");
    } else if (operation == "refuse") {
        Events bad = scatteredEvents(30, 3);
        bad.append({QString(), {1, 0, 1, 0}});
        QVERIFY(!m_db->addFuncodeModifyEvents("drive A", bad));
    }
    for (const QString& device : {QStringLiteral("drive A"), QStringLiteral("drive B")}) {
        for (bool descending : {true, false}) {
            const QList<tagFuncodeModifyCount> aggregate =
                m_db->getSortedFuncodeModifyCounts(device, descending);
            QCOMPARE(aggregate, sortedHandCount(counts.value(device), descending));
            QStringList numbers;
            for (const tagFuncodeModifyCount& entry : aggregate) {
                numbers.append(entry.funIndex);
            }
            QCOMPARE(numbers, numbersOf(m_db->getSortedFuncodeModifyData(device, descending)));
        }
    }
}

void tst_QStatistics::eventsOfOneCode()
{
    const Events events = scatteredEvents(200, 4);
    QVERIFY(m_db->addFuncodeModifyEvents("drive", events + eventsOf("P9.99", 3)));
    for (const auto& entry : m_db->getSortedFuncodeModifyData("drive", true)) {
        const QList<tagFuncodeModifyData> one = m_db->getFuncodeModifyData("drive", entry.first);
        QCOMPARE(one.size(), entry.second.size());
        for (int i = 0; i < one.size(); ++i) {
            QCOMPARE(one.at(i).timeStamp, entry.second.at(i).timeStamp);
            QCOMPARE(one.at(i).newValue, entry.second.at(i).newValue);
        }
    }
    QVERIFY(m_db->getFuncodeModifyData("drive", "P7.77").isEmpty());
    QVERIFY(m_db->getFuncodeModifyData("nobody", "P9.99").isEmpty());
}

// A file of the first layout, which kept no counts, gets counts equal to its events.
void tst_QStatistics::countsOfAnUpgradedFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("statistics.db");
    QVERIFY(QFile::copy(QStringLiteral(SERVO_TEST_DATA_DIR "/databases/statistics-layout1.db"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QVariant oldDevice;
    QVERIFY(runSql(path, {"SELECT dev_key FROM modify_event LIMIT 1"}, &oldDevice));
    QStatistics db;
    QVERIFY2(db.open(path), qPrintable(db.lastError()));
    QCOMPARE(db.upgradedFrom(), 1);
    const QSortedModifyDataList events = db.getSortedFuncodeModifyData(oldDevice.toString(), true);
    QVERIFY(!events.isEmpty());
    const QList<tagFuncodeModifyCount> counts = db.getSortedFuncodeModifyCounts(oldDevice.toString(), true);
    QCOMPARE(counts.size(), events.size());
    for (int i = 0; i < counts.size(); ++i) {
        QCOMPARE(counts.at(i).funIndex, events.at(i).first);
        QCOMPARE(counts.at(i).count, events.at(i).second.size());
        QCOMPARE(counts.at(i).lastTimeStamp, events.at(i).second.first().timeStamp);
    }
    // Events stored after the upgrade are counted like any other.
    const QString device = QStringLiteral("new drive");
    QVERIFY(db.addFuncodeModifyEvents(device, eventsOf("P00.01", 3)));
    QCOMPARE(db.eventCount(device, "P00.01"), 3);
}

QTEST_GUILESS_MAIN(tst_QStatistics)
#include "tst_QStatistics.moc"
