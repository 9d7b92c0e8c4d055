// The batch-download tree: groups and codes below one title, tri-state check boxes, the checked codes,
// highlighting of codes that differ from the current drive, and the model's consistency.

#include "BatchUnits.h"
#include "FunTreeItem.h"
#include "FuncodeRows.h"
#include "QFunOperationModel.h"
#include "QTestHost.h"

#include <QtTest>

namespace {
QList<FunOperationDataUnitPtr> sample()
{
    return {batchUnit("P0 Basic", "P0.00", {1}), batchUnit("P0 Basic", "P0.01", {2}),
            batchUnit("P1 Gains", "P1.00", {3}), batchUnit("P0 Basic", "P0.02", {4}),
            batchUnit("P1 Gains", "P1.01", {5})};
}
} // namespace

class tst_QFunOperationModel : public QObject
{
    Q_OBJECT

private slots:
    void buildsTitleGroupsAndCodes()
    {
        QFunOperationModel* model = newModel(sample());
        QCOMPARE(model->rowCount(), 1);
        const QModelIndex top = model->topIndex();
        QCOMPARE(top.data().toString(), QString("codes"));
        QCOMPARE(model->rowCount(top), 2); // groups in the order they first come
        QCOMPARE(model->index(0, 0, top).data().toString(), QString("P0 Basic"));
        const QModelIndex p0 = model->index(0, 0, top);
        QCOMPARE(model->rowCount(p0), 3);
        QCOMPARE(model->index(2, 0, p0).data().toString(), QString("P0.02"));
        QCOMPARE(model->index(2, 1, p0).data().toString(), QString("Name of P0.02"));
        QCOMPARE(model->index(2, 2, p0).data().toString(), QString("4"));
        QCOMPARE(model->checkedCount(), 5);
        QVERIFY(model->flags(model->index(0, 0, p0)) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model->flags(model->index(0, 1, p0)) & Qt::ItemIsUserCheckable));
    }

    void checkStatesFollowTheTree_data()
    {
        QTest::addColumn<QList<int>>("path"); // rows from the title down; empty: the title
        QTest::addColumn<int>("checkedAfter");
        QTest::addColumn<int>("titleState");
        QTest::addColumn<int>("firstGroupState");

        QTest::newRow("one code") << QList<int>{0, 1} << 4 << int(Qt::PartiallyChecked)
                                  << int(Qt::PartiallyChecked);
        QTest::newRow("a group") << QList<int>{0} << 2 << int(Qt::PartiallyChecked) << int(Qt::Unchecked);
        QTest::newRow("the title") << QList<int>{} << 0 << int(Qt::Unchecked) << int(Qt::Unchecked);
        QTest::newRow("other group") << QList<int>{1} << 3 << int(Qt::PartiallyChecked) << int(Qt::Checked);
    }

    void checkStatesFollowTheTree()
    {
        QFETCH(QList<int>, path);
        QFETCH(int, checkedAfter);
        QFETCH(int, titleState);
        QFETCH(int, firstGroupState);

        QFunOperationModel* model = newModel(sample());
        QSignalSpy counts(model, &QFunOperationModel::checkedCountChanged);
        QModelIndex index = model->topIndex();
        for (int row : path) {
            index = model->index(row, 0, index);
        }
        QVERIFY(model->setData(index, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(model->checkedCount(), checkedAfter);
        QCOMPARE(counts.last().first().toInt(), checkedAfter);
        QCOMPARE(model->topIndex().data(Qt::CheckStateRole).toInt(), titleState);
        QCOMPARE(model->index(0, 0, model->topIndex()).data(Qt::CheckStateRole).toInt(), firstGroupState);
        // Checking again restores everything below.
        model->setData(index, Qt::Checked, Qt::CheckStateRole);
        QCOMPARE(model->checkedCount(), 5);
        QCOMPARE(model->topIndex().data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(!model->setData(model->index(0, 1, model->topIndex()), Qt::Unchecked, Qt::CheckStateRole));
    }

    void highlightsCodesThatDiffer_data()
    {
        QTest::addColumn<QList<qint64>>("current");
        QTest::addColumn<QList<bool>>("known");
        QTest::addColumn<QList<int>>("axes"); // marked; the code is highlighted when any is

        // The unit holds 10, 11, 12 on X, Y, Z.
        QTest::newRow("no current drive") << QList<qint64>{} << QList<bool>{} << QList<int>{};
        QTest::newRow("all equal") << QList<qint64>{10, 11, 12} << QList<bool>{true, true, true}
                                   << QList<int>{};
        QTest::newRow("Y differs") << QList<qint64>{10, 99, 12} << QList<bool>{true, true, true}
                                   << QList<int>{1};
        QTest::newRow("X unknown") << QList<qint64>{10, 11, 12} << QList<bool>{false, true, true}
                                   << QList<int>{0};
        QTest::newRow("drive with one axis") << QList<qint64>{10} << QList<bool>{true} << QList<int>{1, 2};
    }

    void highlightsCodesThatDiffer()
    {
        QFETCH(QList<qint64>, current);
        QFETCH(QList<bool>, known);
        QFETCH(QList<int>, axes);
        const bool highlighted = !axes.isEmpty();
        FunOperationDataUnitPtr u = batchUnit("P0 Basic", "P0.00", {10, 11, 12});
        u->setCurDevValues(current, known);
        QFunOperationModel* model = newModel({u});
        const QModelIndex group = model->index(0, 0, model->topIndex());
        const QModelIndex code = model->index(0, 0, group);
        QCOMPARE(model->itemOf(code)->isHighLight(), highlighted);
        QCOMPARE(model->itemOf(group)->isHighLight(), highlighted);
        QCOMPARE(code.data(Qt::ForegroundRole).isValid(), highlighted);
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(model->index(0, 2 + axis, group).data(Qt::BackgroundRole).isValid(),
                     axes.contains(axis));
        }
    }

    void selectDifferingChecksOnlyThem()
    {
        QList<FunOperationDataUnitPtr> units = sample();
        for (const FunOperationDataUnitPtr& u : units) {
            const qint64 cur = u->funIndex == "P1.00" || u->funIndex == "P0.01" ? 0 : u->values.first();
            u->setCurDevValues({cur}, {true});
        }
        QFunOperationModel* model = newModel(units);
        model->selectDiffering();
        QCOMPARE(FuncodeRows::numbersOf(model->checkedUnits()), (QStringList{"P0.01", "P1.00"}));
        QCOMPARE(model->topIndex().data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
        model->setAllChecked(false);
        QCOMPARE(model->checkedCount(), 0);
        model->setAllChecked(true);
        QCOMPARE(model->checkedCount(), 5);
    }

    void fillsFromARecordAndBack_data()
    {
        QTest::addColumn<int>("axisNum");
        QTest::addColumn<QList<qint64>>("values");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("three axes keep their own values")
            << 3 << QList<qint64>{100, 200, 300} << QStringList{"1.00", "2.00", "3.00"};
        QTest::newRow("one axis takes only X") << 1 << QList<qint64>{-5} << QStringList{"-0.05"};
        QTest::newRow("64-bit raw value") << 1 << QList<qint64>{9000000000000LL} << QStringList{"x"};
        QTest::newRow("axis count out of range: three")
            << 7 << QList<qint64>{1, 2, 3} << QStringList{"a", "b", "c"};
    }

    void fillsFromARecordAndBack()
    {
        QFETCH(int, axisNum);
        QFETCH(QList<qint64>, values);
        QFETCH(QStringList, texts);

        tagExportFuncode_Servo record;
        record.canopenAddr = 8192;
        record.usbCode = 17;
        record.funIndex = "P0.05";
        record.axisNum = axisNum;
        record.curValue = {{1, 2, 3}};
        for (int axis = 0; axis < values.size(); ++axis) {
            record.curValue[static_cast<size_t>(axis)] = values.at(axis);
        }
        record.valueTexts = texts;
        FunOperationDataUnit u;
        u.setFromExportFuncode(record);
        QCOMPARE(u.values, values);
        QCOMPARE(u.valueTexts, texts);
        QCOMPARE(u.canopenAddr, 8192);
        QCOMPARE(u.usbCode, 17);
        const tagExportFuncodePtr_Servo back = u.toExportFuncode();
        QCOMPARE(back->axisNum, values.size());
        for (int axis = 0; axis < values.size(); ++axis) {
            QCOMPARE(back->curValue[static_cast<size_t>(axis)], values.at(axis));
        }
        QCOMPARE(back->valueTexts, texts);
    }

private:
    QFunOperationModel* newModel(const QList<FunOperationDataUnitPtr>& units)
    {
        auto* model = new QFunOperationModel(this);
        QTestHost::checkModel(model);
        model->setHeadList({"number", "name", "X", "Y", "Z"});
        model->setParentItemTitle("codes");
        model->load(units);
        return model;
    }
};

QTEST_MAIN(tst_QFunOperationModel)
#include "tst_QFunOperationModel.moc"
