#include "DatabaseTestFiles.h"

#include <QtTest>

using namespace DatabaseTestFiles;

namespace {
using Devices = QList<tagExportDevInfo_Servo>;

// broken: a last record that cannot be written.
tagExportDevInfo_Servo makeDevice(const QString& name, int codes, bool broken = false)
{
    tagExportDevInfo_Servo device{name + "_1.02",           "3", "Simulated link", "2024-05-01 10:00:00",
                                  codes % 2 ? "FOCUS" : "", {}};
    for (int i = 0; i < codes; ++i) {
        const std::array<qint64, 3> raw{
            {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), -i}};
        const QString n = QString::number(i);
        const QString group = QString("P0%1 group, \"quoted\"").arg(i % 3);
        const QString index = QString("P0%1.%2").arg(i % 3).arg(i, 2, 10, QChar('0'));
        const QStringList texts{n, "1,5", "null"};
        const QStringList curTexts = i % 2 ? QStringList() : QStringList{QString()};
        device.funcodes.append(tagExportFuncodePtr_Servo(new tagExportFuncode_Servo{
            0x2000 + i, -i, group, index, "Name " + n + " – Ω\nsecond line", raw, i % 16, texts, 3, i % 4,
            curTexts, "-10", "10", "", "µs", "remark; " + n}));
    }

    if (broken) {
        device.funcodes.append(tagExportFuncodePtr_Servo());
    }

    return device;
}

// One line per device and per function code with every field, so that a failed comparison shows where.
QStringList lines(const Devices& devices)
{
    QStringList result;
    for (const tagExportDevInfo_Servo& d : devices) {
        result << QStringList{d.devText, d.axisNumText, d.commuName, d.exportTime, d.modeText}.join('|');
        for (const tagExportFuncodePtr_Servo& f : d.funcodes) {
            QStringList fields;
            fields << QString::number(f->canopenAddr) << QString::number(f->usbCode) << f->groupName
                   << f->funIndex << f->funName << QString::number(f->curValue[0])
                   << QString::number(f->curValue[1]) << QString::number(f->curValue[2])
                   << QString::number(f->dataType) << f->valueTexts.join('^') << QString::number(f->axisNum)
                   << QString::number(f->authority) << QString::number(f->curValueTexts.size())
                   << f->curValueTexts.join('^') << f->minText << f->maxText << f->defaultText << f->unitText
                   << f->remarkText;
            result << fields.join('|');
        }
    }

    return result;
}

// Every file in the folder with its bytes, side files of SQLite included.
QMap<QString, QByteArray> folderContents(const QString& dir)
{
    QMap<QString, QByteArray> contents;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        contents.insert(name, readBytes(QDir(dir).filePath(name)));
    }
    return contents;
}

// Leaves beside path what another program holding a change open would: a write-ahead log ("wal") or a
// hot journal ("journal"), both changing the device text.
bool leaveSideFile(const QString& path, const QString& kind)
{
    const QString work = path + ".work";
    const QString side = "-" + kind;
    bool ok = QFile::copy(path, work);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "side-file");
        db.setDatabaseName(work);
        QSqlQuery query(db);
        ok = ok && db.open() && query.exec(kind == "wal" ? "PRAGMA journal_mode = WAL" : "BEGIN") &&
             query.exec("UPDATE device SET dev_text = 'CHANGED'");
        // Copied while the change is held open, as if that program had stopped there.
        ok = ok && QFile::remove(path) && QFile::copy(work, path) && QFile::copy(work + side, path + side);
    }
    QSqlDatabase::removeDatabase("side-file");
    return ok && QFile::remove(work) && (!QFile::exists(work + side) || QFile::remove(work + side));
}

// A function-code file of 50 codes, then what a hostile or unlucky file adds to it.
bool makeFile(const QString& path, const QString& damage)
{
    if (damage == "blank database") {
        return runSql(path, {"CREATE TABLE x (a)", "DROP TABLE x"});
    }
    if (!QExportDB_Servo().writeFile(path, {makeDevice("SD300", 50)})) {
        return false;
    }
    const QMap<QString, QStringList> statements{
        // Small on disk, some gigabytes when read.
        {"computed column",
         {"ALTER TABLE funcode ADD COLUMN huge TEXT GENERATED ALWAYS AS (printf('%.*c', 900000000, 'x'))"}},
        {"view in place of a table",
         {"ALTER TABLE funcode RENAME TO stored", "CREATE VIEW funcode AS SELECT * FROM stored"}},
        {"trigger", {"CREATE TRIGGER t AFTER INSERT ON device BEGIN DELETE FROM funcode; END"}},
        {"table of another program", {"CREATE TABLE notes (text)"}},
        {"value too long", {"UPDATE funcode SET remark_text = printf('%.*c', 70000, 'x') WHERE id = 30"}}};
    if (statements.contains(damage)) {
        return runSql(path, statements.value(damage));
    }
    if (damage == "larger than the limit") {
        QFile file(path);
        return file.resize(QExportDB_Servo::kMaxFileBytes + 4096); // sparse: small on disk
    }
    return leaveSideFile(path, damage);
}
} // namespace

class tst_QExportDB_Servo : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_db = std::make_unique<QExportDB_Servo>();
        m_dir = std::make_unique<QTemporaryDir>();
    }

    // Writing replaces the whole file and reads back field for field; a failed write leaves the file as it
    // was.
    void writeFileRoundTripReplacesWholeFileOrNothing()
    {
        const Devices devices{makeDevice("SD300", 7), makeDevice("KV905", 0), makeDevice("SD100", 2)};
        const QString path = m_dir->filePath("ExportedFuncode.funcodeservo");
        QVERIFY(m_db->writeFile(path, {makeDevice("OLD", 4), makeDevice("OLD2", 1)}));
        QVERIFY2(m_db->writeFile(path, devices), qPrintable(m_db->lastError()));
        QVERIFY(!m_db->isOpen());
        const QByteArray written = readBytes(path);

        QExportDB_Servo reader;
        QVERIFY2(reader.openForReading(path), qPrintable(reader.lastError()));
        QCOMPARE(lines(reader.getImportDevInfoRecords()), lines(devices));
        reader.closeDatabase();
        QCOMPARE(readBytes(path), written);

        QVERIFY(!m_db->writeFile(path, {makeDevice("NEWER", 3), makeDevice("BROKEN", 2, true)}));
        QVERIFY(!m_db->lastError().isEmpty());
        QCOMPARE(readBytes(path), written);
        QCOMPARE(filesIn(m_dir->path()), QStringList{"ExportedFuncode.funcodeservo"});
    }

    void addRecordsAppendsOrRemovesOnlyWhatItMade()
    {
        const QString path = m_dir->filePath("stepwise.funcodeservo");
        const tagExportDevInfo_Servo broken = makeDevice("BROKEN", 1, true);
        QVERIFY(m_db->openDatabase(path));
        QVERIFY(m_db->createDatabase());
        QVERIFY(!m_db->addRecords(broken));
        QVERIFY(m_db->lastError().contains("STR_DB_PARTIAL_REMOVED"));
        QVERIFY(!m_db->isOpen());
        QVERIFY(filesIn(m_dir->path()).isEmpty());
        QVERIFY(m_db->getImportDevInfoRecords().isEmpty());

        QVERIFY(m_db->openDatabase(path));
        QVERIFY(m_db->createDatabase());
        QVERIFY(m_db->addRecords(makeDevice("A", 3)));
        QVERIFY(m_db->addRecords(makeDevice("B", 1)));
        m_db->closeDatabase();
        // A failure in a file that was there before keeps everything it held.
        QVERIFY(m_db->openDatabase(path));
        QVERIFY(!m_db->addRecords(broken));
        QCOMPARE(lines(m_db->getImportDevInfoRecords()), lines({makeDevice("A", 3), makeDevice("B", 1)}));
    }

    void readingNeverChangesTheFolder_data()
    {
        QTest::addColumn<QString>("reason"); // empty: the file is read
        // The row names the damage; wal, journal: a write-ahead log or a hot journal left beside the file.
        QTest::newRow("wal") << QString();
        QTest::newRow("journal") << QString();
        QTest::newRow("blank database") << "STR_DB_EMPTY_FILE";
        QTest::newRow("computed column") << "STR_DB_COMPUTED_COLUMN";
        QTest::newRow("view in place of a table") << "STR_DB_HAS_VIEW";
        QTest::newRow("trigger") << "STR_DB_HAS_TRIGGER";
        QTest::newRow("table of another program") << "STR_DB_EXTRA_PART";
        QTest::newRow("value too long") << "STR_DB_VALUE_TOO_LONG";
        QTest::newRow("larger than the limit") << "STR_DB_TOO_LARGE";
    }

    // A file opened to be read is read whole or refused with a short reason, and neither it nor anything
    // beside it changes: a log or journal beside it is neither taken in nor removed.
    void readingNeverChangesTheFolder()
    {
        const QString damage = QTest::currentDataTag();
        QFETCH(QString, reason);
        const QString path = m_dir->filePath("read.funcodeservo");
        QVERIFY(makeFile(path, damage));
        const QMap<QString, QByteArray> before = folderContents(m_dir->path());

        QExportDB_Servo reader;
        const bool opened = reader.openForReading(path);
        const Devices devices = opened ? reader.getImportDevInfoRecords() : Devices();
        reader.closeDatabase();

        QCOMPARE(folderContents(m_dir->path()), before);
        if (reason.isEmpty()) {
            QVERIFY2(opened && reader.lastError().isEmpty(), qPrintable(reader.lastError()));
            QCOMPARE(lines(devices), lines({makeDevice("SD300", 50)}));
            return;
        }
        QVERIFY(devices.isEmpty());
        QVERIFY2(reader.lastError().contains(reason), qPrintable(reader.lastError()));
        QVERIFY(reader.lastError().size() < 300);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QExportDB_Servo> m_db;
};

QTEST_GUILESS_MAIN(tst_QExportDB_Servo)
#include "tst_QExportDB_Servo.moc"
