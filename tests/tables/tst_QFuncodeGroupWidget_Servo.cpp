#include "QDeviceServo.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QtTest>

// The tabs of the groups: in the drive's group order (tst_QDeviceServo::groupOrder), reuse of tables
// across devices, which table reads.
class tst_QFuncodeGroupWidget_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup() { QTestHost::clearProject(); }

    void tabsFollowSelectedDevice()
    {
        QFuncodeGroupWidget_Servo widget;
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QCOMPARE(widget.getSubFuncodeName(),
                 QStringList({"P00 Basic", "P2 Gains", "P10 Limits", "PtP Points"}));
        QCOMPARE(widget.getTabWidget()->tabText(2), QStringLiteral("P10"));
        QSignalSpy detail(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeDetailDelete);
        widget.setCurrentFuncodeGroup("P10 Limits");
        QCOMPARE(widget.getCurrentFuncodeView()->getFunGroup(), QStringLiteral("P10 Limits"));
        // Changing tabs closes the host's detail window.
        QCOMPARE(detail.count(), 1);
        QTestHost::select(QString());
        QCOMPARE(widget.getTabWidget()->count(), 0);
        QVERIFY(!widget.getCurrentFuncodeView());
    }

    void onlyCurrentTableReadsAndFewerGroupsHideTables()
    {
        QDeviceServo* big = QTestHost::addDrive("SD330", "Big");
        QVERIFY(big && QTestHost::addDrive("TST1", "Small"));
        QTestHost::setRefreshInterval(big, 60000);
        QTestHost::select("Big");
        QFuncodeGroupWidget_Servo widget;
        QVERIFY(QTestUi::show(&widget, {900, 500}));
        const int many = widget.getpFuncodeGroupNum();
        QVERIFY(many > 4);
        QCOMPARE(widget.getTabWidget()->count(), many);
        const QList<QFuncodeView_Servo*> tables = widget.getpFuncodeGroup();
        QVERIFY(!tables.at(0)->isColumnHidden(QFuncodeModelBase_Servo::COL_AXIS_Z));
        QVERIFY(QTestHost::waitForReads(big));
        QVERIFY(big->hasValue(tables.at(0)->getModel()->getSubFuncode(0)->funIndex, 0));
        // Only the current tab's table read (a hidden table does not: the view's own rule).
        QVERIFY(!big->hasValue(tables.at(1)->getModel()->getSubFuncode(0)->funIndex, 0));

        // The tables are kept for the next drive; those it has no group for leave the tabs and go empty.
        QTestHost::select("Small");
        QCOMPARE(widget.getpFuncodeGroup(), tables);
        QCOMPARE(widget.getTabWidget()->count(), 4);
        for (int i = 4; i < many; ++i) {
            QVERIFY(!tables.at(i)->isVisible());
            QCOMPARE(widget.getTabWidget()->indexOf(tables.at(i)), -1);
            QCOMPARE(tables.at(i)->getModel()->rowCount(), 0);
        }
        QVERIFY(tables.at(widget.getTabWidget()->currentIndex())->isVisible());
        QVERIFY(tables.at(0)->isColumnHidden(QFuncodeModelBase_Servo::COL_AXIS_Z));
    }
};

QTEST_MAIN(tst_QFuncodeGroupWidget_Servo)
#include "tst_QFuncodeGroupWidget_Servo.moc"
