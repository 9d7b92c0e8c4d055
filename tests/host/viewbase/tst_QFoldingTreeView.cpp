#include "QFoldingTreeView.h"
#include "QTestUi.h"

#include <QMenu>
#include <QStandardItemModel>
#include <QtTest>

// The expand and collapse menu of the host's trees: it acts on the node under the mouse, and on nothing
// when the click was on empty space.
class tst_QFoldingTreeView : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFoldingTreeView> m_view;
    QStandardItemModel m_model;

    QModelIndex group(int row) const { return m_model.index(row, 0); }

private slots:
    void init()
    {
        // Two groups of two codes, each row with a second column.
        m_model.clear();
        for (const QString& name : {QStringLiteral("G1"), QStringLiteral("G2")}) {
            auto* groupItem = new QStandardItem(name);
            for (int code = 0; code < 2; ++code) {
                groupItem->appendRow(
                    {new QStandardItem(name + QString::number(code)), new QStandardItem("v")});
            }
            m_model.appendRow({groupItem, new QStandardItem});
        }
        m_view = std::make_unique<QFoldingTreeView>();
        m_view->setModel(&m_model);
        m_view->resize(400, 300);
        m_view->show();
        m_view->expandAll();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup() { m_view.reset(); }

    void menuActsOnTheNodeUnderTheMouse_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("codeRow"); // -1: the menu opens on the first group itself
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("firstExpanded");
        QTest::addColumn<bool>("secondExpanded");
        QTest::newRow("collapse a group") << "STR_COLLAPSE" << -1 << 0 << false << true;
        QTest::newRow("collapse on a code folds its group") << "STR_COLLAPSE" << 1 << 1 << false << true;
        QTest::newRow("collapse all") << "STR_COLLAPSE_ALL" << 0 << 0 << false << false;
        QTest::newRow("expand a group") << "STR_EXPAND" << -1 << 1 << true << false;
        QTest::newRow("expand all") << "STR_EXPAND_ALL" << 0 << 0 << true << true;
        QTest::newRow("over nothing: expand all") << "STR_EXPAND_ALL" << -2 << 0 << false << false;
        QTest::newRow("over nothing: collapse all") << "STR_COLLAPSE_ALL" << -2 << 0 << true << true;
    }

    void menuActsOnTheNodeUnderTheMouse()
    {
        QFETCH(QString, action);
        QFETCH(int, codeRow);
        QFETCH(int, column);
        QFETCH(bool, firstExpanded);
        QFETCH(bool, secondExpanded);
        if (action == "STR_EXPAND" || (codeRow == -2 && action == "STR_EXPAND_ALL")) {
            m_view->collapseAll();
        }
        const QModelIndex target = codeRow == -2 ? QModelIndex()
                                   : codeRow < 0 ? m_model.index(0, column)
                                                 : m_model.index(codeRow, column, group(0));
        QTestUi::rightClick(m_view.get(), target);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(m_view->menuIndex(), target);
        auto* menuAction = m_view->contextMenu()->findChild<QAction*>(action);
        QVERIFY(menuAction);
        menuAction->trigger();
        QCOMPARE(m_view->isExpanded(group(0)), firstExpanded);
        QCOMPARE(m_view->isExpanded(group(1)), secondExpanded);
    }
};

QTEST_MAIN(tst_QFoldingTreeView)
#include "tst_QFoldingTreeView.moc"
