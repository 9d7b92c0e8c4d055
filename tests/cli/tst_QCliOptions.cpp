#include "QCliDriveAddress.h"
#include "QCliOptions.h"
#include "QKeyTranslator.h"

#include <QtTest>

// The command line of servo-cli: options checked against their command, and the drive addresses.
class tst_QCliOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QKeyTranslator::installForApplication(QStringLiteral("en"))); }
    void optionsAreReadOrTheFaultNamed_data()
    {
        QTest::addColumn<QStringList>("arguments");
        // command|operands|axis|format|jobs|targets|flags, or the error
        QTest::addColumn<QString>("expected");
        QTest::newRow("read with axis")
            << QStringList{"read", "sim:SD220", "P01.02", "--axis", "y", "--format", "csv"}
            << "read|sim:SD220 P01.02|1|1|1||";
        QTest::newRow("option before command")
            << QStringList{"--quiet", "info", "sim:SD110"} << "info|sim:SD110|-1|0|1||quiet";
        QTest::newRow("value after equals")
            << QStringList{"read", "sim:SD110", "--axis=all", "--format=json"} << "read|sim:SD110|-1|2|1||";
        QTest::newRow("targets up to the next option")
            << QStringList{"download", "a.csv", "--to", "tcp:h:1", "tcp:h:2", "--jobs", "4", "--save"}
            << "download|a.csv|-1|0|4|tcp:h:1 tcp:h:2|save";
        QTest::newRow("restore flags")
            << QStringList{"restore", "sim:SD110", "f.csv", "--dry-run", "--only-differing"}
            << "restore|sim:SD110 f.csv|-1|0|1||dry-run only-differing";
        QTest::newRow("unknown command") << QStringList{"dump", "sim:SD110"} << "Unknown command \"dump\"";
        QTest::newRow("option of another command")
            << QStringList{"read", "sim:SD110", "--jobs", "2"} << "--jobs is not an option of read";
        QTest::newRow("option before its command")
            << QStringList{"--dry-run", "read", "sim:SD110"} << "--dry-run is not an option of read";
        QTest::newRow("unknown option")
            << QStringList{"read", "sim:SD110", "--colour"} << "Unknown option --colour";
        QTest::newRow("missing value")
            << QStringList{"read", "sim:SD110", "--axis"} << "--axis needs a value";
        QTest::newRow("bad axis") << QStringList{"read", "sim:SD110", "--axis", "W"} << "not \"W\"";
        QTest::newRow("bad format") << QStringList{"read", "sim:SD110", "--format", "xml"} << "not \"xml\"";
        QTest::newRow("jobs out of range")
            << QStringList{"download", "a.csv", "--to", "sim:SD110", "--jobs", "0"}
            << "--jobs takes a number from 1 to 64, not \"0\"";
    }

    void optionsAreReadOrTheFaultNamed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCliOptions options;
        QString error;
        if (!options.parse(QStringList{"servo-cli"} + arguments, &error)) {
            QVERIFY2(error.contains(expected), qPrintable(error));
            return;
        }
        QStringList flags;
        const QList<QPair<bool, QString>> all{{options.quiet, "quiet"},
                                              {options.save, "save"},
                                              {options.dryRun, "dry-run"},
                                              {options.onlyDiffering, "only-differing"}};
        for (const auto& flag : all) {
            if (flag.first) {
                flags << flag.second;
            }
        }
        QCOMPARE(QStringList({options.command, options.operands.join(' '), QString::number(options.axis),
                              QString::number(options.format), QString::number(options.jobs),
                              options.targets.join(' '), flags.join(' ')})
                     .join('|'),
                 expected);
    }

    void driveAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>(
            "expected"); // kind|model or host:port or device:baud:parity|unit, or the error
        QTest::newRow("simulated") << "sim:SD330" << QString("0|SD330|1");
        QTest::newRow("tcp") << "tcp:192.168.1.20:502" << QString("1|192.168.1.20:502|1");
        QTest::newRow("tcp with unit") << "tcp:localhost:1502/7" << QString("1|localhost:1502|7");
        QTest::newRow("rtu defaults") << "rtu:/dev/null" << QString("2|/dev/null:115200:1|1");
        QTest::newRow("rtu whole") << "rtu:/dev/ttyS9:9600:odd/4" << QString("2|/dev/ttyS9:9600:2|4");
        QTest::newRow("rtu unit after a path") << "rtu:/dev/null/3" << QString("2|/dev/null:115200:1|3");
        QTest::newRow("sim without model") << "sim:" << QString("sim: needs a model");
        QTest::newRow("tcp without port") << "tcp:localhost" << QString("tcp:HOST:PORT[/UNIT]");
        QTest::newRow("tcp port too big") << "tcp:localhost:70000" << QString("tcp:HOST:PORT[/UNIT]");
        QTest::newRow("unit too big")
            << "tcp:localhost:502/248" << QString("the unit id \"248\" is not a number from 1 to 247");
        QTest::newRow("bad parity") << "rtu:/dev/ttyS0:9600:mark" << QString("the parity \"mark\"");
        QTest::newRow("not a drive") << "udp:1.2.3.4" << QString("is not a drive");
    }

    void driveAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QCliDriveAddress parsed;
        QString error;
        if (!parsed.parse(address, &error)) {
            QVERIFY2(error.contains(expected), qPrintable(error));
            return;
        }
        const QDriveLinkSettings& s = parsed.settings;
        QString where = parsed.modelName;
        if (s.kind == QDriveLinkSettings::ModbusTcp) {
            where = QStringLiteral("%1:%2").arg(s.host).arg(s.port);
        } else if (s.kind == QDriveLinkSettings::ModbusRtu) {
            where = QStringLiteral("%1:%2:%3").arg(s.serialPort).arg(s.baudRate).arg(int(s.parity));
        }
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(int(s.kind)).arg(where).arg(s.unitId), expected);
    }
};

QTEST_GUILESS_MAIN(tst_QCliOptions)
#include "tst_QCliOptions.moc"
