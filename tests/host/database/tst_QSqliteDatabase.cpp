#include "DatabaseTestFiles.h"
#include "QTestReadOnlyFile.h"

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

// A kind of file with three layouts: items; items with a size; and an index and a table of notes.
tagSqliteSchema layout(int version)
{
    tagSqliteSchema schema;
    schema.kind = QStringLiteral("layout test");
    schema.applicationId = 0x54535431; // "TST1"
    schema.version = version;
    schema.tables = QStringList{"item"};
    schema.createStatements = QStringList{"CREATE TABLE item (id INTEGER PRIMARY KEY, name TEXT NOT NULL" +
                                          QString(version >= 2 ? ", size INTEGER NOT NULL DEFAULT 0)" : ")")};
    const QStringList notes{"CREATE INDEX item_name ON item (name)",
                            "CREATE TABLE note (item_id INTEGER NOT NULL, text TEXT)"};
    if (version >= 2) {
        schema.upgrades.insert(1, {"ALTER TABLE item ADD COLUMN size INTEGER NOT NULL DEFAULT 0"});
    }
    if (version >= 3) {
        schema.tables.append("note");
        schema.createStatements += notes;
        schema.upgrades.insert(2, notes);
    }
    return schema;
}

class LayoutTestDatabase : public QSqliteDatabase
{
public:
    explicit LayoutTestDatabase(const tagSqliteSchema& schema) : QSqliteDatabase(schema) {}
};

// What a file holds apart from its data: every table, index and column, in a fixed order.
QString layoutOf(const QString& path)
{
    QVariant layout;
    runSql(
        path,
        {"SELECT group_concat(line, char(10)) FROM (SELECT m.type || '/' || m.name || '/' || m.tbl_name || "
         "'/' || ifnull(c.name || '/' || c.type || '/' || c.\"notnull\" || '/' || ifnull(c.dflt_value, ''), "
         "'') AS line FROM sqlite_master m LEFT JOIN pragma_table_info(m.name) c ORDER BY m.type, m.name, "
         "c.cid)"},
        &layout);
    return layout.toString();
}
} // namespace

// Opening, creating and refusing files, for every kind of database; files of older layouts are upgraded after
// a copy is kept, and a failed upgrade leaves everything as it was.
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

    void upgradesOrLeavesTheFile_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("change"); // what is wrong with the schema or the file
        QTest::addColumn<QString>("reason"); // empty: the file is upgraded
        QTest::newRow("1 to 2") << 1 << 2 << "" << QString();
        QTest::newRow("1 to 3") << 1 << 3 << "" << QString();
        QTest::newRow("2 to 3") << 2 << 3 << "" << QString();
        QTest::newRow("second step fails") << 1 << 3 << "bad step" << QString("STR_DB_UPGRADE_FAILED");
        QTest::newRow("no step from the layout") << 1 << 3 << "missing step" << QString("STR_DB_DAMAGED");
        QTest::newRow("layout 0") << 1 << 3 << "layout 0" << QString("STR_DB_DAMAGED");
        // An old file that lacks a table of its layout is damaged: the upgrade must not be kept.
        QTest::newRow("table missing after the steps")
            << 1 << 3 << "missing table" << QString("STR_DB_DAMAGED");
        QTest::newRow("read-only file") << 1 << 2 << "read-only" << QString("STR_DB_UPGRADE_FAILED");
    }

    void upgradesOrLeavesTheFile()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, change);
        QFETCH(QString, reason);
        const QString path = makeItemsFile(from);
        QVERIFY(!path.isEmpty());
        tagSqliteSchema schema = layout(to);
        if (change == "bad step") {
            schema.upgrades[2].append("CREATE TABLE item (x)");
        } else if (change == "missing step") {
            schema.upgrades.remove(1);
        } else if (change == "missing table") {
            schema.tables.append("ghost");
        } else if (change == "layout 0") {
            QVERIFY(runSql(path, {"PRAGMA user_version = 0"}));
        }
        const QByteArray before = readBytes(path);
        LayoutTestDatabase db(schema);
        {
            std::unique_ptr<QTestReadOnlyFile> readOnly;
            if (change == "read-only") {
                readOnly = std::make_unique<QTestReadOnlyFile>(path);
                QVERIFY(readOnly->isValid());
            }
            QCOMPARE(db.open(path), reason.isEmpty());
        }
        if (!reason.isEmpty()) {
            QVERIFY2(db.lastError().contains(reason), qPrintable(db.lastError()));
            QCOMPARE(db.upgradedFrom(), 0);
            QCOMPARE(readBytes(path), before);
            QCOMPARE(filesIn(m_itemsDir->path()), QStringList{"items.db"});
            return;
        }
        QCOMPARE(db.upgradedFrom(), from);
        QVERIFY(db.isWritable());
        db.close();
        // The old contents are kept beside the file, byte for byte, under a name that says their layout.
        QCOMPARE(filesIn(m_itemsDir->path()).size(), 2);
        QVERIFY2(QFileInfo(db.backupPath()).fileName().startsWith(QString("items-layout%1-").arg(from)),
                 qPrintable(db.backupPath()));
        QCOMPARE(readBytes(db.backupPath()), before);
        // The upgraded file has the layout of a new file and still holds its items.
        QVariant count;
        QVERIFY(runSql(path, {"SELECT count(*) FROM item WHERE size = 0"}, &count));
        QCOMPARE(count.toInt(), 2);
        QTemporaryDir fresh;
        LayoutTestDatabase created(layout(to));
        QVERIFY(created.open(fresh.filePath("new.db")));
        created.close();
        QCOMPARE(layoutOf(path), layoutOf(fresh.filePath("new.db")));
        // Opening again changes nothing and copies nothing.
        QVERIFY(db.open(path));
        QCOMPARE(db.upgradedFrom(), 0);
        QVERIFY(db.backupPath().isEmpty());
        QCOMPARE(filesIn(m_itemsDir->path()).size(), 2);
    }

    void shippedKindsOpenTheirOldFiles_data()
    {
        QTest::addColumn<QString>("fileName");
        // One file of every layout each kind ever had, written by the program of that time with a few rows.
        const QDir dir(QStringLiteral(SERVO_TEST_DATA_DIR "/databases"));
        for (const QString& name : dir.entryList({"*.db", "*.funcodeservo"}, QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
        }
    }

    // Kind and layout come from the name: "records-layout1.db".
    void shippedKindsOpenTheirOldFiles()
    {
        QFETCH(QString, fileName);
        const QString base = QFileInfo(fileName).completeBaseName();
        const int layoutNumber = base.section("-layout", 1).toInt();
        std::unique_ptr<QSqliteDatabase> db = makeDatabase(base.section('-', 0, 0));
        QVERIFY2(layoutNumber >= 1 && layoutNumber <= db->schema().version, qPrintable(base));
        QTemporaryDir dir;
        const QString path = dir.filePath(QFileInfo(fileName).fileName());
        QVERIFY(QFile::copy(fileName, path));
        QVERIFY2(db->open(path), qPrintable(db->lastError()));
        const bool older = layoutNumber < db->schema().version;
        QCOMPARE(db->upgradedFrom(), older ? layoutNumber : 0);
        QCOMPARE(filesIn(dir.path()).size(), older ? 2 : 1);
        db->close();
        // The upgraded file is laid out like a new one.
        const QString newPath = dir.filePath("new-" + QFileInfo(fileName).fileName());
        QVERIFY(db->open(newPath));
        db->close();
        QCOMPARE(layoutOf(path), layoutOf(newPath));
        QVariant rows;
        QVERIFY(runSql(path, {"SELECT count(*) FROM " + db->schema().tables.first()}, &rows));
        QVERIFY2(rows.toInt() > 0, "the old file's rows are gone");
    }

private:
    // A folder of its own with a file of the layout holding two items.
    QString makeItemsFile(int version)
    {
        m_itemsDir = std::make_unique<QTemporaryDir>();
        const QString path = m_itemsDir->filePath("items.db");
        LayoutTestDatabase db(layout(version));
        if (!db.open(path)) {
            return QString();
        }
        db.close();
        return runSql(path, {"INSERT INTO item (name) VALUES ('first')",
                             "INSERT INTO item (name) VALUES ('second')"})
                   ? path
                   : QString();
    }

    std::unique_ptr<QTemporaryDir> m_itemsDir;

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_QSqliteDatabase)
#include "tst_QSqliteDatabase.moc"
