#include "QBaseTableModel.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

class tst_QBaseTableModel : public QObject
{
    Q_OBJECT

    static QStringList row(const QString& tag) { return {tag + "-t", tag + "-n", tag + "-v"}; }

private slots:
    void initTestCase() { qRegisterMetaType<Qt::Orientation>(); }

    // Texts of the same width change the header only; another width resets the model; the same texts do
    // nothing.
    void headers()
    {
        QBaseTableModel model;
        QTestHost::checkModel(&model);
        model.setHeadList({"Time", "Number", "Value"});
        model.setModelData({row("a")});
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy headerChanges(&model, &QAbstractItemModel::headerDataChanged);
        model.setHeadList({"T", "N", "V"});
        QCOMPARE(resets.count(), 0);
        QCOMPARE(headerChanges.count(), 1);
        QCOMPARE(headerChanges.at(0).at(2).toInt(), 2);
        model.setHeadList({"T", "N"});
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.columnCount(), 2);
        model.setHeadList({"T", "N"});
        QCOMPARE(resets.count() + headerChanges.count(), 2);
    }

    void rowOperations()
    {
        QBaseTableModel model;
        QTestHost::checkModel(&model);
        model.setHeadList({"Time", "Number", "Value"});
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        model.clearData(); // nothing to clear: silent
        QCOMPARE(resets.count(), 0);
        model.setModelData({row("a"), row("b")});
        model.insertFrontData(row("x"));
        model.insertBackData(row("y"));
        QStringList first;
        for (int r = 0; r < model.rowCount(); ++r) {
            first << model.index(r, 0).data().toString();
        }
        QCOMPARE(first, (QStringList{"x-t", "a-t", "b-t", "y-t"}));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 2);
        QCOMPARE(inserts.at(0).at(1).toInt() + inserts.at(0).at(2).toInt(), 0);
        QCOMPARE(inserts.at(1).at(1).toInt(), 3);
        model.refreshAll();
        model.clearData();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(resets.count(), 3);
        model.setModelData({{"short row"}}); // a short row shows empty cells
        QCOMPARE(model.index(0, 2).data().toString(), QString());
    }
};

QTEST_MAIN(tst_QBaseTableModel)
#include "tst_QBaseTableModel.moc"
