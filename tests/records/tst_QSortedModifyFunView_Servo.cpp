#include "ModalAnswer.h"
#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFunCodeDetailTable.h"
#include "QLibSetting.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSortedModifyFunDelegate_Servo.h"
#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QAction>
#include <QBrush>
#include <QDoubleSpinBox>
#include <QtTest>

#include <functional>

using M = QSortedModifyFunModel_Servo;
using D = QSortedModifyFunDetailModel_Servo;

// The statistics page: codes by number of modifications, their cells, writes and check boxes, the value
// editor, periodic reading, and the dialogs it opens.
class tst_QSortedModifyFunView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    std::unique_ptr<QSortedModifyFunView_Servo> m_view;
    M* m_model = nullptr;

    static QStatistics* statistics() { return QDatabaseManager::self()->getStatisticsDatabase(); }

    // Per code, that many events, a minute apart, with old values 12, 13, ...
    static void addEvents(const QList<QPair<QString, int>>& counts)
    {
        QList<QPair<QString, tagFuncodeModifyData>> events;
        for (const auto& code : counts) {
            for (int i = 0; i < code.second; ++i) {
                events.append({code.first, {1700000000 + 60 * i, 12.0 + i, 13.0 + i}});
            }
        }
        QVERIFY(statistics()->addFuncodeModifyEvents("drive", events));
    }

    // The page on its own model (run through the model tester), shown.
    bool showPage()
    {
        m_view = std::make_unique<QSortedModifyFunView_Servo>();
        m_model = new M(m_view.get());
        QTestHost::checkModel(m_model);
        m_view->setModel(m_model);
        return QTestUi::show(m_view.get(), {900, 200});
    }

    QModelIndex cell(const QString& funIndex, int column) const
    {
        return m_model->index(m_model->getAllFunIndexes().indexOf(funIndex), column);
    }

    // Double-clicks a cell and hands the modal dialog that opens, if any, to inspect before closing it.
    bool doubleClick(int column, const std::function<void(QWidget*)>& inspect = {}, int row = 0)
    {
        return closeModalOpenedBy([&]() { m_view->slotDoubleClicked(m_model->index(row, column)); }, inspect);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
        QVERIFY(statistics()->clearDevice("drive"));
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

    void rowsFollowCountAndAuthority_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("authority");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("no modifications") << false << int(AUTHORITY_ENGINEER) << true << QStringList{};
        QTest::newRow("most first") << true << int(AUTHORITY_ENGINEER) << true
                                    << QStringList{"P00.01", "P2.00", "P00.02"};
        QTest::newRow("fewest first")
            << true << int(AUTHORITY_ENGINEER) << false << QStringList{"P00.02", "P2.00", "P00.01"};
        QTest::newRow("manufacturer sees the hidden code")
            << true << int(AUTHORITY_MANUFACTURER) << true
            << QStringList{"P00.09", "P00.01", "P2.00", "P00.02"};
    }

    void rowsFollowCountAndAuthority()
    {
        QFETCH(bool, modified);
        QFETCH(int, authority);
        QFETCH(bool, descending);
        QFETCH(QStringList, numbers);
        if (modified) {
            // P00.09 is seen from the manufacturer's authority on; the drive has no P88.01; a state code is
            // not a setting.
            addEvents(
                {{"P00.01", 3}, {"P00.02", 1}, {"P2.00", 2}, {"P00.09", 5}, {"P88.01", 4}, {"U00.01", 6}});
        }
        QLibSetting::self()->getSystemSetting()->setAuthority(authority);
        M model;
        QTestHost::checkModel(&model);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.refresh(descending);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.getAllFunIndexes(), numbers);
        QCOMPARE(model.index(0, M::COL_INDEX).data().toString(), numbers.value(0));
        QCOMPARE(model.getFunIndexes(1, 1), numbers.mid(1, 1));
        QCOMPARE(model.getFunIndexes(-5, 100), numbers);
    }

    void togglingOrderTwiceReturnsToDescending()
    {
        addEvents({{"P00.01", 3}, {"P00.02", 1}});
        QVERIFY(showPage());
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
        m_view->slotSorted();
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.02", "P00.01"}));
        QCOMPARE(m_view->sortAction()->text(), QTestUi::text("STR_MODIFY_TIMES_ASCEND"));
        m_view->sortAction()->trigger();
        QCOMPARE(m_model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
        QCOMPARE(m_view->sortAction()->text(), QTestUi::text("STR_MODIFY_TIMES_DESCEND"));
    }

    void cells()
    {
        addEvents({{"P00.01", 3}, {"P00.07", 1}}); // P00.07 is read only
        m_link->setRawValue("P00.01", 1, 500);
        QVERIFY(QTestHost::readAll(m_device));
        QVERIFY(showPage());
        QCOMPARE(cell("P00.01", M::COL_AXIS_Y).data().toString(), QStringLiteral("5.00"));
        QCOMPARE(cell("P00.01", M::COL_MODIFY_COUNT).data().toString(), QStringLiteral("3"));
        QCOMPARE(m_model->getModifyData(0).size(), 3);
        // The axis that differs from its default is marked, the others are not.
        QCOMPARE(cell("P00.01", M::COL_AXIS_Y).data(Qt::BackgroundRole).value<QBrush>(), QBrush(Qt::yellow));
        QVERIFY(!cell("P00.01", M::COL_AXIS_X).data(Qt::BackgroundRole).isValid());
        // The code's right decides (tst_QDeviceServo::writeEditability); every row can be checked.
        QVERIFY(m_model->flags(cell("P00.01", M::COL_AXIS_Z)) & Qt::ItemIsEditable);
        QVERIFY(!(m_model->flags(cell("P00.07", M::COL_AXIS_Y)) & Qt::ItemIsEditable));
        QVERIFY(m_model->flags(cell("P00.07", M::COL_INDEX)) & Qt::ItemIsUserCheckable);
    }

    // Which axis columns a drive has: tst_QBaseTableView::axisColumns.
    void axisColumnsFollowDrive()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST2", "two"));
        QVERIFY(showPage());
        QVERIFY(!m_view->isColumnHidden(M::COL_AXIS_Y));
        QVERIFY(m_view->isColumnHidden(M::COL_AXIS_Z));
    }

    void changeNoticesAndCheckBoxes()
    {
        addEvents({{"P00.01", 3}, {"P00.02", 2}, {"P2.00", 1}});
        QVERIFY(showPage());
        QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
        QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
        emit hub->SigFuncodeChanged_Servo("another drive", QStringList{"P00.02"});
        QCOMPARE(changed.count(), 0);
        emit hub->SigFuncodeChanged_Servo("drive", QStringList{"P00.02", "P10.00"});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), cell("P00.02", M::COL_AXIS_X));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), cell("P00.02", M::COL_AXIS_Z));

        QSignalSpy selection(m_model, &M::sigSelectionChanged);
        const QModelIndex box = cell("P00.02", M::COL_INDEX);
        QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(m_model->setData(box, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(m_device->isSubFuncodeSelected("P00.02"));
        QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(m_model->setData(box, Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!m_device->isSubFuncodeSelected("P00.02"));
        QCOMPARE(selection.count(), 2);
        QTestHost::select(QString());
        QVERIFY(!m_model->setData(box, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!m_device->isSubFuncodeSelected("P00.02"));
    }

    // Which editor a show type gets is the factory's matter, when a value is handed over the shared edit
    // delegate's (tst_QFuncodeView_Servo::commits and ::hexDialogAcceptedWithReturn), what an edit does the
    // write road's (tst_QFuncodeWriteRoad_Servo): the page's editor shows the value of its axis and writes
    // it there, the page tells of the change and shows the new count; a read-only code and a cell outside
    // the axes get no editor.
    void editsOnTheCellsAxis()
    {
        addEvents({{"P00.02", 1}, {"P00.07", 1}});
        QVERIFY(QTestHost::readAll(m_device));
        QVERIFY(showPage());
        QSortedModifyFunDelegate_Servo delegate;
        QWidget parent;
        QVERIFY(!delegate.createEditor(&parent, QStyleOptionViewItem(), cell("P00.07", M::COL_AXIS_X)));
        QVERIFY(!delegate.createEditor(&parent, QStyleOptionViewItem(), cell("P00.02", M::COL_NAME)));
        QSignalSpy changed(m_model, &M::sigDataChanged);
        m_view->edit(cell("P00.02", M::COL_AXIS_Y));
        auto* spin = m_view->findChild<QDoubleSpinBox*>();
        QVERIFY(spin);
        QCOMPARE(spin->value(), 3000.0);
        spin->setValue(1500);
        QTest::keyClick(spin, Qt::Key_Return);
        QTRY_COMPARE(m_device->getScaledCurValueStr("P00.02", 1), QStringLiteral("1500"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).mid(0, 2), QVariantList({"3000", "1500"}));
        QCOMPARE(changed.at(0).at(3).toInt(), 1);
        QCOMPARE(cell("P00.02", M::COL_MODIFY_COUNT).data().toString(), QStringLiteral("2"));
    }

    void readsVisibleRowsAndDropsQueuedReadsBeforeReset()
    {
        QList<tagSubFuncode_Servo*> codes;
        for (int i = 0; i < 60; ++i) {
            const QString number = QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
            addEvents({{number, 1}});
            codes.append(m_device->getNormalFuncodePtrByFunIndex(number));
        }
        QTestHost::setRefreshInterval(m_device, 0);
        QVERIFY(showPage());
        QCOMPARE(m_model->rowCount(), 60);
        // A zero interval leaves the page static.
        m_link->resetCounters();
        QVERIFY(!m_view->isReading());
        QCoreApplication::processEvents();
        QCOMPARE(m_link->readRequestCount(), 0);

        m_view->slotStartReadingFuncode();
        QVERIFY(QTestHost::waitForReads(m_device));
        // Every axis of the rows of the read window (tst_QBaseTableView::readWindow).
        QVERIFY(m_view->rowsToRead().second < 60);
        QCOMPARE(m_link->readItemCount(), m_view->rowsToRead().second * 3);
        m_view->scrollToBottom();
        m_view->slotStartReadingFuncode();
        QVERIFY(QTestHost::waitForReads(m_device));
        QVERIFY(m_device->hasValue("P10.59", 0));

        // One read stays with the drive, so that the next ones wait in the queue.
        m_link->setReplyDelay(60000);
        m_view->slotStartReadingFuncode();
        m_device->readFuncode(codes);
        QVERIFY(m_device->pendingReadCount() > 0);
        m_model->refresh(true);
        QCOMPARE(m_device->pendingReadCount(), 0);
        // The page reads by itself as soon as the interval becomes positive.
        QTestHost::setRefreshInterval(m_device, 10);
        QVERIFY(m_view->isReading());
    }

    void doubleClicksShowHistoryAndRelatedParameters()
    {
        addEvents({{"P00.01", 3}, {"P00.00", 2}}); // P00.01 has no related parameters
        QVERIFY(showPage());
        QStringList seen;
        QVERIFY(doubleClick(M::COL_MODIFY_COUNT, [&seen](QWidget* modal) {
            if (auto* dialog = qobject_cast<QSortedModifyFunDetailDlg_Servo*>(modal)) {
                const QAbstractItemModel* events = dialog->getView()->getModel();
                seen << dialog->title() << QString::number(events->rowCount())
                     << events->index(0, D::COL_OLD_VAL).data().toString();
            }
        }));
        // Two decimals for this code; the newest event comes first.
        QCOMPARE(seen,
                 QStringList({QTestUi::text("STR_MODIFY_DETAIL") + " (P00.01 Rated current)", "3", "14.00"}));
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

    void historyCells_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QStringList>("texts"); // time, old value, new value, axis
        QTest::newRow("no decimals, UTC")
            << QByteArray("UTC0") << 12.0 << 0 << QStringList{"1970-01-01 00:00:00", "12", "13", "2"};
        QTest::newRow("two decimals, three hours east")
            << QByteArray("XST-3") << 12.0 << 2 << QStringList{"1970-01-01 03:00:00", "12.00", "13.00", "2"};
        QTest::newRow("rounded to the code's step")
            << QByteArray("UTC0") << 2.856 << 2 << QStringList{"1970-01-01 00:00:00", "2.86", "3.86", "2"};
    }

    // The history of one code: one row per event in the order given, values as numbers with the code's
    // decimals, local times.
    void historyCells()
    {
        QFETCH(QByteArray, zone);
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QStringList, texts);
        qputenv("TZ", zone); // for the rest of this process, whose other cases do not depend on the zone
        tzset();
        QSortedModifyFunDetailDlg_Servo dialog;
        D* model = dialog.getView()->getModel();
        QTestHost::checkModel(model);
        dialog.setData({{0, value, value + 1, 2}, {20, 3, 1, 1}}, decimals);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, D::COL_TIME).data().toString(), texts.at(0));
        QCOMPARE(model->index(0, D::COL_OLD_VAL).data().toString(), texts.at(1));
        QCOMPARE(model->index(0, D::COL_NEW_VAL).data().toString(), texts.at(2));
        QCOMPARE(model->index(0, D::COL_AXIS).data().toString(), texts.at(3));
        QCOMPARE(model->index(1, D::COL_AXIS).data().toString(), QStringLiteral("1"));
        dialog.setData({}, 0);
        QCOMPARE(model->rowCount(), 0);
    }

    // An event's old value goes back into the drive on its axis through the write road (whose suite holds
    // the rules of a restore).
    void historyRestoresTheOldValue()
    {
        QVERIFY(QTestHost::readAll(m_device));
        QSortedModifyFunDetailDlg_Servo dialog;
        dialog.setData({{0, 1200, 3000, 2}}, 0);
        dialog.setFuncode(m_device, "P00.02");
        QVERIFY(dialog.restoreOldValue(0).isDone());
        QCOMPARE(m_link->rawValue("P00.02", 2), 1200);
    }
};

QTEST_MAIN(tst_QSortedModifyFunView_Servo)
#include "tst_QSortedModifyFunView_Servo.moc"
