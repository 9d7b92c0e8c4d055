#include "FuncodeRows.h"
#include "QFuncodeComparer_Servo.h"
#include "QTestHost.h"

#include <QtTest>

using C = QFuncodeComparer_Servo;

// Comparing two sources: groups matched by first word, numbers merged and sorted, every common axis.
class tst_QFuncodeComparer_Servo : public QObject
{
    Q_OBJECT

    // "group|number|x,y,z" -> one code with raw values and texts equal to the values; "?" is unknown.
    static tagCompareSource_Servo source(const QStringList& codes, int axisNum = 3)
    {
        tagCompareSource_Servo s;
        s.devText = "TST3_1.00";
        s.axisNum = axisNum;
        for (const QString& line : codes) {
            const QStringList parts = line.split('|');
            auto code = tagExportFuncodePtr_Servo::create();
            code->groupName = parts.at(0);
            code->funIndex = parts.at(1);
            code->funName = "name " + parts.at(1);
            const QStringList values = parts.value(2, "0,0,0").split(',');
            for (int axis = 0; axis < 3; ++axis) {
                const bool unknown = values.value(axis) == "?"; // as a drive source marks it
                code->unknownAxes |= unknown ? quint8(1u << axis) : 0;
                code->curValue[size_t(axis)] = values.value(axis).toLongLong();
                code->valueTexts << (unknown ? QString() : values.value(axis));
            }
            s.groupMap[code->groupName].append(code);
        }
        return s;
    }

    static QStringList summary(const QList<tagCompareFuncodePtr_Servo>& records)
    {
        QStringList list;
        for (const tagCompareFuncodePtr_Servo& r : records) {
            list << QStringLiteral("%1/%2%3").arg(r->group, r->funIndex, r->equal ? "" : "!");
        }
        return list;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void recordsFollowGroupsAndNumbers_data()
    {
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<QStringList>("all"); // group/number, "!" when not equal
        QTest::newRow("identical") << QStringList{"P0 Basic|P0.01|1,2,3", "P0 Basic|P0.00|4,5,6"}
                                   << QStringList{"P0 Basic|P0.00|4,5,6", "P0 Basic|P0.01|1,2,3"}
                                   << QStringList{"P0 Basic/P0.00", "P0 Basic/P0.01"};
        QTest::newRow("in one source only, either side")
            << QStringList{"P0 Basic|P0.00", "P0 Basic|P0.01"}
            << QStringList{"P0 Basic|P0.01", "P0 Basic|P0.02"}
            << QStringList{"P0 Basic/P0.00!", "P0 Basic/P0.01", "P0 Basic/P0.02!"};
        QTest::newRow("difference on Z alone")
            << QStringList{"P0 Basic|P0.00|1,2,3"} << QStringList{"P0 Basic|P0.00|1,2,4"}
            << QStringList{"P0 Basic/P0.00!"};
        QTest::newRow("groups in display order, not by name")
            << QStringList{"P10 Limits|P10.00", "P2 Gains|P2.00"} << QStringList{"P1 Control|P1.00"}
            << QStringList{"P1 Control/P1.00!", "P2 Gains/P2.00!", "P10 Limits/P10.00!"};
        QTest::newRow("groups sharing their first word merge")
            << QStringList{"P0 Motor|P0.00", "P0 Motor|P0.02"} << QStringList{"P0 Motor and encoder|P0.01"}
            << QStringList{"P0 Motor/P0.00!", "P0 Motor and encoder/P0.01!", "P0 Motor/P0.02!"};
        QTest::newRow("numbers sorted as text")
            << QStringList{"P3 X|P3.100", "P3 X|P3.11", "P3 X|P3.2"} << QStringList{"P3 X|P3.100"}
            << QStringList{"P3 X/P3.100", "P3 X/P3.11!", "P3 X/P3.2!"};
        QTest::newRow("group text trimmed, B's name wins")
            << QStringList{" P5 Old |P5.00"} << QStringList{"P5 New|P5.00"} << QStringList{"P5 New/P5.00"};
        QTest::newRow("A empty: nothing") << QStringList{} << QStringList{"P0 A|P0.00"} << QStringList{};
        QTest::newRow("B empty: nothing") << QStringList{"P0 A|P0.00"} << QStringList{} << QStringList{};
    }

    void recordsFollowGroupsAndNumbers()
    {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        QFETCH(QStringList, all);
        const C::Result result = C::compare(source(a), source(b));
        QCOMPARE(summary(result.all), all);
        QStringList differing;
        for (const QString& line : all) {
            if (line.endsWith('!')) {
                differing << line;
            }
        }
        QCOMPARE(summary(result.differing), differing);
    }

    // A code in one source only has blank texts on the other side and the name it has.
    void missingSideHasEmptyTexts()
    {
        const C::Result result = C::compare(source({"P0 A|P0.00|1,2,3"}), source({"P0 A|P0.01|4,5,6"}));
        QCOMPARE(result.all.size(), 2);
        QCOMPARE(result.all.at(0)->textsA, (QStringList{"1", "2", "3"}));
        QCOMPARE(result.all.at(0)->textsB, (QStringList{"", "", ""}));
        QCOMPARE(result.all.at(1)->textsA, (QStringList{"", "", ""}));
        QCOMPARE(result.all.at(1)->funName, QStringLiteral("name P0.01"));
    }

    // Values compare on every axis both sources have; a value unknown on either side, on such an axis, is
    // neither equal nor differing (listed with the differing ones), and the code is still in both sources.
    void valuesCompareOnEveryCommonAxis_data()
    {
        QTest::addColumn<QString>("valuesA");
        QTest::addColumn<int>("axesA");
        QTest::addColumn<QString>("valuesB");
        QTest::addColumn<int>("axesB");
        QTest::addColumn<QString>("outcome"); // "equal", "differs" or "not compared"
        QTest::newRow("three axes, Y differs") << "1,2,3" << 3 << "1,9,3" << 3 << "differs";
        QTest::newRow("three axes, Z differs") << "1,2,3" << 3 << "1,2,9" << 3 << "differs";
        QTest::newRow("three against one: X only") << "1,2,3" << 3 << "1,9,9" << 1 << "equal";
        QTest::newRow("two against three: Z ignored") << "1,2,3" << 2 << "1,2,9" << 3 << "equal";
        QTest::newRow("two against three: Y counts") << "1,2,3" << 2 << "1,9,3" << 3 << "differs";
        QTest::newRow("unknown count: X only") << "1,2,3" << 0 << "1,9,9" << 3 << "equal";
        QTest::newRow("unknown count: X differs") << "1,2,3" << 3 << "9,2,3" << -1 << "differs";
        QTest::newRow("read against never read") << "1,2,3" << 3 << "?,?,?" << 3 << "not compared";
        QTest::newRow("never read on both sides") << "?,?,?" << 3 << "?,?,?" << 3 << "not compared";
        QTest::newRow("zero against unknown") << "0,0,0" << 3 << "0,?,0" << 3 << "not compared";
        QTest::newRow("unknown on an axis B lacks") << "1,2,?" << 3 << "1,2,9" << 2 << "equal";
    }

    void valuesCompareOnEveryCommonAxis()
    {
        QFETCH(QString, valuesA);
        QFETCH(int, axesA);
        QFETCH(QString, valuesB);
        QFETCH(int, axesB);
        QFETCH(QString, outcome);
        const C::Result result =
            C::compare(source({"P0 A|P0.00|" + valuesA}, axesA), source({"P0 A|P0.00|" + valuesB}, axesB));
        QCOMPARE(result.all.size(), 1);
        const tagCompareFuncode_Servo& record = *result.all.first();
        QCOMPARE(record.equal, outcome == "equal");
        QCOMPARE(record.notCompared, outcome == "not compared");
        QCOMPARE(result.differing.size(), record.equal ? 0 : 1);
        QCOMPARE(result.notCompared.size(), record.notCompared ? 1 : 0);
        QVERIFY(C::passesPresence(record, C::PRESENCE_IN_BOTH));
    }

    void presenceFilterKeepsWhatThePresetAsks_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("none") << int(C::PRESENCE_NONE) << QStringList{"P0.00", "P0.01", "P0.02"};
        QTest::newRow("in A") << int(C::PRESENCE_IN_A) << QStringList{"P0.00", "P0.01"};
        QTest::newRow("in B") << int(C::PRESENCE_IN_B) << QStringList{"P0.01", "P0.02"};
        QTest::newRow("in both") << int(C::PRESENCE_IN_BOTH) << QStringList{"P0.01"};
    }

    void presenceFilterKeepsWhatThePresetAsks()
    {
        QFETCH(int, filter);
        QFETCH(QStringList, kept);
        const C::Result result = C::compare(source({"P0 A|P0.00|1,1,1", "P0 A|P0.01|1,1,1"}),
                                            source({"P0 A|P0.01|1,1,1", "P0 A|P0.02|2,2,2"}), filter);
        QCOMPARE(FuncodeRows::numbersOf(result.all), kept);
        for (const tagCompareFuncodePtr_Servo& r : result.differing) {
            QVERIFY(result.all.contains(r));
        }
    }

    void modelOfDeviceText_data()
    {
        QTest::addColumn<QString>("devText");
        QTest::addColumn<QString>("model");
        QTest::newRow("underscore") << "SD330_1.00" << QString("SD330");
        QTest::newRow("dash") << "SD330-2.0" << QString("SD330");
        QTest::newRow("bar") << "SD330|x" << QString("SD330");
        QTest::newRow("plain") << "SD330" << QString("SD330");
        QTest::newRow("empty") << "" << QString();
    }

    void modelOfDeviceText()
    {
        QFETCH(QString, devText);
        QFETCH(QString, model);
        QCOMPARE(C::modelOf(devText), model);
    }
};

QTEST_MAIN(tst_QFuncodeComparer_Servo)
#include "tst_QFuncodeComparer_Servo.moc"
