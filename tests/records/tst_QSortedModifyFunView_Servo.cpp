#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFunCodeDetailTable.h"
#include "QSimulatedDriveLink.h"
#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QStatistics.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using M = QSortedModifyFunModel_Servo;

// The statistics page: order, columns per drive, periodic reading, the dialogs it opens, its actions.
class tst_QSortedModifyFunView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    std::unique_ptr<QSortedModifyFunView_Servo> m_view;
    M* m_model = nullptr;

    static QString english(const char* key) { return QCoreApplication::translate("Strings", key); }

    static void addEvents(const QString& funIndex, int count)
    {
        QList<QPair<QString, tagFuncodeModifyData>> events;
        for (int i = 0; i < count; ++i) {
            tagFuncodeModifyData event;
            event.timeStamp = 1700000000 + 60 * i;
            event.oldValue = 12 + i;
            event.newValue = 13 + i;
            events.append(qMakePair(funIndex, event));
        }
        QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvents("drive", events));
    }

    void setRefreshInterval(int interval)
    {
        QCommuParams params = m_device->getCommuParams();
        params.refreshInterval = interval;
        m_device->setCommuParams(params);
    }

    bool showPage()
    {
        m_view = std::make_unique<QSortedModifyFunView_Servo>();
        m_model = new M(m_view.get());
        QTestHost::checkModel(m_model);
        m_view->setModel(m_model);
        m_view->resize(800, 200);
        m_view->show();
        return QTest::qWaitForWindowExposed(m_view.get());
    }

    // Double-clicks a cell and hands the modal dialog that opens, if any, to inspect before closing it.
    bool doubleClick(int column, const std::function<void(QWidget*)>& inspect = {}, int row = 0)
    {
        bool seen = false;
        QTimer::singleShot(0, m_view.get(), [&seen, inspect]() {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = true;
                if (inspect) {
                    inspect(modal);
                }
                modal->close();
            }
        });
        m_view->slotDoubleClicked(m_model->index(row, column));
        QCoreApplication::processEvents();
        return seen;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->clearDevice("drive"));
        m_device = QTestHost::addDrive("TST3", "drive");
        QVERIFY(m_device);
        m_link = QTestHost::link("drive");
        m_link->setFrozen(true);
        QTestHost::select("drive");
    }

    void cleanup()
    {
        m_view.reset();
        QTestHost::clearProject();
    }

    void togglingOrderTwiceReturnsToDescending()
    {
        addEvents("P00.01", 3);
        addEvents("P00.02", 1);
        QVERIFY(showPage());
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
        m_view->slotSorted();
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.02", "P00.01"}));
        QCOMPARE(m_view->sortAction()->text(), english("STR_MODIFY_TIMES_ASCEND"));
        m_view->sortAction()->trigger();
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
        QCOMPARE(m_view->sortAction()->text(), english("STR_MODIFY_TIMES_DESCEND"));
    }

    void axisColumnsFollowDrive_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QList<int>>("hidden");
        QTest::newRow("one axis") << "TST1" << QList<int>{1, 4, 5};
        QTest::newRow("two axes") << "TST2" << QList<int>{5};
        QTest::newRow("three axes") << "TST3" << QList<int>{};
    }

    void axisColumnsFollowDrive()
    {
        QFETCH(QString, model);
        QFETCH(QList<int>, hidden);
        QVERIFY(QTestHost::addSelectedDrive(model, "axes"));
        QVERIFY(showPage());
        for (int column = 0; column < M::COL_COUNT; ++column) {
            QVERIFY2(m_view->isColumnHidden(column) == hidden.contains(column),
                     qPrintable(QString::number(column)));
        }
    }

    void readsVisibleRowsAndDropsQueuedReadsBeforeReset()
    {
        QList<tagSubFuncode_Servo*> codes;
        for (int i = 0; i < 60; ++i) {
            const QString number = QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
            addEvents(number, 1);
            codes.append(m_device->getNormalFuncodePtrByFunIndex(number));
        }
        setRefreshInterval(0);
        QVERIFY(showPage());
        QCOMPARE(m_model->rowCount(), 60);
        // A zero interval leaves the page static.
        m_link->resetCounters();
        QVERIFY(!m_view->isReading());
        QCoreApplication::processEvents();
        QCOMPARE(m_link->readRequestCount(), 0);

        m_view->slotStartReadingFuncode();
        QTRY_VERIFY(!m_device->isReadBusy());
        const int visibleRows = m_view->rowAt(m_view->viewport()->height() - 1) - m_view->rowAt(0) + 1;
        QVERIFY(visibleRows > 1 && visibleRows < 60);
        // Every axis of the visible rows; the last, partly visible row may be read too.
        QVERIFY2(m_link->readItemCount() >= visibleRows * 3 &&
                     m_link->readItemCount() <= (visibleRows + 1) * 3,
                 qPrintable(QString::number(m_link->readItemCount())));
        m_view->scrollToBottom();
        m_view->slotStartReadingFuncode();
        QTRY_VERIFY(!m_device->isReadBusy());
        QVERIFY(m_device->hasValue("P10.59", 0));

        // One read stays with the drive, so that the next ones wait in the queue.
        m_link->setReplyDelay(60000);
        m_view->slotStartReadingFuncode();
        m_device->readFuncode(codes);
        QVERIFY(m_device->pendingReadCount() > 0);
        m_model->refresh(true);
        QCOMPARE(m_device->pendingReadCount(), 0);
        // The page reads by itself as soon as the interval becomes positive.
        setRefreshInterval(10);
        QVERIFY(m_view->isReading());
    }

    void doubleClicksShowHistoryAndRelatedParameters()
    {
        addEvents("P00.01", 3); // has no related parameters
        addEvents("P00.00", 2);
        QVERIFY(showPage());
        QStringList seen;
        QVERIFY(doubleClick(M::COL_MODIFY_COUNT, [&seen](QWidget* modal) {
            if (auto* dialog = qobject_cast<QSortedModifyFunDetailDlg_Servo*>(modal)) {
                const QAbstractItemModel* events = dialog->getView()->getModel();
                seen << dialog->title() << QString::number(events->rowCount())
                     << events->index(0, QSortedModifyFunDetailModel_Servo::COL_OLD_VAL).data().toString();
            }
        }));
        // Two decimals for this code; the newest event comes first.
        QCOMPARE(seen, QStringList({english("STR_MODIFY_DETAIL") + " (P00.01 Rated current)", "3", "14.00"}));
        seen.clear();
        QVERIFY(doubleClick(
            M::COL_RELATE_PARAM,
            [&seen](QWidget* modal) {
                if (auto* dialog = qobject_cast<QFunCodeDetailTable*>(modal)) {
                    seen << QString::number(dialog->isRelateForm()) << dialog->funIndex()
                         << dialog->changeTime();
                }
            },
            1));
        QCOMPARE(seen, QStringList({"1", "P00.00", QCommonMethod::timeStempTotimeStr(1700000000 + 60)}));
        // Other cells open nothing here, and without a selected drive not even the count does.
        QVERIFY(!doubleClick(M::COL_RELATE_PARAM));
        QVERIFY(!doubleClick(M::COL_NAME));
        QTestHost::select(QString());
        QVERIFY(!doubleClick(M::COL_MODIFY_COUNT));
    }
};

QTEST_MAIN(tst_QSortedModifyFunView_Servo)
#include "tst_QSortedModifyFunView_Servo.moc"
