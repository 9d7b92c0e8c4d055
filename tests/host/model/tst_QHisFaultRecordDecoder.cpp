#include "QHisFaultRecordDecoder.h"

#include <QtTest>

// History records as the drive stores them: big-endian fields placed by their word numbers.
class tst_QHisFaultRecordDecoder : public QObject
{
    Q_OBJECT

    static tagHisFaultFormat_Servo row(const QString& number, int dataType, int byteLen, const QString& param,
                                       const QString& name = QString())
    {
        tagHisFaultFormat_Servo r;
        r.number = number;
        r.name = name;
        r.dataType = dataType;
        r.byteLen = byteLen;
        r.param = param;
        return r;
    }

    static QList<QDriveFaultDef> faults()
    {
        QDriveFaultDef overcurrent;
        overcurrent.code = "E.101";
        overcurrent.name = "Overcurrent";
        QDriveFaultDef overvoltage;
        overvoltage.code = "E.201";
        overvoltage.name = "Overvoltage";
        return {overcurrent, overvoltage};
    }

    static tagHistoryFaultList decode(const QHisFaultFormatList_Servo& format, const QByteArray& hex)
    {
        return QHisFaultRecordDecoder(format, faults()).decode(QByteArray::fromHex(hex));
    }

private slots:
    void valueOfEveryDataType_data()
    {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<int>("byteLen");
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<qint64>("value");
        QTest::newRow("int16 negative") << 3 << 2 << QByteArray("ff38") << qint64(-200);
        QTest::newRow("uint16 top") << 4 << 2 << QByteArray("ffff") << qint64(65535);
        QTest::newRow("int32 negative") << 7 << 4 << QByteArray("fffffffe") << qint64(-2);
        QTest::newRow("uint32 top") << 8 << 4 << QByteArray("fffffffe") << qint64(4294967294LL);
        QTest::newRow("uint32 300") << 8 << 4 << QByteArray("0000012c") << qint64(300);
        QTest::newRow("int64 large") << 15 << 8 << QByteArray("0000123456789abc") << qint64(0x123456789abcLL);
        QTest::newRow("int64 negative") << 15 << 8 << QByteArray("fffffffffffffc18") << qint64(-1000);
        QTest::newRow("int64 lowest")
            << 15 << 8 << QByteArray("8000000000000000") << std::numeric_limits<qint64>::min();
        // The value is the low bits of the field: a wide field holds a narrow type in its last bytes.
        QTest::newRow("int16 in four bytes") << 3 << 4 << QByteArray("1234ff38") << qint64(-200);
        QTest::newRow("uint32 in two bytes") << 8 << 2 << QByteArray("ffff") << qint64(65535);
        QTest::newRow("int64 in twelve bytes")
            << 15 << 12 << QByteArray("ffffffff0000000000000007") << qint64(7);
        QTest::newRow("unknown type reads the field") << 99 << 2 << QByteArray("0102") << qint64(258);
    }

    void valueOfEveryDataType()
    {
        QFETCH(int, dataType);
        QFETCH(int, byteLen);
        QFETCH(QByteArray, hex);
        QFETCH(qint64, value);
        const tagHistoryFaultList entry = decode({row("1", dataType, byteLen, "U00.01", "Value")}, hex);
        QCOMPARE(entry.params.size(), 1);
        QCOMPARE(entry.params.at(0).rawValue, value);
        QVERIFY(!entry.params.at(0).missing);
        QVERIFY(!entry.truncated);
        QCOMPARE(entry.params.at(0).statusFunIndex, QString("U00.01"));
        QCOMPARE(entry.params.at(0).displayName, QString("Value"));
    }

    void fieldsArePlacedByTheirFirstWord()
    {
        // Word 3 is bytes 4 and 5; rows may come in any order.
        const tagHistoryFaultList entry = decode({row("3", 4, 2, "A"), row("1~2", 8, 4, "B")}, "00000007"
                                                                                               "0009");
        QCOMPARE(entry.params.size(), 2);
        QCOMPARE(entry.params.at(0).rawValue, qint64(9));
        QCOMPARE(entry.params.at(1).rawValue, qint64(7));
    }

    void faultCodes_data()
    {
        QTest::addColumn<QString>("param");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<int>("byteLen");
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QStringList>("faults"); // "code: name"
        QTest::newRow("known") << "FAULTCODE" << 8 << 4 << QByteArray("00000065")
                               << QStringList{"E.101: Overcurrent"};
        QTest::newRow("lower case keyword")
            << "faultcode" << 8 << 4 << QByteArray("000000c9") << QStringList{"E.201: Overvoltage"};
        QTest::newRow("unknown code")
            << "FAULTCODE" << 8 << 4 << QByteArray("000003e7") << QStringList{"999: STR_UNKNOWN_FAULT"};
        QTest::newRow("zero is no fault") << "FAULTCODE" << 8 << 4 << QByteArray("00000000") << QStringList();
        QTest::newRow("two codes of 16 bits") << "FAULTCODE" << 4 << 4 << QByteArray("00c90065")
                                              << QStringList{"E.201: Overvoltage", "E.101: Overcurrent"};
        QTest::newRow("empty slot between") << "FAULTCODE" << 4 << 6 << QByteArray("006500000065")
                                            << QStringList{"E.101: Overcurrent", "E.101: Overcurrent"};
    }

    void faultCodes()
    {
        QFETCH(QString, param);
        QFETCH(int, dataType);
        QFETCH(int, byteLen);
        QFETCH(QByteArray, hex);
        QFETCH(QStringList, faults);
        const tagHistoryFaultList entry = decode({row("1~9", dataType, byteLen, param, "Fault code")}, hex);
        QStringList shown;
        for (const tagHistoryFault& fault : entry.faults) {
            shown << fault.faultCode + ": " + fault.faultName;
        }
        QCOMPARE(shown, faults);
        QVERIFY(entry.params.isEmpty());
    }

    void reserveRowsAreSkipped_data()
    {
        QTest::addColumn<QString>("param");
        QTest::newRow("upper case") << "RESERVE";
        QTest::newRow("mixed case") << "Reserve";
    }

    void reserveRowsAreSkipped()
    {
        QFETCH(QString, param);
        const tagHistoryFaultList entry =
            decode({row("1", 4, 2, param), row("2", 4, 2, "U00.01")}, "ffff0005");
        QCOMPARE(entry.params.size(), 1);
        QCOMPARE(entry.params.at(0).rawValue, qint64(5));
    }

    void shortRecordsDecodeWhatTheyHold_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QList<bool>>("missing"); // per parameter row
        QTest::addColumn<int>("faultCount");
        const QList<bool> none{false, false, false};
        QTest::newRow("whole") << QByteArray("00000065"
                                             "0001"
                                             "00000000000000ff")
                               << none << 1;
        QTest::newRow("last field cut") << QByteArray("00000065"
                                                      "0001"
                                                      "000000")
                                        << QList<bool>{false, true, false} << 1;
        QTest::newRow("ends after the faults")
            << QByteArray("00000065") << QList<bool>{true, true, false} << 1;
        QTest::newRow("fault code cut") << QByteArray("0000") << QList<bool>{true, true, false} << 0;
        QTest::newRow("empty") << QByteArray() << QList<bool>{true, true, false} << 0;
    }

    void shortRecordsDecodeWhatTheyHold()
    {
        QFETCH(QByteArray, hex);
        QFETCH(QList<bool>, missing);
        QFETCH(int, faultCount);
        const QHisFaultFormatList_Servo format{row("1~2", 8, 4, "FAULTCODE"), row("3", 4, 2, "U00.01"),
                                               row("4~7", 15, 8, "U00.02"), row("", 4, 2, "U00.03")};
        const tagHistoryFaultList entry = decode(format, hex);
        QCOMPARE(entry.faults.size(), faultCount);
        QCOMPARE(entry.params.size(), 3);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(entry.params.at(i).missing, missing.at(i));
        }
        // A row without a valid number is never placed, whatever the record holds.
        QVERIFY(entry.params.at(2).missing);
        QCOMPARE(entry.truncated, missing.at(0) || missing.at(1) || faultCount == 0);
        if (!missing.at(1)) {
            QCOMPARE(entry.params.at(1).rawValue, qint64(255));
        }
    }

    void badRowsReadNothing_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("byteLen");
        QTest::newRow("word 0") << "0" << 2;
        QTest::newRow("leading zero") << "05" << 2;
        QTest::newRow("three digits") << "100" << 2;
        QTest::newRow("no length") << "1" << 0;
        QTest::newRow("negative length") << "1" << -4;
        QTest::newRow("huge length") << "99" << std::numeric_limits<int>::max();
    }

    void badRowsReadNothing()
    {
        QFETCH(QString, number);
        QFETCH(int, byteLen);
        const tagHistoryFaultList entry = decode({row(number, 15, byteLen, "U00.01")}, "0102030405060708");
        QCOMPARE(entry.params.size(), 1);
        QVERIFY(entry.params.at(0).missing);
        QCOMPARE(entry.params.at(0).rawValue, qint64(0));
    }

    void everyRecordIsDecoded()
    {
        const QHisFaultRecordDecoder decoder({row("1", 4, 2, "FAULTCODE")}, faults());
        const QList<tagHistoryFaultList> list =
            decoder.decodeAll({QByteArray::fromHex("0065"), QByteArray::fromHex("00c9")});
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(1).faults.value(0).faultCode, QString("E.201"));
    }
};

QTEST_GUILESS_MAIN(tst_QHisFaultRecordDecoder)
#include "tst_QHisFaultRecordDecoder.moc"
