#include "QFoldingTreeView.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>

QFoldingTreeView::QFoldingTreeView(QWidget* parent) : QBaseTreeView(parent), m_menu(new QMenu(this))
{
    addMenuAction("STR_EXPAND", ":/img/commonImge/branch-closed", &QFoldingTreeView::SlotOnExpand);
    addMenuAction("STR_COLLAPSE", ":/img/commonImge/branch-open", &QFoldingTreeView::SlotOnCollapse);
    addMenuAction("STR_EXPAND_ALL", ":/img/commonImge/branch-closed", &QFoldingTreeView::SlotOnExpandAll);
    addMenuAction("STR_COLLAPSE_ALL", ":/img/commonImge/branch-open", &QFoldingTreeView::SlotOnCollapseAll);
}

QFoldingTreeView::~QFoldingTreeView() = default;

void QFoldingTreeView::addMenuAction(const char* key, const char* icon, void (QFoldingTreeView::*slot)(bool))
{
    auto* group = m_menu->findChild<QActionGroup*>();
    if (!group) {
        group = new QActionGroup(m_menu);
    }
    QAction* action = m_menu->addAction(QIcon(QString::fromLatin1(icon)), tr(key));
    action->setObjectName(QString::fromLatin1(key));
    group->addAction(action);
    connect(action, &QAction::triggered, this, slot);
}

QModelIndex QFoldingTreeView::menuNode() const
{
    return m_menuIndex.isValid() ? m_menuIndex.sibling(m_menuIndex.row(), 0) : QModelIndex();
}

void QFoldingTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    m_menuIndex = indexAt(event->pos());
    m_menu->popup(event->globalPos());
    event->accept();
}

void QFoldingTreeView::SlotOnExpand(bool)
{
    if (m_menuIndex.isValid()) {
        expand(menuNode());
    }
}

void QFoldingTreeView::SlotOnCollapse(bool)
{
    if (!m_menuIndex.isValid()) {
        return;
    }
    const QModelIndex node = menuNode();
    collapse(model()->hasChildren(node) ? node : node.parent());
}

void QFoldingTreeView::SlotOnExpandAll(bool)
{
    if (m_menuIndex.isValid()) {
        expandAll();
    }
}

void QFoldingTreeView::SlotOnCollapseAll(bool)
{
    if (!m_menuIndex.isValid()) {
        return;
    }
    collapseAll();
    keepOpenAfterCollapseAll();
}
