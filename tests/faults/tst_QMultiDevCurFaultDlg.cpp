#include "QBaseTableView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"
#include "QFunValueWidget_Servo.h"
#include "QMultiDevCurFaultDlg.h"
#include "QProjectCore.h"
#include "QServoDeviceFaultModel.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QScopeGuard>
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

    void columnsFitTheFont_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("small font") << 8;
        QTest::newRow("large font") << 20;
    }

    // The time and the headings stay whole in a large font; the given widths are the least.
    void columnsFitTheFont()
    {
        QFETCH(int, pointSize);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(pointSize);
        QApplication::setFont(font);
        QMultiDevCurFaultDlg dlg;
        const auto restore = qScopeGuard([before]() { QApplication::setFont(before); });
        const QTableView* view = dlg.view();
        const QString time = QFaultExportRows::faultTimeText(QDateTime::currentDateTime());
        QVERIFY(view->columnWidth(QFaultExportRows::COL_TIME) > view->fontMetrics().horizontalAdvance(time));
        for (int column = 0; column < QFaultExportRows::CUR_FAULT_COLUMNS; ++column) {
            const QString heading = view->model()->headerData(column, Qt::Horizontal).toString();
            QVERIFY2(view->columnWidth(column) > view->fontMetrics().horizontalAdvance(heading),
                     qPrintable(heading));
        }
        QVERIFY(view->columnWidth(QFaultExportRows::COL_REASON) >= 185);
    }
};

QTEST_MAIN(tst_QMultiDevCurFaultDlg)
#include "tst_QMultiDevCurFaultDlg.moc"
