#include "QRegisterBlockPlanner.h"

#include <QRandomGenerator>
#include <QtTest>

typedef QVector<QRegisterSpan> Spans;
typedef QList<QPair<int, int>> Ranges; // address, count of each block

Q_DECLARE_METATYPE(Spans)
Q_DECLARE_METATYPE(Ranges)

class tst_QRegisterBlockPlanner : public QObject
{
    Q_OBJECT

private slots:
    void plansFewestBlocks_data();
    void plansFewestBlocks();
    void everyValidSpanIsCarriedOnce();
    void greedyMatchesTheOptimum();
    void writesNeverCrossAGap();

private:
    static Ranges rangesOf(const QList<QRegisterBlock>& blocks)
    {
        Ranges ranges;
        for (const QRegisterBlock& b : blocks) {
            ranges.append({b.address, b.count});
        }
        return ranges;
    }
    // The least number of blocks, by trying every cut (dynamic programming over the sorted spans).
    static int optimum(Spans spans, int maxRegisters, int maxGap)
    {
        std::sort(spans.begin(), spans.end(),
                  [](const QRegisterSpan& a, const QRegisterSpan& b) { return a.address < b.address; });
        const int n = spans.size();
        QVector<int> best(n + 1, INT_MAX);
        best[0] = 0;
        for (int end = 1; end <= n; ++end) {
            int reach = 0;
            for (int start = end - 1; start >= 0; --start) {
                reach = qMax(reach, spans.at(start).end());
                if (start < end - 1 && spans.at(start + 1).address - spans.at(start).end() > maxGap) {
                    break;
                }
                if (reach - spans.at(start).address > maxRegisters) {
                    break;
                }
                if (best[start] != INT_MAX) {
                    best[end] = qMin(best[end], best[start] + 1);
                }
            }
        }
        return best[n];
    }
};

void tst_QRegisterBlockPlanner::plansFewestBlocks_data()
{
    QTest::addColumn<Spans>("spans");
    QTest::addColumn<int>("maxRegisters");
    QTest::addColumn<int>("maxGap");
    QTest::addColumn<Ranges>("blocks");

    QTest::newRow("nothing") << Spans() << 125 << 16 << Ranges();
    QTest::newRow("consecutive codes of mixed width")
        << Spans{{10, 1}, {11, 2}, {13, 4}, {17, 1}} << 125 << 0 << Ranges{{10, 8}};
    QTest::newRow("unsorted input") << Spans{{17, 1}, {10, 1}, {13, 4}, {11, 2}} << 125 << 0
                                    << Ranges{{10, 8}};
    QTest::newRow("small gap read through") << Spans{{0, 1}, {5, 1}} << 125 << 16 << Ranges{{0, 6}};
    QTest::newRow("gap wider than allowed") << Spans{{0, 1}, {20, 1}} << 125 << 16 << Ranges{{0, 1}, {20, 1}};
    QTest::newRow("gap exactly allowed") << Spans{{0, 1}, {17, 1}} << 125 << 16 << Ranges{{0, 18}};
    QTest::newRow("no gaps for writes") << Spans{{0, 1}, {2, 1}} << 123 << 0 << Ranges{{0, 1}, {2, 1}};
    QTest::newRow("groups 1024 apart stay apart")
        << Spans{{1023, 1}, {1024, 1}, {2048, 2}} << 125 << 16 << Ranges{{1023, 2}, {2048, 2}};
    QTest::newRow("read limit of 125")
        << Spans{{0, 100}, {100, 25}, {125, 1}} << 125 << 0 << Ranges{{0, 125}, {125, 1}};
    QTest::newRow("write limit of 123")
        << Spans{{0, 120}, {120, 3}, {123, 2}} << 123 << 0 << Ranges{{0, 123}, {123, 2}};
    QTest::newRow("a wide code never split")
        << Spans{{0, 123}, {123, 4}} << 125 << 0 << Ranges{{0, 123}, {123, 4}};
    QTest::newRow("repeated code rides along") << Spans{{7, 2}, {7, 2}, {9, 1}} << 125 << 0 << Ranges{{7, 3}};
    QTest::newRow("top of the address space") << Spans{{65534, 2}} << 125 << 0 << Ranges{{65534, 2}};
}

void tst_QRegisterBlockPlanner::plansFewestBlocks()
{
    QFETCH(Spans, spans);
    QFETCH(int, maxRegisters);
    QFETCH(int, maxGap);
    QFETCH(Ranges, blocks);
    const QRegisterBlockPlanner planner(maxRegisters, maxGap);
    QCOMPARE(rangesOf(planner.plan(spans)), blocks);
}

void tst_QRegisterBlockPlanner::everyValidSpanIsCarriedOnce()
{
    const Spans spans{{5, 1}, {-1, 1}, {6, 0}, {65535, 2}, {0, 200}, {8, 2}};
    QList<int> rejected;
    const QList<QRegisterBlock> blocks = QRegisterBlockPlanner::forReads().plan(spans, &rejected);
    QCOMPARE(rejected, (QList<int>{1, 2, 3, 4}));
    QList<int> carried;
    for (const QRegisterBlock& block : blocks) {
        for (int member : block.members) {
            const QRegisterSpan& span = spans.at(member);
            QVERIFY(span.address >= block.address && span.end() <= block.end());
            carried.append(member);
        }
    }
    std::sort(carried.begin(), carried.end());
    QCOMPARE(carried, (QList<int>{0, 5}));
}

void tst_QRegisterBlockPlanner::greedyMatchesTheOptimum()
{
    QRandomGenerator random(1234);
    for (int round = 0; round < 300; ++round) {
        Spans spans;
        int address = random.bounded(50);
        const int n = 1 + random.bounded(60);
        for (int i = 0; i < n; ++i) {
            const int width = QList<int>{1, 1, 1, 2, 4}.at(random.bounded(5));
            spans.append({address, width});
            address += width + (random.bounded(4) == 0 ? random.bounded(40) : 0);
        }
        const int maxRegisters = 20 + random.bounded(110);
        const int maxGap = random.bounded(20);
        const int planned = QRegisterBlockPlanner(maxRegisters, maxGap).plan(spans).size();
        QCOMPARE(planned, optimum(spans, maxRegisters, maxGap));
        QVERIFY(planned <= QRegisterBlockPlanner::consecutiveBlockCount(spans, maxRegisters));
    }
}

void tst_QRegisterBlockPlanner::writesNeverCrossAGap()
{
    const Spans spans{{0, 2}, {2, 2}, {5, 1}, {6, 4}};
    const QList<QRegisterBlock> blocks = QRegisterBlockPlanner::forWrites().plan(spans);
    QCOMPARE(rangesOf(blocks), (Ranges{{0, 4}, {5, 5}}));
    QCOMPARE(blocks.at(1).members, (QList<int>{2, 3}));
}

QTEST_GUILESS_MAIN(tst_QRegisterBlockPlanner)
#include "tst_QRegisterBlockPlanner.moc"
