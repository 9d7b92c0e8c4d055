#include "QRegisterBlockPlanner.h"

#include <QtTest>

typedef QVector<QRegisterSpan> Spans;
typedef QList<QPair<int, int>> Ranges; // address, count of each block

Q_DECLARE_METATYPE(Spans)
Q_DECLARE_METATYPE(Ranges)

class tst_QRegisterBlockPlanner : public QObject
{
    Q_OBJECT

private slots:
    void plansFewestBlocks_data()
    {
        QTest::addColumn<Spans>("spans");
        QTest::addColumn<int>("maxRegisters");
        QTest::addColumn<int>("maxGap");
        QTest::addColumn<Ranges>("blocks");

        auto row = [](const char* name, const Spans& spans, int maxRegisters, int maxGap,
                      const Ranges& blocks) {
            QTest::newRow(name) << spans << maxRegisters << maxGap << blocks;
        };
        row("nothing", Spans(), 125, 16, Ranges());
        row("consecutive codes of mixed width", Spans{{10, 1}, {11, 2}, {13, 4}, {17, 1}}, 125, 0,
            Ranges{{10, 8}});
        row("unsorted input", Spans{{17, 1}, {10, 1}, {13, 4}, {11, 2}}, 125, 0, Ranges{{10, 8}});
        row("small gap read through", Spans{{0, 1}, {5, 1}}, 125, 16, Ranges{{0, 6}});
        row("gap wider than allowed", Spans{{0, 1}, {20, 1}}, 125, 16, Ranges{{0, 1}, {20, 1}});
        row("gap exactly allowed", Spans{{0, 1}, {17, 1}}, 125, 16, Ranges{{0, 18}});
        row("groups 1024 apart stay apart", Spans{{1023, 1}, {1024, 1}, {2048, 2}}, 125, 16,
            Ranges{{1023, 2}, {2048, 2}});
        row("read limit of 125", Spans{{0, 100}, {100, 25}, {125, 1}}, 125, 0, Ranges{{0, 125}, {125, 1}});
        row("write limit of 123", Spans{{0, 120}, {120, 3}, {123, 2}}, 123, 0, Ranges{{0, 123}, {123, 2}});
        row("a wide code never split", Spans{{0, 123}, {123, 4}}, 125, 0, Ranges{{0, 123}, {123, 4}});
        row("repeated code rides along", Spans{{7, 2}, {7, 2}, {9, 1}}, 125, 0, Ranges{{7, 3}});
        row("top of the address space", Spans{{65534, 2}}, 125, 0, Ranges{{65534, 2}});
    }

    void plansFewestBlocks()
    {
        QFETCH(Spans, spans);
        QFETCH(int, maxRegisters);
        QFETCH(int, maxGap);
        QFETCH(Ranges, blocks);
        QCOMPARE(rangesOf(QRegisterBlockPlanner(maxRegisters, maxGap).plan(spans)), blocks);
    }

    void everyValidSpanIsCarriedOnce()
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

    // Writes never cross a gap and carry at most 123 registers; reads carry up to 125.
    void plannersForReadsAndWrites()
    {
        const Spans spans{{0, 2}, {2, 2}, {5, 1}, {6, 4}};
        const QList<QRegisterBlock> blocks = QRegisterBlockPlanner::forWrites().plan(spans);
        QCOMPARE(rangesOf(blocks), (Ranges{{0, 4}, {5, 5}}));
        QCOMPARE(blocks.at(1).members, (QList<int>{2, 3}));
        const Spans run{{0, 120}, {120, 4}, {124, 1}};
        QCOMPARE(rangesOf(QRegisterBlockPlanner::forWrites().plan(run)), (Ranges{{0, 120}, {120, 5}}));
        QCOMPARE(rangesOf(QRegisterBlockPlanner::forReads().plan(run)), (Ranges{{0, 125}}));
    }

private:
    static Ranges rangesOf(const QList<QRegisterBlock>& blocks)
    {
        Ranges ranges;
        for (const QRegisterBlock& b : blocks) {
            ranges.append({b.address, b.count});
        }
        return ranges;
    }
};

QTEST_GUILESS_MAIN(tst_QRegisterBlockPlanner)
#include "tst_QRegisterBlockPlanner.moc"
