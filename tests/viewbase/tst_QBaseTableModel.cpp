#include "QBaseTableModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class tst_QBaseTableModel : public QObject
{
    Q_OBJECT

private slots:
    void headers();
    void headerChangeKeepsOrResetsColumns();
    void rowOperations_data();
    void rowOperations();
    void insertFrontAnnouncesRowZero();
    void dataOfShortRowsAndOtherRoles();
    void clearEmptyModelIsSilent();
    void alternatingBackground();
    void defaultDeviceMapping();
};

namespace {
const QStringList kHeads = {QStringLiteral("Time"), QStringLiteral("Number"), QStringLiteral("Value")};

QStringList row(const QString& tag)
{
    return {tag + QStringLiteral("-t"), tag + QStringLiteral("-n"), tag + QStringLiteral("-v")};
}

QStringList firstColumn(const QBaseTableModel& model)
{
    QStringList texts;
    for (int r = 0; r < model.rowCount(); ++r) {
        texts << model.index(r, 0).data().toString();
    }
    return texts;
}
} // namespace

void tst_QBaseTableModel::headers()
{
    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList(kHeads);
    QCOMPARE(model.getHeadList(), kHeads);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Number"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Number"));
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());
    QCOMPARE(model.headerData(0, Qt::Vertical).toInt(), 1);
    QCOMPARE(model.headerData(4, Qt::Vertical).toInt(), 5);
}

void tst_QBaseTableModel::headerChangeKeepsOrResetsColumns()
{
    qRegisterMetaType<Qt::Orientation>();
    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList(kHeads);
    model.setModelData({row("a")});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy headerChanges(&model, &QAbstractItemModel::headerDataChanged);

    model.setHeadList({"T", "N", "V"});
    QCOMPARE(resets.count(), 0);
    QCOMPARE(headerChanges.count(), 1);
    QCOMPARE(headerChanges.at(0).at(0).value<Qt::Orientation>(), Qt::Horizontal);
    QCOMPARE(headerChanges.at(0).at(1).toInt(), 0);
    QCOMPARE(headerChanges.at(0).at(2).toInt(), 2);

    model.setHeadList({"T", "N"});
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.columnCount(), 2);

    model.setHeadList({"T", "N"});
    QCOMPARE(resets.count(), 1);
    QCOMPARE(headerChanges.count(), 1);
}

void tst_QBaseTableModel::rowOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expectedFirstColumn");
    QTest::addColumn<int>("resets");
    QTest::addColumn<int>("inserts");

    QTest::newRow("set replaces all") << "set" << QStringList{"x-t", "y-t"} << 1 << 0;
    QTest::newRow("insert front") << "front" << QStringList{"x-t", "a-t", "b-t"} << 0 << 1;
    QTest::newRow("insert back") << "back" << QStringList{"a-t", "b-t", "x-t"} << 0 << 1;
    QTest::newRow("clear") << "clear" << QStringList{} << 1 << 0;
    QTest::newRow("refresh keeps rows") << "refresh" << QStringList{"a-t", "b-t"} << 1 << 0;
}

void tst_QBaseTableModel::rowOperations()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, expectedFirstColumn);
    QFETCH(int, resets);
    QFETCH(int, inserts);

    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList(kHeads);
    model.setModelData({row("a"), row("b")});
    QSignalSpy resetSpy(&model, &QAbstractItemModel::modelReset);
    QSignalSpy insertSpy(&model, &QAbstractItemModel::rowsInserted);

    if (operation == "set") {
        model.setModelData({row("x"), row("y")});
    } else if (operation == "front") {
        model.insertFrontData(row("x"));
    } else if (operation == "back") {
        model.insertBackData(row("x"));
    } else if (operation == "clear") {
        model.clearData();
    } else if (operation == "refresh") {
        model.refreshAll();
    }

    QCOMPARE(firstColumn(model), expectedFirstColumn);
    QCOMPARE(model.rowCount(), expectedFirstColumn.size());
    QCOMPARE(model.getModelData().size(), expectedFirstColumn.size());
    QCOMPARE(resetSpy.count(), resets);
    QCOMPARE(insertSpy.count(), inserts);
}

void tst_QBaseTableModel::insertFrontAnnouncesRowZero()
{
    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList(kHeads);
    model.setModelData({row("a")});
    QSignalSpy insertSpy(&model, &QAbstractItemModel::rowsInserted);
    model.insertFrontData(row("new"));
    model.insertBackData(row("old"));
    QCOMPARE(insertSpy.count(), 2);
    QCOMPARE(insertSpy.at(0).at(1).toInt(), 0);
    QCOMPARE(insertSpy.at(0).at(2).toInt(), 0);
    QCOMPARE(insertSpy.at(1).at(1).toInt(), 2);
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("new-v"));
}

void tst_QBaseTableModel::dataOfShortRowsAndOtherRoles()
{
    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList(kHeads);
    model.setModelData({{"only"}});
    QCOMPARE(model.index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("only"));
    QCOMPARE(model.index(0, 2).data().toString(), QString());
    QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).isValid());
    QCOMPARE(model.flags(model.index(0, 0)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(model.flags(QModelIndex()), Qt::NoItemFlags);
}

void tst_QBaseTableModel::clearEmptyModelIsSilent()
{
    QBaseTableModel model;
    model.setHeadList(kHeads);
    QSignalSpy resetSpy(&model, &QAbstractItemModel::modelReset);
    model.clearData();
    QCOMPARE(resetSpy.count(), 0);
}

void tst_QBaseTableModel::alternatingBackground()
{
    QVERIFY(QBaseTableModel::getBGColorByRow(0) != QBaseTableModel::getBGColorByRow(1));
    QCOMPARE(QBaseTableModel::getBGColorByRow(0), QBaseTableModel::getBGColorByRow(2));
    QCOMPARE(QBaseTableModel::getBGColorByRow(1), QBaseTableModel::getBGColorByRow(3));
}

void tst_QBaseTableModel::defaultDeviceMapping()
{
    QBaseTableModel model;
    model.setDevice(QStringLiteral("Drive1"));
    QCOMPARE(model.rowToDevice(7), qMakePair(QString(), 7));
}

QTEST_MAIN(tst_QBaseTableModel)
#include "tst_QBaseTableModel.moc"
