#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunCodeAxisValueModel.h"
#include "QProjectCore.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class tst_QFunCodeAxisValueModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { QTestHost::clearProject(); }
    void rowsFollowTheDrive();
    void editCellFlags_data();
    void editCellFlags();
    void setDataOnlyReportsTheEdit();
    void refreshAnnouncesARangeOfCells();
    void removedDriveEmptiesTheCells();
};

using M = QFunCodeAxisValueModel;

void tst_QFunCodeAxisValueModel::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFunCodeAxisValueModel::init()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("three")));
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("one")));
    QVERIFY(QTestHost::readAll(QProjectCore::self()->getDevMgr()->getDeviceServo(QStringLiteral("three"))));
}

void tst_QFunCodeAxisValueModel::rowsFollowTheDrive()
{
    M model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    const QList<QStringList> cases = {{"three", "P00.01", "3"},
                                      {"one", "P00.01", "1"},
                                      {"three", "P99.99", "0"},
                                      {"nobody", "P00.01", "0"}};
    for (const QStringList& c : cases) {
        model.setFuncode(c.at(0), c.at(1));
        QCOMPARE(model.rowCount(), c.at(2).toInt());
    }
    QCOMPARE(reset.count(), cases.size());
    model.setFuncode(QStringLiteral("three"), QStringLiteral("P00.01"));
    QCOMPARE(model.index(0, M::COL_AXIS).data().toString(), QStringLiteral("X"));
    QCOMPARE(model.index(2, M::COL_DEFAULT).data().toString(), QStringLiteral("2.80"));
}

void tst_QFunCodeAxisValueModel::editCellFlags_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("editable");

    QTest::newRow("decimal") << "P00.01" << true << true;
    QTest::newRow("write only") << "P00.08" << true << true;
    QTest::newRow("read only") << "P00.07" << true << false;
    QTest::newRow("factory") << "P00.06" << true << false;
    QTest::newRow("bits, no editor") << "P00.10" << true << false;
    QTest::newRow("decimal, disabled") << "P00.01" << false << false;
}

void tst_QFunCodeAxisValueModel::editCellFlags()
{
    QFETCH(QString, funIndex);
    QFETCH(bool, enabled);
    QFETCH(bool, editable);

    M model;
    model.setFuncode(QStringLiteral("three"), funIndex);
    model.setModifyEnabled(enabled);
    for (int column = 0; column < model.columnCount(); ++column) {
        const bool cellEditable = model.flags(model.index(0, column)) & Qt::ItemIsEditable;
        QCOMPARE(cellEditable, editable && column == M::COL_EDIT);
    }
}

void tst_QFunCodeAxisValueModel::setDataOnlyReportsTheEdit()
{
    M model;
    QAbstractItemModelTester tester(&model);
    model.setFuncode(QStringLiteral("three"), QStringLiteral("P00.01"));
    QSignalSpy edited(&model, &M::sigValueEdited);
    QVERIFY(!model.setData(model.index(1, M::COL_CUR_VALUE), 3.0));
    QVERIFY(!model.setData(model.index(1, M::COL_EDIT), QVariant()));
    QVERIFY(!model.setData(model.index(1, M::COL_EDIT), 3.0, Qt::DisplayRole));
    QCOMPARE(edited.count(), 0);

    QVERIFY(model.setData(model.index(2, M::COL_EDIT), 3.5));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.at(0).at(0).toInt(), 2);
    QCOMPARE(edited.at(0).at(1).value<QVariant>().toDouble(), 3.5);
    QCOMPARE(model.index(2, M::COL_CUR_VALUE).data().toString(), QStringLiteral("2.80"));
}

void tst_QFunCodeAxisValueModel::refreshAnnouncesARangeOfCells()
{
    for (const char* alias : {"three", "one"}) {
        M model;
        QAbstractItemModelTester tester(&model);
        model.setFuncode(QLatin1String(alias), QStringLiteral("P00.01"));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.refreshValues();
        QCOMPARE(changed.count(), 1);
        // Never a single cell, even with one axis: a view would then refill an editor open on it.
        QVERIFY(changed.at(0).at(0).toModelIndex() != changed.at(0).at(1).toModelIndex());
        QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(model.rowCount() - 1, M::COL_EDIT));
    }
}

void tst_QFunCodeAxisValueModel::removedDriveEmptiesTheCells()
{
    M model;
    QAbstractItemModelTester tester(&model);
    model.setFuncode(QStringLiteral("three"), QStringLiteral("P00.01"));
    QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("three")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!model.device() && !model.funcode());
    QCOMPARE(model.index(0, M::COL_CUR_VALUE).data().toString(), QString());
    QVERIFY(!(model.flags(model.index(0, M::COL_EDIT)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, M::COL_EDIT), 1.0));
}

QTEST_MAIN(tst_QFunCodeAxisValueModel)
#include "tst_QFunCodeAxisValueModel.moc"
