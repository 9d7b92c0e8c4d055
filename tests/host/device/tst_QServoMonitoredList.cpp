#include "QServoMonitoredList.h"

#include <QtTest>

// The monitored codes: each once, in the user's order, and every change says whether it changed.
class tst_QServoMonitoredList : public QObject
{
    Q_OBJECT

private slots:
    void changesReportWhetherTheyChanged_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<QStringList>("after");
        const QStringList start{"P00.01", "P00.02", "P00.03"};
        QTest::newRow("append new") << "append" << true << "P00.04" << (start + QStringList{"P00.04"});
        QTest::newRow("append again") << "append" << false << "P00.02" << start;
        QTest::newRow("append empty") << "append" << false << "" << start;
        QTest::newRow("up the middle")
            << "up" << true << "P00.02" << QStringList{"P00.02", "P00.01", "P00.03"};
        QTest::newRow("up the first") << "up" << false << "P00.01" << start;
        QTest::newRow("up an absent one") << "up" << false << "P09.09" << start;
        QTest::newRow("down the middle")
            << "down" << true << "P00.02" << QStringList{"P00.01", "P00.03", "P00.02"};
        QTest::newRow("down the last") << "down" << false << "P00.03" << start;
        QTest::newRow("down an absent one") << "down" << false << "P09.09" << start;
        QTest::newRow("remove") << "remove" << true << "P00.01" << QStringList{"P00.02", "P00.03"};
        QTest::newRow("remove an absent one") << "remove" << false << "P09.09" << start;
        // A list from a project file keeps the first of repeated codes; the same list again is no change.
        QTest::newRow("assign with repeats") << "assign" << true << "P00.02,P00.01,P00.02,P00.03,P00.01"
                                             << QStringList{"P00.02", "P00.01", "P00.03"};
        QTest::newRow("assign the same") << "assign" << false << "P00.01,P00.02,P00.03,P00.03" << start;
        QTest::newRow("clear") << "clear" << true << "" << QStringList();
    }

    void changesReportWhetherTheyChanged()
    {
        QFETCH(QString, operation);
        QFETCH(bool, changed);
        QFETCH(QString, funIndex);
        QFETCH(QStringList, after);
        QServoMonitoredList list;
        QVERIFY(list.assign({"P00.01", "P00.02", "P00.03"}));
        const QMap<QString, std::function<bool()>> operations{
            {"append", [&] { return list.append(funIndex); }},
            {"up", [&] { return list.moveUp(funIndex); }},
            {"down", [&] { return list.moveDown(funIndex); }},
            {"remove", [&] { return list.remove(funIndex); }},
            {"assign", [&] { return list.assign(funIndex.split(',')); }},
            {"clear", [&] { return list.clear(); }}};
        QCOMPARE(operations.value(operation)(), changed);
        QCOMPARE(list.list(), after);
        QVERIFY(operation != "clear" || !list.clear());
    }
};

QTEST_GUILESS_MAIN(tst_QServoMonitoredList)
#include "tst_QServoMonitoredList.moc"
