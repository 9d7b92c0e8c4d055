#include "LinkAnswer.h"
#include "PtyPair.h"
#include "QModbusDriveLink.h"
#include "QModbusDriveServer.h"
#include "QModbusFrame.h"
#include "QModbusFrameCodec.h"
#include "QModbusReplyFramer.h"
#include "QModbusRtuDriveServer.h"
#include "QModbusTcpDriveServer.h"
#include "QSimulatedDriveCore.h"
#include "QTestHost.h"

#include <QTcpServer>
#include <QtTest>

// The bytes a hostile drive sends instead of a reply (given the transaction, unit and PDU of the good one).
typedef std::function<QByteArray(quint16, int, const QByteArray&)> Hostile;
Q_DECLARE_METATYPE(Hostile)
typedef QList<int> Results;
Q_DECLARE_METATYPE(Results)

// A three-axis drive at unit 5 on 127.0.0.1, served by the simulated drive's TCP server (with its delays
// and lost replies), except the next few replies given to answerNext(), which are what a hostile drive
// sends instead.
class TestDrive
{
public:
    TestDrive() : tcp(&drives)
    {
        core = drives.addDrive(QTestHost::testModel(3), 5);
        core->setFrozen(true);
        tcp.setLimits({qint64(4) << 20, 60000}); // room for a megabyte of garbage
        tcp.setReplyFramer([this](quint16 transaction, int unit, const QByteArray& pdu) {
            return m_left-- > 0 ? m_hostile(transaction, unit, pdu)
                                : QModbusFrameCodec::tcpReply(transaction, unit, pdu);
        });
        QObject::connect(tcp.findChild<QTcpServer*>(), &QTcpServer::newConnection,
                         [this]() { ++connections; });
        tcp.listen(QHostAddress::LocalHost, 0);
        port = tcp.port();
    }

    void answerNext(int count, const Hostile& hostile)
    {
        m_left = count;
        m_hostile = hostile;
    }

    QModbusDriveServer drives;
    QModbusTcpDriveServer tcp;
    QSimulatedDriveCore* core = nullptr;
    quint16 port = 0;
    int connections = 0;

private:
    Hostile m_hostile;
    int m_left = 0;
};

class tst_QModbusDriveLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        if (!m_pty.start()) {
            QVERIFY2(QStandardPaths::findExecutable("socat").isEmpty(), "socat did not join two terminals");
            qWarning("socat is not installed: the RTU rows are left out");
        }
    }

    void init()
    {
        m_drive = std::make_unique<TestDrive>();
        connectLink();
        m_drive->drives.resetCounters();
        QCOMPARE(m_link->identityNumber(), QTestHost::testModel(3)->identNumber);
    }

    void cleanup()
    {
        m_link.reset();
        m_rtu.reset();
        m_drive.reset();
    }

    void waitingReadsShareBlocks()
    {
        // Where blocks are cut is the planner's table; the link plans per axis and joins the reads that
        // wait together, and never sends a code the drive does not have.
        QSignalSpy spy(m_link.get(), &QDriveLink::readFinished);
        const QList<QDriveValueList> reads{
            {QDriveValueItem("P00.01", 0), QDriveValueItem("P00.02", 2)},
            {QDriveValueItem("P00.02", 0), QDriveValueItem("P00.13", 2)},
            {QDriveValueItem("P99.99", 0), QDriveValueItem("P00.02", 3), QDriveValueItem("P00.03", 0)}};
        for (const QDriveValueList& items : reads) {
            m_link->requestRead(items);
        }
        QTRY_COMPARE(spy.count(), reads.size());
        for (int i = 0; i < reads.size(); ++i) {
            for (const QDriveValueItem& item : spy.at(i).at(1).value<QDriveValueList>()) {
                const bool known = item.funIndex != "P99.99" && item.axis < 3;
                QCOMPARE(item.error, int(known ? QDriveLink::LINK_OK : QDriveLink::LINK_ERR_UNKNOWN));
                QCOMPARE(item.value, known ? m_drive->core->rawValue(item.funIndex, item.axis) : qint64(0));
            }
        }
        QCOMPARE(m_drive->drives.readRequestCount(), 2); // one block on X, one on Z
    }

    void valuesRoundTripOnEveryAxis_data() { addFramingRows(); }
    // Each axis answers at a unit of its own.
    void valuesRoundTripOnEveryAxis()
    {
        QFETCH(bool, rtu);
        connectLink(rtu, 200);
        QDriveValueList items;
        for (int axis = 0; axis < 3; ++axis) {
            items << QDriveValueItem("P00.13", axis, -999999999999LL + axis);
        }
        QCOMPARE(ask(items, true).size(), 3);
        for (const QDriveValueItem& item : items) {
            QCOMPARE(m_drive->core->rawValue("P00.13", item.axis), item.value);
        }
        m_drive->core->setRawValue("P00.13", 1, 77);
        const QDriveValueList answer = ask(items);
        QCOMPARE(answer.size(), 3);
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(answer.at(axis).error, int(QDriveLink::LINK_OK));
            QCOMPARE(answer.at(axis).value, axis == 1 ? 77 : -999999999999LL + axis);
        }
    }

    void writesAreCheckedByTheDrive_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("refusal"); // why the drive takes no write at all
        QTest::addColumn<QList<int>>("errors");
        const int ok = QDriveLink::LINK_OK;
        QTest::newRow("read only") << QStringList{"P00.07"} << qint64(1) << QString()
                                   << QList<int>{QDriveLink::LINK_ERR_READ_ONLY};
        QTest::newRow("range in a block stays with its code")
            << QStringList{"P00.01", "P00.02", "P00.03"} << qint64(2) << QString()
            << QList<int>{QDriveLink::LINK_ERR_RANGE, ok, ok};
        QTest::newRow("refused with the reason")
            << QStringList{"P00.02"} << qint64(100) << "Servo enabled: parameters locked"
            << QList<int>{QDriveLink::LINK_ERR_REFUSED};
    }

    void writesAreCheckedByTheDrive()
    {
        QFETCH(QStringList, codes);
        QFETCH(qint64, value);
        QFETCH(QString, refusal);
        QFETCH(QList<int>, errors);
        QDriveFaultSwitches switches;
        switches.refuseWrites = !refusal.isEmpty();
        switches.refuseReason = refusal;
        m_drive->core->setFaultSwitches(switches);
        QDriveValueList items;
        QList<qint64> before;
        for (const QString& code : codes) {
            items << QDriveValueItem(code, 1, value);
            before << m_drive->core->rawValue(code, 1);
        }
        const QDriveValueList answer = ask(items, true);
        QCOMPARE(answer.size(), codes.size());
        for (int i = 0; i < codes.size(); ++i) {
            QCOMPARE(answer.at(i).error, errors.at(i));
            const qint64 expected = errors.at(i) == QDriveLink::LINK_OK ? value : before.at(i);
            QCOMPARE(m_drive->core->rawValue(codes.at(i), 1), expected);
        }
        QTRY_COMPARE(m_link->refusalReason(), refusal);
        // The reason goes with the next write the drive takes.
        m_drive->core->setFaultSwitches(QDriveFaultSwitches());
        QCOMPARE(ask({QDriveValueItem("P00.02", 0, 100)}, true).value(0).error, int(QDriveLink::LINK_OK));
        QVERIFY(m_link->refusalReason().isEmpty());
    }

    void lostDriveGoesOfflineAndComesBack_data()
    {
        QTest::addColumn<bool>("stopServer");
        QTest::newRow("drive falls silent") << false;
        QTest::newRow("server stops") << true;
    }

    void lostDriveGoesOfflineAndComesBack()
    {
        QFETCH(bool, stopServer);
        QSignalSpy online(m_link.get(), &QDriveLink::onlineChanged);
        QSignalSpy reads(m_link.get(), &QDriveLink::readFinished);
        stopServer ? m_drive->tcp.close() : m_drive->core->setOnline(false);
        // Three groups on three axes: nine requests, so the drive is lost in the middle of them.
        for (int axis = 0; axis < 3; ++axis) {
            m_link->requestRead({QDriveValueItem("P00.00", axis), QDriveValueItem("P2.00", axis),
                                 QDriveValueItem("P10.00", axis)});
        }
        QTRY_COMPARE_WITH_TIMEOUT(reads.count(), 3, 5000);
        QCOMPARE(online.count(), 1);
        QList<int> errors;
        for (const QList<QVariant>& answer : qAsConst(reads)) {
            for (const QDriveValueItem& item : answer.at(1).value<QDriveValueList>()) {
                errors << item.error;
            }
        }
        QVERIFY(!errors.contains(QDriveLink::LINK_OK));
        QCOMPARE(errors.count(QDriveLink::LINK_ERR_TIMEOUT),
                 stopServer ? 0 : QModbusDriveLink::kTimeoutsBeforeOffline);
        const QString reason = m_link->offlineReason();
        QVERIFY2(stopServer ||
                     reason == QCoreApplication::translate("Strings", "STR_LINK_OFFLINE_NO_ANSWER").arg(3),
                 qPrintable(reason));
        if (stopServer) { // and the next attempts say why they fail
            QTRY_VERIFY2_WITH_TIMEOUT(m_link->offlineReason().contains("refused", Qt::CaseInsensitive),
                                      qPrintable(m_link->offlineReason()), 5000);
        }

        // While offline a request is answered at once, and never in the call itself.
        reads.clear();
        m_link->requestRead({QDriveValueItem("P00.00", 0)});
        QCOMPARE(reads.count(), 0);
        QTRY_COMPARE(reads.count(), 1);
        QCOMPARE(reads.at(0).at(1).value<QDriveValueList>().first().error, int(QDriveLink::LINK_ERR_OFFLINE));

        if (stopServer) {
            QVERIFY(m_drive->tcp.listen(QHostAddress::LocalHost, m_drive->port));
        } else {
            m_drive->core->setOnline(true);
        }
        QTRY_VERIFY_WITH_TIMEOUT(m_link->isOnline(), 10000);
        QCOMPARE(online.count(), 2);
        QCOMPARE(ask({QDriveValueItem("P00.02", 2)}).value(0).value, qint64(3000));
    }

    void lateReplyIsNotTakenForTheNext_data()
    {
        QTest::addColumn<bool>("rtu");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<int>("lateByMs");
        QTest::addColumn<int>("nextDelayMs");
        // The late answer comes while the next request waits: only the transaction tells them apart.
        QTest::newRow("tcp") << false << 400 << 500 << 200;
        // RTU frames carry no transaction: the link keeps the line quiet after a timeout so that a late
        // reply finds no request waiting.
        if (m_pty.isRunning()) {
            QTest::newRow("rtu") << true << 200 << 300 << 0;
        }
    }

    void lateReplyIsNotTakenForTheNext()
    {
        QFETCH(bool, rtu);
        QFETCH(int, timeoutMs);
        QFETCH(int, lateByMs);
        QFETCH(int, nextDelayMs);
        connectLink(rtu, timeoutMs);
        m_drive->core->setRawValue("P00.02", 0, 1111);
        m_drive->core->setRawValue("P00.03", 0, 2);
        QDriveFaultSwitches switches;
        switches.lateEvery = 1;
        switches.lateByMs = lateByMs;
        m_drive->core->setFaultSwitches(switches);
        QCOMPARE(ask({QDriveValueItem("P00.02", 0)}).value(0).error, int(QDriveLink::LINK_ERR_TIMEOUT));
        m_drive->core->setFaultSwitches(QDriveFaultSwitches());
        m_drive->drives.setReplyDelay(nextDelayMs);
        const QDriveValueItem next = ask({QDriveValueItem("P00.03", 0)}).value(0);
        QCOMPARE(next.error, int(QDriveLink::LINK_OK));
        QCOMPARE(next.value, qint64(2));
        QCOMPARE(m_link->garbledReplyCount(), 0);
    }

    void faultsHistoryAndCommands()
    {
        QVERIFY(m_drive->core->raiseFault("E.101", 1));
        QVERIFY(m_drive->core->raiseFault("E.201", 2));
        QSignalSpy faults(m_link.get(), &QDriveLink::currentFaultsRead);
        m_link->requestCurrentFaults();
        QVERIFY(faults.wait());
        const QDriveFaultList list = faults.at(0).at(1).value<QDriveFaultList>();
        QCOMPARE(list.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(list.at(i).code, m_drive->core->currentFaults().at(i).code);
            QCOMPARE(list.at(i).axis, m_drive->core->currentFaults().at(i).axis);
            QCOMPARE(list.at(i).time, m_drive->core->currentFaults().at(i).time);
        }
        QSignalSpy history(m_link.get(), &QDriveLink::historyRecordsRead);
        m_link->requestHistoryRecords(1);
        QVERIFY(history.wait());
        QList<QByteArray> records;
        m_drive->core->historyRecords(1, &records);
        QCOMPARE(history.at(0).at(2).value<QList<QByteArray>>(), records);
        QCOMPARE(command(m_link->requestClearFaults()), int(QDriveLink::LINK_OK));
        QCOMPARE(m_drive->core->currentFaults().size(), 1); // E.201 cannot be cleared
        QCOMPARE(command(m_link->requestClearHistory(1)), int(QDriveLink::LINK_OK));
        QCOMPARE(m_drive->core->historyCount(1), 0);
        QCOMPARE(m_drive->core->historyCount(2), 1);
        QCOMPARE(ask({QDriveValueItem("P00.02", 2, 1234)}, true).value(0).error, int(QDriveLink::LINK_OK));
        QCOMPARE(command(m_link->requestSaveAll(2)), int(QDriveLink::LINK_OK));
        QCOMPARE(ask({QDriveValueItem("P00.02", 2, 4321)}, true).value(0).error, int(QDriveLink::LINK_OK));
        QCOMPARE(command(m_link->requestReset(2)), int(QDriveLink::LINK_OK));
        QCOMPARE(m_drive->core->rawValue("P00.02", 2), qint64(1234)); // saved, and the unsaved value lost
    }

    // Which bytes do not answer a request is the framer's table (repliesMustAnswerTheRequest); here what the
    // link does with them on the connection of a request, or of the probes that take the drive online.
    void hostileRepliesEndTheirConnection_data()
    {
        QTest::addColumn<Hostile>("hostile");
        QTest::addColumn<bool>("probe");
        QTest::addColumn<int>("garbled");
        QTest::addColumn<int>("connections");
        // The frame holds one register of P00.12, its byte count claims two: the bytes after it are not the
        // second, and what else came on the connection is never read.
        QTest::newRow("byte count beyond the frame") << Hostile([](quint16 t, int u, const QByteArray& pdu) {
            return QModbusFrameCodec::tcpReply(t, u, pdu.left(4)) + QByteArray::fromHex("beef");
        }) << false << 1 << 2;
        QTest::newRow("probes: a megabyte behind an unknown transaction id")
            << Hostile([](quint16, int, const QByteArray&) {
                   return QByteArray::fromHex("00630000ffff01") + QByteArray(1 << 20, '\xaa');
               })
            << true << 3 << 4;
        QTest::newRow("probes: half a header")
            << Hostile([](quint16, int, const QByteArray&) { return QByteArray::fromHex("000100"); }) << true
            << 0 << 4;
    }

    void hostileRepliesEndTheirConnection()
    {
        QFETCH(Hostile, hostile);
        QFETCH(bool, probe);
        QFETCH(int, garbled);
        QFETCH(int, connections);
        if (probe) { // the first three probes
            m_link.reset();
            m_drive = std::make_unique<TestDrive>();
            m_drive->answerNext(3, hostile);
            connectLink();
        } else {
            m_drive->answerNext(1, hostile);
            QCOMPARE(ask({QDriveValueItem("P00.12", 1)}).value(0).error, int(QDriveLink::LINK_ERR_TIMEOUT));
        }
        QCOMPARE(m_link->garbledReplyCount(), garbled);
        const QDriveValueItem next = ask({QDriveValueItem("P00.12", 1)}).value(0);
        QCOMPARE(next.error, int(QDriveLink::LINK_OK));
        QCOMPARE(next.value, m_drive->core->rawValue("P00.12", 1));
        QCOMPARE(m_drive->connections, connections); // every garbled reply ended its connection
        QVERIFY(m_link->isOnline());
    }

    // Replies a drive sends, against the request they must answer: on TCP and RTU, only the reply to the
    // request waiting is handed on, and every way of not being it is garbled (what the link does with a
    // garbled reply: hostileRepliesEndTheirConnection).
    void repliesMustAnswerTheRequest_data()
    {
        QTest::addColumn<int>("framing");
        QTest::addColumn<QByteArray>("request"); // to unit 5, after one given up when a reply is skipped
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<Results>("results");
        const QByteArray read = QByteArray::fromHex("0300020002");
        const QByteArray write = QByteArray::fromHex("0600020064");
        const Results reply{QModbusReplyFramer::Reply};
        const Results garbled{QModbusReplyFramer::Garbled};
        const Results more{QModbusReplyFramer::NeedMore};
        auto row = [](const char* name, QModbusReplyFramer::enFraming framing, const QByteArray& request,
                      const QByteArray& stream, const Results& results) {
            QTest::newRow(name) << int(framing) << request << stream << results;
        };
        const auto tcpFraming = QModbusReplyFramer::Tcp;
        const auto rtuFraming = QModbusReplyFramer::Rtu;
        row("tcp answer", tcpFraming, read, tcp(1, 5, "0304 0001 0002"), reply);
        row("tcp exception", tcpFraming, read, tcp(1, 5, "8302"), reply);
        row("tcp half a frame", tcpFraming, read, tcp(1, 5, "0304 0001 0002").left(9), more);
        row("tcp late reply skipped", tcpFraming, read,
            tcp(1, 5, "0304 0009 0009") + tcp(2, 5, "0304 0001 0002"),
            Results{QModbusReplyFramer::Skipped, QModbusReplyFramer::Reply});
        row("tcp unknown transaction", tcpFraming, read, tcp(101, 5, "0304 0001 0002"), garbled);
        row("tcp other unit", tcpFraming, read, tcp(1, 6, "0304 0001 0002"), garbled);
        row("tcp not modbus", tcpFraming, read, QByteArray::fromHex("ffee00c3a5017f7f00000000deadbeef"),
            garbled);
        row("fewer registers than asked", tcpFraming, read, tcp(1, 5, "0302 0001"), garbled);
        row("byte count beyond the frame", tcpFraming, read, tcp(1, 5, "0304 0001") + "\xbe\xef", garbled);
        row("length beyond any frame", tcpFraming, read, QByteArray::fromHex("000100000fff05"), garbled);
        row("tcp write echo for a read", tcpFraming, read, tcp(1, 5, "0600021111"), garbled);
        row("write echo", tcpFraming, write, tcp(1, 5, "0600020064"), reply);
        row("write echo of another value", tcpFraming, write, tcp(1, 5, "0600020065"), garbled);
        row("read reply for a write", tcpFraming, write, tcp(1, 5, "03020000"), garbled);
        row("rtu answer", rtuFraming, read, rtu(5, "0304 0001 0002"), reply);
        row("rtu exception", rtuFraming, read, rtu(5, "8302"), reply);
        row("rtu half a frame", rtuFraming, read, rtu(5, "0304 0001 0002").left(6), more);
        row("rtu other unit", rtuFraming, read, rtu(6, "0304 0001 0002"), garbled);
        row("rtu wrong crc", rtuFraming, read, rtu(5, "0304 0001 0002").replace(3, 1, "\x07"), garbled);
        row("rtu write echo for a read", rtuFraming, read, rtu(5, "0600021111"), garbled);
        row("rtu registers not asked for", rtuFraming, read, rtu(5, "0302 0001"), garbled);
    }

    void repliesMustAnswerTheRequest()
    {
        QFETCH(int, framing);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, stream);
        QFETCH(Results, results);
        QModbusReplyFramer framer{QModbusReplyFramer::enFraming(framing)};
        framer.frameRequest(5, request);
        if (results.first() == QModbusReplyFramer::Skipped) { // a reply to a request given up
            framer.giveUp();
            framer.frameRequest(5, request);
        }
        Results seen;
        QByteArray pdu;
        QString why;
        while (seen.size() < results.size()) {
            seen << framer.take(&stream, &pdu, &why);
        }
        QCOMPARE(seen, results);
        QCOMPARE(why.isEmpty(), results.last() != QModbusReplyFramer::Garbled);
        if (results.last() == QModbusReplyFramer::Reply) {
            QVERIFY(pdu == request.left(5) || pdu.toHex() == "030400010002" || pdu.toHex() == "8302");
            QVERIFY(!framer.isWaiting());
        }
    }

private:
    // The framing itself is proven by the simulator's frames (tst_QModbusDriveServer).
    static QByteArray tcp(quint16 transaction, int unit, const char* pdu)
    {
        return QModbusFrame::tcpFrame(transaction, unit, QByteArray::fromHex(pdu));
    }

    static QByteArray rtu(int unit, const char* pdu)
    {
        return QModbusFrame::rtuFrame(unit, QByteArray::fromHex(pdu));
    }

    QDriveValueList ask(const QDriveValueList& items, bool write = false)
    {
        return LinkAnswer::ask(m_link.get(), items, write);
    }

    int command(quint32 id) { return LinkAnswer::command(m_link.get(), id); }
    void addFramingRows()
    {
        QTest::addColumn<bool>("rtu");
        QTest::newRow("tcp") << false;
        if (m_pty.isRunning()) {
            QTest::newRow("rtu") << true;
        }
    }

    // A link to the drive on TCP, or on a serial line where socat joins two pseudo-terminals like a cable.
    void connectLink(bool rtu = false, int timeoutMs = 150)
    {
        QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), m_drive->port, 5);
        if (rtu) {
            m_rtu = std::make_unique<QModbusRtuDriveServer>(&m_drive->drives);
            QString error;
            QVERIFY2(m_rtu->open(m_pty.drive(), 115200, QSerialPort::EvenParity, &error), qPrintable(error));
            settings = QDriveLinkSettings::rtu(m_pty.program(), 115200, QDriveLinkSettings::ParityEven, 5);
        }
        settings.timeoutMs = timeoutMs;
        m_link = std::make_unique<QModbusDriveLink>(QTestHost::testModel(3), settings);
        QTRY_VERIFY_WITH_TIMEOUT(m_link->isOnline(), 5000);
    }

    PtyPair m_pty;
    std::unique_ptr<TestDrive> m_drive;
    std::unique_ptr<QModbusRtuDriveServer> m_rtu;
    std::unique_ptr<QModbusDriveLink> m_link;
};

QTEST_MAIN(tst_QModbusDriveLink)
#include "tst_QModbusDriveLink.moc"
