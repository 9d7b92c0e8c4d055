#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"
#include "QFunValueWidget_Servo.h"
#include "QMultiDevCurFaultDlg.h"
#include "QProjectCore.h"
#include "QServoDeviceFaultModel.h"
#include "QSimulatedDriveLink.h"
#include "QSingleServoDeviceFaultModel.h"
#include "QTestHost.h"

#include <QtTest>

using R = QFaultExportRows;

// The current faults of one drive and of several, one drive's rows after another, and the window that
// shows those of every drive.
class tst_QServoDeviceFaultModel : public QObject
{
    Q_OBJECT

    // Raises the faults on the drive and waits until the drive has read them.
    static void raise(const QString& alias, const QStringList& codes)
    {
        QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
        for (const QString& code : codes) {
            QVERIFY(QTestHost::link(alias)->raiseFault(code));
        }
        QTRY_COMPARE(device->getCurFaultList().size(), codes.size());
    }

    static void clearFaults(const QString& alias)
    {
        QTestHost::link(alias)->clearAllFaults();
        QTRY_VERIFY(QProjectCore::self()->getDevMgr()->getDeviceServo(alias)->getCurFaultList().isEmpty());
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QVERIFY(QTestHost::addDrive("TST1", "a"));
        QVERIFY(QTestHost::addDrive("TST1", "b"));
    }

    void cleanup() { QTestHost::clearProject(); }

    void drivesAccumulateAndDrop()
    {
        QServoDeviceFaultModel model;
        QTestHost::checkModel(&model);
        raise("a", {"E.101"});
        raise("b", {"E.101", "E.201"});
        model.setDevice("b");
        model.setDevice("a");
        model.setDevice("nobody");
        QCOMPARE(model.devices(), QStringList({"b", "a"}));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.rowToDevice(1), qMakePair(QString("b"), 1));
        QCOMPARE(model.rowToDevice(2), qMakePair(QString("a"), 0));
        QCOMPARE(model.rowToDevice(3).first, QString());
        QCOMPARE(model.index(2, R::COL_DEVICE).data().toString(), QString("a"));
        QCOMPARE(model.index(1, R::COL_CODE).data().toString(), QString("E.201"));

        // The rows are copies until the drive is read again.
        clearFaults("a");
        QCOMPARE(model.index(2, R::COL_NAME).data().toString(), QString("Overcurrent"));
        model.setDevice("a");
        QCOMPARE(model.devices(), QStringList({"b"}));
        QCOMPARE(model.rowCount(), 2);
        model.removeDevice("b");
        QCOMPARE(model.rowCount(), 0);
    }

    void cells_data()
    {
        QTest::addColumn<int>("row"); // 0: E.101, 1: E.201
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        const QVariant none;
        // The texts of a fault are the export rows'
        // (tst_QFuncodeHelper_Servo::faultPagesListTheDrivesFaults).
        QTest::newRow("name") << 0 << int(R::COL_NAME) << int(Qt::DisplayRole) << QVariant("Overcurrent");
        QTest::newRow("flag has no text") << 0 << int(R::COL_STOP_NOW) << int(Qt::DisplayRole) << none;
        QTest::newRow("flag tool tip yes")
            << 0 << int(R::COL_STOP_NOW) << int(Qt::ToolTipRole) << QVariant("STR_YES");
        QTest::newRow("flag tool tip history")
            << 0 << int(R::COL_HISTORY) << int(Qt::ToolTipRole) << QVariant("STR_YES");
        QTest::newRow("flag tool tip no")
            << 1 << int(R::COL_CAN_CLEAR) << int(Qt::ToolTipRole) << QVariant("STR_NO");
        QTest::newRow("out of range") << 0 << 10 << int(Qt::DisplayRole) << none;
    }

    void cells()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QSingleServoDeviceFaultModel model;
        raise("a", {"E.101", "E.201"});
        model.setDevice("a");
        QCOMPARE(model.index(row, R::COL_TIME).data().toString(),
                 model.faultAt(row)->faultTime.toString("yyyy-MM-dd hh:mm:ss"));
        const QVariant shown = model.data(model.index(row, column), role);
        QCOMPARE(shown.isValid(), value.isValid());
        if (value.type() == QVariant::String) {
            QCOMPARE(QCoreApplication::translate("x", qPrintable(value.toString())), shown.toString());
        } else if (value.isValid()) {
            QCOMPARE(shown, value);
        }
    }

    void singleDriveReplacesItsRows()
    {
        QSingleServoDeviceFaultModel model;
        QTestHost::checkModel(&model);
        raise("a", {"E.101", "E.201"});
        raise("b", {"E.101"});
        model.setDevice("a");
        QCOMPARE(model.rowCount(), 2);
        model.setDevice("b");
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.rowToDevice(0), qMakePair(QString("b"), 0));
        QCOMPARE(model.rowToDevice(1).first, QString());
        clearFaults("b");
        model.setDevice("b");
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.deviceAlias(), QString("b"));
        model.setDevice("gone");
        QCOMPARE(model.deviceAlias(), QString());
    }

    // As the workspace feeds it: shown by a new fault (again after the user hid it), hidden when every
    // fault is cleared; a removed drive's rows go, and an emptied workspace hides it.
    void windowFollowsTheFaultsAndDrives()
    {
        QFunValueWidget_Servo workspace;
        QMultiDevCurFaultDlg* window = workspace.multiDevFaultWindow();
        QTestHost::checkModel(window->faultModel());
        QVERIFY(!window->isVisible());
        raise("a", {"E.101"});
        QTRY_VERIFY(window->isVisible());
        window->hide();
        raise("b", {"E.101"});
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(window->devices(), QStringList({"a", "b"}));
        clearFaults("a");
        QTRY_COMPARE(window->devices(), QStringList({"b"}));
        QVERIFY(window->isVisible());
        clearFaults("b");
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(window->rowCount(), 0);

        raise("a", {"E.201"});
        raise("b", {"E.201"});
        QTRY_COMPARE(window->rowCount(), 2);
        QProjectCore::self()->getDevMgr()->removeDevice("a");
        QCOMPARE(window->devices(), QStringList({"b"}));
        QVERIFY(window->isVisible());
        workspace.clearWorkspace();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->rowCount(), 0);
    }
};

QTEST_MAIN(tst_QServoDeviceFaultModel)
#include "tst_QServoDeviceFaultModel.moc"
