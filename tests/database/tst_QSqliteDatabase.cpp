#include "DatabaseTestFiles.h"

#include "QConfigDB_Servo.h"
#include "QExportDB_Servo.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace DatabaseTestFiles;

// Opening, creating and refusing files, for every kind of database.
class tst_QSqliteDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void createsMissingFile_data();
    void createsMissingFile();
    void initialisesEmptySqliteFile();
    void refusesUnusableFile_data();
    void refusesUnusableFile();
    void refusesFolderAndMissingFolder();
    void closedDatabaseFailsGracefully();

private:
    static QStringList kinds() { return {"records", "statistics", "config", "funcode file"}; }
    static std::unique_ptr<QSqliteDatabase> makeDatabase(const QString& kind);
    QString freshPath(const QString& name) const { return m_dir.filePath(name); }
    bool makeValidFile(const QString& kind, const QString& path, bool padded) const;
    bool makeDamagedFile(const QString& kind, const QString& damage, const QString& path) const;
    static int pragma(const QString& path, const QString& name);

    QTemporaryDir m_dir;
};

std::unique_ptr<QSqliteDatabase> tst_QSqliteDatabase::makeDatabase(const QString& kind)
{
    if (kind == "records") {
        return std::make_unique<QRecordDB_Servo>();
    }
    if (kind == "statistics") {
        return std::make_unique<QStatistics>();
    }
    if (kind == "config") {
        return std::make_unique<QConfigDB_Servo>();
    }
    return std::make_unique<QExportDB_Servo>();
}

int tst_QSqliteDatabase::pragma(const QString& path, const QString& name)
{
    int value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "pragma-reader");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec("PRAGMA " + name) && query.next()) {
                value = query.value(0).toInt();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("pragma-reader");
    return value;
}

// A file of the kind as this program writes it; padded makes it several pages long.
bool tst_QSqliteDatabase::makeValidFile(const QString& kind, const QString& path, bool padded) const
{
    std::unique_ptr<QSqliteDatabase> db = makeDatabase(kind);
    if (!db->open(path)) {
        return false;
    }
    db->close();
    return !padded ||
           runSql(path, {"CREATE TABLE padding (x)", "INSERT INTO padding VALUES (randomblob(40000))"});
}

bool tst_QSqliteDatabase::makeDamagedFile(const QString& kind, const QString& damage,
                                          const QString& path) const
{
    if (damage == "random bytes") {
        return writeBytes(path, randomBytes(4096, 7));
    }
    if (damage == "short text") {
        return writeBytes(path, "this is a note, not a database\n");
    }
    if (damage == "foreign sqlite") {
        return runSql(path, {"CREATE TABLE customers (id INTEGER, name TEXT)",
                             "INSERT INTO customers VALUES (1, 'x')"});
    }
    if (damage == "other kind") {
        const QString other = kinds().at((kinds().indexOf(kind) + 1) % kinds().size());
        return makeValidFile(other, path, false);
    }
    if (!makeValidFile(kind, path, true)) {
        return false;
    }
    QByteArray bytes = readBytes(path);
    const int pageSize = (quint8(bytes.at(16)) << 8) | quint8(bytes.at(17));
    if (damage == "newer layout") {
        return runSql(path, {"PRAGMA user_version = 99"});
    }
    if (damage == "truncated at page") {
        return writeBytes(path, bytes.left(2 * pageSize));
    }
    if (damage == "truncated mid page") {
        return writeBytes(path, bytes.left(bytes.size() / 2 + 100));
    }
    if (damage == "garbage after header") {
        return writeBytes(path, bytes.left(100) + randomBytes(bytes.size() - 100, 11));
    }
    // "damaged pages": the header stays, every later page is overwritten.
    return writeBytes(path, bytes.left(pageSize) + randomBytes(bytes.size() - pageSize, 13));
}

void tst_QSqliteDatabase::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_QSqliteDatabase::createsMissingFile_data()
{
    QTest::addColumn<QString>("kind");
    for (const QString& kind : kinds()) {
        QTest::newRow(qPrintable(kind)) << kind;
    }
}

void tst_QSqliteDatabase::createsMissingFile()
{
    QFETCH(QString, kind);
    const QString path = freshPath("created-" + kind + ".db");
    std::unique_ptr<QSqliteDatabase> db = makeDatabase(kind);
    QVERIFY2(db->open(path), qPrintable(db->lastError()));
    QVERIFY(db->isOpen());
    QVERIFY(db->lastError().isEmpty());
    db->close();

    QCOMPARE(pragma(path, "application_id"), db->schema().applicationId);
    QCOMPARE(pragma(path, "user_version"), db->schema().version);
    // A second open finds the file valid and leaves it as it is.
    const QByteArray before = readBytes(path);
    QVERIFY2(db->open(path), qPrintable(db->lastError()));
    db->close();
    QCOMPARE(readBytes(path), before);
}

void tst_QSqliteDatabase::initialisesEmptySqliteFile()
{
    const QString path = freshPath("empty.db");
    QVERIFY(runSql(path, {"VACUUM"}));
    QRecordDB_Servo db;
    QVERIFY2(db.open(path), qPrintable(db.lastError()));
    QVERIFY(db.insertModifyFunCode("drive", tagModifyFuncode_Servo{"t", "P00.01", 0, "1", "2", {}}));
    db.close();
    QCOMPARE(pragma(path, "application_id"), db.schema().applicationId);
}

void tst_QSqliteDatabase::refusesUnusableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    const QList<QPair<QString, QString>> damages{{"random bytes", "STR_DB_NOT_SQLITE"},
                                                 {"short text", "STR_DB_NOT_SQLITE"},
                                                 {"truncated at page", "STR_DB_TRUNCATED"},
                                                 {"truncated mid page", "STR_DB_TRUNCATED"},
                                                 {"garbage after header", "STR_DB_DAMAGED"},
                                                 {"damaged pages", "STR_DB_DAMAGED"},
                                                 {"foreign sqlite", "STR_DB_FOREIGN"},
                                                 {"other kind", "STR_DB_FOREIGN"},
                                                 {"newer layout", "STR_DB_NEWER"}};
    for (const QString& kind : kinds()) {
        for (const auto& damage : damages) {
            QTest::addRow("%s, %s", qPrintable(kind), qPrintable(damage.first))
                << kind << damage.first << damage.second;
        }
    }
}

void tst_QSqliteDatabase::refusesUnusableFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    const QString path = freshPath(QString("bad-%1-%2.db").arg(kind, damage).replace(' ', '_'));
    QVERIFY(makeDamagedFile(kind, damage, path));
    const QByteArray before = readBytes(path);

    std::unique_ptr<QSqliteDatabase> db = makeDatabase(kind);
    QVERIFY(!db->open(path));
    QVERIFY(!db->isOpen());
    // No translator is installed here, so the reason shows as its key.
    QVERIFY2(db->lastError().startsWith(QFileInfo(path).fileName() + ": "), qPrintable(db->lastError()));
    QVERIFY2(db->lastError().contains(reason), qPrintable(db->lastError()));
    db.reset();
    QCOMPARE(readBytes(path), before);
    QVERIFY(!QFileInfo::exists(path + "-journal"));
}

void tst_QSqliteDatabase::refusesFolderAndMissingFolder()
{
    QStatistics db;
    QVERIFY(!db.open(m_dir.path()));
    QVERIFY(db.lastError().contains("STR_DB_NOT_A_FILE"));

    const QString inMissingFolder = freshPath("no/such/folder/stats.db");
    QVERIFY(!db.open(inMissingFolder));
    QVERIFY(db.lastError().contains("STR_DB_CANNOT_CREATE"));
    QVERIFY(!QFileInfo::exists(inMissingFolder));
    QVERIFY(!db.open(QString()));
}

void tst_QSqliteDatabase::closedDatabaseFailsGracefully()
{
    QRecordDB_Servo records;
    QVERIFY(!records.insertModifyFunCode("drive", tagModifyFuncode_Servo{"t", "P00.01", 0, "1", "2", {}}));
    QVERIFY(records.lastError().contains("STR_DB_NOT_OPEN"));
    QVERIFY(records.getModifyFunCodes("drive").isEmpty());
    QVERIFY(!records.clearModifyFunCodes("drive"));
    QStatistics statistics;
    QVERIFY(statistics.getSortedFuncodeModifyData("drive", true).isEmpty());
    QCOMPARE(statistics.eventCount("drive", "P00.01"), 0);
    QConfigDB_Servo config;
    QVERIFY(!config.getDevConfigInfo("KV905"));
    QVERIFY(config.convertToNewDevName("KV905").isEmpty());
    QExportDB_Servo file;
    QVERIFY(!file.createDatabase());
    QVERIFY(file.getImportDevInfoRecords().isEmpty());
}

QTEST_GUILESS_MAIN(tst_QSqliteDatabase)
#include "tst_QSqliteDatabase.moc"
