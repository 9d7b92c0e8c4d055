#include "QDriveCatalogue.h"
#include "QDriveSimOptions.h"
#include "QModbusDriveLink.h"
#include "QProjectCore.h"
#include "QTestHost.h"
#include "SimServer.h"

#include <QTcpSocket>
#include <QtTest>

// servo-drive-sim as a user starts it: its command line, and a drive it serves on a free port.
class tst_ServoDriveSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void optionsAreRead_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("drives");   // model@unit+fault..., unit 0: after the one before
        QTest::addColumn<QString>("switches"); // drop/late/refuse/fail/offline/idle timeout
        QTest::newRow("defaults") << QStringList{} << "SD330@0" << QString("0/0/0//-1/60");
        QTest::newRow("two drives") << QStringList{"--model",       "SD110", "--unit",  "5",
                                                   "--raise-fault", "E.101", "--model", "KV905"}
                                    << "SD110@5+E.101 KV905@0" << QString("0/0/0//-1/60");
        QTest::newRow("fault switches")
            << QStringList{"--drop-every", "3",      "--late-every",    "4", "--refuse-writes", "Locked",
                           "--fail-code",  "P01.02", "--offline-after", "9", "--idle-timeout",  "5"}
            << "SD330@0" << QString("3/4/Locked/P01.02/9/5");
    }

    void optionsAreRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, drives);
        QFETCH(QString, switches);
        QDriveSimOptions options;
        QString error;
        QVERIFY2(options.parse(QStringList{"servo-drive-sim"} + arguments, &error), qPrintable(error));
        QStringList seen;
        for (const QDriveSimOptions::Drive& d : options.drives) {
            seen << QStringLiteral("%1@%2").arg(d.model).arg(d.unit) +
                        (QStringList{QString()} + d.faults).join('+');
        }
        QCOMPARE(seen.join(' '), drives);
        const QDriveFaultSwitches& s = options.switches;
        QCOMPARE(QStringLiteral("%1/%2/%3/%4/%5/%6")
                     .arg(s.dropEvery)
                     .arg(s.lateEvery)
                     .arg(s.refuseWrites ? s.refuseReason : QStringLiteral("0"), s.failCode)
                     .arg(s.offlineAfter)
                     .arg(options.idleTimeoutS),
                 switches);
    }

    void badCommandLinesExplainThemselves_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"--colour"} << "unknown option \"--colour\"";
        QTest::newRow("port not a number") << QStringList{"--port", "x"} << "--port takes a number";
        QTest::newRow("port too big") << QStringList{"--port", "70000"} << "--port takes a number";
        QTest::newRow("missing value") << QStringList{"--model"} << "--model needs a value";
        QTest::newRow("unknown model")
            << QStringList{"--model", "XYZ", "--port", "0"} << "no drive model \"XYZ\"";
        QTest::newRow("unknown fault")
            << QStringList{"--model", "SD110", "--raise-fault", "E.999", "--port", "0"}
            << "the SD110 has no fault \"E.999\"";
        QTest::newRow("units overlap")
            << QStringList{"--model", "SD330", "--model", "SD110", "--unit", "2", "--port", "0"}
            << "unit 2 already serves another drive";
        QTest::newRow("bad address") << QStringList{"--bind", "here"} << "--bind takes an IP address";
    }

    void badCommandLinesExplainThemselves()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QProcess sim;
        sim.start(QStringLiteral(SERVO_DRIVE_SIM_EXE), arguments);
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 2);
        const QString err = QString::fromUtf8(sim.readAllStandardError());
        QVERIFY2(err.contains(message), qPrintable(err));
    }

    // What the drive answers is the link's and the server's suites' (tst_QModbusDriveLink,
    // tst_QModbusDriveServer); here the program serves it on its unit, logs the request and quits with its
    // parent.
    void servesADriveAndLogsEachRequest()
    {
        SimServer sim;
        QVERIFY(sim.start({"--model", "SD110", "--unit", "3", "--verbose"}));
        const QDriveModelPtr model = QProjectCore::self()->getCatalogue()->model("SD110");
        QVERIFY(model);
        QModbusDriveLink link(model, QDriveLinkSettings::tcp("127.0.0.1", sim.port, 3));
        QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 5000);
        QSignalSpy read(&link, &QDriveLink::readFinished);
        const QString code = model->codes.first().funIndex;
        link.requestRead({QDriveValueItem(code, 0)});
        QVERIFY(read.wait());
        QCOMPARE(read.at(0).at(1).value<QDriveValueList>().first().error, int(QDriveLink::LINK_OK));
        QString out;
        QVERIFY(QTest::qWaitFor(
            [&]() {
                out += QString::fromUtf8(sim.process().readAllStandardOutput());
                return out.contains(
                    QRegularExpression("unit 3 \\(SD110 X\\) read [^\\n]*\\(" + code + "\\)"));
            },
            5000));
        sim.process().closeWriteChannel(); // the workbench going away
        QVERIFY(sim.process().waitForFinished(5000));
        QCOMPARE(sim.process().exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!link.isOnline(), 5000);
    }

    void staysSmallForAClientThatNeverReads()
    {
        SimServer sim;
        QVERIFY(sim.start({}));
        QTcpSocket client;
        client.setReadBufferSize(1); // the replies stay with the simulator
        client.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        client.connectToHost(QHostAddress::LocalHost, quint16(sim.port));
        QVERIFY(client.waitForConnected(5000));
        QByteArray requests; // reads of 125 registers
        for (quint16 i = 0; i < 1000; ++i) {
            requests +=
                QByteArray::fromHex("0000 0000 0006 01 03 0000 007d").replace(0, 2, QByteArray(2, char(i)));
        }
        qint64 written = 0;
        while (written < 10 * 1024 * 1024 && client.state() == QAbstractSocket::ConnectedState) {
            written += client.write(requests);
            if (!client.waitForBytesWritten(2000)) {
                break; // dropped, or the simulator stopped reading
            }
        }
        QFile status(QStringLiteral("/proc/%1/status").arg(sim.process().processId()));
        QVERIFY(status.open(QIODevice::ReadOnly));
        const QRegularExpression peak(QStringLiteral("VmHWM:\\s*(\\d+) kB"));
        const qint64 peakKb = peak.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
#if defined(__SANITIZE_ADDRESS__)
        const qint64 limitKb = 256 * 1024; // the sanitizer's shadow memory and quarantine come on top
#else
        const qint64 limitKb = 32 * 1024;
#endif
        QVERIFY2(peakKb > 0 && peakKb < limitKb, qPrintable(QStringLiteral("peak %1 kB").arg(peakKb)));
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), QAbstractSocket::UnconnectedState, 10000); // dropped
        sim.process().closeWriteChannel();
        QVERIFY(sim.process().waitForFinished(5000));
    }
};

QTEST_MAIN(tst_ServoDriveSim)
#include "tst_ServoDriveSim.moc"
