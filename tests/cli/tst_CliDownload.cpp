#include "CliHarness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// download: one parameter set into several servo-drive-sim drives on Modbus TCP, each with its own verdict.
class tst_CliDownload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(m_source.start({"--model", "SD220"}));
        QVERIFY(m_targets.start({"--model", "SD220", "--model", "SD220", "--model", "SD220"}));
        QVERIFY(m_locked.start({"--model", "SD220", "--refuse-writes", "Servo enabled"}));
        QVERIFY(m_other.start({"--model", "SD110"}));
        QCOMPARE(cli({"write", m_source.tcp(), "P00.00", "222"}).exitCode, 0); // the motor type
        QCOMPARE(cli({"write", m_source.tcp(), "P02.01", "35.5", "--axis", "all"}).exitCode, 0);
        m_file = m_files.filePath("golden.funcodeservo");
        QCOMPARE(cli({"backup", m_source.tcp(), m_file}).exitCode, 0);
    }

    void eachDriveGetsItsVerdict_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("targets"); // unit of m_targets, or "locked", "other", "gone"
        QTest::addColumn<QString>("jobs");
        QTest::addColumn<QString>("verdicts"); // per target: ok, or the start of what failed
        QTest::newRow("file into three, one at a time") << "file" << QStringList{"1", "3", "5"} << "1"
                                                        << "ok ok ok";
        QTest::newRow("a drive into two at once") << "drive" << QStringList{"1", "5"} << "2"
                                                  << "ok ok";
        QTest::newRow("failures stay with their drive")
            << "file" << QStringList{"locked", "1", "other", "gone", "3"} << "4"
            << "refuses ok is-a-SD110 did-not-answer ok";
    }

    void eachDriveGetsItsVerdict()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, targets);
        QFETCH(QString, jobs);
        QFETCH(QString, verdicts);
        QStringList addresses;
        for (const QString& target : targets) {
            if (target == QLatin1String("locked")) {
                addresses << m_locked.tcp();
            } else if (target == QLatin1String("other")) {
                addresses << m_other.tcp();
            } else if (target == QLatin1String("gone")) {
                addresses << QStringLiteral("tcp:127.0.0.1:%1/9").arg(m_other.port);
            } else {
                addresses << m_targets.tcp(target.toInt());
            }
        }
        // Targets start from the factory set.
        for (const QString& address : qAsConst(addresses)) {
            cli({"write", address, "P00.00", "221"});
            cli({"write", address, "P02.01", "27.0", "--axis", "all"});
        }
        const QString from = source == QLatin1String("file") ? m_file : m_source.tcp();
        const CliRun download =
            cli(QStringList{"download", from, "--jobs", jobs, "--format", "json", "--to"} + addresses);
        QStringList seen;
        const QJsonArray drives =
            QJsonDocument::fromJson(download.out.toUtf8()).object().value("drives").toArray();
        for (const QJsonValue& value : drives) {
            const QJsonObject drive = value.toObject();
            if (drive.value("ok").toBool()) {
                seen << "ok";
                QCOMPARE(cli({"compare", m_file, drive.value("drive").toString()}).exitCode, 0);
                continue;
            }
            QString why = drive.value("error").toString();
            if (why.isEmpty()) {
                why = drive.value("failures").toArray().first().toObject().value("reason").toString();
            }
            seen << (why.contains("refused")                ? "refuses"
                     : why.contains("the drive is a SD110") ? "is-a-SD110"
                     : why.contains("did not answer")       ? "did-not-answer"
                                                            : why);
        }
        QCOMPARE(seen.join(' '), verdicts);
        QCOMPARE(download.exitCode, verdicts.contains("-") || verdicts.contains("refuses") ? 5 : 0);
    }

private:
    QTemporaryDir m_files;
    SimServer m_source;
    SimServer m_targets; // SD220 at units 1, 3 and 5
    SimServer m_locked;
    SimServer m_other;
    QString m_file;
};

QTEST_GUILESS_MAIN(tst_CliDownload)
#include "tst_CliDownload.moc"
