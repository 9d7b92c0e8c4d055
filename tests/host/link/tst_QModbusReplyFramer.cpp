#include "QModbusReplyFramer.h"

#include "QModbusFrame.h"

#include <QtTest>

typedef QList<int> Results;
Q_DECLARE_METATYPE(Results)

// Replies a drive sends, against the request they must answer: on TCP and RTU, only the reply to the
// request waiting is handed on, and every way of not being it is garbled. (How the link takes a garbled
// reply is tst_QModbusDriveLink's.)
class tst_QModbusReplyFramer : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(tst_QModbusReplyFramer)
#include "tst_QModbusReplyFramer.moc"
