#include "DatabaseTestFiles.h"

#include <QtTest>

using namespace DatabaseTestFiles;

namespace {
using Events = QList<QPair<QString, tagFuncodeModifyData>>;

QString codeNumber(int code)
{
    return QStringLiteral("P%1.%2").arg(code / 5).arg(code % 5, 2, 10, QLatin1Char('0'));
}

// Events of 17 codes with skewed counts and time stamps out of order.
Events scatteredEvents(int n, int seed)
{
    Events events;
    for (int i = 0; i < n; ++i) {
        const int time = 5000 + (i * 7919 + seed) % 1000;
        events.append({codeNumber((i * i + seed) % 17), {time, double(i), double(i + 1), i % 3}});
    }
    return events;
}

// Per code: how many events and the newest time stamp, counted by hand; sorted by count, ties by number.
QList<tagFuncodeModifyCount> handCount(const Events& events, bool descending)
{
    QMap<QString, tagFuncodeModifyCount> counts;
    for (const auto& event : events) {
        tagFuncodeModifyCount& entry = counts[event.first];
        entry = {event.first, entry.count + 1, qMax(entry.lastTimeStamp, event.second.timeStamp)};
    }
    QList<tagFuncodeModifyCount> sorted = counts.values();
    std::stable_sort(sorted.begin(), sorted.end(), [descending](const auto& a, const auto& b) {
        return descending ? a.count > b.count : a.count < b.count;
    });
    return sorted;
}

// The counts as the events themselves give them: per code its number of events and the newest time stamp.
QList<tagFuncodeModifyCount> countsOf(const QSortedModifyDataList& events)
{
    QList<tagFuncodeModifyCount> counts;
    for (const auto& code : events) {
        counts.append({code.first, code.second.size(), code.second.value(0).timeStamp});
    }
    return counts;
}

QStringList linesOf(const QList<tagFuncodeModifyData>& events)
{
    QStringList lines;
    for (const tagFuncodeModifyData& e : events) {
        lines << QString::asprintf("%d|%.17g|%.17g|%d", e.timeStamp, e.oldValue, e.newValue, e.axisIndex);
    }
    return lines;
}
} // namespace

class tst_QStatistics : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<QStatistics> m_db;

private slots:
    // Chunks of 100 events: the lists below are stored in several.
    void init()
    {
        QVERIFY((m_db = openNew<QStatistics>(m_dir)) != nullptr);
        m_db->setChunkRows(100);
    }

    // Newest time first; in the same second the later stored comes first; values come back exactly.
    void eventsNewestFirstWithTheirValues()
    {
        const QList<tagFuncodeModifyData> stored{{200, 0, 1, 0},
                                                 {1714557600, -12345.678901234, 0.1 + 0.2, 2},
                                                 {100, 0, 3, 1},
                                                 {1714557600, 0, 4, 0}};
        for (const tagFuncodeModifyData& event : stored) {
            QVERIFY(m_db->addFuncodeModifyEvent("drive", "P03.07", event));
        }
        QCOMPARE(linesOf(m_db->getSortedFuncodeModifyData("drive", true).value(0).second),
                 linesOf({stored[3], stored[1], stored[0], stored[2]}));
    }

    void aggregateEqualsHandCount_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("events stored") << "store";
        QTest::newRow("renamed onto a device with events") << "rename";
        QTest::newRow("another device cleared") << "clear";
        QTest::newRow("a refused batch") << "refuse";
    }

    // Every query (the counts in SQL, the full load sorted by count, the events of one code, the count of
    // one code) equals the events counted by hand, after storing, renaming, clearing or a refused batch.
    void aggregateEqualsHandCount()
    {
        QFETCH(QString, operation);
        const Events a = scatteredEvents(400, 1);
        const Events b = scatteredEvents(150, 2);
        QVERIFY2(m_db->addFuncodeModifyEvents("drive A", a), qPrintable(m_db->lastError()));
        QVERIFY(m_db->addFuncodeModifyEvents("drive B", b));
        QMap<QString, Events> kept{{"drive A", a}, {"drive B", b}};
        if (operation == "rename") {
            QVERIFY(m_db->renameDevice("drive B", "drive A"));
            kept["drive A"] += kept.take("drive B");
        } else if (operation == "clear") {
            QVERIFY(m_db->clearDevice("drive B"));
            kept.remove("drive B");
        } else if (operation == "refuse") {
            QVERIFY(!m_db->addFuncodeModifyEvent(QString(), "P00.01", {1, 0, 1, 0}));
            Events bad = scatteredEvents(30, 3);
            bad.append({QString(), {1, 0, 1, 0}});
            QVERIFY(!m_db->addFuncodeModifyEvents("drive A", bad));
        }
        for (const QString& device : {QStringLiteral("drive A"), QStringLiteral("drive B")}) {
            for (bool descending : {true, false}) {
                const QList<tagFuncodeModifyCount> aggregate =
                    m_db->getSortedFuncodeModifyCounts(device, descending);
                QCOMPARE(aggregate, handCount(kept.value(device), descending));
                const QSortedModifyDataList data = m_db->getSortedFuncodeModifyData(device, descending);
                QCOMPARE(countsOf(data), aggregate);
                for (const auto& code : data) {
                    QCOMPARE(linesOf(m_db->getFuncodeModifyData(device, code.first)), linesOf(code.second));
                }
            }
            for (int code = 0; code < 18; ++code) {
                const QString n = codeNumber(code);
                const Events& events = kept[device];
                QCOMPARE(m_db->eventCount(device, n),
                         int(std::count_if(events.begin(), events.end(),
                                           [&](const auto& e) { return e.first == n; })));
            }
        }
        QVERIFY(m_db->getFuncodeModifyData("drive A", codeNumber(17)).isEmpty());
        QVERIFY(m_db->getFuncodeModifyData("nobody", "P0.00").isEmpty());
    }

    // A file of the first layout, which kept no counts, gets counts equal to its events.
    void countsOfAnUpgradedFile()
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
        QCOMPARE(db.getSortedFuncodeModifyCounts(oldDevice.toString(), true), countsOf(events));
        // Events stored after the upgrade are counted like any other.
        QVERIFY(db.addFuncodeModifyEvents("new drive", {{"P00.01", {}}, {"P00.01", {}}, {"P00.01", {}}}));
        QCOMPARE(db.eventCount("new drive", "P00.01"), 3);
    }
};

QTEST_GUILESS_MAIN(tst_QStatistics)
#include "tst_QStatistics.moc"
