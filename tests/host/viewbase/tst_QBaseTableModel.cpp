#include "QBaseTableModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class tst_QBaseTableModel : public QObject
{
    Q_OBJECT

private slots:
    void headers();
    void rowOperations();
};

namespace {
QStringList row(const QString& tag)
{
    return {tag + "-t", tag + "-n", tag + "-v"};
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
    qRegisterMetaType<Qt::Orientation>();
    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList({"Time", "Number", "Value"});
    model.setModelData({row("a")});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy headerChanges(&model, &QAbstractItemModel::headerDataChanged);
    model.setHeadList({"T", "N", "V"}); // same width: only the texts change
    QCOMPARE(resets.count(), 0);
    QCOMPARE(headerChanges.count(), 1);
    QCOMPARE(headerChanges.at(0).at(2).toInt(), 2);
    model.setHeadList({"T", "N"});
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.columnCount(), 2);
    model.setHeadList({"T", "N"});
    QCOMPARE(resets.count() + headerChanges.count(), 2);
}

void tst_QBaseTableModel::rowOperations()
{
    QBaseTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeadList({"Time", "Number", "Value"});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    model.clearData(); // nothing to clear: silent
    QCOMPARE(resets.count(), 0);

    model.setModelData({row("a"), row("b")});
    model.insertFrontData(row("x"));
    model.insertBackData(row("y"));
    QCOMPARE(firstColumn(model), (QStringList{"x-t", "a-t", "b-t", "y-t"}));
    QCOMPARE(resets.count(), 1);
    QCOMPARE(inserts.count(), 2);
    QCOMPARE(inserts.at(0).at(1).toInt() + inserts.at(0).at(2).toInt(), 0);
    QCOMPARE(inserts.at(1).at(1).toInt(), 3);
    model.refreshAll();
    QCOMPARE(resets.count(), 2);
    model.clearData();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(resets.count(), 3);
    model.setModelData({{"short row"}});
    QCOMPARE(model.index(0, 2).data().toString(), QString());
}

QTEST_MAIN(tst_QBaseTableModel)
#include "tst_QBaseTableModel.moc"
