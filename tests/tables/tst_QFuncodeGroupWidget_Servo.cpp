#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// The tabs of the groups: order, reuse of tables across devices, forwarded signals.
class tst_QFuncodeGroupWidget_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void groupOrder_data();
    void groupOrder();
    void tabsOfDevice();
    void fewerGroupsHideSurplusTables();
    void noDeviceNoTabs();
    void tabChangeClosesDetailWindow();
    void onlyCurrentTableReads();
    void forwardsTableSignals();

private:
    QDeviceServo* addSelected(const QString& model, const QString& alias);
    static QStringList tabTitles(const QFuncodeGroupWidget_Servo& widget);
};

void tst_QFuncodeGroupWidget_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFuncodeGroupWidget_Servo::cleanup()
{
    QTestHost::clearProject();
}

QDeviceServo* tst_QFuncodeGroupWidget_Servo::addSelected(const QString& model, const QString& alias)
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

QStringList tst_QFuncodeGroupWidget_Servo::tabTitles(const QFuncodeGroupWidget_Servo& widget)
{
    QStringList titles;
    for (int i = 0; i < widget.getTabWidget()->count(); ++i) {
        titles << widget.getTabWidget()->tabText(i);
    }
    return titles;
}

void tst_QFuncodeGroupWidget_Servo::groupOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("less");
    QTest::newRow("P2 before P10") << "P2 Gains"
                                   << "P10 Limits" << true;
    QTest::newRow("P10 after P2") << "P10 Limits"
                                  << "P2 Gains" << false;
    QTest::newRow("PtP last") << "P10 Limits"
                              << "PtP Points" << true;
    QTest::newRow("PtP after a bigger number") << "PtP Points"
                                               << "P99 Last" << false;
    QTest::newRow("last digit run counts") << "P1A20 x"
                                           << "P3 y" << false;
    QTest::newRow("digits after the blank do not count") << "P3 Group 1"
                                                         << "P2 Group 9" << false;
    QTest::newRow("no digits is 0") << "Misc"
                                    << "P1 x" << true;
    QTest::newRow("equal numbers by text") << "P01 b"
                                           << "P1 a" << true;
}

void tst_QFuncodeGroupWidget_Servo::groupOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, less);
    QCOMPARE(QFuncodeGroupWidget_Servo::groupNameLessThan(a, b), less);
}

void tst_QFuncodeGroupWidget_Servo::tabsOfDevice()
{
    QVERIFY(addSelected(QStringLiteral("TST3"), QStringLiteral("A")));
    QFuncodeGroupWidget_Servo widget;
    QCOMPARE(widget.getSubFuncodeName(), QStringList({"P00 Basic", "P2 Gains", "P10 Limits", "PtP Points"}));
    QCOMPARE(tabTitles(widget), QStringList({"P00", "P2", "P10", "PtP"}));
    QCOMPARE(widget.getTabWidget()->tabToolTip(2), QStringLiteral("P10 Limits"));
    QCOMPARE(widget.getTabWidget()->currentIndex(), 0);
    QCOMPARE(widget.getCurrentFuncodeView(), widget.getpFuncodeGroup().at(0));
    QCOMPARE(widget.getpFuncodeGroup().at(2)->getFunGroup(), QStringLiteral("P10 Limits"));
    QCOMPARE(widget.getpFuncodeGroup().at(2)->getModel()->rowCount(), 120);
    widget.setCurrentFuncodeGroup(QStringLiteral("P10 Limits"));
    QCOMPARE(widget.getTabWidget()->currentIndex(), 2);
}

void tst_QFuncodeGroupWidget_Servo::fewerGroupsHideSurplusTables()
{
    QVERIFY(addSelected(QStringLiteral("SD330"), QStringLiteral("Big")));
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("Small")));
    QFuncodeGroupWidget_Servo widget;
    widget.resize(900, 500);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const int many = widget.getpFuncodeGroupNum();
    QVERIFY(many > 4);
    QCOMPARE(widget.getTabWidget()->count(), many);
    const QList<QFuncodeView_Servo*> tables = widget.getpFuncodeGroup();
    // Three axes: Z is shown until a one-axis drive takes the tables over.
    QVERIFY(!tables.at(0)->isColumnHidden(QFuncodeModelBase_Servo::COL_AXIS_Z));

    QTestHost::select(QStringLiteral("Small"));
    QCOMPARE(widget.getpFuncodeGroupNum(), many);
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

void tst_QFuncodeGroupWidget_Servo::noDeviceNoTabs()
{
    QFuncodeGroupWidget_Servo empty;
    QCOMPARE(empty.getTabWidget()->count(), 0);
    QVERIFY(empty.getSubFuncodeName().isEmpty());
    QVERIFY(!empty.getCurrentFuncodeView());

    QVERIFY(addSelected(QStringLiteral("TST3"), QStringLiteral("A")));
    QCOMPARE(empty.getTabWidget()->count(), 4);
    QTestHost::select(QString());
    QCOMPARE(empty.getTabWidget()->count(), 0);
    QVERIFY(!empty.getCurrentFuncodeView());
}

void tst_QFuncodeGroupWidget_Servo::tabChangeClosesDetailWindow()
{
    QVERIFY(addSelected(QStringLiteral("TST3"), QStringLiteral("A")));
    QFuncodeGroupWidget_Servo widget;
    QSignalSpy spy(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeDetailDelete);
    widget.getTabWidget()->setCurrentIndex(2);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(widget.getCurrentFuncodeView()->getFunGroup(), QStringLiteral("P10 Limits"));
}

void tst_QFuncodeGroupWidget_Servo::onlyCurrentTableReads()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), QStringLiteral("A"));
    QSimulatedDriveLink* link = QTestHost::link("A");
    QFuncodeGroupWidget_Servo widget;
    widget.resize(900, 800);
    link->resetCounters();
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTRY_VERIFY(!device->isReadBusy());
    QVERIFY(link->readRequestCount() >= 1);
    QVERIFY(device->hasValue(QStringLiteral("P00.00"), 0));
    QVERIFY(!device->hasValue(QStringLiteral("P2.00"), 0));
    QVERIFY(!device->hasValue(QStringLiteral("P10.00"), 0));
    // The first group fits on the page: one request for all of it.
    link->resetCounters();
    widget.getCurrentFuncodeView()->OnRefresh();
    QCOMPARE(link->readRequestCount(), 1);
    QCOMPARE(link->readItemCount(), widget.getCurrentFuncodeView()->getModel()->rowCount() * 3);
    QVERIFY(widget.getpFuncodeGroup().at(0)->getReadTimer()->isActive());
    for (int i = 1; i < widget.getpFuncodeGroupNum(); ++i) {
        QVERIFY(!widget.getpFuncodeGroup().at(i)->getReadTimer()->isActive());
    }
    widget.getTabWidget()->setCurrentIndex(1);
    QVERIFY(!widget.getpFuncodeGroup().at(0)->getReadTimer()->isActive());
    QVERIFY(widget.getpFuncodeGroup().at(1)->getReadTimer()->isActive());
}

void tst_QFuncodeGroupWidget_Servo::forwardsTableSignals()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), QStringLiteral("A"));
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

QTEST_MAIN(tst_QFuncodeGroupWidget_Servo)
#include "tst_QFuncodeGroupWidget_Servo.moc"
