#include "CliHarness.h"

#include <QtTest>

// info, read, fingerprint and faults: servo-cli run as a process against a simulated drive inside it,
// a servo-drive-sim on Modbus TCP and one on Modbus RTU through a socat pty pair.
class tst_CliRead : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tcp.start({"--model", "SD220", "--unit", "3"}));
        m_rtuUp = m_pty.start() && m_rtu.start({"--model", "SD110", "--serial", m_pty.drive()}, true);
    }

    void infoIdentifiesTheDrive_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("model");
        QTest::newRow("tcp, model read from the drive") << "tcp" << QString("SD220");
        QTest::newRow("rtu") << "rtu" << QString("SD110");
    }

    void infoIdentifiesTheDrive()
    {
        QFETCH(QString, kind);
        QFETCH(QString, model);
        if (kind == QLatin1String("rtu") && !m_rtuUp) {
            QSKIP("socat is not installed");
        }
        const CliRun info = cli({"info", drive(kind), "--format", "json"});
        QVERIFY2(info.exitCode == 0, qPrintable(info.err));
        const QJsonObject json = QJsonDocument::fromJson(info.out.toUtf8()).object();
        QCOMPARE(json.value("model").toString(), model);
        QCOMPARE(json.value("online").toBool(), true);
        const QString fingerprint = json.value("fingerprint").toString();
        QVERIFY2(QRegularExpression("^[0-9a-f]{64}$").match(fingerprint).hasMatch(), qPrintable(info.out));
        // A simulated drive of the same model holds the same (default) set.
        const CliRun same = cli({"fingerprint", "sim:" + model});
        QCOMPARE(same.exitCode, 0);
        QCOMPARE(same.out.trimmed(), fingerprint);
    }

    void readShowsValues_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << "tcp" << QStringList{"P02.01", "P02.02"}
                              << "P02.02  Speed loop integral time 1  21.00  21.00  ms";
        QTest::newRow("one axis") << "tcp" << QStringList{"P02.01", "--axis", "Y"}
                                  << "P02.01  Speed loop gain 1  27.0  Hz";
        QTest::newRow("csv, one row per axis")
            << "tcp" << QStringList{"P02.01", "--format", "csv"} << "P02.01,Speed loop gain 1,Y,27.0,270,Hz";
        QTest::newRow("csv quotes a text with a comma")
            << "sim:SD220" << QStringList{"P00.00", "--axis", "X", "--format", "csv"}
            << "P00.00,Motor type,X,\"221:80 mm flange, 750 W, 3000 rpm\",221,";
    }

    void readShowsValues()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const CliRun read = cli(QStringList{"read", drive(kind)} + arguments);
        QVERIFY2(read.exitCode == 0, qPrintable(read.err));
        QVERIFY2(read.out.contains(expected), qPrintable(read.out));
    }

    void refusedCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown number") << QStringList{"read", "sim:SD110", "P99.99"} << ""
                                        << "Unknown number P99.99: the SD110 has no such function code";
        QTest::newRow("missing axis") << QStringList{"read", "sim:SD110", "--axis", "Z"} << ""
                                      << "The SD110 has no axis Z";
        QTest::newRow("unknown model") << QStringList{"info", "sim:XY9"} << ""
                                       << "No drive model \"XY9\"";
        QTest::newRow("model named wrongly") << QStringList{"info", "tcp", "--model", "SD330"} << ""
                                             << "reports that it is a SD220, not the SD330 named";
        QTest::newRow("no drive") << QStringList{"info"} << ""
                                  << "Usage: servo-cli info DRIVE";
        QTest::newRow("in Chinese") << QStringList{"read", "sim:SD110", "P99.99"} << "zh_CN.UTF-8"
                                    << "未知功能码 P99.99";
    }

    void refusedCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lang);
        QFETCH(QString, message);
        if (arguments.size() > 1 && arguments.at(1) == QLatin1String("tcp")) {
            arguments[1] = drive("tcp");
        }
        const CliRun refused = cli(arguments, lang);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains(message), qPrintable(refused.err));
        QVERIFY(refused.out.isEmpty());
    }

    void unreachableDriveIsExitThree()
    {
        SimServer gone;
        QVERIFY(gone.start({"--model", "SD110"}));
        const QString address = gone.tcp();
        gone.stop();
        const CliRun run = cli({"info", address, "--model", "SD110", "--timeout", "1500"});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains("did not answer within 1500 ms"), qPrintable(run.err));
    }

    void faultsAreDecoded()
    {
        SimServer faulty;
        QVERIFY(faulty.start({"--model", "SD220", "--raise-fault", "E.101"}));
        const CliRun faults = cli({"faults", faulty.tcp(), "--history", "--axis", "X", "--format", "json"});
        QVERIFY2(faults.exitCode == 0, qPrintable(faults.err));
        const QJsonObject json = QJsonDocument::fromJson(faults.out.toUtf8()).object();
        const QJsonObject current = json.value("current").toArray().first().toObject();
        QCOMPARE(current.value("code").toString(), QString("E.101"));
        QCOMPARE(current.value("name").toString(), QString("Parameter memory error"));
        const QJsonObject record = json.value("history").toArray().first().toObject();
        QCOMPARE(record.value("faults").toArray().first().toObject().value("code").toString(),
                 QString("E.101"));
        // The parameters of the record, each shown through the state code it names.
        const QJsonObject speed = record.value("params").toArray().at(1).toObject();
        QCOMPARE(speed.value("name").toString(), QString("Motor speed"));
        QCOMPARE(speed.value("unit").toString(), QString("rpm"));
    }

private:
    QString drive(const QString& kind) const
    {
        if (kind == QLatin1String("tcp")) {
            return m_tcp.tcp(3);
        }
        if (kind == QLatin1String("rtu")) {
            return QStringLiteral("rtu:%1:115200:even").arg(m_pty.program());
        }
        return kind; // sim:MODEL
    }

    SimServer m_tcp;
    PtyPair m_pty;
    SimServer m_rtu;
    bool m_rtuUp = false;
};

QTEST_GUILESS_MAIN(tst_CliRead)
#include "tst_CliRead.moc"
