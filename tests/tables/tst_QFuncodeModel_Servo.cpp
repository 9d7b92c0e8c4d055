#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QtTest>

// The rows of one group: which records a view asks the device to read, and how change notices find rows.
class tst_QFuncodeModel_Servo : public QObject
{
    Q_OBJECT

    static QDeviceServo* addSelected(const QString& model, const QString& alias)
    {
        QDeviceServo* device = QTestHost::addDrive(model, alias);
        QTestHost::select(alias);
        return device;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    }

    void cleanup() { QTestHost::clearProject(); }

    void rowsOfShownGroup()
    {
        QDeviceServo* device = addSelected("TST3", "A");
        QFuncodeModel_Servo model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setGroupMap(device->getNormalFuncodeGroupMap());
        model.setGroup("P00 Basic");
        QVERIFY(!model.getSubFuncode(model.rowCount()));
        QCOMPARE(model.rowOfFuncode("P00.03", "A"), 3);
        // Notices list numbers in any order; the rows come back in row order.
        QCOMPARE(model.funcodesInModel({"P00.05", "P2.01", "P00.01", "U00.00"}, "A"),
                 QStringList({"P00.01", "P00.05"}));
        model.setGroup("No such group");
        QCOMPARE(model.rowCount(), 0);
    }

    void visibleFuncodes_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("edited");
        QTest::addColumn<int>("expectedFirst");
        QTest::addColumn<int>("expectedCount");
        QTest::newRow("window without the edited row") << 10 << 5 << 12 << 10 << 5;
        QTest::newRow("window at the end") << 115 << 10 << -1 << 115 << 5;
        QTest::newRow("whole group without the edited row") << 50 << 200 << 7 << 0 << 119;
    }

    void visibleFuncodes()
    {
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, edited);
        QFETCH(int, expectedFirst);
        QFETCH(int, expectedCount);
        QDeviceServo* device = addSelected("TST3", "A");
        QFuncodeModel_Servo model;
        model.setGroupMap(device->getNormalFuncodeGroupMap());
        model.setGroup("P10 Limits");
        model.OnEditting(edited, edited >= 0);

        const QList<tagSubFuncode_Servo*> list = model.visibleFuncodes("P10 Limits", first, count);
        QCOMPARE(list.size(), expectedCount);
        QCOMPARE(list.first(), model.getSubFuncode(expectedFirst));
        QVERIFY(edited < 0 || !list.contains(model.getSubFuncode(edited)));
    }

    void mapOfAnotherDeviceResetsRows()
    {
        QDeviceServo* first = addSelected("TST3", "A");
        QDeviceServo* second = addSelected("TST1", "B");
        QFuncodeModel_Servo model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setGroupMap(first->getNormalFuncodeGroupMap());
        model.setGroup("P2 Gains");
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.setGroupMap(first->getNormalFuncodeGroupMap());
        QCOMPARE(reset.count(), 0);
        // Same group name, other records: the views must let go of the old rows.
        model.setGroupMap(second->getNormalFuncodeGroupMap());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.getSubFuncode(0), second->getFuncodePtrByFunIndex("P2.00"));
    }
};

QTEST_MAIN(tst_QFuncodeModel_Servo)
#include "tst_QFuncodeModel_Servo.moc"
