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
    void cleanup();

    void rowsFollowTheDrive_data();
    void rowsFollowTheDrive();
    void editCellFlags_data();
    void editCellFlags();
    void setDataOnlyReportsTheEdit();
    void refreshAnnouncesARangeOfCells();
    void removedDriveEmptiesTheCells();
};

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

void tst_QFunCodeAxisValueModel::cleanup()
{
    QTestHost::clearProject();
}

void tst_QFunCodeAxisValueModel::rowsFollowTheDrive_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<int>("rows");

    QTest::newRow("three axes") << "three"
                                << "P00.01" << 3;
    QTest::newRow("one axis") << "one"
                              << "P00.01" << 1;
    QTest::newRow("unknown code") << "three"
                                  << "P99.99" << 0;
    QTest::newRow("unknown drive") << "nobody"
                                   << "P00.01" << 0;
    QTest::newRow("nothing") << ""
                             << "" << 0;
}

void tst_QFunCodeAxisValueModel::rowsFollowTheDrive()
{
    QFETCH(QString, alias);
    QFETCH(QString, funIndex);
    QFETCH(int, rows);

    QFunCodeAxisValueModel model;
    QAbstractItemModelTester tester(&model);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setFuncode(alias, funIndex);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(model.columnCount(), int(QFunCodeAxisValueModel::COL_COUNT));
    if (rows > 0) {
        QCOMPARE(model.index(0, QFunCodeAxisValueModel::COL_AXIS).data().toString(), QStringLiteral("X"));
        QCOMPARE(model.index(rows - 1, QFunCodeAxisValueModel::COL_DEFAULT).data().toString(),
                 QStringLiteral("2.80"));
    }
}

void tst_QFunCodeAxisValueModel::editCellFlags_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("editable");

    QTest::newRow("decimal") << "P00.01" << true << true;
    QTest::newRow("hexadecimal") << "P00.04" << true << true;
    QTest::newRow("menu") << "P00.05" << true << true;
    QTest::newRow("write only") << "P00.08" << true << true;
    QTest::newRow("read only") << "P00.07" << true << false;
    QTest::newRow("factory") << "P00.06" << true << false;
    QTest::newRow("bits, no editor") << "P00.10" << true << false;
    QTest::newRow("version, no editor") << "P00.16" << true << false;
    QTest::newRow("decimal, disabled") << "P00.01" << false << false;
}

void tst_QFunCodeAxisValueModel::editCellFlags()
{
    QFETCH(QString, funIndex);
    QFETCH(bool, enabled);
    QFETCH(bool, editable);

    QFunCodeAxisValueModel model;
    QAbstractItemModelTester tester(&model);
    model.setFuncode(QStringLiteral("three"), funIndex);
    model.setModifyEnabled(enabled);
    for (int column = 0; column < model.columnCount(); ++column) {
        const bool cellEditable = model.flags(model.index(0, column)) & Qt::ItemIsEditable;
        QCOMPARE(cellEditable, editable && column == QFunCodeAxisValueModel::COL_EDIT);
    }
}

void tst_QFunCodeAxisValueModel::setDataOnlyReportsTheEdit()
{
    QFunCodeAxisValueModel model;
    QAbstractItemModelTester tester(&model);
    model.setFuncode(QStringLiteral("three"), QStringLiteral("P00.01"));
    QSignalSpy edited(&model, &QFunCodeAxisValueModel::sigValueEdited);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QVERIFY(!model.setData(model.index(1, QFunCodeAxisValueModel::COL_CUR_VALUE), 3.0));
    QVERIFY(!model.setData(model.index(1, QFunCodeAxisValueModel::COL_EDIT), QVariant()));
    QVERIFY(!model.setData(model.index(1, QFunCodeAxisValueModel::COL_EDIT), 3.0, Qt::DisplayRole));
    QCOMPARE(edited.count(), 0);

    QVERIFY(model.setData(model.index(2, QFunCodeAxisValueModel::COL_EDIT), 3.5));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.at(0).at(0).toInt(), 2);
    QCOMPARE(edited.at(0).at(1).value<QVariant>().toDouble(), 3.5);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.index(2, QFunCodeAxisValueModel::COL_CUR_VALUE).data().toString(), QStringLiteral("2.80"));
}

void tst_QFunCodeAxisValueModel::refreshAnnouncesARangeOfCells()
{
    QFunCodeAxisValueModel model;
    QAbstractItemModelTester tester(&model);
    model.setFuncode(QStringLiteral("three"), QStringLiteral("P00.01"));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.refreshValues();
    QCOMPARE(changed.count(), 1);
    // Never a single cell: a view would then refill an editor that is open on it.
    QVERIFY(changed.at(0).at(0).toModelIndex() != changed.at(0).at(1).toModelIndex());
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(2, QFunCodeAxisValueModel::COL_EDIT));

    QFunCodeAxisValueModel single;
    QAbstractItemModelTester singleTester(&single);
    single.setFuncode(QStringLiteral("one"), QStringLiteral("P00.01"));
    QSignalSpy singleChanged(&single, &QAbstractItemModel::dataChanged);
    single.refreshValues();
    QVERIFY(singleChanged.at(0).at(0).toModelIndex() != singleChanged.at(0).at(1).toModelIndex());
}

void tst_QFunCodeAxisValueModel::removedDriveEmptiesTheCells()
{
    QFunCodeAxisValueModel model;
    QAbstractItemModelTester tester(&model);
    model.setFuncode(QStringLiteral("three"), QStringLiteral("P00.01"));
    QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("three")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!model.device());
    QVERIFY(!model.funcode());
    QCOMPARE(model.index(0, QFunCodeAxisValueModel::COL_CUR_VALUE).data().toString(), QString());
    QVERIFY(!(model.flags(model.index(0, QFunCodeAxisValueModel::COL_EDIT)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, QFunCodeAxisValueModel::COL_EDIT), 1.0));
}

QTEST_MAIN(tst_QFunCodeAxisValueModel)
#include "tst_QFunCodeAxisValueModel.moc"
