#include "DatabaseTestFiles.h"

#include <QtTest>

using namespace DatabaseTestFiles;

namespace {
tagDevConfigInfo_Servo makeModel(const QString& name, int axes, const QString& version = "1.00")
{
    return {name, version, axes, "family-" + name, "fw-" + name, 4100 + axes};
}

// Deliberately not sorted by any field, to show that the stored order is the order given.
const QHisFaultFormatList_Servo kFormat{{"3~4", "Bus voltage", 8, 4, "P0B.26", 0},
                                        {"1", "Fault code", 4, 2, "FAULTCODE", 0},
                                        {"12", "Zeit, \"µs\"", 15, 8, "RESERVE", 5},
                                        {"2", "", 3, 2, "P0B.00", 0}};
} // namespace

class tst_QConfigDB_Servo : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY((m_db = openNew<QConfigDB_Servo>(m_dir)) != nullptr); }

    void devConfigRoundTripAndReplace()
    {
        QVERIFY(m_db->addDevConfigInfo(makeModel("SD300", 3)));
        QVERIFY(m_db->addDevConfigInfo(makeModel("KV905", 1)));
        tagDevConfigInfo_Servo info;
        QVERIFY(m_db->getDevConfigInfo("KV905", &info));
        QCOMPARE(info, makeModel("KV905", 1));
        QVERIFY(!m_db->getDevConfigInfo("unknown", &info));
        QVERIFY(!m_db->addDevConfigInfo(makeModel(QString(), 1)));

        QVERIFY(m_db->addDevConfigInfo(makeModel("KV905", 2, "2.10")));
        QVERIFY(m_db->getDevConfigInfo("KV905", &info));
        QCOMPARE(info, makeModel("KV905", 2, "2.10"));
        QCOMPARE(m_db->devNames(), (QStringList{"KV905", "SD300"}));
        // The axis count is found by model name or by "name_version".
        QCOMPARE(m_db->getAxisNum("KV905"), 2);
        QCOMPARE(m_db->getAxisNum("SD300_1.00"), 3);
        QCOMPARE(m_db->getAxisNum("XX100_1.00"), 0);
    }

    void convertToNewDevName()
    {
        const QList<QPair<QString, QString>> renames{{"A", "B"}, {"B", "C"}, {"X", "Y"},
                                                     {"X", "Z"}, {"L", "M"}, {"M", "L"}};
        for (const auto& rename : renames) {
            QVERIFY(m_db->addRenamedModel(rename.first, rename.second));
        }
        QCOMPARE(m_db->convertToNewDevName("B"), QString("C"));
        QCOMPARE(m_db->convertToNewDevName("A"), QString("C")); // a chain
        QVERIFY(m_db->convertToNewDevName("C").isEmpty());      // the new name is not renamed
        QCOMPARE(m_db->convertToNewDevName("X"), QString("Z")); // a later entry replaces
        QCOMPARE(m_db->convertToNewDevName("L"), QString("M")); // a loop ends
        QVERIFY(m_db->convertToNewDevName("Q").isEmpty());
    }

    void formatsAreKeptPerKeyInOrder()
    {
        QVERIFY(m_db->getDevHisFaultFormat("family", "fw", 7).isEmpty());
        QVERIFY2(m_db->saveHisFaultFromat("family", "fw", 7, kFormat), qPrintable(m_db->lastError()));
        QVERIFY(m_db->hasDevHisFaultFormat("family", "fw", 7));
        QCOMPARE(m_db->getDevHisFaultFormat("family", "fw", 7), kFormat);

        // Each part of the key tells formats apart.
        const QHisFaultFormatList_Servo other{{"1", "Only row", 7, 4, "P00.00", 0}};
        const QList<std::tuple<QString, QString, int>> keys{
            {"family2", "fw", 7}, {"family", "fw2", 7}, {"family", "fw", 8}, {"", "", 7}};
        for (const auto& key : keys) {
            QVERIFY(m_db->saveHisFaultFromat(std::get<0>(key), std::get<1>(key), std::get<2>(key), other));
            QCOMPARE(m_db->getDevHisFaultFormat(std::get<0>(key), std::get<1>(key), std::get<2>(key)), other);
        }
        QCOMPARE(m_db->getDevHisFaultFormat("family", "fw", 7), kFormat);

        // Saving replaces every row of the key; saving none removes the format.
        QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, kFormat.mid(2)));
        QCOMPARE(m_db->getDevHisFaultFormat("family", "fw", 7), kFormat.mid(2));
        QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, {}));
        QVERIFY(!m_db->hasDevHisFaultFormat("family", "fw", 7));
        QCOMPARE(m_db->getDevHisFaultFormat("family2", "fw", 7), other);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QConfigDB_Servo> m_db;
};

QTEST_GUILESS_MAIN(tst_QConfigDB_Servo)
#include "tst_QConfigDB_Servo.moc"
