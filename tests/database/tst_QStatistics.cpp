#include "DatabaseTestFiles.h"

#include "QStatistics.h"

#include <QTemporaryDir>
#include <QtTest>

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

QTEST_GUILESS_MAIN(tst_QStatistics)
#include "tst_QStatistics.moc"
