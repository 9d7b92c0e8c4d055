#include "CliHarness.h"
#include "QDatabaseManager.h"
#include "QRecordDB_Servo.h"

#include <QtTest>

// write, backup, restore and download: servo-cli run as a process against servo-drive-sim on Modbus TCP,
// with the round trip of a production line (a drive backed up, restored into another, both compared) and
// one parameter set downloaded into several drives, each with its own verdict.
class tst_CliWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(m_edit.start({"--model", "SD220"}));
        QVERIFY(m_a.start({"--model", "SD220"}));
        QVERIFY(m_b.start({"--model", "SD220"}));
        QVERIFY(m_locked.start({"--model", "SD220", "--refuse-writes", "Servo enabled"}));
        QVERIFY(m_failing.start({"--model", "SD220", "--fail-code", "P02.03"}));
        QCOMPARE(cli({"backup", "sim:SD110", m_files.filePath("sd110.csv")}).exitCode, 0);
        QVERIFY(m_source.start({"--model", "SD220"}));
        QVERIFY(m_targets.start({"--model", "SD220", "--model", "SD220"}));
        QVERIFY(m_other.start({"--model", "SD110"}));
        QCOMPARE(cli({"write", m_source.tcp(), "P00.00", "222"}).exitCode, 0); // the motor type
        QCOMPARE(cli({"write", m_source.tcp(), "P02.01", "35.5", "--axis", "all"}).exitCode, 0);
        QCOMPARE(cli({"backup", m_source.tcp(), m_files.filePath("golden.funcodeservo")}).exitCode, 0);
    }

    // A write through the command line is recorded as an edit: axis, old and new value.
    void writeIsRecordedAsAnEdit()
    {
        const CliRun write = cli({"write", m_edit.tcp(), "P02.04", "60", "--axis", "Y", "--save"});
        QVERIFY2(write.exitCode == 0, qPrintable(write.err));
        QVERIFY2(write.out.contains("P02.04  Y     57.0    60.0   1/s"), qPrintable(write.out));
        QVERIFY(QDatabaseManager::self()->open(cliDataDir()));
        const QList<tagModifyFuncode_Servo> records =
            QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes(m_edit.tcp());
        QDatabaseManager::self()->close();
        QVERIFY(!records.isEmpty());
        const tagModifyFuncode_Servo& newest = records.first();
        QCOMPARE(newest.funIndex, QString("P02.04"));
        QCOMPARE(QStringLiteral("%1 %2 -> %3").arg(newest.axisIndex).arg(newest.oldVal, newest.newVal),
                 QString("1 57.0 -> 60.0"));
    }

    // Refused writes, backups and restores: the drive (the second argument) and the files stay as they were.
    void refusedCommandsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString a = m_a.tcp();
        const QString sd110 = m_files.filePath("sd110.csv");
        QTest::newRow("out of range, with the range")
            << QStringList{"write", a, "P02.01", "9999"} << 2
            << "9999 is out of the range of P02.01: from 0.1 to 3000.0 Hz";
        QTest::newRow("no value of the code") << QStringList{"write", a, "P01.00", "fast"} << 2
                                              << "\"fast\" is not a value of P01.00 (0:Position, 1:Speed";
        QTest::newRow("read-only code")
            << QStringList{"write", a, "P00.23", "SB000000"} << 2 << "P00.23 cannot be written";
        QTest::newRow("drive refuses writes")
            << QStringList{"write", m_locked.tcp(), "P02.01", "30"} << 5 << "Servo enabled";
        QTest::newRow("backup of an unreadable drive")
            << QStringList{"backup", m_failing.tcp(), m_files.filePath("failing.csv")} << 3 << "P02.03";
        QTest::newRow("restore of a file of another model")
            << QStringList{"restore", m_b.tcp(), sd110} << 4 << sd110;
    }

    void refusedCommandsChangeNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString before = fingerprint(arguments.at(1));
        const QStringList files = QDir(m_files.path()).entryList(QDir::Files);
        const CliRun run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(fingerprint(arguments.at(1)), before);
        QCOMPARE(QDir(m_files.path()).entryList(QDir::Files), files);
    }

    // A workbook backup holds the drive's set (the other forms: tst_CliCompare's backup and the round trip
    // below).
    void workbookBackupHoldsTheDrivesSet()
    {
        const QString path = m_files.filePath("a.xlsx");
        const CliRun backup = cli({"backup", m_a.tcp(), path});
        QVERIFY2(backup.exitCode == 0, qPrintable(backup.err));
        const QString ofDrive = fingerprint(m_a.tcp());
        QVERIFY(backup.out.contains(ofDrive));
        QCOMPARE(fingerprint(path), ofDrive);
    }

    void roundTripFromDriveToDrive()
    {
        const QString a = m_a.tcp();
        const QString b = m_b.tcp();
        QCOMPARE(cli({"write", a, "P02.02", "25.50"}).exitCode, 0);
        QCOMPARE(cli({"write", a, "P02.00", "61.0", "--axis", "Y"}).exitCode, 0);
        const QString file = m_files.filePath("line.funcodeservo");
        QCOMPARE(cli({"backup", a, file}).exitCode, 0);

        const CliRun dryRun = cli({"restore", b, file, "--dry-run"});
        QCOMPARE(dryRun.exitCode, 0);
        QVERIFY2(dryRun.out.contains("P02.02") && dryRun.out.contains("P02.00"), qPrintable(dryRun.out));
        QVERIFY(fingerprint(b) != fingerprint(a));

        const CliRun restore = cli({"restore", b, file, "--only-differing", "--save"});
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.err));
        QCOMPARE(cli({"compare", a, b}).exitCode, 0);
        QCOMPARE(fingerprint(b), fingerprint(a));
        QCOMPARE(fingerprint(file), fingerprint(a));

        QCOMPARE(cli({"write", b, "P02.05", "33.0"}).exitCode, 0);
        const CliRun compare = cli({"compare", a, b, "--format", "json"});
        QCOMPARE(compare.exitCode, 1);
        const QJsonObject json = QJsonDocument::fromJson(compare.out.toUtf8()).object();
        QCOMPARE(json.value("differing").toInt(), 1);
        QCOMPARE(json.value("codes").toArray().first().toObject().value("number").toString(),
                 QString("P02.05"));
    }

    // Which drives run at once is the batch line's (tst_QServoBatchLine); here --jobs reaches it and
    // each drive's failure stays with that drive.
    void eachDriveGetsItsVerdict()
    {
        const QString golden = m_files.filePath("golden.funcodeservo");
        const QStringList addresses{m_locked.tcp(), m_targets.tcp(1), m_other.tcp(),
                                    QStringLiteral("tcp:127.0.0.1:%1/9").arg(m_other.port), m_targets.tcp(3)};
        // Targets start from the factory set.
        for (const QString& address : addresses) {
            cli({"write", address, "P00.00", "221"});
            cli({"write", address, "P02.01", "27.0", "--axis", "all"});
        }
        const CliRun download =
            cli(QStringList{"download", golden, "--jobs", "4", "--format", "json", "--to"} + addresses);
        QStringList seen;
        const QJsonArray drives =
            QJsonDocument::fromJson(download.out.toUtf8()).object().value("drives").toArray();
        for (const QJsonValue& value : drives) {
            const QJsonObject drive = value.toObject();
            if (drive.value("ok").toBool()) {
                seen << "ok";
                QCOMPARE(cli({"compare", golden, drive.value("drive").toString()}).exitCode, 0);
                continue;
            }
            const QString why = drive.value("error").toString();
            seen << (why.contains("refused")                ? "refuses"
                     : why.contains("the drive is a SD110") ? "is-a-SD110"
                     : why.contains("did not answer")       ? "did-not-answer"
                                                            : why);
        }
        QCOMPARE(seen.join(' '), QString("refuses ok is-a-SD110 did-not-answer ok"));
        QCOMPARE(download.exitCode, 5);
    }

private:
    QString fingerprint(const QString& source)
    {
        const CliRun run = cli({"fingerprint", source});
        return run.exitCode == 0 ? run.out.trimmed()
                                 : QStringLiteral("(%1) %2").arg(run.exitCode).arg(run.err);
    }

    QTemporaryDir m_files;
    SimServer m_edit;
    SimServer m_a;
    SimServer m_b;
    SimServer m_locked;
    SimServer m_failing;
    SimServer m_source;
    SimServer m_targets; // SD220 at units 1 and 3
    SimServer m_other;
};

QTEST_GUILESS_MAIN(tst_CliWrite)
#include "tst_CliWrite.moc"
