#include "QHisFaultRecordDecoder.h"

#include <QtTest>

// History records as the drive stores them: big-endian fields placed by their word numbers.
class tst_QHisFaultRecordDecoder : public QObject
{
    Q_OBJECT

    static tagHisFaultFormat_Servo row(const QString& number, int dataType, int byteLen, const QString& param)
    {
        return {number, param, dataType, byteLen, param};
    }

    static tagHistoryFaultList decode(const QHisFaultFormatList_Servo& format, const QString& hex)
    {
        const QList<QDriveFaultDef> faults{{"E.101", "Overcurrent", {}, {}},
                                           {"E.201", "Overvoltage", {}, {}}};
        return QHisFaultRecordDecoder(format, faults).decode(QByteArray::fromHex(hex.toLatin1()));
    }

private slots:
    // One parameter row: its value, or missing when the row cannot be placed.
    void oneParameterRow_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<int>("byteLen");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<qint64>("value"); // -1 with 0xff...: missing
        QTest::newRow("int16 negative") << "1" << 3 << 2 << "ff38" << qint64(-200);
        QTest::newRow("int32 negative") << "1" << 7 << 4 << "fffffffe" << qint64(-2);
        QTest::newRow("uint32 top") << "1" << 8 << 4 << "fffffffe" << qint64(4294967294LL);
        QTest::newRow("int64 lowest")
            << "1" << 15 << 8 << "8000000000000000" << std::numeric_limits<qint64>::min();
        // The value is the low bits of the field: a wide field holds a narrow type in its last bytes.
        QTest::newRow("int16 in four bytes") << "1" << 3 << 4 << "1234ff38" << qint64(-200);
        // A signed field narrower than its type has its sign in its own highest bit.
        QTest::newRow("int32 in two bytes") << "1" << 7 << 2 << "ff38" << qint64(-200);
        QTest::newRow("int64 in four bytes") << "1~2" << 15 << 4 << "fffffffe" << qint64(-2);
        QTest::newRow("int64 in twelve bytes")
            << "1~6" << 15 << 12 << "ffffffff0000000000000007" << qint64(7);
        QTest::newRow("unknown type reads the field") << "1" << 99 << 2 << "0102" << qint64(258);
        const qint64 missing = -1;
        QTest::newRow("word 0") << "0" << 4 << 2 << "0102" << missing;
        QTest::newRow("no length") << "1" << 4 << 0 << "0102" << missing;
        QTest::newRow("huge length") << "99" << 15 << std::numeric_limits<int>::max() << "01" << missing;
    }

    void oneParameterRow()
    {
        QFETCH(QString, number);
        QFETCH(int, dataType);
        QFETCH(int, byteLen);
        QFETCH(QString, hex);
        QFETCH(qint64, value);
        const tagHistoryFaultList entry = decode({row(number, dataType, byteLen, "U00.01")}, hex);
        QCOMPARE(entry.params.size(), 1);
        QCOMPARE(entry.params.at(0).missing, value == -1);
        QCOMPARE(entry.params.at(0).rawValue, value == -1 ? 0 : value);
        QCOMPARE(entry.params.at(0).statusFunIndex, QString("U00.01"));
    }

    // Word 3 is bytes 4 and 5; rows may come in any order; each reads its own field, so rows may share
    // bytes; reserved words (in any case) are skipped.
    void fieldsArePlacedByTheirFirstWord()
    {
        const tagHistoryFaultList entry = decode(
            {row("3", 4, 2, "A"), row("4", 4, 2, "Reserve"), row("1~2", 8, 4, "B"), row("2", 4, 2, "C")},
            "000100070009ffff");
        QCOMPARE(entry.params.size(), 3);
        QCOMPARE(entry.params.at(0).rawValue, qint64(9));
        QCOMPARE(entry.params.at(1).rawValue, qint64(65543));
        QCOMPARE(entry.params.at(1).displayName, QString("B"));
        QCOMPARE(entry.params.at(2).rawValue, qint64(7));
    }

    // The keyword in mixed case here; in capitals in the short records below.
    void faultCodes_data()
    {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<int>("byteLen");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QStringList>("faults"); // "code: name"
        QTest::newRow("known code") << 8 << 4 << "000000c9" << QStringList{"E.201: Overvoltage"};
        QTest::newRow("unknown code") << 8 << 4 << "000003e7" << QStringList{"999: STR_UNKNOWN_FAULT"};
        QTest::newRow("zero is no fault") << 8 << 4 << "00000000" << QStringList();
        QTest::newRow("two codes of 16 bits")
            << 4 << 4 << "00c90065" << QStringList{"E.201: Overvoltage", "E.101: Overcurrent"};
        QTest::newRow("empty slot between")
            << 4 << 6 << "006500000065" << QStringList{"E.101: Overcurrent", "E.101: Overcurrent"};
        QTest::newRow("field narrower than one code")
            << 8 << 2 << "0065" << QStringList{"E.101: Overcurrent"};
        QTest::newRow("bytes after the last whole code")
            << 4 << 5 << "00c90065ff" << QStringList{"E.201: Overvoltage", "E.101: Overcurrent"};
    }

    void faultCodes()
    {
        QFETCH(int, dataType);
        QFETCH(int, byteLen);
        QFETCH(QString, hex);
        QFETCH(QStringList, faults);
        const tagHistoryFaultList entry = decode({row("1~9", dataType, byteLen, "FaultCode")}, hex);
        QStringList shown;
        for (const tagHistoryFault& fault : entry.faults) {
            shown << fault.faultCode + ": " + fault.faultName;
        }
        QCOMPARE(shown, faults);
        QVERIFY(entry.params.isEmpty());
    }

    void shortRecordsDecodeWhatTheyHold_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QList<bool>>("missing"); // per parameter row
        QTest::addColumn<int>("faultCount");
        QTest::newRow("whole") << "00000065000100000000000000ff" << QList<bool>{false, false} << 1;
        QTest::newRow("last field cut") << "000000650001000000" << QList<bool>{false, true} << 1;
        QTest::newRow("ends after the faults") << "00000065" << QList<bool>{true, true} << 1;
        QTest::newRow("empty") << QString() << QList<bool>{true, true} << 0;
    }

    void shortRecordsDecodeWhatTheyHold()
    {
        QFETCH(QString, hex);
        QFETCH(QList<bool>, missing);
        QFETCH(int, faultCount);
        const QHisFaultFormatList_Servo format{row("1~2", 8, 4, "FAULTCODE"), row("3", 4, 2, "U00.01"),
                                               row("4~7", 15, 8, "U00.02"), row("", 4, 2, "U00.03")};
        const QList<tagHistoryFaultList> entries =
            QHisFaultRecordDecoder(format, {})
                .decodeAll({QByteArray::fromHex(hex.toLatin1()), QByteArray::fromHex(hex.toLatin1())});
        QCOMPARE(entries.size(), 2);
        const tagHistoryFaultList& entry = entries.at(1);
        QCOMPARE(entry.faults.size(), faultCount);
        QCOMPARE(entry.params.size(), 3);
        QCOMPARE(QList<bool>({entry.params.at(0).missing, entry.params.at(1).missing}), missing);
        // A row without a valid number is never placed, whatever the record holds.
        QVERIFY(entry.params.at(2).missing);
        QCOMPARE(entry.truncated, missing.at(0) || missing.at(1) || faultCount == 0);
        if (!missing.at(1)) {
            QCOMPARE(entry.params.at(1).rawValue, qint64(255));
        }
    }
};

QTEST_GUILESS_MAIN(tst_QHisFaultRecordDecoder)
#include "tst_QHisFaultRecordDecoder.moc"
