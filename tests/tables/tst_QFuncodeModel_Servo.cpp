#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QProjectCore.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

// The rows of one group: which records a view asks the device to read, and how change notices find rows.
class tst_QFuncodeModel_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void rowsOfShownGroup();
    void visibleFuncodes_data();
    void visibleFuncodes();
    void rowsOfNotices();
    void mapOfAnotherDeviceResetsRows();

private:
    QDeviceServo* addSelected(const QString& model, const QString& alias);
};

void tst_QFuncodeModel_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFuncodeModel_Servo::cleanup()
{
    QTestHost::clearProject();
}

QDeviceServo* tst_QFuncodeModel_Servo::addSelected(const QString& model, const QString& alias)
{
    QDeviceServo* device = QTestHost::addDrive(model, alias);
    QTestHost::select(alias);
    return device;
}

void tst_QFuncodeModel_Servo::rowsOfShownGroup()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), QStringLiteral("A"));
    QFuncodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setGroupMap(device->getNormalFuncodeGroupMap());
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setGroup(QStringLiteral("P2 Gains"));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.getSubFuncode(3)->funIndex, QStringLiteral("P2.03"));
    QVERIFY(!model.getSubFuncode(4));
    model.setGroup(QStringLiteral("No such group"));
    QCOMPARE(model.rowCount(), 0);
}

void tst_QFuncodeModel_Servo::visibleFuncodes_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("edited");
    QTest::addColumn<int>("expectedFirst");
    QTest::addColumn<int>("expectedCount");
    QTest::newRow("window") << 10 << 5 << -1 << 10 << 6;
    QTest::newRow("window without the edited row") << 10 << 5 << 12 << 10 << 5;
    QTest::newRow("edited row outside") << 10 << 5 << 40 << 10 << 6;
    QTest::newRow("window at the end") << 115 << 10 << -1 << 115 << 5;
    QTest::newRow("whole group fits") << 50 << 120 << -1 << 0 << 120;
    QTest::newRow("whole group without the edited row") << 50 << 200 << 7 << 0 << 119;
}

void tst_QFuncodeModel_Servo::visibleFuncodes()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(int, edited);
    QFETCH(int, expectedFirst);
    QFETCH(int, expectedCount);
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), QStringLiteral("A"));
    QFuncodeModel_Servo model;
    model.setGroupMap(device->getNormalFuncodeGroupMap());
    model.setGroup(QStringLiteral("P10 Limits"));
    model.OnEditting(edited, edited >= 0);

    const QList<tagSubFuncode_Servo*> list =
        model.visibleFuncodes(QStringLiteral("P10 Limits"), first, count);
    QCOMPARE(list.size(), expectedCount);
    QCOMPARE(list.first(), model.getSubFuncode(expectedFirst));
    if (edited >= 0) {
        QVERIFY(!list.contains(model.getSubFuncode(edited)));
    }
}

void tst_QFuncodeModel_Servo::rowsOfNotices()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), QStringLiteral("A"));
    QFuncodeModel_Servo model;
    model.setGroupMap(device->getNormalFuncodeGroupMap());
    model.setGroup(QStringLiteral("P00 Basic"));

    QCOMPARE(model.rowOfFuncode(QStringLiteral("P00.03"), QStringLiteral("A")), 3);
    QCOMPARE(model.rowOfFuncode(QStringLiteral("P2.01"), QStringLiteral("A")), -1);
    QCOMPARE(model.rowOfFuncode(QStringLiteral("P00.03"), QStringLiteral("B")), -1);
    QCOMPARE(model.funcodesInModel({"P00.05", "P2.01", "P00.01", "U00.00"}, QStringLiteral("A")),
             QStringList({"P00.01", "P00.05"}));
    QVERIFY(model.funcodesInModel({"P00.05"}, QStringLiteral("B")).isEmpty());
}

void tst_QFuncodeModel_Servo::mapOfAnotherDeviceResetsRows()
{
    QDeviceServo* first = addSelected(QStringLiteral("TST3"), QStringLiteral("A"));
    QDeviceServo* second = addSelected(QStringLiteral("TST1"), QStringLiteral("B"));
    QFuncodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setGroupMap(first->getNormalFuncodeGroupMap());
    model.setGroup(QStringLiteral("P2 Gains"));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    model.setGroupMap(first->getNormalFuncodeGroupMap());
    QCOMPARE(reset.count(), 0);
    // Same group name, other records: the views must let go of the old rows.
    model.setGroupMap(second->getNormalFuncodeGroupMap());
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.getSubFuncode(0), second->getFuncodePtrByFunIndex(QStringLiteral("P2.00")));
}

QTEST_MAIN(tst_QFuncodeModel_Servo)
#include "tst_QFuncodeModel_Servo.moc"
