#include "ModalAnswer.h"
#include "QAssistantManager.h"
#include "QDeviceServo.h"
#include "QFuncodeDelegate_Servo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QLibSetting.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

using M = QFuncodeModelBase_Servo;

// The function-code tables. One group table, and through it what every table shares (the base view): which
// codes it asks the drive to read and when, the right-click menu, its columns per drive, and keys. The
// monitored list: its rows (the device's order, unknown numbers left out), what it adds to the base view's
// reading (reads of the old list stop before it changes), reordering and the host's notices. The tabs of the
// groups: in the drive's group order (tst_QDeviceServo::groupOrder), reuse of tables across devices, which
// table reads. The tables' value editor (the delegate): which cells get one, when an edited value is
// written, and the dialogs.
class tst_QFuncodeView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    std::unique_ptr<QFuncodeView_Servo> m_view;
    std::unique_ptr<QSelFunCodeView_Servo> m_monitored;

    // A selected drive "A" of the model, read only when a test asks.
    bool addDrive(const QString& model)
    {
        m_device = QTestHost::addDrive(model, "A");
        m_link = QTestHost::link("A");
        if (!m_device) {
            return false;
        }
        QTestHost::setRefreshInterval(m_device, 60000);
        QTestHost::select("A");
        m_link->resetCounters();
        return true;
    }

    // Such a drive and a table of one of its groups in m_view, shown unless told otherwise.
    bool open(const QString& group, bool show = true, const QString& model = "TST3")
    {
        if (!addDrive(model)) {
            return false;
        }
        m_view = std::make_unique<QFuncodeView_Servo>();
        m_view->setModelGroup(group);
        m_view->onInitModelData(m_device->getNormalFuncodeGroupMap());
        m_view->updateAxisColumns();
        return !show || QTestUi::show(m_view.get(), {900, 320});
    }

    // Such a drive monitoring the list, and the monitored list's view in m_monitored.
    bool openMonitored(const QStringList& monitored, bool show = true)
    {
        if (!addDrive("TST3")) {
            return false;
        }
        m_device->setSelSubFuncodeList(monitored);
        m_monitored = std::make_unique<QSelFunCodeView_Servo>();
        m_monitored->onInitModelData();
        m_monitored->updateAxisColumns();
        return !show || QTestUi::show(m_monitored.get(), {900, 320});
    }

    // A group table of "P00 Basic" on a drive read whole, to edit in; Return commits an edit.
    bool openForEditing()
    {
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
        if (!open("P00 Basic") || !QTestHost::readAll(m_device)) {
            return false;
        }
        m_link->resetCounters();
        return true;
    }

    QModelIndex cell(const QString& number, int column = M::COL_AXIS_X) const
    {
        return m_view->getModel()->index(m_view->getModel()->rowOfFuncode(number, "A"), column);
    }

    QWidget* openEditor(const QModelIndex& index)
    {
        m_view->setCurrentIndex(index);
        m_view->edit(index);
        return m_view->indexWidget(index);
    }

    QAction* columnAction(int column) const
    {
        for (QAction* action : m_view->getColumnMenu()->actions()) {
            if (action->property("action").toInt() == column) {
                return action;
            }
        }
        return nullptr;
    }

    static QSignalManager* hub() { return QSoftCore::getCore()->getSignalManager(); }
    static QString limit(int row) { return QStringLiteral("P10.%1").arg(row, 2, 10, QLatin1Char('0')); }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup()
    {
        m_view.reset();
        m_monitored.reset();
        QTestHost::clearProject();
    }

    void readsVisibleWindowOnlyWhileShown()
    {
        QVERIFY(open("P10 Limits", false));
        emit hub()->SigDevStatus("A", 0, QString());
        QVERIFY(!m_view->getReadTimer()->isActive());
        QCOMPARE(m_link->readRequestCount(), 0);

        QVERIFY(QTestUi::show(m_view.get(), {900, 320}));
        QVERIFY(m_view->getReadTimer()->isActive());
        QVERIFY(m_link->readRequestCount() >= 1);
        QTRY_VERIFY(!m_device->isReadBusy());
        // A drive that comes back online is read at once.
        m_link->resetCounters();
        emit hub()->SigDevStatus("A", 0, QString());
        QCOMPARE(m_link->readRequestCount(), 1);
        QTRY_VERIFY(!m_device->isReadBusy());
        // Changed values repaint their rows (which rows is the model's rule).
        QSignalSpy cells(m_view->getModel(), &QAbstractItemModel::dataChanged);
        emit hub()->SigFuncodeChanged_Servo("A", {limit(2)});
        QCOMPARE(cells.count(), 1);

        const int page = m_view->verticalScrollBar()->pageStep();
        QVERIFY2(page > 3 && page < 30, qPrintable(QString::number(page)));
        m_view->verticalScrollBar()->setValue(60);
        m_link->resetCounters();
        m_view->OnRefresh();
        // The table's read window (tst_QBaseTableView::readWindow), every axis, in one request.
        QCOMPARE(m_link->readRequestCount(), 1);
        QCOMPARE(m_link->readItemCount(), (page + 2) * 3);
        QTRY_VERIFY(!m_device->isReadBusy());
        QVERIFY(!m_device->hasValue(limit(58), 0));
        QVERIFY(m_device->hasValue(limit(59), 0));

        // The right-click menu offers Refresh while the drive is online.
        emit m_view->customContextMenuRequested(QPoint());
        QVERIFY(m_view->getRightMenu()->isVisible() && m_view->getRefreshAction()->isEnabled());
        m_view->getRightMenu()->hide();
        m_link->setOnline(false);
        emit m_view->customContextMenuRequested(QPoint());
        QVERIFY(!m_view->getRefreshAction()->isEnabled());
        m_view->getRightMenu()->hide();
        m_link->setOnline(true);
        QTRY_VERIFY(!m_device->isReadBusy());

        QTestHost::setRefreshInterval(m_device, 70);
        QCOMPARE(m_view->getReadTimer()->interval(), 70);
        QTestHost::setRefreshInterval(m_device, 0);
        QVERIFY(!m_view->getReadTimer()->isActive());
        QTestHost::setRefreshInterval(m_device, 60000);
        m_view->hide();
        QVERIFY(!m_view->getReadTimer()->isActive());
        m_link->resetCounters();
        emit hub()->SigDevStatus("A", 0, QString());
        emit hub()->SigFuncodeChanged_Servo("A", {limit(1)});
        // Changing the interval of a hidden view does not start its timer.
        QTestHost::setRefreshInterval(m_device, 50);
        QVERIFY(!m_view->getReadTimer()->isActive());
        QCOMPARE(m_link->readRequestCount(), 0);
    }

    void columns_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QList<int>>("axisHidden"); // hidden and left out of the column menu
        QTest::addColumn<bool>("relations");
        // Which axis columns a drive has: tst_QBaseTableView::axisColumns.
        QTest::newRow("two axes") << "TST2" << QList<int>{6} << true;
        QTest::newRow("KV905, one axis, no relation columns") << "KV905" << QList<int>{1, 5, 6} << false;
    }

    void columns()
    {
        QFETCH(QString, model);
        QFETCH(QList<int>, axisHidden);
        QFETCH(bool, relations);
        QVERIFY(open(model == "KV905" ? "P01 Basic control" : "P00 Basic", true, model));
        QVERIFY(m_view->getModel()->rowCount() > 0);
        for (int column = 0; column < M::COLUMN_COUNT; ++column) {
            const bool relation = column >= M::COL_RELATE_F && column <= M::COL_RELATE_T;
            QVERIFY2(m_view->isColumnHidden(column) ==
                         (axisHidden.contains(column) || (relation && !relations)),
                     qPrintable(QString::number(column)));
        }
        QCOMPARE(m_view->getColumnMenu()->actions().size(), 19 - axisHidden.size());
        for (int column : axisHidden) {
            QVERIFY(!columnAction(column));
        }
        // A column the user hid stays hidden when the axis columns are applied again.
        if (QAction* axisY = columnAction(M::COL_AXIS_Y)) {
            axisY->trigger();
            m_view->updateAxisColumns();
            QVERIFY(m_view->isColumnHidden(M::COL_AXIS_Y));
            axisY->trigger();
            QVERIFY(!m_view->isColumnHidden(M::COL_AXIS_Y));
        }
    }

    void keys()
    {
        QVERIFY(open("P10 Limits"));
        m_device->setSelSubFuncodeList({limit(5), limit(6)});
        m_view->setCurrentIndex(m_view->model()->index(5, 0));
        // Control+arrows reorder the monitored list only; a group keeps its rows and the current row.
        QTest::keyClick(m_view.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(m_view->currentIndex().row(), 5);
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({limit(5), limit(6)}));

        QAssistantManager* help = QSoftCore::getCore()->getAssistantManager();
        QTest::keyClick(m_view.get(), Qt::Key_F1);
        QCOMPARE(help->lastAnchor(), limit(5));
        QVERIFY(help->lastPageHtml().contains(QStringLiteral("Limit 5")));
    }

    void monitoredRowsFollowDeviceList()
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

    void monitoredReadsOfOldListStoppedBeforeChange()
    {
        QVERIFY(openMonitored({"P00.01", "P00.02", "P00.03"}, false));
        // A slow read keeps the drive busy, so that the list's reads wait in the queue.
        m_link->setReplyDelay(60000);
        m_device->readFuncode({m_device->getFuncodePtrByFunIndex("P2.00")});
        QVERIFY(QTestUi::show(m_monitored.get(), {900, 320}));
        QCOMPARE(m_device->pendingReadCount(), 3 * 3);

        int pendingAtBegin = -1;
        connect(m_monitored->getModel(), &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
                [&pendingAtBegin, this]() { pendingAtBegin = m_device->pendingReadCount(); });
        QSignalSpy changed(m_monitored.get(), &QBaseFuncodeView_Servo::SigSelChanged);
        QSignalSpy hubChanged(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelChanged);
        QVERIFY(m_monitored->getModel()->setData(m_monitored->getModel()->index(1, 0), Qt::Unchecked,
                                                 Qt::CheckStateRole));
        QCOMPARE(pendingAtBegin, 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(hubChanged.count(), 1);
        QCOMPARE(m_monitored->getModel()->rowCount(), 2);
        // The new list is read again right away.
        QCOMPARE(m_device->pendingReadCount(), 2 * 3);
    }

    void monitoredReorderAndHostNotices()
    {
        QVERIFY(openMonitored({"P00.01", "P00.02", "P00.03"}));
        m_monitored->setCurrentIndex(m_monitored->model()->index(1, 0));
        QTest::keyClick(m_monitored.get(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));
        // The current row follows the moved code.
        QCOMPARE(m_monitored->currentIndex().data().toString(), QStringLiteral("P00.02"));

        m_device->appendSelSubFuncode("P00.04");
        emit QSoftCore::getCore()->getSignalManager()->SigSelFocusStatusChanged();
        QCOMPARE(m_monitored->getModel()->rowCount(), 4);
        QTestHost::select(QString());
        QCOMPARE(m_monitored->getModel()->rowCount(), 0);
    }

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

    // The editor kind of each show type is the factory's matter: one row shows the delegate uses it, the
    // others that a cell without an editor does not keep its row out of periodic reading.
    void editorKind_data()
    {
        using F = QFuncodeEditorFactory;
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("kind");
        QTest::newRow("decimal: the factory's spin box")
            << "P00.01" << int(M::COL_AXIS_Z) << int(F::EDITOR_SPIN);
        QTest::newRow("bits, writable") << "P00.10" << int(M::COL_AXIS_X) << int(F::EDITOR_NONE);
        QTest::newRow("name column") << "P00.01" << int(M::COL_NAME) << int(F::EDITOR_NONE);
    }

    void editorKind()
    {
        QVERIFY(openForEditing());
        QFETCH(QString, number);
        QFETCH(int, column);
        QFETCH(int, kind);
        QSignalSpy editing(m_view->getDelegate(), &QFuncodeDelegate_Servo::SigEditting);
        const QModelIndex index = cell(number, column);
        std::unique_ptr<QWidget> editor(
            m_view->getDelegate()->createEditor(m_view->viewport(), QStyleOptionViewItem(), index));
        QCOMPARE(int(QFuncodeEditorFactory::editorKind(editor.get())), kind);
        // Only the axis cells mark their row as being edited.
        QCOMPARE(editing.isEmpty(), column == M::COL_NAME);
        QVERIFY(editing.isEmpty() || editing.at(0) == QVariantList({index.row(), true}));
        // A row without an editor does not stay out of periodic reading.
        QCOMPARE(m_view->getModel()->editingRow(), editor ? index.row() : -1);
    }

    void commits_data()
    {
        QTest::addColumn<int>("modifyType");
        QTest::addColumn<int>("key"); // 0: the focus leaves the editor
        QTest::addColumn<bool>("written");
        QTest::newRow("Return") << 0 << int(Qt::Key_Return) << true;
        QTest::newRow("Enter") << 0 << int(Qt::Key_Enter) << true;
        QTest::newRow("focus out, Return needed") << 0 << 0 << false;
        QTest::newRow("focus out, written when the editor closes") << 1 << 0 << true;
    }

    void commits()
    {
        QVERIFY(openForEditing());
        QFETCH(int, modifyType);
        QFETCH(int, key);
        QFETCH(bool, written);
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
        QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigDataChanged);
        const QModelIndex index = cell("P00.01", M::COL_AXIS_Y);
        m_view->setColumnWidth(M::COL_AXIS_Y, 40);
        QPointer<QWidget> editor = openEditor(index);
        auto* spin = qobject_cast<QDoubleSpinBox*>(editor.data());
        QVERIFY(spin);
        QCOMPARE(spin->value(), 2.8);
        // Placed by the factory: over a narrow cell it shows its whole value.
        QCOMPARE(spin->width(), qMax(40, QFuncodeEditorFactory::neededWidth(spin)));
        spin->setValue(5.5);

        if (key) {
            QTest::keyClick(spin, Qt::Key(key));
        } else {
            m_view->setFocus();
            if (editor && m_view->indexWidget(index) == editor) {
                QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
                QCoreApplication::sendEvent(editor, &out);
            }
        }
        QTRY_VERIFY(!m_view->indexWidget(index));
        QCOMPARE(m_device->getScaledCurValueStr("P00.01", 1), written ? QStringLiteral("5.50") : "2.80");
        QCOMPARE(m_link->writeRequestCount(), written ? 1 : 0);
        QCOMPARE(m_view->getModel()->editingRow(), -1);
        // What the change tells: tst_QFuncodeModel_Servo::edits.
        QCOMPARE(changed.count(), written ? 1 : 0);
    }

    // Return reaches the dialog, which is the cell's editor: it must be committed and closed once. (A
    // cancelled dialog hands back nothing, tst_QFuncodeEditorFactory::editorOfEveryShowType, and nothing
    // handed back is written: ::commits.)
    void hexDialogAcceptedWithReturn()
    {
        QVERIFY(openForEditing());
        QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigDataChanged);
        QSignalSpy closed(m_view->getDelegate(), &QAbstractItemDelegate::closeEditor);
        const QModelIndex index = cell("P00.04");
        QCOMPARE(index.data().toString(), QStringLiteral("0x00FF"));
        answerModalDialog([](QDialog* dialog) {
            auto* edit = QTestUi::child<QLineEdit>(dialog, "HEX_EDIT");
            edit->setText("100");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        openEditor(index);
        QTRY_VERIFY(!m_view->indexWidget(index));
        QTRY_COMPARE(m_view->getModel()->editingRow(), -1);
        QCoreApplication::processEvents(); // delivers a second close, had one been queued
        QCOMPARE(closed.count(), 1);
        QCOMPARE(m_link->writeRequestCount(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_device->getScaledCurValueStr("P00.04", 0), QStringLiteral("0x0100"));
    }
};

QTEST_MAIN(tst_QFuncodeView_Servo)
#include "tst_QFuncodeView_Servo.moc"
