#include "QServoReadQueue.h"

#include <QtTest>

// The queue of reads a device sends without waiting: each read once, requests cut where groups end.
class tst_QServoReadQueue : public QObject
{
    Q_OBJECT

private slots:
    void batchEndsWhereAGroupEnds_data()
    {
        QTest::addColumn<QStringList>("queued");
        QTest::addColumn<int>("maxItems");
        QTest::addColumn<int>("taken");
        QTest::newRow("everything fits") << QStringList{"P00.01", "P00.02", "P01.01"} << 5 << 3;
        QTest::newRow("exactly fits") << QStringList{"P00.01", "P00.02", "P01.01"} << 3 << 3;
        QTest::newRow("cut back to the group end")
            << QStringList{"P00.01", "P00.02", "P01.01", "P01.02", "P01.03"} << 4 << 2;
        QTest::newRow("cut falls on the group end")
            << QStringList{"P00.01", "P00.02", "P01.01", "P01.02"} << 2 << 2;
        QTest::newRow("one long group is cut where it must")
            << QStringList{"P00.01", "P00.02", "P00.03", "P00.04"} << 3 << 3;
        QTest::newRow("a first group longer than a request")
            << QStringList{"P00.01", "P00.02", "P00.03", "P01.01"} << 2 << 2;
        QTest::newRow("numbers without a dot form their own group")
            << QStringList{"A", "A", "B", "B"} << 3 << 2;
        QTest::newRow("a request takes one read at least") << QStringList{"P00.01", "P00.02"} << 0 << 1;
    }

    void batchEndsWhereAGroupEnds()
    {
        QFETCH(QStringList, queued);
        QFETCH(int, maxItems);
        QFETCH(int, taken);
        QServoReadQueue queue;
        for (int i = 0; i < queued.size(); ++i) {
            queue.enqueue(queued.at(i), i); // same number twice on different axes is two reads
        }
        const QDriveValueList batch = queue.takeBatch(maxItems);
        QCOMPARE(batch.size(), taken);
        QCOMPARE(queue.pendingCount(), queued.size() - taken);
        for (int i = 0; i < batch.size(); ++i) {
            QCOMPARE(batch.at(i).funIndex, queued.at(i)); // in queue order
        }
    }

    // A read that waits or is with the drive is not queued again; once answered, dropped, forgotten (the
    // link came back: those answers will not come) or cleared it may be.
    void eachReadIsQueuedOnce()
    {
        QServoReadQueue queue;
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(queue.enqueue("P00.01", axis)); // the same number on another axis is another read
        }
        QVERIFY(!queue.enqueue("P00.01", 0));
        QCOMPARE(queue.dropQueued([](const QServoReadQueue::Entry& e) { return e.axis == 1; }), 1);
        QVERIFY(queue.enqueue("P00.01", 1));
        const QDriveValueList batch = queue.takeBatch(10);
        queue.setInFlight(7);
        QVERIFY(!queue.enqueue("P00.01", 0)); // with the drive
        QVERIFY(queue.enqueue("P00.02", 0));
        queue.answered(6, {}); // an older request's answer changes nothing
        QVERIFY(queue.hasInFlight());
        queue.answered(7, batch);
        QVERIFY(!queue.hasInFlight());
        QVERIFY(queue.enqueue("P00.01", 0));
        const QDriveValueList next = queue.takeBatch(10);
        QCOMPARE(next.size(), 2);
        QVERIFY(next.at(0).funIndex == "P00.02" && next.at(1).funIndex == "P00.01");
        QVERIFY(next.at(0).axis == 0 && next.at(1).axis == 0);
        queue.setInFlight(8);
        queue.forgetInFlight();
        QVERIFY(queue.enqueue("P00.01", 0));
        queue.clearQueued();
        QVERIFY(!queue.isBusy());
        QVERIFY(queue.enqueue("P00.01", 0));
    }
};

QTEST_GUILESS_MAIN(tst_QServoReadQueue)
#include "tst_QServoReadQueue.moc"
