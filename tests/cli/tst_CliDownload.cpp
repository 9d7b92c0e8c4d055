#include "CliHarness.h"

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
        QVERIFY(m_targets.start({"--model", "SD220", "--model", "SD220"}));
        QVERIFY(m_locked.start({"--model", "SD220", "--refuse-writes", "Servo enabled"}));
        QVERIFY(m_other.start({"--model", "SD110"}));
        QCOMPARE(cli({"write", m_source.tcp(), "P00.00", "222"}).exitCode, 0); // the motor type
        QCOMPARE(cli({"write", m_source.tcp(), "P02.01", "35.5", "--axis", "all"}).exitCode, 0);
        m_file = m_files.filePath("golden.funcodeservo");
        QCOMPARE(cli({"backup", m_source.tcp(), m_file}).exitCode, 0);
    }

    // Which drives run at once is the batch line's (tst_QServoBatchLine); here --jobs reaches it and
    // each drive's failure stays with that drive.
    void eachDriveGetsItsVerdict()
    {
        const QStringList addresses{m_locked.tcp(), m_targets.tcp(1), m_other.tcp(),
                                    QStringLiteral("tcp:127.0.0.1:%1/9").arg(m_other.port), m_targets.tcp(3)};
        // Targets start from the factory set.
        for (const QString& address : addresses) {
            cli({"write", address, "P00.00", "221"});
            cli({"write", address, "P02.01", "27.0", "--axis", "all"});
        }
        const CliRun download =
            cli(QStringList{"download", m_file, "--jobs", "4", "--format", "json", "--to"} + addresses);
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
    QTemporaryDir m_files;
    SimServer m_source;
    SimServer m_targets; // SD220 at units 1 and 3
    SimServer m_locked;
    SimServer m_other;
    QString m_file;
};

QTEST_GUILESS_MAIN(tst_CliDownload)
#include "tst_CliDownload.moc"
