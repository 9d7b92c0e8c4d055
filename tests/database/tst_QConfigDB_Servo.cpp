#include "QConfigDB_Servo.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QHisFaultFormatList_Servo)

namespace {
tagDevConfigInfo_Servo makeModel(const QString& name, int axes, const QString& version = "1.00")
{
    tagDevConfigInfo_Servo info;
    info.devName = name;
    info.configVersion = version;
    info.axisNum = axes;
    info.identFamily = "family-" + name;
    info.identFirmware = "fw-" + name;
    info.identNumber = 4100 + axes;
    return info;
}

tagHisFaultFormat_Servo makeRow(const QString& number, const QString& name, int dataType, int byteLen,
                                const QString& param, int reserved = 0)
{
    tagHisFaultFormat_Servo row;
    row.number = number;
    row.name = name;
    row.dataType = dataType;
    row.byteLen = byteLen;
    row.param = param;
    row.reserved = reserved;
    return row;
}

QHisFaultFormatList_Servo sampleFormat()
{
    // Deliberately not sorted by any field, to show that the stored order is the order given.
    return {makeRow("3~4", "Bus voltage", 8, 4, "P0B.26"), makeRow("1", "Fault code", 4, 2, "FAULTCODE"),
            makeRow("12", "Zeit, \"µs\"", 15, 8, "RESERVE", 5), makeRow("2", "", 3, 2, "P0B.00")};
}
} // namespace

class tst_QConfigDB_Servo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void devConfigRoundTripAndReplace();
    void axisNumByNameOrModelText_data();
    void axisNumByNameOrModelText();
    void convertToNewDevName_data();
    void convertToNewDevName();
    void formatRoundTripKeepsOrder();
    void formatKeysAreSeparate_data();
    void formatKeysAreSeparate();
    void saveReplacesAllRows();
    void survivesReopen();

private:
    QString path() const { return m_dir->filePath("config.db"); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QConfigDB_Servo> m_db;
};

void tst_QConfigDB_Servo::init()
{
    m_dir.reset(new QTemporaryDir);
    m_db.reset(new QConfigDB_Servo);
    QVERIFY2(m_db->open(path()), qPrintable(m_db->lastError()));
}

void tst_QConfigDB_Servo::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void tst_QConfigDB_Servo::devConfigRoundTripAndReplace()
{
    QVERIFY(m_db->addDevConfigInfo(makeModel("SD300", 3)));
    QVERIFY(m_db->addDevConfigInfo(makeModel("KV905", 1)));
    tagDevConfigInfo_Servo info;
    QVERIFY(m_db->getDevConfigInfo("KV905", &info));
    QCOMPARE(info, makeModel("KV905", 1));
    QVERIFY(m_db->getDevConfigInfo("SD300"));
    QVERIFY(!m_db->getDevConfigInfo("unknown", &info));
    QCOMPARE(info, makeModel("KV905", 1)); // untouched when not found

    QVERIFY(m_db->addDevConfigInfo(makeModel("KV905", 2, "2.10")));
    QVERIFY(m_db->getDevConfigInfo("KV905", &info));
    QCOMPARE(info, makeModel("KV905", 2, "2.10"));
    QCOMPARE(m_db->devNames(), (QStringList{"KV905", "SD300"}));
    QVERIFY(!m_db->addDevConfigInfo(makeModel(QString(), 1)));
}

void tst_QConfigDB_Servo::axisNumByNameOrModelText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("axes");
    QTest::newRow("name") << "SD200" << 2;
    QTest::newRow("name and version") << "SD200_1.00" << 2;
    QTest::newRow("unknown") << "XX100_1.00" << 0;
    QTest::newRow("empty") << "" << 0;
}

void tst_QConfigDB_Servo::axisNumByNameOrModelText()
{
    QFETCH(QString, text);
    QFETCH(int, axes);
    QVERIFY(m_db->addDevConfigInfo(makeModel("SD200", 2)));
    QCOMPARE(m_db->getAxisNum(text), axes);
}

void tst_QConfigDB_Servo::convertToNewDevName_data()
{
    QTest::addColumn<QStringList>("renames"); // pairs: old, new
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unknown") << QStringList{"A", "B"} << "C"
                             << "";
    QTest::newRow("direct") << QStringList{"A", "B"} << "A"
                            << "B";
    QTest::newRow("the new name is not renamed") << QStringList{"A", "B"} << "B"
                                                 << "";
    QTest::newRow("chain") << QStringList{"A", "B", "B", "C"} << "A"
                           << "C";
    QTest::newRow("later entry replaces") << QStringList{"A", "B", "A", "D"} << "A"
                                          << "D";
    QTest::newRow("loop ends") << QStringList{"A", "B", "B", "A"} << "A"
                               << "B";
}

void tst_QConfigDB_Servo::convertToNewDevName()
{
    QFETCH(QStringList, renames);
    QFETCH(QString, oldName);
    QFETCH(QString, expected);
    for (int i = 0; i + 1 < renames.size(); i += 2) {
        QVERIFY(m_db->addRenamedModel(renames.at(i), renames.at(i + 1)));
    }
    QCOMPARE(m_db->convertToNewDevName(oldName), expected);
}

void tst_QConfigDB_Servo::formatRoundTripKeepsOrder()
{
    QVERIFY(!m_db->hasDevHisFaultFormat("family", "fw", 7));
    QVERIFY(m_db->getDevHisFaultFormat("family", "fw", 7).isEmpty());
    QVERIFY2(m_db->saveHisFaultFromat("family", "fw", 7, sampleFormat()), qPrintable(m_db->lastError()));
    QVERIFY(m_db->hasDevHisFaultFormat("family", "fw", 7));
    QCOMPARE(m_db->getDevHisFaultFormat("family", "fw", 7), sampleFormat());
}

void tst_QConfigDB_Servo::formatKeysAreSeparate_data()
{
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<int>("number");
    QTest::newRow("other first text") << "family2"
                                      << "fw" << 7;
    QTest::newRow("other second text") << "family"
                                       << "fw2" << 7;
    QTest::newRow("other number") << "family"
                                  << "fw" << 8;
    QTest::newRow("empty texts") << ""
                                 << "" << 7;
}

void tst_QConfigDB_Servo::formatKeysAreSeparate()
{
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(int, number);
    const QHisFaultFormatList_Servo other{makeRow("1", "Only row", 7, 4, "P00.00")};
    QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, sampleFormat()));
    QVERIFY(m_db->saveHisFaultFromat(text1, text2, number, other));
    QCOMPARE(m_db->getDevHisFaultFormat(text1, text2, number), other);
    QCOMPARE(m_db->getDevHisFaultFormat("family", "fw", 7), sampleFormat());
}

void tst_QConfigDB_Servo::saveReplacesAllRows()
{
    QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, sampleFormat()));
    const QHisFaultFormatList_Servo shorter = sampleFormat().mid(2);
    QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, shorter));
    QCOMPARE(m_db->getDevHisFaultFormat("family", "fw", 7), shorter);
    QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, {}));
    QVERIFY(!m_db->hasDevHisFaultFormat("family", "fw", 7));
}

void tst_QConfigDB_Servo::survivesReopen()
{
    QVERIFY(m_db->addDevConfigInfo(makeModel("KV905", 1)));
    QVERIFY(m_db->addRenamedModel("KV900", "KV905"));
    QVERIFY(m_db->saveHisFaultFromat("family", "fw", 7, sampleFormat()));
    m_db->close();

    QConfigDB_Servo reopened;
    QVERIFY2(reopened.open(path()), qPrintable(reopened.lastError()));
    QVERIFY(reopened.getDevConfigInfo("KV905"));
    QCOMPARE(reopened.convertToNewDevName("KV900"), QString("KV905"));
    QCOMPARE(reopened.getDevHisFaultFormat("family", "fw", 7), sampleFormat());
}

QTEST_GUILESS_MAIN(tst_QConfigDB_Servo)
#include "tst_QConfigDB_Servo.moc"
