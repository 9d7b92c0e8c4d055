#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHeaderPushBtnView.h"
#include "QProjectCore.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// The monitored list: what it reads, that reads of the old list stop before it changes, reordering.
class tst_QSelFunCodeView_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void wholeListReadAtOnce();
    void longListReadsVisibleWindow();
    void readsOfOldListStoppedBeforeChange();
    void showAndHideAreAnnounced();
    void controlArrowsReorder();
    void rowsFollowHostNotices();

private:
    QDeviceServo* addSelected(const QStringList& monitored);
    std::unique_ptr<QSelFunCodeView_Servo> makeView(bool show = true);
    static QString limit(int row) { return QStringLiteral("P10.%1").arg(row, 2, 10, QLatin1Char('0')); }
};

void tst_QSelFunCodeView_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QSelFunCodeView_Servo::cleanup()
{
    QTestHost::clearProject();
}

QDeviceServo* tst_QSelFunCodeView_Servo::addSelected(const QStringList& monitored)
{
    QDeviceServo* device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("A"));
    if (!device) {
        return nullptr;
    }
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = 60000;
    device->setCommuParams(params);
    device->setSelSubFuncodeList(monitored);
    QTestHost::select(QStringLiteral("A"));
    return device;
}

std::unique_ptr<QSelFunCodeView_Servo> tst_QSelFunCodeView_Servo::makeView(bool show)
{
    auto view = std::make_unique<QSelFunCodeView_Servo>();
    view->onInitModelData();
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

void tst_QSelFunCodeView_Servo::wholeListReadAtOnce()
{
    QVERIFY(addSelected({"P00.01", "P2.00", "U00.00", "P10.03", "PtP.01"}));
    QSimulatedDriveLink* link = QTestHost::link("A");
    link->resetCounters();
    auto view = makeView();
    QCOMPARE(view->getHeader()->getTitle(), view->tr("STR_SELECT"));
    QVERIFY(view->getReadTimer()->isActive());
    QCOMPARE(link->readRequestCount(), 1);
    QCOMPARE(link->readItemCount(), 5 * 3);
}

void tst_QSelFunCodeView_Servo::longListReadsVisibleWindow()
{
    QStringList list;
    for (int i = 0; i < 80; ++i) {
        list << limit(i);
    }
    QDeviceServo* device = addSelected(list);
    QSimulatedDriveLink* link = QTestHost::link("A");
    auto view = makeView();
    QTRY_VERIFY(!device->isReadBusy());
    const int page = view->verticalScrollBar()->pageStep();
    QVERIFY(page > 3 && page < 30);
    view->verticalScrollBar()->setValue(40);
    link->resetCounters();
    view->OnRefresh();
    QCOMPARE(link->readItemCount(), (page + 2) * 3);
    QTRY_VERIFY(!device->isReadBusy());
    QVERIFY(device->hasValue(limit(39), 0));
    QVERIFY(!device->hasValue(limit(38), 0));
}

void tst_QSelFunCodeView_Servo::readsOfOldListStoppedBeforeChange()
{
    QDeviceServo* device = addSelected({"P00.01", "P00.02", "P00.03"});
    QSimulatedDriveLink* link = QTestHost::link("A");
    // A slow read keeps the drive busy, so that the list's reads wait in the queue.
    link->setReplyDelay(60000);
    device->readFuncode({device->getFuncodePtrByFunIndex(QStringLiteral("P2.00"))});
    auto view = makeView();
    QCOMPARE(device->pendingReadCount(), 3 * 3);

    int pendingAtBegin = -1;
    connect(view->getModel(), &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
            [&pendingAtBegin, device]() { pendingAtBegin = device->pendingReadCount(); });
    QSignalSpy changed(view.get(), &QBaseFuncodeView_Servo::SigSelChanged);
    QSignalSpy hubChanged(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelChanged);
    QVERIFY(view->getModel()->setData(view->getModel()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));

    QCOMPARE(pendingAtBegin, 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(hubChanged.count(), 1);
    QCOMPARE(view->getModel()->rowCount(), 2);
    // The new list is read again right away.
    QCOMPARE(device->pendingReadCount(), 2 * 3);
}

void tst_QSelFunCodeView_Servo::showAndHideAreAnnounced()
{
    QVERIFY(addSelected({"P00.01"}));
    auto view = makeView(false);
    QSignalSpy spy(view.get(), &QSelFunCodeView_Servo::SigServoSelFuncodeViewShow);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    view->hide();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QVERIFY(!view->getReadTimer()->isActive());
}

void tst_QSelFunCodeView_Servo::controlArrowsReorder()
{
    QDeviceServo* device = addSelected({"P00.01", "P00.02", "P00.03"});
    auto view = makeView();
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view.get(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(device->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));
    QCOMPARE(view->currentIndex().row(), 0);
    QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("P00.02"));

    // The first row does not move up.
    QTest::keyClick(view.get(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(device->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));

    view->setCurrentIndex(view->model()->index(2, 0));
    QTest::keyClick(view.get(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(device->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));
    view->downMove();
    QCOMPARE(view->currentIndex().row(), 2);

    view->setCurrentIndex(view->model()->index(0, 0));
    view->downMove();
    QCOMPARE(device->getSelSubFuncodeList(), QStringList({"P00.01", "P00.02", "P00.03"}));
    QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("P00.02"));
}

void tst_QSelFunCodeView_Servo::rowsFollowHostNotices()
{
    QDeviceServo* device = addSelected({"P00.01"});
    auto view = makeView(false);
    QCOMPARE(view->getModel()->rowCount(), 1);
    device->appendSelSubFuncode(QStringLiteral("P00.02"));
    emit QSoftCore::getCore()->getSignalManager()->SigSelFocusStatusChanged();
    QCOMPARE(view->getModel()->rowCount(), 2);
    QTestHost::select(QString());
    QCOMPARE(view->getModel()->rowCount(), 0);
}

QTEST_MAIN(tst_QSelFunCodeView_Servo)
#include "tst_QSelFunCodeView_Servo.moc"
