#include "QDeviceManager.h"
#include "QFunCodeAxisValueModel.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QBrush>
#include <QtTest>

using M = QFunCodeAxisValueModel;

class tst_QFunCodeAxisValueModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        QVERIFY(QTestHost::readAll(QTestHost::addDrive("TST3", "three")));
        QVERIFY(QTestHost::addDrive("TST1", "one"));
    }
    void cleanup() { QTestHost::clearProject(); }

    // One row per axis of the drive; none for an unknown drive or code.
    void rowsFollowTheDrive()
    {
        M model;
        QTestHost::checkModel(&model);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        const QStringList cases{"three P00.01 3", "one P00.01 1", "three P99.99 0", "nobody P00.01 0"};
        for (const QString& c : cases) {
            model.setFuncode(c.section(' ', 0, 0), c.section(' ', 1, 1));
            QCOMPARE(model.rowCount(), c.section(' ', 2).toInt());
        }
        QCOMPARE(reset.count(), cases.size());
        model.setFuncode("three", "P00.01");
        QCOMPARE(model.index(0, M::COL_AXIS).data().toString(), QString("X"));
        QCOMPARE(model.index(2, M::COL_DEFAULT).data().toString(), QString("2.80"));
        // Never read: a dash, no number; stale: the last value, dim, its tooltip saying how old it is.
        model.setFuncode("one", "P00.01");
        QCOMPARE(model.index(0, M::COL_CUR_VALUE).data().toString(), QStringLiteral("\u2014"));
        QTestHost::link("three")->setOnline(false);
        model.setFuncode("three", "P00.01");
        QTRY_VERIFY(model.index(0, M::COL_CUR_VALUE).data(Qt::ForegroundRole).value<QBrush>().color() ==
                    Qt::gray);
        QCOMPARE(model.index(0, M::COL_CUR_VALUE).data().toString(), QString("2.80"));
        QVERIFY(model.index(0, M::COL_CUR_VALUE).data(Qt::ToolTipRole).toString() != QString("2.80"));
    }

    // Only the edit column of a code that may be written (rights 1 or 2) and has an editor.
    void editCellFlags_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("editable");
        QTest::newRow("decimal") << "P00.01" << true << true;
        QTest::newRow("write only") << "P00.08" << true << true;
        QTest::newRow("read only") << "P00.07" << true << false;
        QTest::newRow("factory") << "P00.06" << true << false;
        QTest::newRow("bits, no editor") << "P00.10" << true << false;
        QTest::newRow("modifying switched off") << "P00.01" << false << false;
    }

    void editCellFlags()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, enabled);
        QFETCH(bool, editable);
        M model;
        model.setFuncode("three", funIndex);
        model.setModifyEnabled(enabled);
        for (int column = 0; column < model.columnCount(); ++column) {
            const bool cellEditable = model.flags(model.index(0, column)) & Qt::ItemIsEditable;
            QCOMPARE(cellEditable, editable && column == M::COL_EDIT);
        }
        QCOMPARE(model.setData(model.index(0, M::COL_EDIT), 5.0), editable);
    }

    void refreshAnnouncesARangeOfCells()
    {
        for (const char* alias : {"three", "one"}) {
            M model;
            QTestHost::checkModel(&model);
            model.setFuncode(QLatin1String(alias), "P00.01");
            QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
            model.refreshValues();
            QCOMPARE(changed.count(), 1);
            // Never a single cell, even with one axis: a view would then refill an editor open on it.
            QVERIFY(changed.at(0).at(0).toModelIndex() != changed.at(0).at(1).toModelIndex());
            QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(model.rowCount() - 1, M::COL_EDIT));
        }
    }

    void removedDriveEmptiesTheCells()
    {
        M model;
        QTestHost::checkModel(&model);
        model.setFuncode("three", "P00.01");
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("three"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!model.device() && !model.funcode());
        QCOMPARE(model.index(0, M::COL_CUR_VALUE).data().toString(), QString());
        QVERIFY(!(model.flags(model.index(0, M::COL_EDIT)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, M::COL_EDIT), 1.0));
    }
};

QTEST_MAIN(tst_QFunCodeAxisValueModel)
#include "tst_QFunCodeAxisValueModel.moc"
