// The servo batch-download tree: its value columns for a source and the default column. Which codes and
// axis cells it marks as differing from the selected drive is the framework model's rule
// (tst_QFunOperationModel::highlightsCodesThatDiffer).

#include "BatchUnits.h"
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
};

QTEST_MAIN(tst_QServoFunOperationModel)
#include "tst_QServoFunOperationModel.moc"
