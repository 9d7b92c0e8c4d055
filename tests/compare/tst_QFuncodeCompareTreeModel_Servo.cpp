#include "QFuncodeCompareTreeModel_Servo.h"
#include "QTestHost.h"

#include <QBrush>
#include <QSize>
#include <QtTest>

using M = QFuncodeCompareTreeModel_Servo;

// The compare tree: group nodes by first word in list order, red unequal rows and red group titles.
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

    static QStringList header() { return {"No.", "Name", "X(A)", "Y(A)", "Z(A)", "X(B)", "Y(B)", "Z(B)"}; }

    static QStringList titles(const M& model)
    {
        QStringList list;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex group = model.index(row, 0);
            list << QStringLiteral("%1:%2").arg(group.data().toString()).arg(model.rowCount(group));
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
        M model;
        QTestHost::checkModel(&model);
        model.setHeader(header());
        QList<tagCompareFuncode_Servo*> list;
        for (int i = 0; i < groups.size(); ++i) {
            list << record(groups.at(i), QString::number(i), true);
        }
        model.setCompareData(list);
        QCOMPARE(titles(model), expected);
        // Rows keep the list order across the groups.
        QStringList numbers;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex group = model.index(row, 0);
            QCOMPARE(model.parent(group), QModelIndex());
            for (int child = 0; child < model.rowCount(group); ++child) {
                QCOMPARE(model.parent(model.index(child, 3, group)), group);
                numbers << model.index(child, 0, group).data().toString();
            }
        }
        QCOMPARE(numbers.size(), groups.size());
        for (int i = 0; i < numbers.size(); ++i) {
            QCOMPARE(numbers.at(i), QString::number(i));
        }
    }

    void cellsShowBothSources_data()
    {
        QTest::addColumn<QStringList>("textsA");
        QTest::addColumn<QStringList>("textsB");
        QTest::addColumn<QStringList>("cells"); // columns 0 to 7 of the code row
        QTest::newRow("both") << QStringList{"1", "2", "3"} << QStringList{"4", "5", "6"}
                              << QStringList{"P0.01", "name P0.01", "1", "2", "3", "4", "5", "6"};
        QTest::newRow("only in B") << QStringList{"", "", ""} << QStringList{"4", "5", "6"}
                                   << QStringList{"P0.01", "name P0.01", "", "", "", "4", "5", "6"};
        QTest::newRow("texts missing entirely")
            << QStringList{} << QStringList{"7"}
            << QStringList{"P0.01", "name P0.01", "", "", "", "7", "", ""};
    }

    void cellsShowBothSources()
    {
        QFETCH(QStringList, textsA);
        QFETCH(QStringList, textsB);
        QFETCH(QStringList, cells);
        M model;
        QTestHost::checkModel(&model);
        model.setHeader(header());
        model.setCompareData({record("P0 Basic", "P0.01", false, textsA, textsB)});
        const QModelIndex group = model.index(0, 0);
        for (int column = 0; column < M::COL_COUNT; ++column) {
            const QModelIndex cell = model.index(0, column, group);
            QCOMPARE(cell.data().toString(), cells.at(column));
            QCOMPARE(cell.data(Qt::ToolTipRole).toString(), cells.at(column));
            QCOMPARE(cell.data(Qt::SizeHintRole).toSize(), QSize(220, 20));
            QCOMPARE(cell.flags(), Qt::ItemIsEnabled);
            QVERIFY(!cell.data(Qt::EditRole).isValid());
            if (column > 0) {
                QCOMPARE(model.index(0, column).data().toString(), QString()); // group row
            }
        }
    }

    void differencesAreRed_data()
    {
        QTest::addColumn<QList<bool>>("equal"); // equal flags of the rows of one group
        QTest::newRow("all equal") << QList<bool>{true, true};
        QTest::newRow("one unequal") << QList<bool>{true, false};
        QTest::newRow("all unequal") << QList<bool>{false, false};
    }

    void differencesAreRed()
    {
        QFETCH(QList<bool>, equal);
        M model;
        model.setHeader(header());
        QList<tagCompareFuncode_Servo*> list;
        for (int i = 0; i < equal.size(); ++i) {
            list << record("P0 Basic", QString::number(i), equal.at(i));
        }
        model.setCompareData(list);
        const QBrush red(Qt::red, Qt::SolidPattern);
        const QModelIndex group = model.index(0, 0);
        const bool groupRed = equal.contains(false);
        QCOMPARE(group.data(Qt::ForegroundRole).isValid(), groupRed);
        if (groupRed) {
            QCOMPARE(group.data(Qt::ForegroundRole).value<QBrush>(), red);
        }
        QVERIFY(!model.index(0, 1).data(Qt::ForegroundRole).isValid());
        for (int row = 0; row < equal.size(); ++row) {
            for (int column = 0; column < M::COL_COUNT; ++column) {
                const QVariant colour = model.index(row, column, group).data(Qt::ForegroundRole);
                QCOMPARE(colour.isValid(), !equal.at(row));
                if (colour.isValid()) {
                    QCOMPARE(colour.value<QBrush>(), red);
                }
            }
        }
    }

    void headerFollowsTheGivenTexts()
    {
        M model;
        QTestHost::checkModel(&model);
        QCOMPARE(model.columnCount(), 0);
        QVERIFY(!model.headerData(0, Qt::Horizontal).isValid());
        model.setHeader(header());
        model.setCompareData({});
        QCOMPARE(model.columnCount(), 8);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("X(A)"));
        QCOMPARE(model.headerData(7, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Z(B)"));
        QVERIFY(!model.headerData(8, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(!model.index(0, 0).isValid());
        QVERIFY(!model.index(-1, 0).isValid());
    }

    void replacingTheDataReplacesTheTree()
    {
        M model;
        QTestHost::checkModel(&model);
        model.setHeader(header());
        model.setCompareData({record("P0 A", "1", false), record("P1 B", "2", true)});
        QCOMPARE(model.rowCount(), 2);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.setCompareData({record("P2 C", "3", true)});
        QCOMPARE(reset.count(), 1);
        QCOMPARE(titles(model), QStringList{"P2 C:1"});
        QVERIFY(!model.groupDiffers(model.index(0, 0)));
        QVERIFY(model.isGroup(model.index(0, 0)));
        QCOMPARE(model.recordAt(model.index(0, 0, model.index(0, 0)))->funIndex, QStringLiteral("3"));
    }
};

QTEST_MAIN(tst_QFuncodeCompareTreeModel_Servo)
#include "tst_QFuncodeCompareTreeModel_Servo.moc"
