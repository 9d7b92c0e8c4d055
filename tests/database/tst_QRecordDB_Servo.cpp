#include "QRecordDB_Servo.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
tagModifyFuncode_Servo makeRecord(const QString& time, const QString& funIndex, const QString& oldVal,
                                  const QString& newVal,
                                  const QMap<QString, QPair<QString, QString>>& relate = {}, int axis = 0)
{
    tagModifyFuncode_Servo record;
    record.strTime = time;
    record.funIndex = funIndex;
    record.axisIndex = axis;
    record.oldVal = oldVal;
    record.newVal = newVal;
    record.relateParamMap = relate;
    return record;
}

void compareRecords(const tagModifyFuncode_Servo& actual, const tagModifyFuncode_Servo& expected)
{
    QCOMPARE(actual.strTime, expected.strTime);
    QCOMPARE(actual.funIndex, expected.funIndex);
    QCOMPARE(actual.axisIndex, expected.axisIndex);
    QCOMPARE(actual.oldVal, expected.oldVal);
    QCOMPARE(actual.newVal, expected.newVal);
    QCOMPARE(actual.relateParamMap, expected.relateParamMap);
}
} // namespace

class tst_QRecordDB_Servo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void newestFirst();
    void clearAffectsOnlyOneAlias();
    void getModifyFunCodeTakesNewestMatch();
    void noTimeReleParamValMap_data();
    void noTimeReleParamValMap();
    void renameAliasMergesInOrder();
    void emptyAliasRefused();
    void survivesReopen();

private:
    QString path() const { return m_dir->filePath("records.db"); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QRecordDB_Servo> m_db;
};

void tst_QRecordDB_Servo::init()
{
    m_dir.reset(new QTemporaryDir);
    m_db.reset(new QRecordDB_Servo);
    QVERIFY2(m_db->open(path()), qPrintable(m_db->lastError()));
}

void tst_QRecordDB_Servo::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void tst_QRecordDB_Servo::roundTrip_data()
{
    QTest::addColumn<tagModifyFuncode_Servo>("record");
    QTest::newRow("plain") << makeRecord("2024-05-01 10:00:00", "P00.01", "1", "2");
    QTest::newRow("related parameters")
        << makeRecord("2024-05-01 10:00:01", "P01.02", "0.5", "1.25",
                      {{"P01.03", {"10", "20"}}, {"P01.04", {"", "7"}}, {"P02.00", {"null", "null"}}}, 2);
    QTest::newRow("texts with quotes, commas and non-ASCII")
        << makeRecord("2024-05-01 10:00:02", "P03.01", "a,'b\"", "Ω µs\nline", {{"P03.02", {"ä", "—"}}}, 1);
    QTest::newRow("empty values") << makeRecord("", "P04.00", "", "");
}

void tst_QRecordDB_Servo::roundTrip()
{
    QFETCH(tagModifyFuncode_Servo, record);
    QVERIFY2(m_db->insertModifyFunCode("drive", record), qPrintable(m_db->lastError()));
    const QList<tagModifyFuncode_Servo> records = m_db->getModifyFunCodes("drive");
    QCOMPARE(records.size(), 1);
    compareRecords(records.first(), record);
    compareRecords(m_db->getModifyFunCode("drive", record.strTime, record.funIndex), record);
}

void tst_QRecordDB_Servo::newestFirst()
{
    // Equal time texts: only the order of storing tells them apart.
    for (int i = 0; i < 5; ++i) {
        QVERIFY(m_db->insertModifyFunCode(
            "drive", makeRecord("2024-05-01 10:00:00", QString("P00.0%1").arg(i), "0", QString::number(i),
                                {{"P09.09", {QString::number(i), "x"}}})));
    }
    const QList<tagModifyFuncode_Servo> records = m_db->getModifyFunCodes("drive");
    QCOMPARE(records.size(), 5);
    QCOMPARE(m_db->recordCount("drive"), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(records.at(i).funIndex, QString("P00.0%1").arg(4 - i));
        QCOMPARE(records.at(i).relateParamMap.value("P09.09").first, QString::number(4 - i));
    }
}

void tst_QRecordDB_Servo::clearAffectsOnlyOneAlias()
{
    QVERIFY(
        m_db->insertModifyFunCode("drive A", makeRecord("t1", "P00.01", "1", "2", {{"P00.02", {"a", "b"}}})));
    QVERIFY(
        m_db->insertModifyFunCode("drive B", makeRecord("t2", "P00.01", "3", "4", {{"P00.02", {"c", "d"}}})));
    QVERIFY(m_db->clearModifyFunCodes("drive A"));
    QCOMPARE(m_db->recordCount("drive A"), 0);
    QVERIFY(m_db->getModifyFunCodes("drive A").isEmpty());
    const QList<tagModifyFuncode_Servo> remaining = m_db->getModifyFunCodes("drive B");
    QCOMPARE(remaining.size(), 1);
    compareRecords(remaining.first(), makeRecord("t2", "P00.01", "3", "4", {{"P00.02", {"c", "d"}}}));
}

void tst_QRecordDB_Servo::getModifyFunCodeTakesNewestMatch()
{
    QVERIFY(m_db->insertModifyFunCode("drive", makeRecord("t", "P00.01", "1", "2")));
    QVERIFY(
        m_db->insertModifyFunCode("drive", makeRecord("t", "P00.01", "2", "3", {{"P00.05", {"x", "y"}}})));
    QVERIFY(m_db->insertModifyFunCode("drive", makeRecord("t", "P00.02", "9", "9")));
    QVERIFY(m_db->insertModifyFunCode("other", makeRecord("t", "P00.01", "7", "7")));
    compareRecords(m_db->getModifyFunCode("drive", "t", "P00.01"),
                   makeRecord("t", "P00.01", "2", "3", {{"P00.05", {"x", "y"}}}));
    QVERIFY(m_db->getModifyFunCode("drive", "other time", "P00.01").isEmpty());
    QVERIFY(m_db->getModifyFunCode("nobody", "t", "P00.01").isEmpty());
}

void tst_QRecordDB_Servo::noTimeReleParamValMap_data()
{
    using RelateMap = QMap<QString, QPair<QString, QString>>;
    QTest::addColumn<QList<tagModifyFuncode_Servo>>("stored"); // oldest first, all for "drive"
    QTest::addColumn<RelateMap>("expected");
    QTest::addColumn<int>("expectedAxis");

    QTest::newRow("no records") << QList<tagModifyFuncode_Servo>{} << RelateMap{} << 0;
    QTest::newRow("records without related parameters")
        << QList<tagModifyFuncode_Servo>{makeRecord("t1", "P05.00", "1", "2")} << RelateMap{} << 0;
    QTest::newRow("newest record with a map wins")
        << QList<tagModifyFuncode_Servo>{makeRecord("t1", "P05.00", "1", "2", {{"P05.01", {"a", "b"}}}, 0),
                                         makeRecord("t2", "P05.00", "2", "3", {{"P05.01", {"b", "c"}}}, 1)}
        << RelateMap{{"P05.01", {"b", "c"}}} << 1;
    QTest::newRow("a newer record without a map is skipped")
        << QList<tagModifyFuncode_Servo>{makeRecord("t1", "P05.00", "1", "2", {{"P05.01", {"a", "b"}}}, 2),
                                         makeRecord("t2", "P05.00", "2", "3")}
        << RelateMap{{"P05.01", {"a", "b"}}} << 2;
    QTest::newRow("maps of other codes are not used")
        << QList<tagModifyFuncode_Servo>{makeRecord("t1", "P05.09", "1", "2", {{"P05.01", {"a", "b"}}})}
        << RelateMap{} << 0;
}

void tst_QRecordDB_Servo::noTimeReleParamValMap()
{
    using RelateMap = QMap<QString, QPair<QString, QString>>;
    QFETCH(QList<tagModifyFuncode_Servo>, stored);
    QFETCH(RelateMap, expected);
    QFETCH(int, expectedAxis);
    QVERIFY(m_db->insertModifyFunCodes("drive", stored));
    QVERIFY(m_db->insertModifyFunCode("other drive",
                                      makeRecord("t9", "P05.00", "0", "1", {{"P05.01", {"o", "p"}}})));

    const tagModifyFuncode_Servo result = m_db->getNoTimeReleParamValMap("drive", "P05.00");
    QCOMPARE(result.funIndex, QString("P05.00"));
    QVERIFY(result.strTime.isEmpty());
    QVERIFY(result.oldVal.isEmpty());
    QVERIFY(result.newVal.isEmpty());
    QCOMPARE(result.relateParamMap, expected);
    QCOMPARE(result.axisIndex, expectedAxis);
}

void tst_QRecordDB_Servo::renameAliasMergesInOrder()
{
    QVERIFY(m_db->insertModifyFunCode("old", makeRecord("t1", "P00.01", "1", "2")));
    QVERIFY(m_db->insertModifyFunCode("new", makeRecord("t2", "P00.02", "1", "2")));
    QVERIFY(m_db->insertModifyFunCode("old", makeRecord("t3", "P00.03", "1", "2")));
    QVERIFY(m_db->renameAlias("old", "new"));
    QCOMPARE(m_db->recordCount("old"), 0);
    const QList<tagModifyFuncode_Servo> records = m_db->getModifyFunCodes("new");
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0).strTime, QString("t3"));
    QCOMPARE(records.at(2).strTime, QString("t1"));
    QVERIFY(!m_db->renameAlias("new", QString()));
}

void tst_QRecordDB_Servo::emptyAliasRefused()
{
    QVERIFY(!m_db->insertModifyFunCode(QString(), makeRecord("t", "P00.01", "1", "2")));
    QVERIFY(!m_db->lastError().isEmpty());
    QCOMPARE(m_db->recordCount(QString()), 0);
}

void tst_QRecordDB_Servo::survivesReopen()
{
    const tagModifyFuncode_Servo record = makeRecord("t", "P00.01", "1", "2", {{"P00.02", {"a", "b"}}}, 1);
    QVERIFY(m_db->insertModifyFunCode("drive", record));
    m_db->close();
    QVERIFY(!m_db->isOpen());
    QVERIFY(m_db->getModifyFunCodes("drive").isEmpty());

    QRecordDB_Servo reopened;
    QVERIFY2(reopened.open(path()), qPrintable(reopened.lastError()));
    const QList<tagModifyFuncode_Servo> records = reopened.getModifyFunCodes("drive");
    QCOMPARE(records.size(), 1);
    compareRecords(records.first(), record);
    // Ids are not reused after a clear, so a later record still counts as newer.
    QVERIFY(reopened.clearModifyFunCodes("drive"));
    QVERIFY(reopened.insertModifyFunCode("drive", makeRecord("t", "P00.09", "1", "2")));
    QVERIFY(reopened.insertModifyFunCode("drive", makeRecord("t", "P00.08", "1", "2")));
    QCOMPARE(reopened.getModifyFunCodes("drive").first().funIndex, QString("P00.08"));
}

QTEST_GUILESS_MAIN(tst_QRecordDB_Servo)
#include "tst_QRecordDB_Servo.moc"
