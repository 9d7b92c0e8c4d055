#include "QModbusReplyFramer.h"

#include <QtTest>

typedef QList<int> Results;
Q_DECLARE_METATYPE(Results)

// Replies a drive sends, against the request they must answer: on TCP and RTU, only the reply to the
// request waiting is handed on, and every way of not being it is garbled. (How the link takes a garbled
// reply, with the kinds a hostile drive sends, is tst_QModbusDriveLink's table.)
class tst_QModbusReplyFramer : public QObject
{
    Q_OBJECT

private slots:
    void repliesMustAnswerTheRequest_data();
    void repliesMustAnswerTheRequest();

private:
    static QByteArray tcp(quint16 transaction, int unit, const char* pdu)
    {
        const QByteArray body = QByteArray::fromHex(pdu);
        QByteArray header(7, '\0');
        qToBigEndian<quint16>(transaction, reinterpret_cast<uchar*>(header.data()));
        qToBigEndian<quint16>(static_cast<quint16>(body.size() + 1),
                              reinterpret_cast<uchar*>(header.data()) + 4);
        header[6] = static_cast<char>(unit);
        return header + body;
    }
    static QByteArray rtu(int unit, const char* pdu)
    {
        const QByteArray frame = char(unit) + QByteArray::fromHex(pdu);
        const quint16 crc = QModbusReplyFramer::crc16(frame);
        return frame + char(crc & 0xFF) + char(crc >> 8);
    }
};

void tst_QModbusReplyFramer::repliesMustAnswerTheRequest_data()
{
    QTest::addColumn<int>("framing");
    QTest::addColumn<QByteArray>("request"); // to unit 5, after one given up when late is set
    QTest::addColumn<bool>("late");
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<Results>("results");
    const int tcpFraming = QModbusReplyFramer::Tcp;
    const int rtuFraming = QModbusReplyFramer::Rtu;
    const QByteArray read = QByteArray::fromHex("0300020002");
    const QByteArray write = QByteArray::fromHex("0600020064");
    const int reply = QModbusReplyFramer::Reply;
    const int garbled = QModbusReplyFramer::Garbled;
    const int more = QModbusReplyFramer::NeedMore;
    QTest::newRow("tcp answer") << tcpFraming << read << false << tcp(1, 5, "0304 0001 0002")
                                << Results{reply};
    QTest::newRow("tcp exception") << tcpFraming << read << false << tcp(1, 5, "8302") << Results{reply};
    QTest::newRow("tcp half a frame")
        << tcpFraming << read << false << tcp(1, 5, "0304 0001 0002").left(9) << Results{more};
    QTest::newRow("tcp late reply skipped")
        << tcpFraming << read << true << tcp(1, 5, "0304 0009 0009") + tcp(2, 5, "0304 0001 0002")
        << Results{QModbusReplyFramer::Skipped, reply};
    QTest::newRow("fewer registers than asked")
        << tcpFraming << read << false << tcp(1, 5, "0302 0001") << Results{garbled};
    QTest::newRow("length beyond any frame")
        << tcpFraming << read << false << QByteArray::fromHex("000100000fff05") << Results{garbled};
    QTest::newRow("write echo") << tcpFraming << write << false << tcp(1, 5, "0600020064") << Results{reply};
    QTest::newRow("write echo of another value")
        << tcpFraming << write << false << tcp(1, 5, "0600020065") << Results{garbled};
    QTest::newRow("rtu answer") << rtuFraming << read << false << rtu(5, "0304 0001 0002") << Results{reply};
    QTest::newRow("rtu exception") << rtuFraming << read << false << rtu(5, "8302") << Results{reply};
    QTest::newRow("rtu half a frame")
        << rtuFraming << read << false << rtu(5, "0304 0001 0002").left(6) << Results{more};
    QTest::newRow("rtu other unit") << rtuFraming << read << false << rtu(6, "0304 0001 0002")
                                    << Results{garbled};
    QTest::newRow("rtu wrong crc") << rtuFraming << read << false
                                   << rtu(5, "0304 0001 0002").replace(3, 1, "\x07") << Results{garbled};
    QTest::newRow("rtu write echo for a read")
        << rtuFraming << read << false << rtu(5, "0600021111") << Results{garbled};
    QTest::newRow("rtu registers not asked for")
        << rtuFraming << read << false << rtu(5, "0302 0001") << Results{garbled};
}

void tst_QModbusReplyFramer::repliesMustAnswerTheRequest()
{
    QFETCH(int, framing);
    QFETCH(QByteArray, request);
    QFETCH(bool, late);
    QFETCH(QByteArray, stream);
    QFETCH(Results, results);
    QModbusReplyFramer framer{QModbusReplyFramer::enFraming(framing)};
    framer.frameRequest(5, request);
    if (late) {
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

QTEST_GUILESS_MAIN(tst_QModbusReplyFramer)
#include "tst_QModbusReplyFramer.moc"
