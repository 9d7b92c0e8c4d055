#include "QDeviceServo.h"
#include "QSimulatedDriveLink.h"
#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"
#include "QTestHost.h"

#include <QtTest>

using M = QSortedModifyFunDetailModel_Servo;

// The history of one code: one row per modification event, values with the code's decimals, local times.
class tst_QSortedModifyFunDetailDlg_Servo : public QObject
{
    Q_OBJECT

private slots:
    void cells_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QStringList>("texts"); // time, old value, new value, axis
        QTest::newRow("no decimals, UTC")
            << QByteArray("UTC0") << 12.0 << 0 << QStringList{"1970-01-01 00:00:00", "12", "13", "2"};
        QTest::newRow("two decimals, three hours east")
            << QByteArray("XST-3") << 12.0 << 2 << QStringList{"1970-01-01 03:00:00", "12.00", "13.00", "2"};
        QTest::newRow("rounded to the code's step")
            << QByteArray("UTC0") << 2.856 << 2 << QStringList{"1970-01-01 00:00:00", "2.86", "3.86", "2"};
    }

    // One row per event in the order given, values as numbers with the code's decimals, local times.
    void cells()
    {
        QFETCH(QByteArray, zone);
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QStringList, texts);
        qputenv("TZ", zone); // for this process only, whose other case does not look at times
        tzset();
        QSortedModifyFunDetailDlg_Servo dialog;
        M* model = dialog.getView()->getModel();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        dialog.setData({{0, value, value + 1, 2}, {20, 3, 1, 1}}, decimals);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, M::COL_TIME).data().toString(), texts.at(0));
        QCOMPARE(model->index(0, M::COL_OLD_VAL).data().toString(), texts.at(1));
        QCOMPARE(model->index(0, M::COL_NEW_VAL).data().toString(), texts.at(2));
        QCOMPARE(model->index(0, M::COL_AXIS).data().toString(), texts.at(3));
        QCOMPARE(model->index(1, M::COL_AXIS).data().toString(), QStringLiteral("1"));
        dialog.setData({}, 0);
        QCOMPARE(model->rowCount(), 0);
    }

    // An event's old value goes back into the drive on its axis through the write road (whose suite holds
    // the rules of a restore).
    void restoresTheOldValue()
    {
        QVERIFY(QTestHost::setUp());
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "drive");
        QVERIFY(device && QTestHost::readAll(device));
        QSortedModifyFunDetailDlg_Servo dialog;
        dialog.setData({{0, 1200, 3000, 2}}, 0);
        dialog.setFuncode(device, "P00.02");
        QVERIFY(dialog.restoreOldValue(0).isDone());
        QCOMPARE(QTestHost::link("drive")->rawValue("P00.02", 2), 1200);
        QTestHost::clearProject();
    }
};

QTEST_MAIN(tst_QSortedModifyFunDetailDlg_Servo)
#include "tst_QSortedModifyFunDetailDlg_Servo.moc"
