#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFunCodeDetailTable.h"
#include "QLibSetting.h"
#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QSignalSpy>
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

    void showPage()
    {
        m_view = std::make_unique<QSortedModifyFunView_Servo>();
        m_model = new M(m_view.get());
        new QAbstractItemModelTester(m_model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     m_model);
        m_view->setModel(m_model);
        m_view->resize(800, 200);
        m_view->show();
        if (!QTest::qWaitForWindowExposed(m_view.get())) {
            qWarning("not exposed");
        }
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
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    }

    void init()
    {
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
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
        showPage();
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
        m_view->slotSorted();
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.02", "P00.01"}));
        QCOMPARE(m_view->sortAction()->text(), english("STR_MODIFY_TIMES_ASCEND"));
        m_view->sortAction()->trigger();
        QVERIFY(m_model->isDescending());
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
        QVERIFY(QTestHost::addDrive(model, "axes"));
        QTestHost::select("axes");
        showPage();
        for (int column = 0; column < M::COL_COUNT; ++column) {
            QVERIFY2(m_view->isColumnHidden(column) == hidden.contains(column),
                     qPrintable(QString::number(column)));
        }
    }

    void zeroIntervalLeavesPageStatic()
    {
        addEvents("P00.01", 2);
        setRefreshInterval(0);
        showPage();
        m_link->resetCounters();
        QVERIFY(!m_view->isReading());
        QCoreApplication::processEvents();
        QCOMPARE(m_link->readRequestCount(), 0);
        // The same page reads as soon as the interval becomes positive; a hidden page does not.
        setRefreshInterval(10);
        QVERIFY(m_view->isReading());
        QTRY_VERIFY(m_link->readRequestCount() > 0);
        m_view->hide();
        QVERIFY(!m_view->isReading());
        setRefreshInterval(20);
        QVERIFY(!m_view->isReading());
    }

    void readsOnlyVisibleRows()
    {
        for (int i = 0; i < 60; ++i) {
            addEvents(QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0')), 1);
        }
        setRefreshInterval(0);
        showPage();
        QCOMPARE(m_model->rowCount(), 60);
        m_link->resetCounters();
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
    }

    void readsAreDroppedBeforeReset()
    {
        QList<tagSubFuncode_Servo*> codes;
        for (int i = 0; i < 40; ++i) {
            const QString number = QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
            addEvents(number, 1);
            codes.append(m_device->getNormalFuncodePtrByFunIndex(number));
        }
        setRefreshInterval(0);
        showPage();
        // One read stays with the drive, so that the next ones wait in the queue.
        m_link->setReplyDelay(60000);
        m_view->slotStartReadingFuncode();
        m_device->readFuncode(codes);
        QVERIFY(m_device->pendingReadCount() > 0);
        m_model->refresh(true);
        QCOMPARE(m_device->pendingReadCount(), 0);
    }

    void countDoubleClickShowsHistory()
    {
        addEvents("P00.01", 3);
        showPage();
        QString title;
        QStringList oldValues;
        QVERIFY(doubleClick(M::COL_MODIFY_COUNT, [&](QWidget* modal) {
            auto* dialog = qobject_cast<QSortedModifyFunDetailDlg_Servo*>(modal);
            QSortedModifyFunDetailModel_Servo* detail = dialog ? dialog->getView()->getModel() : nullptr;
            for (int row = 0; detail && row < detail->rowCount(); ++row) {
                oldValues
                    << detail->index(row, QSortedModifyFunDetailModel_Servo::COL_OLD_VAL).data().toString();
            }
            title = dialog ? dialog->title() : QString();
        }));
        QCOMPARE(title, english("STR_MODIFY_DETAIL") + QStringLiteral(" (P00.01 Rated current)"));
        // Two decimals for this code; the newest event comes first.
        QCOMPARE(oldValues, QStringList({"14.00", "13.00", "12.00"}));
        // Other columns open nothing here, and without a selected drive not even the count does.
        QVERIFY(!doubleClick(M::COL_NAME));
        QTestHost::select(QString());
        QVERIFY(!doubleClick(M::COL_MODIFY_COUNT));
    }

    void relateDoubleClickShowsRelatedParameters()
    {
        addEvents("P00.00", 2);
        addEvents("P00.01", 1); // has no related parameters
        showPage();
        QStringList seen;
        QVERIFY(doubleClick(M::COL_RELATE_PARAM, [&seen](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFunCodeDetailTable*>(modal)) {
                seen << QString::number(dialog->isRelateForm()) << dialog->funIndex() << dialog->changeTime();
            }
        }));
        QCOMPARE(seen, QStringList({"1", "P00.00", QCommonMethod::timeStempTotimeStr(1700000000 + 60)}));
        QVERIFY(!doubleClick(M::COL_RELATE_PARAM, {}, 1));
    }

    void forwardsSelectionAndEdits()
    {
        addEvents("P00.01", 2);
        addEvents("P00.02", 1);
        QVERIFY(QTestHost::readAll(m_device));
        showPage();
        QSignalSpy selection(m_view.get(), &QSortedModifyFunView_Servo::sigSelectionChanged);
        QSignalSpy changed(m_view.get(), &QSortedModifyFunView_Servo::sigDataChanged);
        m_view->setCurrentIndex(m_model->index(1, 0));
        m_view->slotOnSelectAll();
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList{"P00.02"});
        m_view->setCurrentIndex(m_model->index(1, 0));
        m_view->slotOnDeselectAll();
        QVERIFY(m_device->getSelSubFuncodeList().isEmpty());
        QCOMPARE(selection.count(), 2);

        QVERIFY(m_model->setData(m_model->index(1, M::COL_AXIS_Z), 1234.0, Qt::EditRole));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("1234"));
        QCOMPARE(changed.at(0).at(3).toInt(), 2);
    }
};

QTEST_MAIN(tst_QSortedModifyFunView_Servo)
#include "tst_QSortedModifyFunView_Servo.moc"
