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
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QStringList>("after");
        const QStringList start{"P00.01", "P00.02", "P00.03"};
        QTest::newRow("append new") << "append"
                                    << "P00.04" << true << (start + QStringList{"P00.04"});
        QTest::newRow("append again") << "append"
                                      << "P00.02" << false << start;
        QTest::newRow("append empty") << "append"
                                      << "" << false << start;
        QTest::newRow("up the middle") << "up"
                                       << "P00.02" << true << QStringList{"P00.02", "P00.01", "P00.03"};
        QTest::newRow("up the first") << "up"
                                      << "P00.01" << false << start;
        QTest::newRow("up an absent one") << "up"
                                          << "P09.09" << false << start;
        QTest::newRow("down the middle") << "down"
                                         << "P00.02" << true << QStringList{"P00.01", "P00.03", "P00.02"};
        QTest::newRow("down the last") << "down"
                                       << "P00.03" << false << start;
        QTest::newRow("down an absent one") << "down"
                                            << "P09.09" << false << start;
        QTest::newRow("remove") << "remove"
                                << "P00.01" << true << QStringList{"P00.02", "P00.03"};
        QTest::newRow("remove an absent one") << "remove"
                                              << "P09.09" << false << start;
    }

    void changesReportWhetherTheyChanged()
    {
        QFETCH(QString, operation);
        QFETCH(QString, funIndex);
        QFETCH(bool, changed);
        QFETCH(QStringList, after);
        QServoMonitoredList list;
        QVERIFY(list.assign({"P00.01", "P00.02", "P00.03"}));
        bool result = false;
        if (operation == "append") {
            result = list.append(funIndex);
        } else if (operation == "up") {
            result = list.moveUp(funIndex);
        } else if (operation == "down") {
            result = list.moveDown(funIndex);
        } else {
            result = list.remove(funIndex);
        }
        QCOMPARE(result, changed);
        QCOMPARE(list.list(), after);
    }

    // A list from a project file keeps the first of repeated codes; the same list again is no change.
    void assignedListsKeepEachCodeOnce()
    {
        QServoMonitoredList list;
        QVERIFY(list.assign({"P00.02", "P00.01", "P00.02", "P00.01", "P00.03"}));
        QCOMPARE(list.list(), (QStringList{"P00.02", "P00.01", "P00.03"}));
        QVERIFY(!list.assign({"P00.02", "P00.01", "P00.03", "P00.03"}));
        QVERIFY(list.clear());
        QVERIFY(!list.clear());
    }
};

QTEST_GUILESS_MAIN(tst_QServoMonitoredList)
#include "tst_QServoMonitoredList.moc"
