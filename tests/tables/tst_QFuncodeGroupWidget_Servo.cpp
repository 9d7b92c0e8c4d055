#include "QDeviceServo.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QTabWidget>
#include <QtTest>

// The tabs of the groups: order, reuse of tables across devices, forwarded signals.
class tst_QFuncodeGroupWidget_Servo : public QObject
{
    Q_OBJECT

    static QDeviceServo* addSelected(const QString& model, const QString& alias)
    {
        QDeviceServo* device = QTestHost::addDrive(model, alias);
        if (device) {
            QCommuParams params = device->getCommuParams();
            params.refreshInterval = 60000;
            device->setCommuParams(params);
        }
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

    void groupOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("P2 before P10") << "P2 Gains"
                                       << "P10 Limits" << true;
        QTest::newRow("PtP last") << "P10 Limits"
                                  << "PtP Points" << true;
        QTest::newRow("digits after the blank do not count") << "P3 Group 1"
                                                             << "P2 Group 9" << false;
        QTest::newRow("no digits is 0") << "Misc"
                                        << "P1 x" << true;
        QTest::newRow("equal numbers by text") << "P01 b"
                                               << "P1 a" << true;
    }

    void groupOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QCOMPARE(QFuncodeGroupWidget_Servo::groupNameLessThan(a, b), less);
    }

    void tabsFollowSelectedDevice()
    {
        QFuncodeGroupWidget_Servo widget;
        QCOMPARE(widget.getTabWidget()->count(), 0);
        QVERIFY(!widget.getCurrentFuncodeView());
        QVERIFY(addSelected("TST3", "A"));
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

    void fewerGroupsHideSurplusTables()
    {
        QVERIFY(addSelected("SD330", "Big"));
        QVERIFY(QTestHost::addDrive("TST1", "Small"));
        QFuncodeGroupWidget_Servo widget;
        widget.resize(900, 500);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        const int many = widget.getpFuncodeGroupNum();
        QVERIFY(many > 4);
        QCOMPARE(widget.getTabWidget()->count(), many);
        const QList<QFuncodeView_Servo*> tables = widget.getpFuncodeGroup();
        QVERIFY(!tables.at(0)->isColumnHidden(QFuncodeModelBase_Servo::COL_AXIS_Z));

        QTestHost::select("Small");
        QCOMPARE(widget.getpFuncodeGroup(), tables);
        QCOMPARE(widget.getTabWidget()->count(), 4);
        for (int i = 4; i < many; ++i) {
            QVERIFY(!tables.at(i)->isVisible());
            QCOMPARE(widget.getTabWidget()->indexOf(tables.at(i)), -1);
            QCOMPARE(tables.at(i)->getModel()->rowCount(), 0);
        }
        QVERIFY(tables.at(0)->isVisible());
        QVERIFY(tables.at(0)->isColumnHidden(QFuncodeModelBase_Servo::COL_AXIS_Z));
    }

    void onlyCurrentTableReads()
    {
        QDeviceServo* device = addSelected("TST3", "A");
        QFuncodeGroupWidget_Servo widget;
        widget.resize(900, 800);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QTRY_VERIFY(!device->isReadBusy());
        QVERIFY(device->hasValue("P00.00", 0));
        QVERIFY(!device->hasValue("P2.00", 0));
        for (int i = 0; i < widget.getpFuncodeGroupNum(); ++i) {
            QCOMPARE(widget.getpFuncodeGroup().at(i)->getReadTimer()->isActive(), i == 0);
        }
        widget.getTabWidget()->setCurrentIndex(1);
        QVERIFY(!widget.getpFuncodeGroup().at(0)->getReadTimer()->isActive());
        QVERIFY(widget.getpFuncodeGroup().at(1)->getReadTimer()->isActive());
    }

    void forwardsTableSignals()
    {
        QDeviceServo* device = addSelected("TST3", "A");
        QVERIFY(QTestHost::readAll(device));
        QFuncodeGroupWidget_Servo widget;
        QSignalSpy changed(&widget, &QFuncodeGroupWidget_Servo::SigDataChanged);
        QSignalSpy selection(&widget, &QFuncodeGroupWidget_Servo::SigSelChanged);
        QSignalSpy hubSelection(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelChanged);
        QFuncodeModel_Servo* model = widget.getpFuncodeGroup().at(1)->getModel();
        QVERIFY(model->setData(model->index(0, QFuncodeModelBase_Servo::COL_AXIS_X), 30.5, Qt::EditRole));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("30.5"));
        QVERIFY(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(selection.count(), 1);
        QCOMPARE(hubSelection.count(), 1);
    }
};

QTEST_MAIN(tst_QFuncodeGroupWidget_Servo)
#include "tst_QFuncodeGroupWidget_Servo.moc"
