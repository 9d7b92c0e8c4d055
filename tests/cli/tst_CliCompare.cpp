#include "CliHarness.h"
#include "FileFixtures.h"

#include <QtTest>

// compare: drives and files against each other, run as a process against servo-drive-sim on Modbus TCP.
class tst_CliCompare : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(m_a.start({"--model", "SD220"}));
        QVERIFY(m_b.start({"--model", "SD220"}));
        QCOMPARE(cli({"write", m_a.tcp(), "P02.01", "31.0", "--axis", "Y"}).exitCode, 0);
        QCOMPARE(cli({"backup", m_a.tcp(), source("a.csv")}).exitCode, 0);
        // The same file without one code, and with a value its maker never read (its last two fields).
        const QString backup = QString::fromLocal8Bit(FileFixtures::readBytes(source("a.csv")));
        QVERIFY(backup.contains(",P02.05,") && backup.contains(",P02.06,"));
        const auto lineOf = [](const char* pattern) {
            return QRegularExpression(pattern, QRegularExpression::MultilineOption);
        };
        QVERIFY(FileFixtures::writeBytes(source("missing.csv"),
                                         QString(backup).remove(lineOf("^.*,P02\\.05,.*\n")).toLocal8Bit()));
        QVERIFY(FileFixtures::writeBytes(
            source("unknown.csv"), QString(backup)
                                       .replace(lineOf("^(.*,P02\\.06,.*),[^,]*,[^,]*$"), "\\1,null,null")
                                       .toLocal8Bit()));
    }

    void differencesAreNamed_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("differing");
        QTest::newRow("drive against itself") << "A" << QString("A") << 0 << QString();
        QTest::newRow("drive against its backup") << "A" << QString("a.csv") << 0 << QString();
        // P02.01 moves P03.18 with it inside the drive.
        QTest::newRow("two drives, on axis Y") << "A" << QString("B") << 1 << QString("P02.01 P03.18");
        QTest::newRow("file against drive") << "a.csv" << QString("B") << 1 << QString("P02.01 P03.18");
        QTest::newRow("a code one side lacks") << "a.csv" << QString("missing.csv") << 1 << QString("P02.05");
        QTest::newRow("a value never read") << "A" << QString("unknown.csv") << 4 << QString();
    }

    void differencesAreNamed()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, exitCode);
        QFETCH(QString, differing);
        const CliRun compare = cli({"compare", source(a), source(b), "--format", "json"});
        QCOMPARE(compare.exitCode, exitCode);
        if (exitCode == 4) {
            QVERIFY2(compare.err.contains("P02.06"), qPrintable(compare.err));
            return;
        }
        QStringList numbers;
        const QJsonObject json = QJsonDocument::fromJson(compare.out.toUtf8()).object();
        for (const QJsonValue& code : json.value("codes").toArray()) {
            numbers.append(code.toObject().value("number").toString());
        }
        QCOMPARE(numbers.join(' '), differing);
        QCOMPARE(json.value("fingerprintA") == json.value("fingerprintB"), differing.isEmpty());
    }

private:
    QString source(const QString& name) const
    {
        if (name == QLatin1String("A")) {
            return m_a.tcp();
        }
        if (name == QLatin1String("B")) {
            return m_b.tcp();
        }
        return m_files.filePath(name);
    }

    QTemporaryDir m_files;
    SimServer m_a;
    SimServer m_b;
};

QTEST_GUILESS_MAIN(tst_CliCompare)
#include "tst_CliCompare.moc"
