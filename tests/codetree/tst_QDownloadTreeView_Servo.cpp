#include "FuncodeRows.h"
#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QTestHost.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <memory>

using FuncodeRows::row;

// The import tree's view: showing only the differing rows, and its expand and collapse menu.
class tst_QDownloadTreeView_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDownloadTreeView_Servo> m_view;
    QDownloadTreeModel* m_model = nullptr;

    QModelIndex top() const { return m_model->index(0, 0); }
    QModelIndex group(int row) const { return m_model->index(row, 0, top()); }

    void openMenuAt(const QModelIndex& index)
    {
        // An invalid index: below the last row.
        const QPoint point = index.isValid() ? m_view->visualRect(index).center()
                                             : QPoint(5, m_view->viewport()->height() - 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, m_view->viewport()->mapToGlobal(point));
        QCoreApplication::sendEvent(m_view->viewport(), &event);
        m_view->contextMenu()->hide();
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST1"), QStringLiteral("View-A")));
        m_view = std::make_unique<QDownloadTreeView_Servo>();
        m_model = new QDownloadTreeModel({"a", "b", "c", "d"}, true, m_view.get());
        // Group "G1": one differing row and one equal row; group "G2": equal rows only.
        m_model->load({row("G1", "P1.00", {"2"}, {"1"}), row("G1", "P1.01", {"1"}, {"1"}),
                       row("G2", "P2.00", {"1"}, {"1"}), row("G2", "P2.01", {"1"}, {"1"})});
        m_view->setModel(m_model);
        m_view->resize(600, 400);
        m_view->show();
        m_view->expandAll();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup()
    {
        m_view.reset();
        QTestHost::clearProject();
    }

    void onlyDifferingRowsStayVisible()
    {
        m_view->setOnlyShowDiffItem();
        QVERIFY(!m_view->isRowHidden(0, top()));
        QVERIFY(!m_view->isRowHidden(0, group(0)));
        QVERIFY(m_view->isRowHidden(1, group(0)));
        QVERIFY(m_view->isRowHidden(1, top()));
        QVERIFY(m_view->isRowHidden(0, group(1)));

        m_view->setAlltItemHidden(false);
        QVERIFY(!m_view->isRowHidden(1, group(0)));
        QVERIFY(!m_view->isRowHidden(1, top()));
        QVERIFY(!m_view->isRowHidden(1, group(1)));
    }

    void menuActsOnTheNodeUnderTheMouse_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("groupRow");
        QTest::addColumn<int>("codeRow"); // -1: the menu opens on the group itself
        QTest::addColumn<bool>("groupExpanded");
        QTest::newRow("collapse a group") << "STR_COLLAPSE" << 0 << -1 << false;
        QTest::newRow("collapse on a code folds its group") << "STR_COLLAPSE" << 1 << 0 << false;
        QTest::newRow("collapse all keeps the groups in view") << "STR_COLLAPSE_ALL" << 0 << 1 << false;
        QTest::newRow("expand all") << "STR_EXPAND_ALL" << 0 << 0 << true;
    }

    void menuActsOnTheNodeUnderTheMouse()
    {
        QFETCH(QString, action);
        QFETCH(int, groupRow);
        QFETCH(int, codeRow);
        QFETCH(bool, groupExpanded);
        const QModelIndex target =
            codeRow < 0 ? group(groupRow) : m_model->index(codeRow, 0, group(groupRow));
        openMenuAt(target);
        QCOMPARE(m_view->menuIndex(), target);
        auto* menuAction = m_view->contextMenu()->findChild<QAction*>(action);
        QVERIFY(menuAction);
        menuAction->trigger();
        QCOMPARE(m_view->isExpanded(group(groupRow)), groupExpanded);
        QVERIFY(m_view->isExpanded(top()));
    }

    void menuOverNothingDoesNothing()
    {
        m_view->collapse(group(0));
        openMenuAt(QModelIndex());
        const QList<QAction*> actions = m_view->contextMenu()->actions();
        QCOMPARE(actions.size(), 4);
        for (QAction* action : actions) {
            action->trigger();
        }
        QVERIFY(!m_view->isExpanded(group(0)));
        QVERIFY(m_view->isExpanded(group(1)));
    }
};

QTEST_MAIN(tst_QDownloadTreeView_Servo)
#include "tst_QDownloadTreeView_Servo.moc"
