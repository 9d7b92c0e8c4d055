#include "QFuncodeScaling.h"

#include <QtTest>

namespace {
tagSubFuncode_Servo makeCode(int showType, int dataType, int precision, const QString& enumText = QString())
{
    tagSubFuncode_Servo fun;
    fun.showType = showType;
    fun.dataType = dataType;
    fun.precision = precision;
    fun.enumText = enumText;
    fun.minVal = "-1000000000";
    fun.maxVal = "1000000000";
    return fun;
}
} // namespace

class tst_QFuncodeScaling : public QObject
{
    Q_OBJECT

private slots:
    void showTextRoundTrips_data()
    {
        QTest::addColumn<int>("showType");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("enumText");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");

        QTest::newRow("decimal 2") << 0 << 4 << 2 << "" << qint64(280) << "2.80";
        QTest::newRow("signed") << 8 << 3 << 1 << "" << qint64(-15) << "-1.5";
        QTest::newRow("leading zeros") << 8 << 3 << 2 << "" << qint64(-5) << "-0.05";
        QTest::newRow("zero") << 0 << 4 << 0 << "" << qint64(0) << "0";
        QTest::newRow("64 bit") << 10 << 15 << 0 << "" << qint64(123456789012LL) << "123456789012";
        QTest::newRow("hex 16") << 1 << 4 << 0 << "" << qint64(255) << "0x00FF";
        QTest::newRow("hex 32") << 9 << 8 << 0 << "" << qint64(0x12345678) << "0x12345678";
        QTest::newRow("enum") << 2 << 4 << 0 << "0:Off\n3:Slow\n5:Fast" << qint64(3) << "3:Slow";
        QTest::newRow("bits") << 3 << 4 << 0 << "" << qint64(5) << "0000 0000 0000 0101";
        QTest::newRow("text") << 4 << 15 << 0 << "" << QFuncodeScaling::packText("FW1.0") << "FW1.0";
        QTest::newRow("menu padded") << 6 << 4 << 0 << "0:a:x;y\n2:b:x;y;z" << qint64(1) << "001";
        QTest::newRow("version") << 7 << 4 << 0 << "" << qint64(123) << "V1.23";
        const qint64 stamp = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)).toSecsSinceEpoch();
        QTest::newRow("date") << 5 << 8 << 0 << "" << stamp << "2026-03-04 05:06:07";
    }

    void showTextRoundTrips()
    {
        QFETCH(int, showType);
        QFETCH(int, dataType);
        QFETCH(int, precision);
        QFETCH(QString, enumText);
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        const tagSubFuncode_Servo fun = makeCode(showType, dataType, precision, enumText);
        QCOMPARE(QFuncodeScaling::showText(fun, raw), text);
        QVERIFY(QFuncodeScaling::showsRaw(fun, QStringRef(&text), raw));
        // A text code's lowest byte may be one it does not show.
        QVERIFY(showType == 4 || !QFuncodeScaling::showsRaw(fun, QStringRef(&text), raw + 1));
        const QString longer = text + '0';
        QVERIFY(!QFuncodeScaling::showsRaw(fun, QStringRef(&longer), raw));
        qint64 back = 0;
        QVERIFY(QFuncodeScaling::parseShowText(fun, text, &back));
        QCOMPARE(back, raw);
        if (showType == 5) { // the form of files written before
            QVERIFY(QFuncodeScaling::parseShowText(fun, QString(text).replace('-', '/'), &back));
            QCOMPARE(back, raw);
        }
    }

    // A file written in another language shows an enumerated value with its label in that language.
    void itemOfAnotherLanguageKeepsItsValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("Chinese label") << "3:慢速" << true << qint64(3);
        QTest::newRow("full-width colon") << "5\uFF1A快速" << true << qint64(5);
        QTest::newRow("value not in the list") << "4:慢速" << false << qint64(0);
    }

    void itemOfAnotherLanguageKeepsItsValue()
    {
        QFETCH(QString, text);
        QFETCH(bool, parsed);
        QFETCH(qint64, raw);
        qint64 value = 0;
        QCOMPARE(QFuncodeScaling::parseShowText(makeCode(2, 4, 0, "0:Off\n3:Slow\n5:Fast"), text, &value),
                 parsed);
        QCOMPARE(value, raw);
    }

    void rangeFollowsDescriptionAndDataType_data()
    {
        QTest::addColumn<int>("showType");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QString>("minVal");
        QTest::addColumn<QString>("maxVal");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<bool>("inRange");
        QTest::newRow("decimal inside") << 0 << 4 << "0.10" << QString("30.00") << qint64(3000) << true;
        QTest::newRow("decimal above") << 0 << 4 << "0.10" << QString("30.00") << qint64(3001) << false;
        QTest::newRow("decimal below") << 0 << 4 << "0.10" << QString("30.00") << qint64(9) << false;
        QTest::newRow("uint16 caps a wider range")
            << 0 << 4 << "0" << QString("100000") << qint64(65536) << false;
        QTest::newRow("int16 negative") << 8 << 3 << "-40000" << QString("40000") << qint64(-32768) << true;
        QTest::newRow("hex max") << 1 << 4 << "0" << QString("65535") << qint64(65535) << true;
    }

    void rangeFollowsDescriptionAndDataType()
    {
        QFETCH(int, showType);
        QFETCH(int, dataType);
        QFETCH(QString, minVal);
        QFETCH(QString, maxVal);
        QFETCH(qint64, raw);
        QFETCH(bool, inRange);
        tagSubFuncode_Servo fun = makeCode(showType, dataType, minVal.contains('.') ? 2 : 0);
        fun.minVal = minVal;
        fun.maxVal = maxVal;
        QCOMPARE(QFuncodeScaling::isRawInRange(fun, raw), inRange);
    }

    void descriptionTexts_data()
    {
        QTest::addColumn<int>("showType");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("decimal padded") << 0 << 2 << "2.8" << QString("2.80");
        QTest::newRow("hex") << 1 << 0 << "255" << QString("0x00FF");
        QTest::newRow("enum number stays") << 2 << 0 << "3" << QString("3");
        QTest::newRow("text bound empty") << 4 << 0 << "0" << QString();
        QTest::newRow("text default") << 4 << 0 << "FW1.0" << QString("FW1.0");
        const qint64 may = QDateTime(QDate(2024, 5, 1), QTime(10, 0)).toSecsSinceEpoch();
        QTest::newRow("date") << 5 << 0 << QString::number(may) << QString("2024-05-01 10:00:00");
    }

    void descriptionTexts()
    {
        QFETCH(int, showType);
        QFETCH(int, precision);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(QFuncodeScaling::descriptionText(showType, precision, text), shown);
    }
};

QTEST_GUILESS_MAIN(tst_QFuncodeScaling)
#include "tst_QFuncodeScaling.moc"
