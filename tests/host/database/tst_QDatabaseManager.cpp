#include "DatabaseTestFiles.h"

#include "QDatabaseManager.h"
#include "QTestReadOnlyFile.h"

#include <QtTest>

using namespace DatabaseTestFiles;

namespace {
using Records = QList<tagModifyFuncode_Servo>;
using RelateMap = QMap<QString, QPair<QString, QString>>;

// One line per record with every field, so that a failed comparison shows the record that differs.
QStringList lines(const Records& records)
{
    QStringList result;
    for (const tagModifyFuncode_Servo& r : records) {
        QStringList fields{r.strTime, r.funIndex, QString::number(r.axisIndex), r.oldVal, r.newVal};
        for (auto it = r.relateParamMap.cbegin(); it != r.relateParamMap.cend(); ++it) {
            fields << it.key() + "=" + it->first + ">" + it->second;
        }
        result << fields.join('|');
    }

    return result;
}

tagDevConfigInfo_Servo makeModel(const QString& name, int axes, const QString& version = "1.00")
{
    return {name, version, axes, "family-" + name, "fw-" + name, 4100 + axes};
}

// Deliberately not sorted by any field, to show that the stored order is the order given.
const QHisFaultFormatList_Servo kFormat{{"3~4", "Bus voltage", 8, 4, "P0B.26", 0},
                                        {"1", "Fault code", 4, 2, "FAULTCODE", 0},
                                        {"12", "Zeit, \"µs\"", 15, 8, "RESERVE", 5},
                                        {"2", "", 3, 2, "P0B.00", 0}};

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

const tagModifyFuncode_Servo kRecord{"2024-05-01 10:00:00", "P00.07", 0, "1", "2", {}};

// The manager is a process-wide object; its cases run in declaration order and share it. The databases it
// owns (records, settings, statistics) are tested each on a file of its own.
class tst_QDatabaseManager : public QObject
{
    Q_OBJECT

private slots:
    // A database of each kind on a file of its own, beside the manager's (statistics in chunks of 100
    // events: the lists below are stored in several).
    void init()
    {
        QVERIFY((m_records = openNew<QRecordDB_Servo>(m_dir)) != nullptr);
        QVERIFY((m_config = openNew<QConfigDB_Servo>(m_dir)) != nullptr);
        QVERIFY((m_statistics = openNew<QStatistics>(m_dir)) != nullptr);
        m_statistics->setChunkRows(100);
    }

    void createsTheFilesAndKeepsDataOverReopen()
    {
        // Before opening, every database answers and refuses to write.
        QVERIFY(!manager()->getRecordDatabase_Servo()->insertModifyFunCode("drive", kRecord));
        QVERIFY(manager()->getRecordDatabase_Servo()->lastError().contains("STR_DB_NOT_OPEN"));
        QVERIFY(!manager()->recoverDatabase("records.db", nullptr, nullptr));
        const QString dir = m_dir.filePath("data");
        QString error;
        QVERIFY2(manager()->open(dir, &error), qPrintable(error));
        for (const QString& name : QDatabaseManager::databaseFileNames()) {
            QVERIFY2(QFileInfo::exists(QDir(dir).filePath(name)), qPrintable(name));
        }
        // Kept data must have been committed, not just be visible to the connection that wrote it.
        const QHisFaultFormatList_Servo format{{"1", "Fault code", 4, 2, "FAULTCODE", 0}};
        QVERIFY(manager()->getRecordDatabase_Servo()->insertModifyFunCode("drive", kRecord));
        QVERIFY(manager()->getStatisticsDatabase()->addFuncodeModifyEvents("drive",
                                                                           {{"P00.01", {}}, {"P00.01", {}}}));
        QVERIFY(manager()->getConfigDatabase_Servo()->addRenamedModel("KV900", "KV905"));
        QVERIFY(manager()->getConfigDatabase_Servo()->saveHisFaultFromat("family", "fw", 7, format));
        manager()->close();

        QVERIFY(manager()->open(dir));
        QCOMPARE(manager()->getRecordDatabase_Servo()->getModifyFunCodes("drive").value(0).funIndex,
                 kRecord.funIndex);
        QCOMPARE(manager()->getStatisticsDatabase()->eventCount("drive", "P00.01"), 2);
        QCOMPARE(manager()->getConfigDatabase_Servo()->convertToNewDevName("KV900"), QString("KV905"));
        QCOMPARE(manager()->getConfigDatabase_Servo()->getDevHisFaultFormat("family", "fw", 7), format);
    }

    void damagedFileIsNamedOthersStayUsable_data() { fileRows(); }

    void damagedFileIsNamedOthersStayUsable()
    {
        QFETCH(QString, name);
        const QString dir = m_dir.filePath("damaged-" + name);
        QVERIFY(QDir().mkpath(dir));
        const QByteArray garbage = randomBytes(3000, 5);
        QVERIFY(writeBytes(QDir(dir).filePath(name), garbage));

        QString error;
        QVERIFY(!manager()->open(dir, &error));
        QVERIFY2(error.startsWith(name + ": "), qPrintable(error));
        QCOMPARE(manager()->damagedFiles(), QStringList{name});
        QCOMPARE(manager()->lastErrors(), QStringList{error});

        QCOMPARE(manager()->getRecordDatabase_Servo()->insertModifyFunCode("drive", kRecord),
                 name != "records.db");
        QCOMPARE(manager()->getStatisticsDatabase()->addFuncodeModifyEvent("drive", "P00.01",
                                                                           tagFuncodeModifyData()),
                 name != "statistics.db");
        QCOMPARE(manager()->getConfigDatabase_Servo()->addRenamedModel("A", "B"), name != "config.db");
        QCOMPARE(readBytes(QDir(dir).filePath(name)), garbage);
    }

    void recoverKeepsTheOldFile()
    {
        const QString dir = m_dir.filePath("recover");
        QVERIFY(QDir().mkpath(dir));
        const QString path = QDir(dir).filePath("statistics.db");
        const QByteArray garbage = randomBytes(5000, 9);
        QVERIFY(writeBytes(path, garbage));
        QVERIFY(!manager()->open(dir));

        QString movedTo;
        QString error;
        QVERIFY(!manager()->recoverDatabase("other.db", &movedTo, &error));
        const QString elsewhere = m_dir.filePath("statistics.db");
        QVERIFY(writeBytes(elsewhere, garbage));
        QVERIFY(!manager()->recoverDatabase(elsewhere, &movedTo, &error));
        QCOMPARE(readBytes(elsewhere), garbage);
        QCOMPARE(readBytes(path), garbage);

        QVERIFY2(manager()->recoverDatabase("statistics.db", &movedTo, &error), qPrintable(error));
        QVERIFY(manager()->lastErrors().isEmpty());
        QVERIFY2(QFileInfo(movedTo).fileName().startsWith("statistics-damaged-"), qPrintable(movedTo));
        QCOMPARE(QFileInfo(movedTo).absolutePath(), QDir(dir).absolutePath());
        QCOMPARE(readBytes(movedTo), garbage);
        QVERIFY(manager()->getStatisticsDatabase()->addFuncodeModifyEvent("drive", "P00.01",
                                                                          tagFuncodeModifyData()));
        QCOMPARE(manager()->getStatisticsDatabase()->eventCount("drive", "P00.01"), 1);

        // A second recovery in the same second keeps both old files.
        QString movedAgain;
        QVERIFY(manager()->recoverDatabase(path, &movedAgain, &error));
        QVERIFY(movedAgain != movedTo);
        QVERIFY(QFileInfo::exists(movedTo) && QFileInfo::exists(movedAgain));
        QCOMPARE(manager()->getStatisticsDatabase()->eventCount("drive", "P00.01"), 0);
    }

    void readOnlyFileIsNoticed_data() { fileRows(); }

    // A file that cannot be written opens for reading and is named at once, rather than failing at the
    // first change.
    void readOnlyFileIsNoticed()
    {
        QFETCH(QString, name);
        const QString dir = m_dir.filePath("read-only-" + name);
        QVERIFY(manager()->open(dir));
        QVERIFY(manager()->getRecordDatabase_Servo()->insertModifyFunCode("drive", kRecord));
        QVERIFY(manager()->notices().isEmpty());
        manager()->close();
        const QByteArray before = readBytes(QDir(dir).filePath(name));
        {
            QTestReadOnlyFile file(QDir(dir).filePath(name));
            QVERIFY(file.isValid());
            QVERIFY(manager()->open(dir));
            QCOMPARE(manager()->readOnlyFiles(), QStringList{name});
            QCOMPARE(manager()->notices().size(), 1);
            QVERIFY2(manager()->notices().constFirst().startsWith(name + ": "),
                     qPrintable(manager()->notices().constFirst()));
            QCOMPARE(manager()->getRecordDatabase_Servo()->recordCount("drive"), 1);
            manager()->close();
        }
        QCOMPARE(readBytes(QDir(dir).filePath(name)), before);
        QVERIFY(manager()->open(dir));
        QVERIFY(manager()->readOnlyFiles().isEmpty());
    }

    // Every field comes back (quotes, commas, non-ASCII, empty texts), newest first, from lists stored in
    // chunks; equal time texts are told apart by the order of storing.
    void recordsRoundTripNewestFirst()
    {
        const RelateMap related{
            {"P01.03", {"10", "20"}}, {"P01.04", {"", "7"}}, {"P02.00", {"null", "null"}}};
        const Records stored{{"t", "P01.02", 0, "", "", {}},
                             {"t", "P01.02", 2, "0.5", "1.25", related},
                             {"t", "P03.01", 1, "a,'b\"", "Ω µs\nline", {{"P03.02", {"ä", "—"}}}},
                             {"", "P04.00", 0, "1", "2", {}}};
        m_records->setChunkRows(3);
        QVERIFY2(m_records->insertModifyFunCodes("drive", stored), qPrintable(m_records->lastError()));
        QVERIFY(m_records->insertModifyFunCode("other", {"t", "P01.02", 0, "7", "7", {}}));
        QCOMPARE(lines(m_records->getModifyFunCodes("drive")),
                 lines({stored[3], stored[2], stored[1], stored[0]}));
        QCOMPARE(m_records->recordCount("drive"), 4);
        QCOMPARE(lines({m_records->getModifyFunCode("drive", "t", "P01.02")}), lines({stored[1]}));
        QCOMPARE(lines({m_records->getModifyFunCode("drive", "t", "P03.01")}), lines({stored[2]}));
        QVERIFY(m_records->getModifyFunCode("drive", "other time", "P01.02").isEmpty());
        QVERIFY(m_records->getModifyFunCode("nobody", "t", "P01.02").isEmpty());
    }

    void recordAliasesAreSeparate()
    {
        const tagModifyFuncode_Servo r1{"t1", "P00.01", 0, "1", "2", {{"P00.02", {"a", "b"}}}};
        const tagModifyFuncode_Servo r2{"t2", "P00.02", 1, "3", "4", {{"P00.02", {"c", "d"}}}};
        const tagModifyFuncode_Servo r3{"t3", "P00.03", 0, "5", "6", {}};
        QVERIFY(m_records->insertModifyFunCode("other", r1));
        QVERIFY(m_records->insertModifyFunCode("old", r1));
        QVERIFY(m_records->insertModifyFunCode("new", r2));
        QVERIFY(m_records->insertModifyFunCode("old", r3));
        QVERIFY(!m_records->insertModifyFunCode(QString(), r1));
        QVERIFY(!m_records->renameAlias("old", QString()));

        QVERIFY(m_records->renameAlias("old", "new"));
        QCOMPARE(m_records->recordCount("old"), 0);
        QCOMPARE(lines(m_records->getModifyFunCodes("new")), lines({r3, r2, r1}));
        // The moved records are numbered with the others in the order of storing.
        QCOMPARE(m_records->recordCount("new"), 3);
        QCOMPARE(m_records->getModifyFunCodePage("new", 2, 1).value(0).strTime, r2.strTime);
        // A record stored after a clear gets none of the cleared records' related parameters, even where
        // the cleared records held the highest ids.
        QVERIFY(m_records->clearModifyFunCodes("new"));
        QVERIFY(m_records->insertModifyFunCode("new", r3));
        QCOMPARE(lines(m_records->getModifyFunCodes("new")), lines({r3}));
        QCOMPARE(lines(m_records->getModifyFunCodes("other")), lines({r1}));
    }

    void noTimeReleParamValMap_data()
    {
        QTest::addColumn<Records>("stored"); // oldest first, all for "drive"
        QTest::addColumn<RelateMap>("expected");
        QTest::addColumn<int>("expectedAxis");
        const RelateMap ab{{"P05.01", {"a", "b"}}};
        QTest::newRow("newest record with a map wins")
            << Records{{"t1", "P05.00", 0, "1", "2", ab},
                       {"t2", "P05.00", 1, "2", "3", {{"P05.01", {"b", "c"}}}}}
            << RelateMap{{"P05.01", {"b", "c"}}} << 1;
        QTest::newRow("a newer record without a map is skipped")
            << Records{{"t1", "P05.00", 2, "1", "2", ab}, {"t2", "P05.00", 0, "2", "3", {}}} << ab << 2;
        QTest::newRow("maps of other codes are not used")
            << Records{{"t1", "P05.09", 0, "1", "2", ab}} << RelateMap{} << 0;
    }

    void noTimeReleParamValMap()
    {
        QFETCH(Records, stored);
        QFETCH(RelateMap, expected);
        QFETCH(int, expectedAxis);
        QVERIFY(m_records->insertModifyFunCodes("drive", stored));
        QVERIFY(m_records->insertModifyFunCode("other drive",
                                               {"t9", "P05.00", 0, "0", "1", {{"P05.01", {"o", "p"}}}}));
        QCOMPARE(lines({m_records->getNoTimeReleParamValMap("drive", "P05.00")}),
                 lines({{"", "P05.00", expectedAxis, "", "", expected}}));
    }

    void devConfigRoundTripAndReplace()
    {
        QVERIFY(m_config->addDevConfigInfo(makeModel("SD300", 3)));
        QVERIFY(m_config->addDevConfigInfo(makeModel("KV905", 1)));
        tagDevConfigInfo_Servo info;
        QVERIFY(m_config->getDevConfigInfo("KV905", &info));
        QCOMPARE(info, makeModel("KV905", 1));
        QVERIFY(!m_config->getDevConfigInfo("unknown", &info));
        QVERIFY(!m_config->addDevConfigInfo(makeModel(QString(), 1)));

        QVERIFY(m_config->addDevConfigInfo(makeModel("KV905", 2, "2.10")));
        QVERIFY(m_config->getDevConfigInfo("KV905", &info));
        QCOMPARE(info, makeModel("KV905", 2, "2.10"));
        QCOMPARE(m_config->devNames(), (QStringList{"KV905", "SD300"}));
        // The axis count is found by model name or by "name_version".
        QCOMPARE(m_config->getAxisNum("KV905"), 2);
        QCOMPARE(m_config->getAxisNum("SD300_1.00"), 3);
        QCOMPARE(m_config->getAxisNum("XX100_1.00"), 0);
    }

    void convertToNewDevName()
    {
        const QList<QPair<QString, QString>> renames{{"A", "B"}, {"B", "C"}, {"X", "Y"},
                                                     {"X", "Z"}, {"L", "M"}, {"M", "L"}};
        for (const auto& rename : renames) {
            QVERIFY(m_config->addRenamedModel(rename.first, rename.second));
        }
        QCOMPARE(m_config->convertToNewDevName("B"), QString("C"));
        QCOMPARE(m_config->convertToNewDevName("A"), QString("C")); // a chain
        QVERIFY(m_config->convertToNewDevName("C").isEmpty());      // the new name is not renamed
        QCOMPARE(m_config->convertToNewDevName("X"), QString("Z")); // a later entry replaces
        QCOMPARE(m_config->convertToNewDevName("L"), QString("M")); // a loop ends
        QVERIFY(m_config->convertToNewDevName("Q").isEmpty());
    }

    void faultFormatsAreKeptPerKeyInOrder()
    {
        QVERIFY(m_config->getDevHisFaultFormat("family", "fw", 7).isEmpty());
        QVERIFY2(m_config->saveHisFaultFromat("family", "fw", 7, kFormat), qPrintable(m_config->lastError()));
        QVERIFY(m_config->hasDevHisFaultFormat("family", "fw", 7));
        QCOMPARE(m_config->getDevHisFaultFormat("family", "fw", 7), kFormat);

        // Each part of the key tells formats apart.
        const QHisFaultFormatList_Servo other{{"1", "Only row", 7, 4, "P00.00", 0}};
        const QList<std::tuple<QString, QString, int>> keys{
            {"family2", "fw", 7}, {"family", "fw2", 7}, {"family", "fw", 8}, {"", "", 7}};
        for (const auto& key : keys) {
            QVERIFY(
                m_config->saveHisFaultFromat(std::get<0>(key), std::get<1>(key), std::get<2>(key), other));
            QCOMPARE(m_config->getDevHisFaultFormat(std::get<0>(key), std::get<1>(key), std::get<2>(key)),
                     other);
        }
        QCOMPARE(m_config->getDevHisFaultFormat("family", "fw", 7), kFormat);

        // Saving replaces every row of the key; saving none removes the format.
        QVERIFY(m_config->saveHisFaultFromat("family", "fw", 7, kFormat.mid(2)));
        QCOMPARE(m_config->getDevHisFaultFormat("family", "fw", 7), kFormat.mid(2));
        QVERIFY(m_config->saveHisFaultFromat("family", "fw", 7, {}));
        QVERIFY(!m_config->hasDevHisFaultFormat("family", "fw", 7));
        QCOMPARE(m_config->getDevHisFaultFormat("family2", "fw", 7), other);
    }

    // Newest time first; in the same second the later stored comes first; values come back exactly.
    void statisticsEventsNewestFirst()
    {
        const QList<tagFuncodeModifyData> stored{{200, 0, 1, 0},
                                                 {1714557600, -12345.678901234, 0.1 + 0.2, 2},
                                                 {100, 0, 3, 1},
                                                 {1714557600, 0, 4, 0}};
        for (const tagFuncodeModifyData& event : stored) {
            QVERIFY(m_statistics->addFuncodeModifyEvent("drive", "P03.07", event));
        }
        QCOMPARE(linesOf(m_statistics->getSortedFuncodeModifyData("drive", true).value(0).second),
                 linesOf({stored[3], stored[1], stored[0], stored[2]}));
    }

    void statisticsAggregateEqualsHandCount_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("events stored") << "store";
        QTest::newRow("renamed onto a device with events") << "rename";
        QTest::newRow("another device cleared") << "clear";
        QTest::newRow("a refused batch") << "refuse";
    }

    // Every query (the counts in SQL, the full load sorted by count, the events of one code, the count of
    // one code) equals the events counted by hand, after storing, renaming, clearing or a refused batch.
    void statisticsAggregateEqualsHandCount()
    {
        QFETCH(QString, operation);
        const Events a = scatteredEvents(400, 1);
        const Events b = scatteredEvents(150, 2);
        QVERIFY2(m_statistics->addFuncodeModifyEvents("drive A", a), qPrintable(m_statistics->lastError()));
        QVERIFY(m_statistics->addFuncodeModifyEvents("drive B", b));
        QMap<QString, Events> kept{{"drive A", a}, {"drive B", b}};
        if (operation == "rename") {
            QVERIFY(m_statistics->renameDevice("drive B", "drive A"));
            kept["drive A"] += kept.take("drive B");
        } else if (operation == "clear") {
            QVERIFY(m_statistics->clearDevice("drive B"));
            kept.remove("drive B");
        } else if (operation == "refuse") {
            QVERIFY(!m_statistics->addFuncodeModifyEvent(QString(), "P00.01", {1, 0, 1, 0}));
            Events bad = scatteredEvents(30, 3);
            bad.append({QString(), {1, 0, 1, 0}});
            QVERIFY(!m_statistics->addFuncodeModifyEvents("drive A", bad));
        }
        for (const QString& device : {QStringLiteral("drive A"), QStringLiteral("drive B")}) {
            for (bool descending : {true, false}) {
                const QList<tagFuncodeModifyCount> aggregate =
                    m_statistics->getSortedFuncodeModifyCounts(device, descending);
                QCOMPARE(aggregate, handCount(kept.value(device), descending));
                const QSortedModifyDataList data =
                    m_statistics->getSortedFuncodeModifyData(device, descending);
                QCOMPARE(countsOf(data), aggregate);
                for (const auto& code : data) {
                    QCOMPARE(linesOf(m_statistics->getFuncodeModifyData(device, code.first)),
                             linesOf(code.second));
                }
            }
            for (int code = 0; code < 18; ++code) {
                const QString n = codeNumber(code);
                const Events& events = kept[device];
                QCOMPARE(m_statistics->eventCount(device, n),
                         int(std::count_if(events.begin(), events.end(),
                                           [&](const auto& e) { return e.first == n; })));
            }
        }
        QVERIFY(m_statistics->getFuncodeModifyData("drive A", codeNumber(17)).isEmpty());
        QVERIFY(m_statistics->getFuncodeModifyData("nobody", "P0.00").isEmpty());
    }

    // A file of the first layout, which kept no counts, gets counts equal to its events.
    void statisticsCountsOfAnUpgradedFile()
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

private:
    static QDatabaseManager* manager() { return QDatabaseManager::self(); }
    // One row per database file, its name.
    static void fileRows()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : QDatabaseManager::databaseFileNames()) {
            QTest::newRow(qPrintable(name)) << name;
        }
    }
    QTemporaryDir m_dir;
    std::unique_ptr<QRecordDB_Servo> m_records;
    std::unique_ptr<QConfigDB_Servo> m_config;
    std::unique_ptr<QStatistics> m_statistics;
};

QTEST_GUILESS_MAIN(tst_QDatabaseManager)
#include "tst_QDatabaseManager.moc"
