// The servo batch-download tree: its value columns for a source, the default column, and which codes and
// axis cells it marks as differing from the selected drive.

#include "BatchUnits.h"
#include "FunTreeItem.h"
#include "QServoFunOperationModel.h"
#include "QTestHost.h"

#include <QtTest>

namespace {
// A code of the group "P10 Limits" whose default is 7.
FunOperationDataUnitPtr unit(const QString& number, const QList<qint64>& values)
{
    FunOperationDataUnitPtr u = batchUnit("P10 Limits", number, values);
    u->defaultText = "7";
    return u;
}
} // namespace

class tst_QServoFunOperationModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void valueColumnsFollowTheSource_data()
    {
        QTest::addColumn<int>("axes");
        QTest::addColumn<bool>("showDefault");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("lastCell"); // of a code whose values are 1, 2, 3 and default 7
        QTest::newRow("one axis") << 1 << false << 3 << "1";
        QTest::newRow("axis count out of range") << 7 << false << 5 << "3";
        QTest::newRow("two axes and the defaults") << 2 << true << 5 << "7";
    }

    // Number, name, one value column per axis of the source (at most three), and the default when shown.
    void valueColumnsFollowTheSource()
    {
        QFETCH(int, axes);
        QFETCH(bool, showDefault);
        QFETCH(int, columns);
        QFETCH(QString, lastCell);
        QServoFunOperationModel model;
        QTestHost::checkModel(&model);
        model.setSourceLayout(showDefault, axes, showDefault);
        model.load({unit("P10.01", {1, 2, 3})});
        QCOMPARE(model.columnCount(), columns);
        const QModelIndex code = model.index(0, 0, model.index(0, 0, model.topIndex()));
        QCOMPARE(model.data(code.siblingAtColumn(columns - 1)).toString(), lastCell);
    }

    void marksWhatDiffersFromTheDrive_data()
    {
        QTest::addColumn<QList<bool>>("known"); // of the drive's values 1, 2, 3, the unit's too
        QTest::addColumn<QList<bool>>("axisMarked");
        // Which axes differ is the framework model's (tst_QFunOperationModel::highlightsCodesThatDiffer);
        // here the servo model's marks reach the cells and the selection.
        QTest::newRow("all equal") << QList<bool>{true, true, true} << QList<bool>{false, false, false};
        QTest::newRow("axis Y not read") << QList<bool>{true, false, true} << QList<bool>{false, true, false};
    }

    void marksWhatDiffersFromTheDrive()
    {
        QFETCH(QList<bool>, known);
        QFETCH(QList<bool>, axisMarked);
        const bool highlighted = axisMarked.contains(true);
        QServoFunOperationModel model;
        QTestHost::checkModel(&model);
        model.setSourceLayout(false, 3, false);
        FunOperationDataUnitPtr u = unit("P10.01", {1, 2, 3});
        u->setCurDevValues({1, 2, 3}, known);
        model.load({unit("P10.00", {1, 1, 1}), u});
        const QModelIndex group = model.index(0, 0, model.topIndex());
        const QModelIndex code = model.index(1, 0, group);
        QCOMPARE(model.itemOf(code)->isHighLight(), highlighted);
        QCOMPARE(model.itemOf(group)->isHighLight(), highlighted);
        QCOMPARE(model.data(code, Qt::ForegroundRole).isValid(), highlighted);
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(model.data(code.siblingAtColumn(2 + axis), Qt::BackgroundRole).isValid(),
                     axisMarked.at(axis));
        }
        model.selectDiffering();
        QCOMPARE(model.checkedCount(), highlighted ? 1 : 0);
    }
};

QTEST_MAIN(tst_QServoFunOperationModel)
#include "tst_QServoFunOperationModel.moc"
