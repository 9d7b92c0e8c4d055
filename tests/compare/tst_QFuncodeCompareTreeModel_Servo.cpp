#include "QFuncodeCompareTreeModel_Servo.h"
#include "QTestHost.h"

#include <QBrush>
#include <QtTest>

using M = QFuncodeCompareTreeModel_Servo;

// The compare tree: group nodes by first word in list order, red differing rows, rows not compared in a
// colour of their own, and red group titles.
class tst_QFuncodeCompareTreeModel_Servo : public QObject
{
    Q_OBJECT

    QList<std::shared_ptr<tagCompareFuncode_Servo>> m_records;

    tagCompareFuncode_Servo* record(const QString& group, const QString& number, bool equal,
                                    const QStringList& textsA = {"1", "2", "3"},
                                    const QStringList& textsB = {"1", "2", "3"})
    {
        auto r = std::make_shared<tagCompareFuncode_Servo>();
        r->group = group;
        r->funIndex = number;
        r->funName = "name " + number;
        r->textsA = textsA;
        r->textsB = textsB;
        r->equal = equal;
        m_records.append(r);
        return r.get();
    }

    // A model with eight columns, run through the model tester for as long as it lives.
    static std::unique_ptr<M> makeModel()
    {
        auto model = std::make_unique<M>();
        QTestHost::checkModel(model.get());
        model->setHeader({"No.", "Name", "X(A)", "Y(A)", "Z(A)", "X(B)", "Y(B)", "Z(B)"});
        return model;
    }

    // "title:rows" of every group node, and the numbers of the rows in tree order.
    static QStringList titles(const M& model, QStringList* numbers = nullptr)
    {
        QStringList list;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex group = model.index(row, 0);
            list << QStringLiteral("%1:%2").arg(group.data().toString()).arg(model.rowCount(group));
            for (int child = 0; numbers && child < model.rowCount(group); ++child) {
                *numbers << model.index(child, 0, group).data().toString();
            }
        }
        return list;
    }

private slots:
    void init() { m_records.clear(); }

    void groupsFollowTheListByFirstWord_data()
    {
        QTest::addColumn<QStringList>("groups"); // group text of each record, in list order
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty list, empty tree") << QStringList{} << QStringList{};
        QTest::newRow("one group") << QStringList{"P0 Basic", "P0 Basic"} << QStringList{"P0 Basic:2"};
        QTest::newRow("first word shared: merged under the first title")
            << QStringList{"P0 Basic", "P0 Extra", "P0 Basic"} << QStringList{"P0 Basic:3"};
        QTest::newRow("a group that comes back opens a second node")
            << QStringList{"P0 Basic", "P1 Gains", "P0 Basic"}
            << QStringList{"P0 Basic:1", "P1 Gains:1", "P0 Basic:1"};
        QTest::newRow("prefix is not the first word")
            << QStringList{"P1 Gains", "P10 Limits"} << QStringList{"P1 Gains:1", "P10 Limits:1"};
        QTest::newRow("empty group text") << QStringList{"", ""} << QStringList{":2"};
    }

    void groupsFollowTheListByFirstWord()
    {
        QFETCH(QStringList, groups);
        QFETCH(QStringList, expected);
        const std::unique_ptr<M> model = makeModel();
        QList<tagCompareFuncode_Servo*> list;
        QStringList inOrder;
        for (int i = 0; i < groups.size(); ++i) {
            list << record(groups.at(i), QString::number(i), true);
            inOrder << QString::number(i);
        }
        model->setCompareData(list);
        QStringList numbers;
        QCOMPARE(titles(*model, &numbers), expected);
        QCOMPARE(numbers, inOrder); // rows keep the list order across the groups
        // New data replaces the tree as a whole.
        QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
        model->setCompareData({record("P2 C", "3", true)});
        QCOMPARE(reset.count(), 1);
        QCOMPARE(titles(*model), QStringList{"P2 C:1"});
    }

    void aRowShowsBothSourcesInTheColourOfItsOutcome_data()
    {
        QTest::addColumn<QStringList>("textsA");
        QTest::addColumn<QStringList>("textsB");
        QTest::addColumn<int>("outcome");       // 0 equal, 1 differing, 2 not compared
        QTest::addColumn<QStringList>("cells"); // columns 0 to 7 of the code row
        QTest::newRow("equal: plain") << QStringList{"1", "2", "3"} << QStringList{"1", "2", "3"} << 0
                                      << QStringList{"P0.01", "name P0.01", "1", "2", "3", "1", "2", "3"};
        QTest::newRow("only in B: red") << QStringList{"", "", ""} << QStringList{"4", "5", "6"} << 1
                                        << QStringList{"P0.01", "name P0.01", "", "", "", "4", "5", "6"};
        QTest::newRow("texts missing entirely: red")
            << QStringList{} << QStringList{"7"} << 1
            << QStringList{"P0.01", "name P0.01", "", "", "", "7", "", ""};
        QTest::newRow("not compared: neither plain nor red")
            << QStringList{"1", "2", "3"} << QStringList{"?", "?", "?"} << 2
            << QStringList{"P0.01", "name P0.01", "1", "2", "3", "?", "?", "?"};
    }

    // A result is read, never edited; a group with a row that is not equal has a red title.
    void aRowShowsBothSourcesInTheColourOfItsOutcome()
    {
        QFETCH(QStringList, textsA);
        QFETCH(QStringList, textsB);
        QFETCH(int, outcome);
        QFETCH(QStringList, cells);
        const std::unique_ptr<M> model = makeModel();
        tagCompareFuncode_Servo* r = record("P0 Basic", "P0.01", outcome == 0, textsA, textsB);
        r->notCompared = outcome == 2;
        model->setCompareData({r});
        const QModelIndex group = model->index(0, 0);
        const QBrush red(Qt::red, Qt::SolidPattern);
        QCOMPARE(group.data(Qt::ForegroundRole).value<QBrush>() == red, outcome != 0);
        for (int column = 0; column < M::COL_COUNT; ++column) {
            const QModelIndex cell = model->index(0, column, group);
            QCOMPARE(cell.data().toString(), cells.at(column));
            QCOMPARE(cell.data(Qt::ToolTipRole).toString(), cells.at(column));
            QCOMPARE(cell.flags(), Qt::ItemIsEnabled);
            const QVariant colour = cell.data(Qt::ForegroundRole);
            QCOMPARE(colour.isValid(), outcome != 0);
            QCOMPARE(colour.value<QBrush>() == red, outcome == 1);
            if (column > 0) {
                QCOMPARE(model->index(0, column).data().toString(), QString()); // group row
                QVERIFY(!model->index(0, column).data(Qt::ForegroundRole).isValid());
            }
        }
    }
};

QTEST_MAIN(tst_QFuncodeCompareTreeModel_Servo)
#include "tst_QFuncodeCompareTreeModel_Servo.moc"
