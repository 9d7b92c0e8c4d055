#include "DatabaseTestFiles.h"

#include "QDatabaseManager.h"
#include "QTestReadOnlyFile.h"

#include <QtTest>

using namespace DatabaseTestFiles;

const tagModifyFuncode_Servo kRecord{"2024-05-01 10:00:00", "P00.07", 0, "1", "2", {}};

// The manager is a process-wide object; the cases run in declaration order and share it.
class tst_QDatabaseManager : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(tst_QDatabaseManager)
#include "tst_QDatabaseManager.moc"
