#include "QAssistantManager.h"
#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using M = QFuncodeModelBase_Servo;

// One group table: which codes it asks the drive to read and when, its columns per drive, keys and menu.
class tst_QFuncodeView_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QSignalManager* m_hub = nullptr;

    bool addSelected(const QString& model = "TST3", int interval = 60000)
    {
        m_device = QTestHost::addDrive(model, "A");
        m_link = QTestHost::link("A");
        if (!m_device) {
            return false;
        }
        setInterval(interval);
        QTestHost::select("A");
        return true;
    }

    void setInterval(int interval)
    {
        QCommuParams params = m_device->getCommuParams();
        params.refreshInterval = interval;
        m_device->setCommuParams(params);
    }

    std::unique_ptr<QFuncodeView_Servo> makeView(const QString& group, bool show = true)
    {
        auto view = std::make_unique<QFuncodeView_Servo>();
        view->setModelGroup(group);
        view->onInitModelData(m_device->getNormalFuncodeGroupMap());
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

    static QAction* columnAction(const QFuncodeView_Servo& view, int column)
    {
        for (QAction* action : view.getColumnMenu()->actions()) {
            if (action->property("action").toInt() == column) {
                return action;
            }
        }
        return nullptr;
    }

    static QString limit(int row) { return QStringLiteral("P10.%1").arg(row, 2, 10, QLatin1Char('0')); }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
        m_hub = QSoftCore::getCore()->getSignalManager();
    }

    void cleanup() { QTestHost::clearProject(); }

    void readsVisibleWindow()
    {
        QVERIFY(addSelected());
        auto view = makeView("P10 Limits");
        QTRY_VERIFY(!m_device->isReadBusy());
        const int page = view->verticalScrollBar()->pageStep();
        QVERIFY2(page > 3 && page < 30, qPrintable(QString::number(page)));

        view->verticalScrollBar()->setValue(60);
        m_link->resetCounters();
        view->OnRefresh();
        // One row above the first visible row to one row below the page, every axis, in one request.
        QCOMPARE(m_link->readRequestCount(), 1);
        QCOMPARE(m_link->readItemCount(), (page + 2) * 3);
        QTRY_VERIFY(!m_device->isReadBusy());
        QVERIFY(!m_device->hasValue(limit(58), 0));
        QVERIFY(m_device->hasValue(limit(59), 0));
        QVERIFY(m_device->hasValue(limit(60 + page), 2));
        QVERIFY(!m_device->hasValue(limit(61 + page), 0));

        // The row being edited is left out.
        view->getModel()->OnEditting(65, true);
        m_link->resetCounters();
        view->OnRefresh();
        QCOMPARE(m_link->readItemCount(), (page + 1) * 3);
    }

    void readsOnlyWhileShown()
    {
        QVERIFY(addSelected());
        auto view = makeView("P10 Limits", false);
        emit m_hub->SigDevStatus("A", 0, QString());
        QVERIFY(!view->getReadTimer()->isActive());
        QCOMPARE(m_link->readRequestCount(), 0);

        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QVERIFY(view->getReadTimer()->isActive());
        QVERIFY(m_link->readRequestCount() >= 1);
        QTRY_VERIFY(!m_device->isReadBusy());
        // A drive that comes back online is read at once.
        m_link->resetCounters();
        emit m_hub->SigDevStatus("A", 0, QString());
        QCOMPARE(m_link->readRequestCount(), 1);
        QTRY_VERIFY(!m_device->isReadBusy());
        setInterval(70);
        QCOMPARE(view->getReadTimer()->interval(), 70);
        setInterval(0);
        QVERIFY(!view->getReadTimer()->isActive());
        setInterval(60000);

        view->hide();
        QVERIFY(!view->getReadTimer()->isActive());
        m_link->resetCounters();
        emit m_hub->SigDevStatus("A", 0, QString());
        emit m_hub->SigFuncodeChanged_Servo("A", {limit(1)});
        // Changing the interval of a hidden view does not start its timer.
        setInterval(50);
        QVERIFY(!view->getReadTimer()->isActive());
        QCOMPARE(m_link->readRequestCount(), 0);
    }

    void changeNoticeAnnouncesVisibleRow()
    {
        QVERIFY(addSelected());
        auto view = makeView("P10 Limits");
        QTRY_VERIFY(!m_device->isReadBusy());
        QSignalSpy spy(view->getModel(), &QAbstractItemModel::dataChanged);
        emit m_hub->SigFuncodeChanged_Servo("A", {limit(2)});
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toModelIndex().row(), 2);
        QCOMPARE(spy.at(0).at(1).toModelIndex().row(), 2);
    }

    void axisColumns_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QList<int>>("hidden");
        QTest::newRow("one axis") << "TST1" << QList<int>{1, 5, 6};
        QTest::newRow("two axes") << "TST2" << QList<int>{6};
        QTest::newRow("three axes") << "TST3" << QList<int>{};
    }

    void axisColumns()
    {
        QFETCH(QString, model);
        QFETCH(QList<int>, hidden);
        QVERIFY(addSelected(model));
        auto view = makeView("P00 Basic", false);
        for (int column : {1, 4, 5, 6}) {
            QCOMPARE(view->isColumnHidden(column), hidden.contains(column));
            QCOMPARE(columnAction(*view, column) != nullptr, !hidden.contains(column));
        }
        QCOMPARE(view->getColumnMenu()->actions().size(), 19 - hidden.size());
        QVERIFY(!view->isColumnHidden(M::COL_RELATE_F));
    }

    void relationColumnsOfKv905()
    {
        QVERIFY(addSelected("KV905"));
        auto view = makeView("P01 Basic control");
        QVERIFY(view->getModel()->rowCount() > 0);
        for (int column = M::COL_RELATE_F; column <= M::COL_RELATE_T; ++column) {
            QVERIFY(view->isColumnHidden(column));
        }
        QVERIFY(!view->isColumnHidden(M::COL_STORE));
    }

    void columnMenuHidesAndShows()
    {
        QVERIFY(addSelected());
        auto view = makeView("P00 Basic", false);
        QAction* unit = columnAction(*view, M::COL_UNIT);
        QVERIFY(unit);
        unit->trigger();
        QVERIFY(view->isColumnHidden(M::COL_UNIT));
        unit->trigger();
        QVERIFY(!view->isColumnHidden(M::COL_UNIT));
        // A column the user hid stays hidden when the axis columns are applied again.
        columnAction(*view, M::COL_AXIS_Y)->trigger();
        view->updateAxisColumns();
        QVERIFY(view->isColumnHidden(M::COL_AXIS_Y));
    }

    void keys()
    {
        QVERIFY(addSelected());
        m_device->setSelSubFuncodeList({limit(5), limit(6)});
        auto view = makeView("P10 Limits");
        view->setCurrentIndex(view->model()->index(4, 0));
        QTest::keyClick(view.get(), Qt::Key_Down);
        QCOMPARE(view->currentIndex().row(), 5);
        QVERIFY(view->selectionModel()->isRowSelected(5, QModelIndex()));
        // Control+arrows reorder the monitored list only; a group keeps its rows and the current row.
        QTest::keyClick(view.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(view->currentIndex().row(), 5);
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({limit(5), limit(6)}));

        QAssistantManager* help = QSoftCore::getCore()->getAssistantManager();
        QTest::keyClick(view.get(), Qt::Key_F1);
        QCOMPARE(help->lastAnchor(), limit(5));
        QVERIFY(help->lastPageHtml().contains(QStringLiteral("Limit 5")));
        if (help->helpWindow()) {
            help->helpWindow()->close();
        }
    }
};

QTEST_MAIN(tst_QFuncodeView_Servo)
#include "tst_QFuncodeView_Servo.moc"
