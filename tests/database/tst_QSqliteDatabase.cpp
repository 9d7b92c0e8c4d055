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
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void createsMissingOrEmptyFile_data();
    void createsMissingOrEmptyFile();
    void refusesUnusableFile_data();
    void refusesUnusableFile();
    void refusesFolderAndMissingFolder();

private:
    static QStringList kinds() { return {"records", "statistics", "config", "funcode file"}; }
    static std::unique_ptr<QSqliteDatabase> makeDatabase(const QString& kind);
    static int pragma(const QString& path, const QString& name);
    bool makeDamagedFile(const QString& kind, const QString& damage, const QString& path) const;

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
    QVariant value(-1);
    runSql(path, {"PRAGMA " + name}, &value);
    return value.toInt();
}

bool tst_QSqliteDatabase::makeDamagedFile(const QString& kind, const QString& damage,
                                          const QString& path) const
{
    if (damage == "random bytes") {
        return writeBytes(path, randomBytes(4096, 7));
    }
    if (damage == "foreign sqlite") {
        return runSql(path, {"CREATE TABLE customers (id INTEGER, name TEXT)",
                             "INSERT INTO customers VALUES (1, 'x')"});
    }
    // A file of the kind as this program writes it (or of the next kind), made several pages long.
    const QString madeKind =
        damage == "other kind" ? kinds().at((kinds().indexOf(kind) + 1) % kinds().size()) : kind;
    if (!makeDatabase(madeKind)->open(path)) {
        return false;
    }
    if (!runSql(path, {"CREATE TABLE padding (x)", "INSERT INTO padding VALUES (randomblob(40000))"})) {
        return false;
    }
    const QByteArray bytes = readBytes(path);
    const int pageSize = (quint8(bytes.at(16)) << 8) | quint8(bytes.at(17));
    if (damage == "other kind") {
        return true;
    }
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

void tst_QSqliteDatabase::createsMissingOrEmptyFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("emptySqlite");
    for (const QString& kind : kinds()) {
        QTest::addRow("%s, missing", qPrintable(kind)) << kind << false;
        QTest::addRow("%s, empty sqlite", qPrintable(kind)) << kind << true;
    }
}

void tst_QSqliteDatabase::createsMissingOrEmptyFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, emptySqlite);
    const QString path = m_dir.filePath(QString(QTest::currentDataTag()).replace(' ', '_') + ".db");
    QVERIFY(!emptySqlite || runSql(path, {"VACUUM"}));
    std::unique_ptr<QSqliteDatabase> db = makeDatabase(kind);
    QVERIFY2(db->open(path), qPrintable(db->lastError()));
    db->close();
    QCOMPARE(pragma(path, "application_id"), db->schema().applicationId);
    QCOMPARE(pragma(path, "user_version"), db->schema().version);
    // A second open finds the file valid and leaves it as it is.
    const QByteArray before = readBytes(path);
    QVERIFY2(db->open(path), qPrintable(db->lastError()));
    db->close();
    QCOMPARE(readBytes(path), before);
}

void tst_QSqliteDatabase::refusesUnusableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    const QList<QPair<QString, QString>> damages{
        {"random bytes", "STR_DB_NOT_SQLITE"},      {"truncated at page", "STR_DB_TRUNCATED"},
        {"truncated mid page", "STR_DB_TRUNCATED"}, {"garbage after header", "STR_DB_DAMAGED"},
        {"damaged pages", "STR_DB_DAMAGED"},        {"foreign sqlite", "STR_DB_FOREIGN"},
        {"other kind", "STR_DB_FOREIGN"},           {"newer layout", "STR_DB_NEWER"}};
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
    const QString path = m_dir.filePath(QString("bad-%1-%2.db").arg(kind, damage).replace(' ', '_'));
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
    const QString inMissingFolder = m_dir.filePath("no/such/folder/stats.db");
    QVERIFY(!db.open(inMissingFolder));
    QVERIFY(db.lastError().contains("STR_DB_CANNOT_CREATE"));
    QVERIFY(!QFileInfo::exists(inMissingFolder));
    QVERIFY(!db.open(QString()));
}

QTEST_GUILESS_MAIN(tst_QSqliteDatabase)
#include "tst_QSqliteDatabase.moc"
