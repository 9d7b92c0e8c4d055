// Lines of a function-code file whose names and texts hold commas, with and without the code's
// description, and quoted fields as spreadsheets write them.

#include "QFuncodeLineSplitter_Servo.h"
#include "QFuncodeScaling.h"
#include "tagSubFuncode_Servo.h"

#include <QtTest>

namespace {
tagSubFuncode_Servo enumCode()
{
    tagSubFuncode_Servo fun;
    fun.funIndex = "P00.00";
    fun.funName = "Motor, frame";
    fun.showType = 2;
    fun.enumText = "1:60 mm, 200 W\n3:80 mm, 750 W\n12:130 mm, 1 kW";
    return fun;
}

tagSubFuncode_Servo textCode()
{
    tagSubFuncode_Servo fun;
    fun.funIndex = "P00.14";
    fun.funName = "Label";
    fun.showType = 4;
    fun.dataType = 15;
    return fun;
}
} // namespace

// Fields are compared joined by '|'.
class tst_QFuncodeLineSplitter_Servo : public QObject
{
    Q_OBJECT

private slots:
    void tokenizes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tokens");
        QTest::newRow("plain") << "a,b,,c" << QString("a|b||c");
        QTest::newRow("quoted comma") << "a,\"b, c\",d" << QString("a|b, c|d");
        QTest::newRow("doubled quote") << "\"say \"\"x\"\"\",1" << QString("say \"x\"|1");
        QTest::newRow("quote inside a field") << "12\" disc,2" << QString("12\" disc|2");
        QTest::newRow("unclosed quote stays") << "\"open,2" << QString("\"open|2");
        QTest::newRow("field of ours starting with a quote")
            << "\"Fast\" mode,c" << QString("\"Fast\" mode|c");
        QTest::newRow("empty quoted") << "\"\",x" << QString("|x");
    }

    void tokenizes()
    {
        QFETCH(QString, line);
        QFETCH(QString, tokens);
        QCOMPARE(QFuncodeLineSplitter_Servo::tokenize(line).join('|'), tokens);
    }

    void splits_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("described");
        QTest::addColumn<QString>("fields"); // empty: the line cannot be split
        QTest::newRow("fourteen fields") << "1,2,P00 Basic,P00.01,Gain,0,4,3,5,6,7,0.5,0.6,0.7" << false
                                         << QString("1|2|P00 Basic|P00.01|Gain|0|4|3|5|6|7|0.5|0.6|0.7");
        QTest::newRow("name with commas, no description")
            << "1,2,P00 Basic,P00.01,Gain, fast, loop,0,4,1,5,0,0,0.5,," << false
            << QString("1|2|P00 Basic|P00.01|Gain, fast, loop|0|4|1|5|0|0|0.5||");
        QTest::newRow("name ending in a number")
            << "1,2,P00 Basic,P00.01,Gain,3,0,4,2,150,151,0,1.50,1.51," << false
            << QString("1|2|P00 Basic|P00.01|Gain,3|0|4|2|150|151|0|1.50|1.51|");
        QTest::newRow("enumerated texts, no description")
            << "1,2,P00 Basic,P00.00,Motor, frame,0,4,3,1,3,12,1:60 mm, 200 W,3:80 mm, 750 W,12:130 mm, 1 kW"
            << false
            << QString("1|2|P00 Basic|P00.00|Motor, frame|0|4|3|1|3|12|1:60 mm, 200 W|3:80 mm, 750 W|12:130 "
                       "mm, 1 kW");
        QTest::newRow("enumerated texts, described")
            << "1,2,P00 Basic,P00.00,Motor, frame,0,4,2,3,1,0,3:80 mm, 750 W,1:60 mm, 200 W," << true
            << QString("1|2|P00 Basic|P00.00|Motor, frame|0|4|2|3|1|0|3:80 mm, 750 W|1:60 mm, 200 W|");
        const QString packed = QString::number(QFuncodeScaling::packText("a,b"));
        QTest::newRow("text code with a comma, described")
            << QString("1,2,P00 Basic,P00.14,Label,0,15,1,%1,0,0,a,b,,").arg(packed) << true
            << QString("1|2|P00 Basic|P00.14|Label|0|15|1|%1|0|0|a,b||").arg(packed);
        QTest::newRow("padding a spreadsheet added")
            << "1,2,P00 Basic,P00.01,Gain,0,4,3,5,6,7,0.5,0.6,0.7,,,," << false
            << QString("1|2|P00 Basic|P00.01|Gain|0|4|3|5|6|7|0.5|0.6|0.7");
        QTest::newRow("no integers after the name")
            << "1,2,P00 Basic,P00.01,Gain,a,b,c,d,e,f,g,h,i,j" << false << QString();
        QTest::newRow("too few tokens") << "1,2,P00 Basic,P00.01,Gain,0,4,3" << false << QString();
    }

    void splits()
    {
        QFETCH(QString, line);
        QFETCH(bool, described);
        QFETCH(QString, fields);
        const tagSubFuncode_Servo motor = enumCode();
        const tagSubFuncode_Servo label = textCode();
        const QFuncodeLineSplitter_Servo splitter(
            [&](const QStringRef& number) -> const tagSubFuncode_Servo* {
                const tagSubFuncode_Servo* fun = number == motor.funIndex ? &motor : &label;
                return described && number == fun->funIndex ? fun : nullptr;
            });
        // A line that cannot be split leaves result empty.
        QStringList result;
        QCOMPARE(splitter.split(QFuncodeLineSplitter_Servo::tokenize(line), &result), !fields.isEmpty());
        QCOMPARE(result.join('|'), fields);
    }
};

QTEST_GUILESS_MAIN(tst_QFuncodeLineSplitter_Servo)
#include "tst_QFuncodeLineSplitter_Servo.moc"
