#include "QStatistics.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
tagFuncodeModifyData makeEvent(int timeStamp, double oldValue = 0.0, double newValue = 1.0, int axis = 0)
{
    tagFuncodeModifyData event;
    event.timeStamp = timeStamp;
    event.oldValue = oldValue;
    event.newValue = newValue;
    event.axisIndex = axis;
    return event;
}

// n events of the code, time stamps 1000, 1001, ...
QList<QPair<QString, tagFuncodeModifyData>> eventsOf(const QString& funIndex, int n)
{
    QList<QPair<QString, tagFuncodeModifyData>> events;
    for (int i = 0; i < n; ++i) {
        events.append(qMakePair(funIndex, makeEvent(1000 + i)));
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
    void init();
    void cleanup();
    void sortedByCount_data();
    void sortedByCount();
    void eventsNewestFirst();
    void eventValuesRoundTrip();
    void devicesAreSeparate();
    void renameDeviceMerges();
    void refusesEventsWithoutKeys();
    void survivesReopen();

private:
    QString path() const { return m_dir->filePath("statistics.db"); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QStatistics> m_db;
};

void tst_QStatistics::init()
{
    m_dir.reset(new QTemporaryDir);
    m_db.reset(new QStatistics);
    QVERIFY2(m_db->open(path()), qPrintable(m_db->lastError()));
}

void tst_QStatistics::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void tst_QStatistics::sortedByCount_data()
{
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("expected");
    // Counts: P01.00 3, P00.10 1, P00.02 3, P02.00 2, P00.01 1.
    QTest::newRow("descending, ties by number")
        << true << QStringList{"P00.02", "P01.00", "P02.00", "P00.01", "P00.10"};
    QTest::newRow("ascending, ties by number")
        << false << QStringList{"P00.01", "P00.10", "P02.00", "P00.02", "P01.00"};
}

void tst_QStatistics::sortedByCount()
{
    QFETCH(bool, descending);
    QFETCH(QStringList, expected);
    // Stored interleaved, so that storing order cannot produce the expected order by accident.
    QList<QPair<QString, tagFuncodeModifyData>> events;
    events << eventsOf("P01.00", 1) << eventsOf("P00.10", 1) << eventsOf("P02.00", 1) << eventsOf("P01.00", 2)
           << eventsOf("P00.02", 2) << eventsOf("P02.00", 1) << eventsOf("P00.01", 1)
           << eventsOf("P00.02", 1);
    QVERIFY2(m_db->addFuncodeModifyEvents("drive", events), qPrintable(m_db->lastError()));

    const QSortedModifyDataList sorted = m_db->getSortedFuncodeModifyData("drive", descending);
    QCOMPARE(numbersOf(sorted), expected);
    for (const auto& entry : sorted) {
        QCOMPARE(entry.second.size(), m_db->eventCount("drive", entry.first));
    }
    QCOMPARE(m_db->eventCount("drive", "P01.00"), 3);
}

void tst_QStatistics::eventsNewestFirst()
{
    QVERIFY(m_db->addFuncodeModifyEvent("drive", "P00.01", makeEvent(200, 0, 1)));
    QVERIFY(m_db->addFuncodeModifyEvent("drive", "P00.01", makeEvent(500, 0, 2)));
    QVERIFY(m_db->addFuncodeModifyEvent("drive", "P00.01", makeEvent(100, 0, 3)));
    // Same second as the newest: the later stored comes first.
    QVERIFY(m_db->addFuncodeModifyEvent("drive", "P00.01", makeEvent(500, 0, 4)));

    const QSortedModifyDataList sorted = m_db->getSortedFuncodeModifyData("drive", true);
    QCOMPARE(sorted.size(), 1);
    QList<double> newValues;
    for (const tagFuncodeModifyData& event : sorted.first().second) {
        newValues.append(event.newValue);
    }
    QCOMPARE(newValues, (QList<double>{4, 2, 1, 3}));
}

void tst_QStatistics::eventValuesRoundTrip()
{
    const tagFuncodeModifyData event = makeEvent(1714557600, -12345.678901234, 0.1 + 0.2, 2);
    QVERIFY(m_db->addFuncodeModifyEvent("drive", "P03.07", event));
    const tagFuncodeModifyData stored =
        m_db->getSortedFuncodeModifyData("drive", true).first().second.first();
    QCOMPARE(stored.timeStamp, event.timeStamp);
    QCOMPARE(stored.oldValue, event.oldValue);
    QCOMPARE(stored.newValue, event.newValue);
    QCOMPARE(stored.axisIndex, event.axisIndex);
}

void tst_QStatistics::devicesAreSeparate()
{
    QVERIFY(m_db->addFuncodeModifyEvents("drive A", eventsOf("P00.01", 2)));
    QVERIFY(m_db->addFuncodeModifyEvents("drive B", eventsOf("P00.01", 5) + eventsOf("P00.02", 1)));
    QCOMPARE(numbersOf(m_db->getSortedFuncodeModifyData("drive A", true)), QStringList{"P00.01"});
    QCOMPARE(m_db->eventCount("drive A", "P00.01"), 2);
    QCOMPARE(m_db->eventCount("drive B", "P00.01"), 5);

    QVERIFY(m_db->clearDevice("drive B"));
    QVERIFY(m_db->getSortedFuncodeModifyData("drive B", true).isEmpty());
    QCOMPARE(m_db->eventCount("drive A", "P00.01"), 2);
}

void tst_QStatistics::renameDeviceMerges()
{
    QVERIFY(m_db->addFuncodeModifyEvents("old", eventsOf("P00.01", 2)));
    QVERIFY(m_db->addFuncodeModifyEvents("new", eventsOf("P00.01", 1)));
    QVERIFY(m_db->renameDevice("old", "new"));
    QCOMPARE(m_db->eventCount("new", "P00.01"), 3);
    QCOMPARE(m_db->eventCount("old", "P00.01"), 0);
}

void tst_QStatistics::refusesEventsWithoutKeys()
{
    QVERIFY(!m_db->addFuncodeModifyEvent(QString(), "P00.01", makeEvent(1)));
    // One bad event spoils the whole batch: nothing of it is stored.
    QList<QPair<QString, tagFuncodeModifyData>> events = eventsOf("P00.01", 3);
    events.append(qMakePair(QString(), makeEvent(2)));
    QVERIFY(!m_db->addFuncodeModifyEvents("drive", events));
    QVERIFY(!m_db->lastError().isEmpty());
    QCOMPARE(m_db->eventCount("drive", "P00.01"), 0);
}

void tst_QStatistics::survivesReopen()
{
    QVERIFY(m_db->addFuncodeModifyEvents("drive", eventsOf("P00.01", 3) + eventsOf("P00.02", 1)));
    m_db->close();
    QStatistics reopened;
    QVERIFY2(reopened.open(path()), qPrintable(reopened.lastError()));
    const QSortedModifyDataList sorted = reopened.getSortedFuncodeModifyData("drive", true);
    QCOMPARE(numbersOf(sorted), (QStringList{"P00.01", "P00.02"}));
    QCOMPARE(sorted.first().second.first().timeStamp, 1002);
}

QTEST_GUILESS_MAIN(tst_QStatistics)
#include "tst_QStatistics.moc"
