#include "DatabaseTestFiles.h"

#include "QExportDB_Servo.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using namespace DatabaseTestFiles;

namespace {
tagExportFuncodePtr_Servo makeFuncode(int i)
{
    tagExportFuncodePtr_Servo code(new tagExportFuncode_Servo);
    code->canopenAddr = 0x2000 + i;
    code->usbCode = -i;
    code->groupName = QString("P0%1 group, \"quoted\"").arg(i % 3);
    code->funIndex = QString("P0%1.%2").arg(i % 3).arg(i, 2, 10, QChar('0'));
    code->funName = QString("Name %1 – Ω\nsecond line").arg(i);
    code->curValue = {{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), -i}};
    code->dataType = i % 16;
    code->valueTexts = QStringList{QString::number(i), "1,5", "null"};
    code->axisNum = 3;
    code->authority = i % 4;
    code->curValueTexts = (i % 2) ? QStringList{} : QStringList{QString()};
    code->minText = "-10";
    code->maxText = "10";
    code->defaultText = "";
    code->unitText = "µs";
    code->remarkText = QString("remark; %1").arg(i);
    return code;
}

tagExportDevInfo_Servo makeDevice(const QString& name, int codes)
{
    tagExportDevInfo_Servo device;
    device.devText = name + "_1.02";
    device.axisNumText = "3";
    device.commuName = "Simulated link";
    device.exportTime = "2024-05-01 10:00:00";
    device.modeText = codes % 2 ? "FOCUS" : "";
    for (int i = 0; i < codes; ++i) {
        device.funcodes.append(makeFuncode(i));
    }
    return device;
}

void compareFuncodes(const tagExportFuncode_Servo& a, const tagExportFuncode_Servo& e)
{
    QCOMPARE(a.canopenAddr, e.canopenAddr);
    QCOMPARE(a.usbCode, e.usbCode);
    QCOMPARE(a.groupName, e.groupName);
    QCOMPARE(a.funIndex, e.funIndex);
    QCOMPARE(a.funName, e.funName);
    QCOMPARE(a.curValue[0], e.curValue[0]);
    QCOMPARE(a.curValue[1], e.curValue[1]);
    QCOMPARE(a.curValue[2], e.curValue[2]);
    QCOMPARE(a.dataType, e.dataType);
    QCOMPARE(a.valueTexts, e.valueTexts);
    QCOMPARE(a.axisNum, e.axisNum);
    QCOMPARE(a.authority, e.authority);
    QCOMPARE(a.curValueTexts.size(), e.curValueTexts.size());
    QCOMPARE(a.curValueTexts, e.curValueTexts);
    QCOMPARE(a.minText, e.minText);
    QCOMPARE(a.maxText, e.maxText);
    QCOMPARE(a.defaultText, e.defaultText);
    QCOMPARE(a.unitText, e.unitText);
    QCOMPARE(a.remarkText, e.remarkText);
}

void compareDevices(const QList<tagExportDevInfo_Servo>& actual,
                    const QList<tagExportDevInfo_Servo>& expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int d = 0; d < expected.size(); ++d) {
        QCOMPARE(actual[d].devText, expected[d].devText);
        QCOMPARE(actual[d].axisNumText, expected[d].axisNumText);
        QCOMPARE(actual[d].commuName, expected[d].commuName);
        QCOMPARE(actual[d].exportTime, expected[d].exportTime);
        QCOMPARE(actual[d].modeText, expected[d].modeText);
        QCOMPARE(actual[d].funcodes.size(), expected[d].funcodes.size());
        for (int i = 0; i < expected[d].funcodes.size(); ++i) {
            compareFuncodes(*actual[d].funcodes[i], *expected[d].funcodes[i]);
        }
    }
}
} // namespace

class tst_QExportDB_Servo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roundTripFieldForField();
    void addRecordsAppendsInOrder();
    void createDatabaseLeavesValidFileUntouched();
    void refusedPaths_data();
    void refusedPaths();
    void writeFileReplacesWholeFile();
    void failedWriteKeepsOldFileAndLeavesNothing();
    void failedAddRecordsRemovesCreatedFile();

private:
    QString filePath(const QString& name) const { return m_dir->filePath(name); }
    QStringList filesInDir() const { return QDir(m_dir->path()).entryList(QDir::Files, QDir::Name); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QExportDB_Servo> m_db;
};

void tst_QExportDB_Servo::init()
{
    m_dir.reset(new QTemporaryDir);
    m_db.reset(new QExportDB_Servo);
}

void tst_QExportDB_Servo::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void tst_QExportDB_Servo::roundTripFieldForField()
{
    const QList<tagExportDevInfo_Servo> devices{makeDevice("SD300", 7), makeDevice("KV905", 0),
                                                makeDevice("SD100", 2)};
    const QString path = filePath("ExportedFuncode.funcodeservo");
    QVERIFY2(m_db->writeFile(path, devices), qPrintable(m_db->lastError()));
    QVERIFY(!m_db->isOpen());

    QExportDB_Servo reader;
    QVERIFY2(reader.openDatabase(path), qPrintable(reader.lastError()));
    QVERIFY(reader.createDatabase());
    compareDevices(reader.getImportDevInfoRecords(), devices);
}

void tst_QExportDB_Servo::addRecordsAppendsInOrder()
{
    const QString path = filePath("stepwise.funcodeservo");
    QVERIFY(m_db->openDatabase(path));
    QVERIFY(m_db->createDatabase());
    QVERIFY(m_db->addRecords(makeDevice("A", 3)));
    QVERIFY(m_db->addRecords(makeDevice("B", 1)));
    m_db->closeDatabase();

    QVERIFY(m_db->openDatabase(path));
    compareDevices(m_db->getImportDevInfoRecords(), {makeDevice("A", 3), makeDevice("B", 1)});
}

void tst_QExportDB_Servo::createDatabaseLeavesValidFileUntouched()
{
    const QString path = filePath("valid.funcodeservo");
    QVERIFY(m_db->writeFile(path, {makeDevice("SD300", 3)}));
    const QByteArray before = readBytes(path);
    QVERIFY(m_db->openDatabase(path));
    QVERIFY(m_db->createDatabase());
    QCOMPARE(m_db->getImportDevInfoRecords().size(), 1);
    m_db->closeDatabase();
    QCOMPARE(readBytes(path), before);
}

void tst_QExportDB_Servo::refusedPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file is made
    QTest::newRow("missing folder") << "no/such/dir/x.funcodeservo" << QByteArray();
    QTest::newRow("comma-separated text") << "x.funcodeservo" << QByteArray("_9786345324_\nSD300_1.00,1,\n");
    QTest::newRow("random bytes") << "x.funcodeservo" << randomBytes(2048, 3);
}

void tst_QExportDB_Servo::refusedPaths()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = filePath(name);
    if (!content.isEmpty()) {
        QVERIFY(writeBytes(path, content));
    }
    QVERIFY(!m_db->openDatabase(path));
    QVERIFY(!m_db->lastError().isEmpty());
    QVERIFY(m_db->getImportDevInfoRecords().isEmpty());
    QCOMPARE(readBytes(path), content);
    QCOMPARE(QFileInfo::exists(path), !content.isEmpty());
}

void tst_QExportDB_Servo::writeFileReplacesWholeFile()
{
    const QString path = filePath("out.funcodeservo");
    QVERIFY(m_db->writeFile(path, {makeDevice("OLD", 4), makeDevice("OLD2", 1)}));
    QVERIFY(m_db->writeFile(path, {makeDevice("NEW", 2)}));
    QVERIFY(m_db->openDatabase(path));
    compareDevices(m_db->getImportDevInfoRecords(), {makeDevice("NEW", 2)});
    m_db->closeDatabase();
    QCOMPARE(filesInDir(), QStringList{"out.funcodeservo"});
}

void tst_QExportDB_Servo::failedWriteKeepsOldFileAndLeavesNothing()
{
    const QString path = filePath("out.funcodeservo");
    QVERIFY(m_db->writeFile(path, {makeDevice("OLD", 4)}));
    const QByteArray before = readBytes(path);

    tagExportDevInfo_Servo broken = makeDevice("NEW", 3);
    broken.funcodes.append(tagExportFuncodePtr_Servo()); // a record that cannot be written
    QVERIFY(!m_db->writeFile(path, {makeDevice("NEW", 3), broken}));
    QVERIFY(!m_db->lastError().isEmpty());
    QCOMPARE(readBytes(path), before);
    QCOMPARE(filesInDir(), QStringList{"out.funcodeservo"});
}

void tst_QExportDB_Servo::failedAddRecordsRemovesCreatedFile()
{
    const QString path = filePath("new.funcodeservo");
    QVERIFY(m_db->openDatabase(path));
    QVERIFY(m_db->createDatabase());
    tagExportDevInfo_Servo broken = makeDevice("NEW", 1);
    broken.funcodes.append(tagExportFuncodePtr_Servo());
    QVERIFY(!m_db->addRecords(broken));
    QVERIFY(m_db->lastError().contains("STR_DB_PARTIAL_REMOVED"));
    QVERIFY(!m_db->isOpen());
    QVERIFY(filesInDir().isEmpty());
}

QTEST_GUILESS_MAIN(tst_QExportDB_Servo)
#include "tst_QExportDB_Servo.moc"
