#include "QDeviceServo.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QtTest>

// The monitored list: its rows (the device's order, unknown numbers left out), what it adds to the base
// view's periodic reading (proven in the group table's suite): reads of the old list stop before it
// changes; reordering and the host's notices.
class tst_QSelFunCodeView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    std::unique_ptr<QSelFunCodeView_Servo> m_view;

    // A selected drive "A" monitoring the list; its view in m_view, shown unless told otherwise.
    bool open(const QStringList& monitored, bool show = true)
    {
        m_device = QTestHost::addDrive("TST3", "A");
        m_link = QTestHost::link("A");
        if (!m_device) {
            return false;
        }
        QTestHost::setRefreshInterval(m_device, 60000);
        m_device->setSelSubFuncodeList(monitored);
        QTestHost::select("A");
        m_link->resetCounters();
        m_view = std::make_unique<QSelFunCodeView_Servo>();
        m_view->onInitModelData();
        m_view->updateAxisColumns();
        return !show || QTestUi::show(m_view.get(), {900, 320});
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup()
    {
        m_view.reset();
        QTestHost::clearProject();
    }

    void rowsFollowDeviceList()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(device);
        QSelFunCodeModel_Servo model;
        QTestHost::checkModel(&model);
        device->setSelSubFuncodeList({"P2.01", "P00.00", "X99.99", "U00.01", "P10.07"});
        model.reloadRows();
        QCOMPARE(QTestUi::columnTexts(&model), QStringList({"P2.01", "P00.00", "U00.01", "P10.07"}));
        QCOMPARE(model.rowOfFuncode("U00.01", "A"), 2);
        QCOMPARE(model.funcodesInModel({"P10.07", "P2.01", "P99.00"}, "A"), QStringList({"P2.01", "P10.07"}));

        // Which moves change the list is the device list's matter; the rows follow the device.
        model.moveRowUp("P00.00");
        QCOMPARE(QTestUi::columnTexts(&model), QStringList({"P00.00", "P2.01", "U00.01", "P10.07"}));
        model.moveRowDown("U00.01");
        QCOMPARE(QTestUi::columnTexts(&model), QStringList({"P00.00", "P2.01", "P10.07", "U00.01"}));
    }

    void readsOfOldListStoppedBeforeChange()
    {
        QVERIFY(open({"P00.01", "P00.02", "P00.03"}, false));
        // A slow read keeps the drive busy, so that the list's reads wait in the queue.
        m_link->setReplyDelay(60000);
        m_device->readFuncode({m_device->getFuncodePtrByFunIndex("P2.00")});
        QVERIFY(QTestUi::show(m_view.get(), {900, 320}));
        QCOMPARE(m_device->pendingReadCount(), 3 * 3);

        int pendingAtBegin = -1;
        connect(m_view->getModel(), &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
                [&pendingAtBegin, this]() { pendingAtBegin = m_device->pendingReadCount(); });
        QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigSelChanged);
        QSignalSpy hubChanged(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelChanged);
        QVERIFY(
            m_view->getModel()->setData(m_view->getModel()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(pendingAtBegin, 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(hubChanged.count(), 1);
        QCOMPARE(m_view->getModel()->rowCount(), 2);
        // The new list is read again right away.
        QCOMPARE(m_device->pendingReadCount(), 2 * 3);
    }

    void reorderAndHostNotices()
    {
        QVERIFY(open({"P00.01", "P00.02", "P00.03"}));
        m_view->setCurrentIndex(m_view->model()->index(1, 0));
        QTest::keyClick(m_view.get(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));
        // The current row follows the moved code.
        QCOMPARE(m_view->currentIndex().data().toString(), QStringLiteral("P00.02"));

        m_device->appendSelSubFuncode("P00.04");
        emit QSoftCore::getCore()->getSignalManager()->SigSelFocusStatusChanged();
        QCOMPARE(m_view->getModel()->rowCount(), 4);
        QTestHost::select(QString());
        QCOMPARE(m_view->getModel()->rowCount(), 0);
    }
};

QTEST_MAIN(tst_QSelFunCodeView_Servo)
#include "tst_QSelFunCodeView_Servo.moc"
