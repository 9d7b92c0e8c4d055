#include "QDeviceServo.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QScrollBar>
#include <QtTest>

#include <memory>

// The monitored list: what it reads, that reads of the old list stop before it changes, reordering.
class tst_QSelFunCodeView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

    bool addSelected(const QStringList& monitored)
    {
        m_device = QTestHost::addDrive("TST3", "A");
        m_link = QTestHost::link("A");
        if (!m_device) {
            return false;
        }
        QCommuParams params = m_device->getCommuParams();
        params.refreshInterval = 60000;
        m_device->setCommuParams(params);
        m_device->setSelSubFuncodeList(monitored);
        QTestHost::select("A");
        return true;
    }

    static std::unique_ptr<QSelFunCodeView_Servo> makeView(bool show = true)
    {
        auto view = std::make_unique<QSelFunCodeView_Servo>();
        view->onInitModelData();
        view->updateAxisColumns();
        view->resize(900, 320);
        if (show) {
            view->show();
            if (!QTest::qWaitForWindowExposed(view.get())) {
                qWarning("not exposed");
            }
        }
        return view;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    }

    void cleanup() { QTestHost::clearProject(); }

    void wholeListReadAtOnce()
    {
        QVERIFY(addSelected({"P00.01", "P2.00", "U00.00", "P10.03", "PtP.01"}));
        m_link->resetCounters();
        auto view = makeView();
        QVERIFY(view->getReadTimer()->isActive());
        QCOMPARE(m_link->readRequestCount(), 1);
        QCOMPARE(m_link->readItemCount(), 5 * 3);
    }

    void longListReadsVisibleWindow()
    {
        QStringList list;
        for (int i = 0; i < 80; ++i) {
            list << QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
        }
        QVERIFY(addSelected(list));
        auto view = makeView();
        QTRY_VERIFY(!m_device->isReadBusy());
        const int page = view->verticalScrollBar()->pageStep();
        QVERIFY(page > 3 && page < 30);
        view->verticalScrollBar()->setValue(40);
        m_link->resetCounters();
        view->OnRefresh();
        QCOMPARE(m_link->readItemCount(), (page + 2) * 3);
        QTRY_VERIFY(!m_device->isReadBusy());
        QVERIFY(m_device->hasValue("P10.39", 0));
        QVERIFY(!m_device->hasValue("P10.38", 0));
    }

    void readsOfOldListStoppedBeforeChange()
    {
        QVERIFY(addSelected({"P00.01", "P00.02", "P00.03"}));
        // A slow read keeps the drive busy, so that the list's reads wait in the queue.
        m_link->setReplyDelay(60000);
        m_device->readFuncode({m_device->getFuncodePtrByFunIndex("P2.00")});
        auto view = makeView();
        QCOMPARE(m_device->pendingReadCount(), 3 * 3);

        int pendingAtBegin = -1;
        connect(view->getModel(), &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
                [&pendingAtBegin, this]() { pendingAtBegin = m_device->pendingReadCount(); });
        QSignalSpy changed(view.get(), &QBaseFuncodeView_Servo::SigSelChanged);
        QSignalSpy hubChanged(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelChanged);
        QVERIFY(view->getModel()->setData(view->getModel()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(pendingAtBegin, 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(hubChanged.count(), 1);
        QCOMPARE(view->getModel()->rowCount(), 2);
        // The new list is read again right away.
        QCOMPARE(m_device->pendingReadCount(), 2 * 3);
    }

    void showAndHideAreAnnounced()
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

    void controlArrowsReorder()
    {
        QVERIFY(addSelected({"P00.01", "P00.02", "P00.03"}));
        auto view = makeView();
        view->setCurrentIndex(view->model()->index(1, 0));
        QTest::keyClick(view.get(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));
        // The current row follows the moved code.
        QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("P00.02"));
    }

    void rowsFollowHostNotices()
    {
        QVERIFY(addSelected({"P00.01"}));
        auto view = makeView(false);
        m_device->appendSelSubFuncode("P00.02");
        emit QSoftCore::getCore()->getSignalManager()->SigSelFocusStatusChanged();
        QCOMPARE(view->getModel()->rowCount(), 2);
        QTestHost::select(QString());
        QCOMPARE(view->getModel()->rowCount(), 0);
    }
};

QTEST_MAIN(tst_QSelFunCodeView_Servo)
#include "tst_QSelFunCodeView_Servo.moc"
