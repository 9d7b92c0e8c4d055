#include "QAssistantManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// One group table: which codes it asks the drive to read and when, its columns per drive, keys and menu.
class tst_QFuncodeView_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void readsVisibleWindow();
    void wholeGroupWhenItFits();
    void hiddenViewReadsNothing();
    void intervalZeroReadsOnlyOnRefresh();
    void intervalChangeWhileHidden();
    void readsAgainWhenDriveComesBack();
    void changeNoticeAnnouncesVisibleRow();
    void axisColumns_data();
    void axisColumns();
    void relationColumnsOfKv905_data();
    void relationColumnsOfKv905();
    void columnMenuHidesAndShows();
    void upAndDownMoveSelection();
    void helpOpensPageOfCurrentCode();
    void rightMenuRefreshFollowsOnline();

private:
    QDeviceServo* addSelected(const QString& model = QStringLiteral("TST3"), int interval = 60000);
    std::unique_ptr<QFuncodeView_Servo> makeView(const QString& group, bool show = true);
    static QString limit(int row) { return QStringLiteral("P10.%1").arg(row, 2, 10, QLatin1Char('0')); }
};

void tst_QFuncodeView_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFuncodeView_Servo::cleanup()
{
    QTestHost::clearProject();
}

QDeviceServo* tst_QFuncodeView_Servo::addSelected(const QString& model, int interval)
{
    QDeviceServo* device = QTestHost::addDrive(model, QStringLiteral("A"));
    if (!device) {
        return nullptr;
    }
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = interval;
    device->setCommuParams(params);
    QTestHost::select(QStringLiteral("A"));
    return device;
}

std::unique_ptr<QFuncodeView_Servo> tst_QFuncodeView_Servo::makeView(const QString& group, bool show)
{
    auto view = std::make_unique<QFuncodeView_Servo>();
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    view->setModelGroup(group);
    view->onInitModelData(device->getNormalFuncodeGroupMap());
    view->updateAxisColumns();
    view->resize(900, 320);
    if (show) {
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get())) {
            qWarning("view not exposed");
        }
    }
    return view;
}

void tst_QFuncodeView_Servo::readsVisibleWindow()
{
    QDeviceServo* device = addSelected();
    QSimulatedDriveLink* link = QTestHost::link("A");
    auto view = makeView(QStringLiteral("P10 Limits"));
    QTRY_VERIFY(!device->isReadBusy());
    const int page = view->verticalScrollBar()->pageStep();
    QVERIFY2(page > 3 && page < 30, qPrintable(QString::number(page)));

    view->verticalScrollBar()->setValue(60);
    link->resetCounters();
    view->OnRefresh();
    // One row above the first visible row to one row below the page, every axis, in one request.
    QCOMPARE(link->readRequestCount(), 1);
    QCOMPARE(link->readItemCount(), (page + 2) * 3);
    QTRY_VERIFY(!device->isReadBusy());
    QVERIFY(!device->hasValue(limit(58), 0));
    QVERIFY(device->hasValue(limit(59), 0));
    QVERIFY(device->hasValue(limit(60 + page), 2));
    QVERIFY(!device->hasValue(limit(61 + page), 0));

    // The row being edited is left out.
    view->getModel()->OnEditting(65, true);
    link->resetCounters();
    view->OnRefresh();
    QCOMPARE(link->readItemCount(), (page + 1) * 3);
}

void tst_QFuncodeView_Servo::wholeGroupWhenItFits()
{
    QDeviceServo* device = addSelected();
    QSimulatedDriveLink* link = QTestHost::link("A");
    auto view = makeView(QStringLiteral("P2 Gains"));
    QTRY_VERIFY(!device->isReadBusy());
    link->resetCounters();
    view->OnRefresh();
    QCOMPARE(link->readRequestCount(), 1);
    QCOMPARE(link->readItemCount(), 4 * 3);
}

void tst_QFuncodeView_Servo::hiddenViewReadsNothing()
{
    QDeviceServo* device = addSelected();
    QSimulatedDriveLink* link = QTestHost::link("A");
    auto view = makeView(QStringLiteral("P10 Limits"), false);
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    emit hub->SigDevStatus(QStringLiteral("A"), 0, QString());
    QVERIFY(!view->getReadTimer()->isActive());
    QCOMPARE(link->readRequestCount(), 0);

    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    QVERIFY(view->getReadTimer()->isActive());
    QCOMPARE(view->getReadTimer()->interval(), 60000);
    QVERIFY(link->readRequestCount() >= 1);
    QTRY_VERIFY(!device->isReadBusy());

    view->hide();
    QVERIFY(!view->getReadTimer()->isActive());
    link->resetCounters();
    emit hub->SigDevStatus(QStringLiteral("A"), 0, QString());
    emit hub->SigFuncodeChanged_Servo(QStringLiteral("A"), {limit(1)});
    QCOMPARE(link->readRequestCount(), 0);
}

void tst_QFuncodeView_Servo::intervalZeroReadsOnlyOnRefresh()
{
    addSelected(QStringLiteral("TST3"), 0);
    QSimulatedDriveLink* link = QTestHost::link("A");
    auto view = makeView(QStringLiteral("P10 Limits"));
    QVERIFY(!view->getReadTimer()->isActive());
    QCOMPARE(link->readRequestCount(), 0);
    view->OnRefresh();
    QCOMPARE(link->readRequestCount(), 1);
}

void tst_QFuncodeView_Servo::intervalChangeWhileHidden()
{
    QDeviceServo* device = addSelected();
    auto view = makeView(QStringLiteral("P10 Limits"));
    view->hide();
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = 50;
    device->setCommuParams(params);
    QVERIFY(!view->getReadTimer()->isActive());

    view->show();
    QVERIFY(view->getReadTimer()->isActive());
    QCOMPARE(view->getReadTimer()->interval(), 50);
    params.refreshInterval = 70;
    device->setCommuParams(params);
    QVERIFY(view->getReadTimer()->isActive());
    QCOMPARE(view->getReadTimer()->interval(), 70);
    params.refreshInterval = 0;
    device->setCommuParams(params);
    QVERIFY(!view->getReadTimer()->isActive());
}

void tst_QFuncodeView_Servo::readsAgainWhenDriveComesBack()
{
    QDeviceServo* device = addSelected();
    QSimulatedDriveLink* link = QTestHost::link("A");
    auto view = makeView(QStringLiteral("P10 Limits"));
    QTRY_VERIFY(!device->isReadBusy());
    link->setOnline(false);
    QTRY_VERIFY(!device->isDeviceOnline());
    link->resetCounters();
    view->OnRefresh();
    QCOMPARE(link->readRequestCount(), 0);

    link->setOnline(true);
    QTRY_VERIFY(link->readRequestCount() >= 1);
}

void tst_QFuncodeView_Servo::changeNoticeAnnouncesVisibleRow()
{
    QDeviceServo* device = addSelected();
    auto view = makeView(QStringLiteral("P10 Limits"));
    QTRY_VERIFY(!device->isReadBusy());
    QSignalSpy spy(view->getModel(), &QAbstractItemModel::dataChanged);
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();

    emit hub->SigFuncodeChanged_Servo(QStringLiteral("A"), {limit(2)});
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toModelIndex().row(), 2);
    QCOMPARE(spy.at(0).at(1).toModelIndex().row(), 2);

    emit hub->SigFuncodeChanged_Servo(QStringLiteral("A"), {limit(100)});
    emit hub->SigFuncodeChanged_Servo(QStringLiteral("B"), {limit(2)});
    QCOMPARE(spy.count(), 1);
}

void tst_QFuncodeView_Servo::axisColumns_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("hidden");
    QTest::newRow("one axis") << "TST1" << QList<int>{1, 5, 6};
    QTest::newRow("two axes") << "TST2" << QList<int>{6};
    QTest::newRow("three axes") << "TST3" << QList<int>{};
}

void tst_QFuncodeView_Servo::axisColumns()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, hidden);
    QVERIFY(addSelected(model));
    auto view = makeView(QStringLiteral("P00 Basic"), false);
    QList<int> menuColumns;
    for (QAction* action : view->getColumnMenu()->actions()) {
        menuColumns << action->property("action").toInt();
    }
    for (int column : {1, 4, 5, 6}) {
        QCOMPARE(view->isColumnHidden(column), hidden.contains(column));
        QCOMPARE(menuColumns.contains(column), !hidden.contains(column));
    }
    QCOMPARE(menuColumns.size(), 19 - hidden.size());
    QVERIFY(!menuColumns.contains(0));
}

void tst_QFuncodeView_Servo::relationColumnsOfKv905_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("KV905") << "KV905"
                           << "P01 Basic control" << true;
    QTest::newRow("other model") << "TST3"
                                 << "P00 Basic" << false;
}

void tst_QFuncodeView_Servo::relationColumnsOfKv905()
{
    QFETCH(QString, model);
    QFETCH(QString, group);
    QFETCH(bool, hidden);
    QVERIFY(addSelected(model));
    auto view = makeView(group);
    QVERIFY(view->getModel()->rowCount() > 0);
    for (int column = QFuncodeModelBase_Servo::COL_RELATE_F; column <= QFuncodeModelBase_Servo::COL_RELATE_T;
         ++column) {
        QCOMPARE(view->isColumnHidden(column), hidden);
    }
    QVERIFY(!view->isColumnHidden(QFuncodeModelBase_Servo::COL_STORE));
}

void tst_QFuncodeView_Servo::columnMenuHidesAndShows()
{
    QVERIFY(addSelected());
    auto view = makeView(QStringLiteral("P00 Basic"), false);
    QAction* unit = nullptr;
    QAction* axisY = nullptr;
    for (QAction* action : view->getColumnMenu()->actions()) {
        if (action->property("action").toInt() == QFuncodeModelBase_Servo::COL_UNIT) {
            unit = action;
        } else if (action->property("action").toInt() == QFuncodeModelBase_Servo::COL_AXIS_Y) {
            axisY = action;
        }
    }
    QVERIFY(unit && axisY);
    unit->trigger();
    QVERIFY(view->isColumnHidden(QFuncodeModelBase_Servo::COL_UNIT));
    QVERIFY(unit->icon().isNull());
    unit->trigger();
    QVERIFY(!view->isColumnHidden(QFuncodeModelBase_Servo::COL_UNIT));
    QVERIFY(!unit->icon().isNull());

    // A column the user hid stays hidden when the axis columns are applied again.
    axisY->trigger();
    view->updateAxisColumns();
    QVERIFY(view->isColumnHidden(QFuncodeModelBase_Servo::COL_AXIS_Y));
}

void tst_QFuncodeView_Servo::upAndDownMoveSelection()
{
    QDeviceServo* device = addSelected();
    device->setSelSubFuncodeList({limit(5), limit(6)});
    auto view = makeView(QStringLiteral("P10 Limits"));
    view->setCurrentIndex(view->model()->index(5, 0));
    QTest::keyClick(view.get(), Qt::Key_Down);
    QCOMPARE(view->currentIndex().row(), 6);
    QTest::keyClick(view.get(), Qt::Key_Up);
    QTest::keyClick(view.get(), Qt::Key_Up);
    QCOMPARE(view->currentIndex().row(), 4);
    QVERIFY(view->selectionModel()->isRowSelected(4, QModelIndex()));
    // Control+arrows reorder the monitored list only; a group keeps its rows and the current row.
    QTest::keyClick(view.get(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(view->currentIndex().row(), 4);
    QCOMPARE(device->getSelSubFuncodeList(), QStringList({limit(5), limit(6)}));
}

void tst_QFuncodeView_Servo::helpOpensPageOfCurrentCode()
{
    QVERIFY(addSelected());
    auto view = makeView(QStringLiteral("P10 Limits"));
    view->setCurrentIndex(view->model()->index(7, 0));
    QAssistantManager* help = QSoftCore::getCore()->getAssistantManager();
    QTest::keyClick(view.get(), Qt::Key_F1);
    QCOMPARE(help->lastAnchor(), limit(7));
    QVERIFY(help->lastPageHtml().contains(QStringLiteral("Limit 7")));
    if (help->helpWindow()) {
        help->helpWindow()->close();
    }
}

void tst_QFuncodeView_Servo::rightMenuRefreshFollowsOnline()
{
    QVERIFY(addSelected());
    auto view = makeView(QStringLiteral("P00 Basic"));
    emit view->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(view->getRightMenu()->isVisible());
    QVERIFY(view->getRefreshAction()->isEnabled());
    view->getRightMenu()->close();

    QTestHost::link("A")->setOnline(false);
    QTRY_VERIFY(!QProjectCore::self()->getDevMgr()->getSelectServo()->isDeviceOnline());
    emit view->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(!view->getRefreshAction()->isEnabled());
    view->getRightMenu()->close();

    QTestHost::select(QString());
    emit view->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(!view->getRightMenu()->isVisible());
}

QTEST_MAIN(tst_QFuncodeView_Servo)
#include "tst_QFuncodeView_Servo.moc"
