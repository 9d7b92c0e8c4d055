#include "QFunCodeRelateParamModel.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QtTest>

class tst_QFunCodeRelateParamModel : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreShownAsGiven();
    void changedValueStandsOut_data();
    void changedValueStandsOut();
};

void tst_QFunCodeRelateParamModel::rowsAreShownAsGiven()
{
    QFunCodeRelateParamModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QCOMPARE(model.rowCount(), 0);
    model.setRows(
        {{"P00.01", "Rated current", "2.80", "4.50", "A"}, {"P00.02", "Rated speed", "3000", "3000", "rpm"}});
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), int(QFunCodeRelateParamModel::COL_COUNT));
    const QStringList second{"P00.02", "Rated speed", "3000", "3000", "rpm"};
    for (int column = 0; column < second.size(); ++column) {
        QCOMPARE(model.index(1, column).data().toString(), second.at(column));
    }
    QVERIFY(!(model.flags(model.index(0, QFunCodeRelateParamModel::COL_AFTER)) & Qt::ItemIsEditable));
    model.setRows({});
    QCOMPARE(model.rowCount(), 0);
}

void tst_QFunCodeRelateParamModel::changedValueStandsOut_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("changed") << "2.80"
                             << "4.50" << true;
    QTest::newRow("unchanged") << "3000"
                               << "3000" << false;
}

void tst_QFunCodeRelateParamModel::changedValueStandsOut()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, highlighted);

    QFunCodeRelateParamModel model;
    QAbstractItemModelTester tester(&model);
    model.setRows({{"P00.01", "Rated current", before, after, "A"}});
    QCOMPARE(model.index(0, QFunCodeRelateParamModel::COL_AFTER).data(Qt::ForegroundRole).isValid(),
             highlighted);
    QVERIFY(!model.index(0, QFunCodeRelateParamModel::COL_BEFORE).data(Qt::ForegroundRole).isValid());
}

QTEST_MAIN(tst_QFunCodeRelateParamModel)
#include "tst_QFunCodeRelateParamModel.moc"
