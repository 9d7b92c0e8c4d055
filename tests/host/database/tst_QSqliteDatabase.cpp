#include "DatabaseTestFiles.h"

#include <QtTest>

using namespace DatabaseTestFiles;

namespace {
const QStringList kKinds{"records", "statistics", "config", "funcode file"};

int pragma(const QString& path, const QString& name)
{
    QVariant value(-1);
    runSql(path, {"PRAGMA " + name}, &value);
    return value.toInt();
}

// Makes the file a case starts from; "missing" makes none.
bool makeFile(const QString& kind, const QString& damage, const QString& path)
{
    // Files made whole, not from one of the kind.
    const QMap<QString, std::function<bool()>> made{
        {"missing", [] { return true; }},
        {"empty sqlite", [&] { return runSql(path, {"VACUUM"}); }},
        {"random bytes", [&] { return writeBytes(path, randomBytes(4096, 7)); }},
        {"foreign sqlite", [&] {
             return runSql(path, {"CREATE TABLE customers (id INTEGER, name TEXT)",
                                  "INSERT INTO customers VALUES (1, 'x')"});
         }}};
    if (made.contains(damage)) {
        return made.value(damage)();
    }
    // A file of the kind as this program writes it (or of the next kind), made several pages long.
    const QString madeKind =
        damage == "other kind" ? kKinds.at((kKinds.indexOf(kind) + 1) % kKinds.size()) : kind;
    if (!makeDatabase(madeKind)->open(path) ||
        !runSql(path, {"CREATE TABLE padding (x)", "INSERT INTO padding VALUES (randomblob(40000))"})) {
        return false;
    }

    if (damage == "newer layout") {
        return runSql(path, {"PRAGMA user_version = 99"});
    }

    const QByteArray bytes = readBytes(path);
    const int pageSize = (quint8(bytes.at(16)) << 8) | quint8(bytes.at(17));
    const QMap<QString, QByteArray> damaged{
        {"truncated at page", bytes.left(2 * pageSize)},
        {"truncated mid page", bytes.left(bytes.size() / 2 + 100)},
        {"garbage after header", bytes.left(100) + randomBytes(bytes.size() - 100, 11)},
        {"damaged pages", bytes.left(pageSize) + randomBytes(bytes.size() - pageSize, 13)}};
    return damage == "other kind" || writeBytes(path, damaged.value(damage));
}
} // namespace

// Opening, creating and refusing files, for every kind of database.
class tst_QSqliteDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void opensOrRefuses_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason"); // empty: the file is opened
        const QList<QPair<QString, QString>> damages{
            {"random bytes", "STR_DB_NOT_SQLITE"},      {"truncated at page", "STR_DB_TRUNCATED"},
            {"truncated mid page", "STR_DB_TRUNCATED"}, {"garbage after header", "STR_DB_DAMAGED"},
            {"damaged pages", "STR_DB_DAMAGED"},        {"foreign sqlite", "STR_DB_FOREIGN"},
            {"other kind", "STR_DB_FOREIGN"},           {"newer layout", "STR_DB_NEWER"}};
        for (const QString& kind : kKinds) {
            QTest::addRow("%s, missing", qPrintable(kind)) << kind << "missing" << QString();
            QTest::addRow("%s, empty sqlite", qPrintable(kind)) << kind << "empty sqlite" << QString();
            for (const auto& damage : damages) {
                QTest::addRow("%s, %s", qPrintable(kind), qPrintable(damage.first))
                    << kind << damage.first << damage.second;
            }
        }
    }

    void opensOrRefuses()
    {
        QFETCH(QString, kind);
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        const QString path = m_dir.filePath(QString("%1-%2.db").arg(kind, damage).replace(' ', '_'));
        QVERIFY(makeFile(kind, damage, path));
        const QByteArray before = readBytes(path);
        std::unique_ptr<QSqliteDatabase> db = makeDatabase(kind);
        if (reason.isEmpty()) {
            // A missing or empty file gets the kind's stamps; a second open finds it valid and leaves it as
            // it is.
            QVERIFY2(db->open(path), qPrintable(db->lastError()));
            db->close();
            QCOMPARE(pragma(path, "application_id"), db->schema().applicationId);
            QCOMPARE(pragma(path, "user_version"), db->schema().version);
            const QByteArray created = readBytes(path);
            QVERIFY2(db->open(path), qPrintable(db->lastError()));
            db->close();
            QCOMPARE(readBytes(path), created);
            return;
        }
        QVERIFY(!db->open(path));
        QVERIFY(!db->isOpen());
        // No translator is installed here, so the reason shows as its key.
        QVERIFY2(db->lastError().startsWith(QFileInfo(path).fileName() + ": "), qPrintable(db->lastError()));
        QVERIFY2(db->lastError().contains(reason), qPrintable(db->lastError()));
        db.reset();
        QCOMPARE(readBytes(path), before);
        QVERIFY(!QFileInfo::exists(path + "-journal"));
    }

    void refusesFolderAndMissingFolder()
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

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_QSqliteDatabase)
#include "tst_QSqliteDatabase.moc"
