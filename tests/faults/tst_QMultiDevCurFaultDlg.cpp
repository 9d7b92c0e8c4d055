#include "QBaseTableView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"
#include "QFunValueWidget_Servo.h"
#include "QMultiDevCurFaultDlg.h"
#include "QProjectCore.h"
#include "QServoDeviceFaultModel.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QtTest>

// The window of the current faults of all drives, as the workspace shows and feeds it.
class tst_QMultiDevCurFaultDlg : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFunValueWidget_Servo> m_workspace;

    QMultiDevCurFaultDlg* window() const { return m_workspace->multiDevFaultWindow(); }

    static QStringList shownCodes(const QMultiDevCurFaultDlg* dlg)
    {
        QStringList codes;
        const QAbstractItemModel* model = dlg->view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            codes << model->index(row, QFaultExportRows::COL_DEVICE).data().toString() + " " +
                         model->index(row, QFaultExportRows::COL_CODE).data().toString();
        }
        return codes;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QVERIFY(QTestHost::addDrive("TST1", "a"));
        QVERIFY(QTestHost::addDrive("TST2", "b"));
        m_workspace = std::make_unique<QFunValueWidget_Servo>();
        QTestHost::checkModel(window()->faultModel());
    }

    void cleanup()
    {
        m_workspace.reset();
        QTestHost::clearProject();
    }

    void gathersDrivesAndHidesWhenAllAreCleared()
    {
        QVERIFY(!window()->isVisible());
        QVERIFY(QTestHost::link("a")->raiseFault("E.101"));
        QTRY_VERIFY(window()->isVisible());
        QVERIFY(QTestHost::link("b")->raiseFault("E.101", 1));
        QTRY_COMPARE(shownCodes(window()), QStringList({"a E.101", "b E.101"}));

        QTestHost::link("a")->clearAllFaults();
        QTRY_COMPARE(shownCodes(window()), QStringList({"b E.101"}));
        QVERIFY(window()->isVisible());

        QTestHost::link("b")->clearAllFaults();
        QTRY_VERIFY(!window()->isVisible());
        QCOMPARE(window()->rowCount(), 0);
        QVERIFY(window()->devices().isEmpty());
    }

    void hiddenWindowComesBackForANewFault()
    {
        QVERIFY(QTestHost::link("a")->raiseFault("E.101"));
        QTRY_VERIFY(window()->isVisible());
        window()->hide();
        QVERIFY(QTestHost::link("b")->raiseFault("E.201"));
        QTRY_VERIFY(window()->isVisible());
        QCOMPARE(window()->devices(), QStringList({"a", "b"}));
    }

    void removedDriveIsDropped_data()
    {
        QTest::addColumn<bool>("removeAll");
        QTest::newRow("one drive") << false;
        QTest::newRow("every drive") << true;
    }

    void removedDriveIsDropped()
    {
        QFETCH(bool, removeAll);
        QVERIFY(QTestHost::link("a")->raiseFault("E.201"));
        QVERIFY(QTestHost::link("b")->raiseFault("E.201"));
        QTRY_COMPARE(window()->rowCount(), 2);
        QProjectCore::self()->getDevMgr()->removeDevice("a");
        QCOMPARE(window()->devices(), QStringList({"b"}));
        QVERIFY(window()->isVisible());
        if (removeAll) {
            m_workspace->clearWorkspace();
            QVERIFY(!window()->isVisible());
            QCOMPARE(window()->rowCount(), 0);
        }
    }
};

QTEST_MAIN(tst_QMultiDevCurFaultDlg)
#include "tst_QMultiDevCurFaultDlg.moc"
