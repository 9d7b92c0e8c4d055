#include "DatabaseTestFiles.h"

#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QExportDB_Servo.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace DatabaseTestFiles;

// The manager is a process-wide object; the cases run in declaration order and share it.
class tst_QDatabaseManager : public QObject
{
    Q_OBJECT

private slots:
    void gettersAnswerBeforeOpen();
    void opensAndCreatesTheFiles();
    void damagedFileIsNamedOthersStayUsable_data();
    void damagedFileIsNamedOthersStayUsable();
    void recoverKeepsTheOldFile();
    void recoverRefusesOtherFiles_data();
    void recoverRefusesOtherFiles();
    void reopenKeepsData();

private:
    static tagModifyFuncode_Servo record(const QString& funIndex);
    QTemporaryDir m_dir;
};

tagModifyFuncode_Servo tst_QDatabaseManager::record(const QString& funIndex)
{
    tagModifyFuncode_Servo r;
    r.strTime = "2024-05-01 10:00:00";
    r.funIndex = funIndex;
    r.oldVal = "1";
    r.newVal = "2";
    return r;
}

void tst_QDatabaseManager::gettersAnswerBeforeOpen()
{
    QDatabaseManager* manager = QDatabaseManager::self();
    QVERIFY(manager->getRecordDatabase_Servo());
    QVERIFY(manager->getStatisticsDatabase());
    QVERIFY(manager->getConfigDatabase_Servo());
    QVERIFY(manager->getExportDatabase_Servo());
    QVERIFY(!manager->getRecordDatabase_Servo()->insertModifyFunCode("drive", record("P00.01")));
    QVERIFY(manager->getRecordDatabase_Servo()->getModifyFunCodes("drive").isEmpty());
    QVERIFY(manager->getStatisticsDatabase()->getSortedFuncodeModifyData("drive", true).isEmpty());
    QVERIFY(manager->getConfigDatabase_Servo()->getDevHisFaultFormat("a", "b", 1).isEmpty());
    QVERIFY(!manager->recoverDatabase("records.db", nullptr, nullptr));
}

void tst_QDatabaseManager::opensAndCreatesTheFiles()
{
    const QString dir = m_dir.filePath("data");
    QString error = "unchanged?";
    QVERIFY2(QDatabaseManager::self()->open(dir, &error), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(QDatabaseManager::self()->dataDir(), QDir(dir).absolutePath());
    for (const QString& name : QDatabaseManager::databaseFileNames()) {
        QVERIFY2(QFileInfo::exists(QDir(dir).filePath(name)), qPrintable(name));
    }
    QVERIFY(
        QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode("drive", record("P00.01")));
    QVERIFY(QDatabaseManager::self()->lastErrors().isEmpty());
}

void tst_QDatabaseManager::damagedFileIsNamedOthersStayUsable_data()
{
    QTest::addColumn<QString>("damaged");
    for (const QString& name : QDatabaseManager::databaseFileNames()) {
        QTest::newRow(qPrintable(name)) << name;
    }
}

void tst_QDatabaseManager::damagedFileIsNamedOthersStayUsable()
{
    QFETCH(QString, damaged);
    QDatabaseManager* manager = QDatabaseManager::self();
    const QString dir = m_dir.filePath("damaged-" + damaged);
    QVERIFY(QDir().mkpath(dir));
    const QByteArray garbage = randomBytes(3000, 5);
    QVERIFY(writeBytes(QDir(dir).filePath(damaged), garbage));

    QString error;
    QVERIFY(!manager->open(dir, &error));
    QVERIFY2(error.startsWith(damaged + ": "), qPrintable(error));
    QCOMPARE(manager->damagedFiles(), QStringList{damaged});
    QCOMPARE(manager->lastErrors(), QStringList{error});
    QCOMPARE(readBytes(QDir(dir).filePath(damaged)), garbage);

    const bool recordsOk = damaged != "records.db";
    const bool statisticsOk = damaged != "statistics.db";
    const bool configOk = damaged != "config.db";
    QCOMPARE(manager->getRecordDatabase_Servo()->insertModifyFunCode("drive", record("P00.01")), recordsOk);
    tagFuncodeModifyData event;
    QCOMPARE(manager->getStatisticsDatabase()->addFuncodeModifyEvent("drive", "P00.01", event), statisticsOk);
    QCOMPARE(manager->getConfigDatabase_Servo()->addRenamedModel("A", "B"), configOk);
    QCOMPARE(readBytes(QDir(dir).filePath(damaged)), garbage);
}

void tst_QDatabaseManager::recoverKeepsTheOldFile()
{
    QDatabaseManager* manager = QDatabaseManager::self();
    const QString dir = m_dir.filePath("recover");
    QVERIFY(QDir().mkpath(dir));
    const QString path = QDir(dir).filePath("statistics.db");
    const QByteArray garbage = randomBytes(5000, 9);
    QVERIFY(writeBytes(path, garbage));
    QVERIFY(!manager->open(dir));

    QString movedTo;
    QString error;
    QVERIFY2(manager->recoverDatabase("statistics.db", &movedTo, &error), qPrintable(error));
    QVERIFY(manager->lastErrors().isEmpty());
    QVERIFY2(QFileInfo(movedTo).fileName().startsWith("statistics-damaged-"), qPrintable(movedTo));
    QVERIFY(movedTo.endsWith(".db"));
    QCOMPARE(QFileInfo(movedTo).absolutePath(), QDir(dir).absolutePath());
    QCOMPARE(readBytes(movedTo), garbage);

    tagFuncodeModifyData event;
    QVERIFY(manager->getStatisticsDatabase()->addFuncodeModifyEvent("drive", "P00.01", event));
    QCOMPARE(manager->getStatisticsDatabase()->eventCount("drive", "P00.01"), 1);

    // A second recovery in the same second keeps both old files.
    QString movedAgain;
    QVERIFY(manager->recoverDatabase(path, &movedAgain, &error));
    QVERIFY(movedAgain != movedTo);
    QVERIFY(QFileInfo::exists(movedTo));
    QVERIFY(QFileInfo::exists(movedAgain));
    QCOMPARE(manager->getStatisticsDatabase()->eventCount("drive", "P00.01"), 0);
}

void tst_QDatabaseManager::recoverRefusesOtherFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("unknown name") << "other.db";
    QTest::newRow("a database of another folder") << QDir::tempPath() + "/records.db";
}

void tst_QDatabaseManager::recoverRefusesOtherFiles()
{
    QFETCH(QString, fileName);
    QDatabaseManager* manager = QDatabaseManager::self();
    QVERIFY(manager->open(m_dir.filePath("refuse")));
    QString movedTo = "unchanged";
    QString error;
    QVERIFY(!manager->recoverDatabase(fileName, &movedTo, &error));
    QVERIFY(movedTo.isEmpty());
    QVERIFY(!error.isEmpty());
    QVERIFY(manager->getRecordDatabase_Servo()->isOpen());
}

void tst_QDatabaseManager::reopenKeepsData()
{
    QDatabaseManager* manager = QDatabaseManager::self();
    const QString dir = m_dir.filePath("reopen");
    QVERIFY(manager->open(dir));
    QVERIFY(manager->getRecordDatabase_Servo()->insertModifyFunCode("drive", record("P00.07")));
    QVERIFY(manager->getConfigDatabase_Servo()->addRenamedModel("KV900", "KV905"));
    manager->close();
    QVERIFY(!manager->getRecordDatabase_Servo()->isOpen());
    QVERIFY(manager->open(dir));
    QCOMPARE(manager->getRecordDatabase_Servo()->getModifyFunCodes("drive").first().funIndex,
             QString("P00.07"));
    QCOMPARE(manager->getConfigDatabase_Servo()->convertToNewDevName("KV900"), QString("KV905"));
}

QTEST_GUILESS_MAIN(tst_QDatabaseManager)
#include "tst_QDatabaseManager.moc"
