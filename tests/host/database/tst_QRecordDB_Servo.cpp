#include "DatabaseTestFiles.h"

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
} // namespace

class tst_QRecordDB_Servo : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY((m_db = openNew<QRecordDB_Servo>(m_dir)) != nullptr); }
    // Every field comes back (quotes, commas, non-ASCII, empty texts), newest first, from lists stored in
    // chunks; equal time texts are told apart by the order of storing.
    void roundTripNewestFirst()
    {
        const RelateMap related{
            {"P01.03", {"10", "20"}}, {"P01.04", {"", "7"}}, {"P02.00", {"null", "null"}}};
        const Records stored{{"t", "P01.02", 0, "", "", {}},
                             {"t", "P01.02", 2, "0.5", "1.25", related},
                             {"t", "P03.01", 1, "a,'b\"", "Ω µs\nline", {{"P03.02", {"ä", "—"}}}},
                             {"", "P04.00", 0, "1", "2", {}}};
        m_db->setChunkRows(3);
        QVERIFY2(m_db->insertModifyFunCodes("drive", stored), qPrintable(m_db->lastError()));
        QVERIFY(m_db->insertModifyFunCode("other", {"t", "P01.02", 0, "7", "7", {}}));
        QCOMPARE(lines(m_db->getModifyFunCodes("drive")),
                 lines({stored[3], stored[2], stored[1], stored[0]}));
        QCOMPARE(m_db->recordCount("drive"), 4);
        QCOMPARE(lines({m_db->getModifyFunCode("drive", "t", "P01.02")}), lines({stored[1]}));
        QCOMPARE(lines({m_db->getModifyFunCode("drive", "t", "P03.01")}), lines({stored[2]}));
        QVERIFY(m_db->getModifyFunCode("drive", "other time", "P01.02").isEmpty());
        QVERIFY(m_db->getModifyFunCode("nobody", "t", "P01.02").isEmpty());
    }

    void aliasesAreSeparate()
    {
        const tagModifyFuncode_Servo r1{"t1", "P00.01", 0, "1", "2", {{"P00.02", {"a", "b"}}}};
        const tagModifyFuncode_Servo r2{"t2", "P00.02", 1, "3", "4", {{"P00.02", {"c", "d"}}}};
        const tagModifyFuncode_Servo r3{"t3", "P00.03", 0, "5", "6", {}};
        QVERIFY(m_db->insertModifyFunCode("other", r1));
        QVERIFY(m_db->insertModifyFunCode("old", r1));
        QVERIFY(m_db->insertModifyFunCode("new", r2));
        QVERIFY(m_db->insertModifyFunCode("old", r3));
        QVERIFY(!m_db->insertModifyFunCode(QString(), r1));
        QVERIFY(!m_db->renameAlias("old", QString()));

        QVERIFY(m_db->renameAlias("old", "new"));
        QCOMPARE(m_db->recordCount("old"), 0);
        QCOMPARE(lines(m_db->getModifyFunCodes("new")), lines({r3, r2, r1}));
        // The moved records are numbered with the others in the order of storing.
        QCOMPARE(m_db->recordCount("new"), 3);
        QCOMPARE(m_db->getModifyFunCodePage("new", 2, 1).value(0).strTime, r2.strTime);
        // A record stored after a clear gets none of the cleared records' related parameters, even where
        // the cleared records held the highest ids.
        QVERIFY(m_db->clearModifyFunCodes("new"));
        QVERIFY(m_db->insertModifyFunCode("new", r3));
        QCOMPARE(lines(m_db->getModifyFunCodes("new")), lines({r3}));
        QCOMPARE(lines(m_db->getModifyFunCodes("other")), lines({r1}));
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
        QVERIFY(m_db->insertModifyFunCodes("drive", stored));
        QVERIFY(m_db->insertModifyFunCode("other drive",
                                          {"t9", "P05.00", 0, "0", "1", {{"P05.01", {"o", "p"}}}}));
        QCOMPARE(lines({m_db->getNoTimeReleParamValMap("drive", "P05.00")}),
                 lines({{"", "P05.00", expectedAxis, "", "", expected}}));
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QRecordDB_Servo> m_db;
};

QTEST_GUILESS_MAIN(tst_QRecordDB_Servo)
#include "tst_QRecordDB_Servo.moc"
