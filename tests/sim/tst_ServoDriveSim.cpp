#include "QDriveCatalogue.h"
#include "QDriveSimOptions.h"
#include "QFuncodeScaling.h"
#include "QModbusDriveLink.h"
#include "QProjectCore.h"
#include "QTestHost.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

// servo-drive-sim as a user starts it: its command line, and a drive it serves on a free port.
class tst_ServoDriveSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void optionsAreRead_data();
    void optionsAreRead();
    void badCommandLinesExplainThemselves_data();
    void badCommandLinesExplainThemselves();
    void servesADriveAndLogsEachRequest();

private:
    static QString program() { return QStringLiteral(SERVO_DRIVE_SIM_EXE); }
};

void tst_ServoDriveSim::optionsAreRead_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("drives");   // model@unit, unit 0: after the one before
    QTest::addColumn<QString>("switches"); // drop/late/refuse/fail/offline
    QTest::newRow("defaults") << QStringList{} << "SD330@0"
                              << "0/0/0//-1";
    QTest::newRow("two drives") << QStringList{"--model", "SD110", "--unit", "5", "--model", "KV905"}
                                << "SD110@5 KV905@0"
                                << "0/0/0//-1";
    QTest::newRow("fault switches") << QStringList{"--drop-every",    "3",      "--late-every", "4",
                                                   "--refuse-writes", "Locked", "--fail-code",  "P01.02",
                                                   "--offline-after", "9"}
                                    << "SD330@0"
                                    << "3/4/Locked/P01.02/9";
}

void tst_ServoDriveSim::optionsAreRead()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, drives);
    QFETCH(QString, switches);
    QDriveSimOptions options;
    QString error;
    QVERIFY2(options.parse(QStringList{"servo-drive-sim"} + arguments, &error), qPrintable(error));
    QStringList seen;
    for (const QDriveSimOptions::Drive& d : options.drives) {
        seen << QStringLiteral("%1@%2").arg(d.model).arg(d.unit);
    }
    QCOMPARE(seen.join(' '), drives);
    const QDriveFaultSwitches& s = options.switches;
    QCOMPARE(QStringLiteral("%1/%2/%3/%4/%5")
                 .arg(s.dropEvery)
                 .arg(s.lateEvery)
                 .arg(s.refuseWrites ? s.refuseReason : QStringLiteral("0"), s.failCode)
                 .arg(s.offlineAfter),
             switches);
}

void tst_ServoDriveSim::badCommandLinesExplainThemselves_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{"--colour"} << "unknown option \"--colour\"";
    QTest::newRow("port not a number") << QStringList{"--port", "x"} << "--port takes a number";
    QTest::newRow("port too big") << QStringList{"--port", "70000"} << "--port takes a number";
    QTest::newRow("missing value") << QStringList{"--model"} << "--model needs a value";
    QTest::newRow("unknown model") << QStringList{"--model", "XYZ", "--port", "0"}
                                   << "no drive model \"XYZ\"";
    QTest::newRow("units overlap") << QStringList{"--model", "SD330", "--model", "SD110",
                                                  "--unit",  "2",     "--port",  "0"}
                                   << "unit 2 already serves another drive";
    QTest::newRow("bad address") << QStringList{"--bind", "here"} << "--bind takes an IP address";
}

void tst_ServoDriveSim::badCommandLinesExplainThemselves()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QProcess sim;
    sim.start(program(), arguments);
    QVERIFY(sim.waitForFinished(10000));
    QCOMPARE(sim.exitCode(), 2);
    const QString err = QString::fromUtf8(sim.readAllStandardError());
    QVERIFY2(err.contains(message), qPrintable(err));
}

void tst_ServoDriveSim::servesADriveAndLogsEachRequest()
{
    QProcess sim;
    sim.start(program(), {"--model", "SD110", "--unit", "3", "--port", "0", "--verbose", "--watch-stdin"});
    QVERIFY(sim.waitForStarted());
    QString out;
    const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QVERIFY(QTest::qWaitFor(
        [&]() {
            out += QString::fromUtf8(sim.readAllStandardOutput());
            return listening.match(out).hasMatch();
        },
        10000));
    const int port = listening.match(out).captured(1).toInt();
    const QDriveModelPtr model = QProjectCore::self()->getCatalogue()->model("SD110");
    QVERIFY(model);
    const tagSubFuncode_Servo* speed = nullptr;
    for (const tagSubFuncode_Servo& fun : model->codes) {
        if (!fun.isStateCode && fun.rwLevel == 1 && fun.dataType == 4 && fun.showType == 0) {
            speed = &fun;
            break;
        }
    }
    QVERIFY(speed);
    qint64 value = 0;
    QFuncodeScaling::descriptionToRaw(*speed, speed->maxVal, &value);

    QModbusDriveLink link(model, QDriveLinkSettings::tcp("127.0.0.1", port, 3));
    QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 5000);
    QSignalSpy written(&link, &QDriveLink::writeFinished);
    link.requestWrite({QDriveValueItem(speed->funIndex, 0, value)});
    QVERIFY(written.wait());
    QCOMPARE(written.at(0).at(1).value<QDriveValueList>().first().error, int(QDriveLink::LINK_OK));
    QSignalSpy read(&link, &QDriveLink::readFinished);
    link.requestRead({QDriveValueItem(speed->funIndex, 0)});
    QVERIFY(read.wait());
    QCOMPARE(read.at(0).at(1).value<QDriveValueList>().first().value, value);
    const QString line = QStringLiteral("%1=%2").arg(speed->funIndex).arg(value);
    QVERIFY(QTest::qWaitFor(
        [&]() {
            out += QString::fromUtf8(sim.readAllStandardOutput());
            return out.contains(line);
        },
        5000));
    QVERIFY2(out.contains(QStringLiteral("unit 3 (SD110 X) write")), qPrintable(out));

    sim.closeWriteChannel(); // the workbench going away
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!link.isOnline(), 5000);
}

QTEST_MAIN(tst_ServoDriveSim)
#include "tst_ServoDriveSim.moc"
