#include "QModbusDriveServer.h"
#include "QModbusFrameCodec.h"
#include "QModbusRegisterMap.h"
#include "QModbusTcpDriveServer.h"
#include "QSimulatedDriveCore.h"
#include "QTestHost.h"

#include <QTcpSocket>
#include <QtTest>

// Requests and replies of the simulated drive's server, byte for byte, and the frames around them.
class tst_QModbusDriveServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void answersRequests_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");  // empty: none is sent
        QTest::addColumn<QStringList>("after"); // "code/axis=raw" of the drive afterwards
        // TST3 at units 1-3: P00.00 (1) at 0, P00.01 (280) at 1, P00.02 (3000) at 2, P00.11 (-5) at 11,
        // P00.12 (4096, 32 bit) at 12, P00.16 at 24, P10.xx at 1024.
        auto row = [](const char* name, const char* request, const char* reply, int unit = 1,
                      const QStringList& after = {}) {
            QTest::newRow(name) << unit << QByteArray::fromHex(request) << QByteArray::fromHex(reply)
                                << after;
        };
        row("read three", "03000000 03", "0306 0001 0118 0bb8");
        row("signed and 32 bit", "0300 0b 0003", "0306 fffb 0000 1000");
        row("gap reads as zero", "0300 18 0002", "0304 007b 0000");
        row("no code at all", "0300 30 0002", "8302");
        row("too many registers", "03000000 7e", "8303");
        row("no registers", "03000000 00", "8303");
        row("short request", "030000", "8303");
        row("into the command area", "03efff 0002", "8302");
        row("status block", "03f001 0001", "0302 0000");
        row("fault count", "03f100 0001", "0302 0000");
        row("across two blocks", "03f020 0010", "8302");
        row("write single on axis Y", "0600 02 0064", "0600 02 0064", 2, {"P00.02/1=100", "P00.02/0=3000"});
        row("write out of range", "0600 02 1771", "8603", 1, {"P00.02/0=3000"});
        row("write read only", "0600 07 0001", "8601");
        row("write half a code", "0600 0d 0001", "8602");
        row("write a gap", "0600 30 0001", "8602");
        row("write multiple 32 bit", "1000 0c 0002 04 0001 0000", "1000 0c 0002", 1, {"P00.12/0=65536"});
        row("write multiple wrong byte count", "1000 0c 0002 03 0001 0000", "9003");
        // P00.01 = 500 (in range), P00.02 = 7000 (out of range): nothing is written.
        row("write multiple is all or nothing", "1000 01 0002 04 01f4 1b58", "9003", 1, {"P00.01/0=280"});
        row("write multiple", "1000 01 0002 04 01f4 1770", "1000 01 0002", 1,
            {"P00.01/0=500", "P00.02/0=6000"});
        row("unknown command", "06f000 0009", "8603");
        row("status is not written", "06f001 0001", "8602");
        row("save command", "06f000 0001", "06f000 0001", 2);
        row("other function", "040000 0001", "8401");
        row("nobody at the unit", "03000000 01", "", 4);
    }

    void answersRequests()
    {
        QFETCH(int, unit);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, after);
        QModbusDriveServer server;
        QSimulatedDriveCore* core = server.addDrive(QTestHost::testModel(3), 1);
        QVERIFY(core);
        const QModbusDriveServer::Reply answer = server.handle(unit, request);
        QCOMPARE(answer.send, !reply.isEmpty());
        QCOMPARE(answer.pdu.toHex(), reply.toHex());
        for (const QString& value : after) {
            const QString code = value.section('/', 0, 0);
            QCOMPARE(core->rawValue(code, value.section('/', 1).section('=', 0, 0).toInt()),
                     value.section('=', 1).toLongLong());
        }
    }

    void unitsMapToDrivesAndAxes()
    {
        QModbusDriveServer server;
        QString error;
        QSimulatedDriveCore* three = server.addDrive(QTestHost::testModel(3), 4, &error);
        QVERIFY(three);
        QVERIFY(!server.addDrive(QTestHost::testModel(1), 6, &error));
        QVERIFY(error.contains("6"));
        QVERIFY(!server.addDrive(QTestHost::testModel(2), 247, &error)); // Y would be unit 248
        QSimulatedDriveCore* one = server.addDrive(QTestHost::testModel(1), 7, &error);
        QVERIFY(one);
        int axis = -1;
        QCOMPARE(server.driveAt(6, &axis), three);
        QCOMPARE(axis, 2);
        QCOMPARE(server.driveAt(7, &axis), one);
        QCOMPARE(axis, 0);
        QVERIFY(!server.driveAt(3));
        QVERIFY(!server.driveAt(8));
    }

    void offlineAndLostRepliesStaySilent()
    {
        QModbusDriveServer server;
        QSimulatedDriveCore* core = server.addDrive(QTestHost::testModel(1), 1);
        QDriveFaultSwitches switches;
        switches.dropEvery = 2;
        switches.lateEvery = 3;
        switches.lateByMs = 900;
        core->setFaultSwitches(switches);
        const QByteArray write = QByteArray::fromHex("0600 02 0064");
        QVERIFY(server.handle(1, write).send);
        QVERIFY(!server.handle(1, write).send); // lost, but done
        const QModbusDriveServer::Reply late = server.handle(1, write);
        QVERIFY(late.send);
        QCOMPARE(late.delayMs, 900);
        core->setOnline(false);
        QVERIFY(!server.handle(1, QByteArray::fromHex("0600 02 0065")).send);
        QCOMPARE(core->rawValue("P00.02", 0), qint64(100)); // an offline drive does nothing
    }

    void tcpConnectionsEndOnMalformedFrames_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("maxUnsent"); // bytes of replies a client may leave unread
        QTest::addColumn<int>("replies");
        QTest::addColumn<bool>("closed");
        const QByteArray one = QByteArray::fromHex("0007 0000 0006 01 03000000 01");
        const QByteArray otherProtocol = QByteArray::fromHex("0007 0001 0006 01 03000000 01");
        auto row = [](const char* name, const QByteArray& stream, int replies, bool closed,
                      int maxUnsent = 1024) {
            QTest::newRow(name) << stream << maxUnsent << replies << closed;
        };
        row("one", one, 1, false);
        row("two back to back", one + one, 2, false);
        row("other protocol", otherProtocol, 0, true);
        row("length zero", QByteArray::fromHex("0007 0000 0000 01"), 0, true);
        row("length too long", QByteArray::fromHex("0007 0000 0100 01"), 0, true);
        row("good requests then a bad header", one + one + otherProtocol, 2, true);
        row("half a frame past the idle timeout", one + one.left(9), 1, true);
        row("replies past the unread bound", one + one, 0, true, 16);
    }

    void tcpConnectionsEndOnMalformedFrames()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, maxUnsent);
        QFETCH(int, replies);
        QFETCH(bool, closed);
        QModbusDriveServer drives;
        QVERIFY(drives.addDrive(QTestHost::testModel(3), 1));
        QModbusTcpDriveServer tcp(&drives);
        tcp.setLimits({maxUnsent, 200});
        QVERIFY(tcp.listen(QHostAddress::LocalHost, 0));
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, tcp.port());
        QVERIFY(client.waitForConnected(5000));
        client.write(stream);
        if (closed) {
            QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
        }
        // A reply is 11 bytes: its header, function, byte count and one register.
        QTRY_COMPARE(int(client.bytesAvailable()), replies * 11);
        QCOMPARE(client.state() == QAbstractSocket::UnconnectedState, closed);
    }

    void rtuFramesAreFoundByLengthAndCrc_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QList<QByteArray>>("pdus");
        const QByteArray read = QModbusFrameCodec::rtuReply(1, QByteArray::fromHex("0300000001"));
        const QByteArray write16 =
            QModbusFrameCodec::rtuReply(2, QByteArray::fromHex("1000 0c 0002 04 0001 0000"));
        const QByteArray other = QModbusFrameCodec::rtuReply(1, QByteArray::fromHex("2b0e01"));
        QByteArray torn = read;
        torn[3] = '\x07';
        QTest::newRow("known crc") << read << QList<QByteArray>{"0300000001"};
        QTest::newRow("write multiple") << write16 << QList<QByteArray>{"10000c00020400010000"};
        QTest::newRow("noise before")
            << QByteArray::fromHex("ff00") + read << QList<QByteArray>{"0300000001"};
        QTest::newRow("torn frame then whole") << torn + read << QList<QByteArray>{"0300000001"};
        QTest::newRow("unknown function by crc") << other + read << QList<QByteArray>{"2b0e01", "0300000001"};
        QTest::newRow("half a frame") << read.left(5) << QList<QByteArray>{};
    }

    void rtuFramesAreFoundByLengthAndCrc()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QList<QByteArray>, pdus);
        QList<QByteArray> found;
        QModbusFrameCodec::Request request;
        QModbusFrameCodec::enResult result;
        while ((result = QModbusFrameCodec::takeRtuRequest(&stream, &request)) !=
               QModbusFrameCodec::NeedMore) {
            if (result == QModbusFrameCodec::Frame) {
                found << request.pdu.toHex();
            }
        }
        QCOMPARE(found, pdus);
        // The example every Modbus text gives: read one register at 0 of unit 1.
        QCOMPARE(QModbusFrameCodec::rtuReply(1, QByteArray::fromHex("0300000001")).toHex(),
                 QByteArray("010300000001840a"));
    }

    void registerValuesRoundTrip_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QString>("registers");
        QTest::newRow("uint16") << qint64(65535) << 4 << "ffff";
        QTest::newRow("int16 -5") << qint64(-5) << 3 << "fffb";
        QTest::newRow("int16 minimum") << qint64(-32768) << 3 << "8000";
        QTest::newRow("uint32 top") << qint64(4294967295LL) << 8 << "ffffffff";
        QTest::newRow("int32 -5") << qint64(-5) << 7 << "fffffffb";
        QTest::newRow("int32 high word first") << qint64(0x12345678) << 7 << "12345678";
        QTest::newRow("int64 minimum") << std::numeric_limits<qint64>::min() << 15 << "8000000000000000";
        QTest::newRow("int64 -2") << qint64(-2) << 15 << "fffffffffffffffe";
    }

    void registerValuesRoundTrip()
    {
        QFETCH(qint64, value);
        QFETCH(int, dataType);
        QFETCH(QString, registers);
        const QVector<quint16> words =
            QModbusRegisterMap::encode(value, QModbusRegisterMap::registerCount(dataType));
        QString hex;
        for (quint16 w : words) {
            hex += QString::number(w, 16).rightJustified(4, '0');
        }
        QCOMPARE(hex, registers);
        QCOMPARE(QModbusRegisterMap::decode(words, dataType), value);
    }
};

QTEST_GUILESS_MAIN(tst_QModbusDriveServer)
#include "tst_QModbusDriveServer.moc"
