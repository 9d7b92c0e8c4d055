#include "QFunCodeRelateParamModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class tst_QFunCodeRelateParamModel : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndChangedValues();
};

void tst_QFunCodeRelateParamModel::rowsAndChangedValues()
{
    using M = QFunCodeRelateParamModel;
    M model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setRows(
        {{"P00.01", "Rated current", "2.80", "4.50", "A"}, {"P00.02", "Rated speed", "3000", "3000", "rpm"}});
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, M::COL_AFTER).data().toString(), QStringLiteral("3000"));
    QVERIFY(!(model.flags(model.index(0, M::COL_AFTER)) & Qt::ItemIsEditable));
    // Only a value that changed stands out.
    QVERIFY(model.index(0, M::COL_AFTER).data(Qt::ForegroundRole).isValid());
    QVERIFY(!model.index(1, M::COL_AFTER).data(Qt::ForegroundRole).isValid());
    QVERIFY(!model.index(0, M::COL_BEFORE).data(Qt::ForegroundRole).isValid());
    model.setRows({});
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(tst_QFunCodeRelateParamModel)
#include "tst_QFunCodeRelateParamModel.moc"
