#include "QAssistantManager.h"
#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

using M = QFuncodeModelBase_Servo;

// One group table, and through it what every function-code table shares (the base view): which codes it
// asks the drive to read and when, the right-click menu, its columns per drive, and keys.
class tst_QFuncodeView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    std::unique_ptr<QFuncodeView_Servo> m_view;

    // A drive "A" of the model, selected, and a table of one of its groups in m_view.
    bool open(const QString& group, bool show = true, const QString& model = "TST3")
    {
        m_device = QTestHost::addDrive(model, "A");
        m_link = QTestHost::link("A");
        if (!m_device) {
            return false;
        }
        QTestHost::setRefreshInterval(m_device, 60000);
        QTestHost::select("A");
        m_view = std::make_unique<QFuncodeView_Servo>();
        m_view->setModelGroup(group);
        m_view->onInitModelData(m_device->getNormalFuncodeGroupMap());
        m_view->updateAxisColumns();
        return !show || QTestUi::show(m_view.get(), {900, 320});
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
};

QTEST_MAIN(tst_QFuncodeView_Servo)
#include "tst_QFuncodeView_Servo.moc"
