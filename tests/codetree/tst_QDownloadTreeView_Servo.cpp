#include "FuncodeRows.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <memory>

using FuncodeRows::row;

// The import tree's view: showing only the differing rows, and what its collapse menu keeps open.
class tst_QDownloadTreeView_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDownloadTreeView_Servo> m_view;
    QDownloadTreeModel* m_model = nullptr;

    QModelIndex top() const { return m_model->index(0, 0); }
    QModelIndex group(int row) const { return m_model->index(row, 0, top()); }

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

    // How the menu acts on the node under the mouse is the folding tree's (tst_QFoldingTreeView); this
    // tree keeps its groups in view.
    void collapseAllKeepsTheGroupsInView()
    {
        QTestUi::rightClick(m_view.get(), m_model->index(0, 0, group(0)));
        m_view->contextMenu()->findChild<QAction*>("STR_COLLAPSE_ALL")->trigger();
        QVERIFY(m_view->isExpanded(top()));
        QVERIFY(!m_view->isExpanded(group(0)));
    }
};

QTEST_MAIN(tst_QDownloadTreeView_Servo)
#include "tst_QDownloadTreeView_Servo.moc"
