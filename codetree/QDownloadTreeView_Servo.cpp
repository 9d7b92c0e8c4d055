#include "QDownloadTreeView_Servo.h"

#include "QDownloadTreeModel.h"
#include "TreeItem.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

QDownloadTreeView_Servo::QDownloadTreeView_Servo(QWidget* parent) : QBaseTreeView(parent)
{
    m_menu = new QMenu(this);
    auto* group = new QActionGroup(this);
    group->addAction(addMenuAction("STR_EXPAND", ":/img/commonImge/branch-closed",
                                   &QDownloadTreeView_Servo::SlotOnExpand));
    group->addAction(addMenuAction("STR_COLLAPSE", ":/img/commonImge/branch-open",
                                   &QDownloadTreeView_Servo::SlotOnCollapse));
    group->addAction(addMenuAction("STR_EXPAND_ALL", ":/img/commonImge/branch-closed",
                                   &QDownloadTreeView_Servo::SlotOnExpandAll));
    group->addAction(addMenuAction("STR_COLLAPSE_ALL", ":/img/commonImge/branch-open",
                                   &QDownloadTreeView_Servo::SlotOnCollapseAll));
}

QDownloadTreeView_Servo::~QDownloadTreeView_Servo() = default;

QAction* QDownloadTreeView_Servo::addMenuAction(const char* key, const char* icon,
                                                void (QDownloadTreeView_Servo::*slot)(bool))
{
    QAction* action = m_menu->addAction(QIcon(QString::fromLatin1(icon)), tr(key));
    action->setObjectName(QString::fromLatin1(key));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QDownloadTreeModel* QDownloadTreeView_Servo::downloadModel() const
{
    return qobject_cast<QDownloadTreeModel*>(model());
}

int QDownloadTreeView_Servo::columnsWidth() const
{
    int width = 0;
    for (int column = 0; column < header()->count(); ++column) {
        width += columnWidth(column);
    }
    return width;
}

int QDownloadTreeView_Servo::columnsWidthButLast() const
{
    const int count = header()->count();
    return count > 0 ? columnsWidth() - columnWidth(count - 1) : 0;
}

void QDownloadTreeView_Servo::fitFirstColumn(int minimum)
{
    setColumnWidth(0, qMax(minimum, sizeHintForColumn(0)));
}

void QDownloadTreeView_Servo::contextMenuEvent(QContextMenuEvent* event)
{
    m_menuIndex = indexAt(event->pos());
    m_menu->popup(event->globalPos());
    event->accept();
}

void QDownloadTreeView_Servo::SlotOnExpand(bool checked)
{
    Q_UNUSED(checked)
    if (m_menuIndex.isValid()) {
        expand(m_menuIndex.sibling(m_menuIndex.row(), 0));
    }
}

void QDownloadTreeView_Servo::SlotOnCollapse(bool checked)
{
    Q_UNUSED(checked)
    if (!m_menuIndex.isValid()) {
        return;
    }
    const QModelIndex node = m_menuIndex.sibling(m_menuIndex.row(), 0);
    // A leaf folds its group away.
    collapse(model()->hasChildren(node) ? node : node.parent());
}

void QDownloadTreeView_Servo::SlotOnExpandAll(bool checked)
{
    Q_UNUSED(checked)
    if (m_menuIndex.isValid()) {
        expandAll();
    }
}

void QDownloadTreeView_Servo::SlotOnCollapseAll(bool checked)
{
    Q_UNUSED(checked)
    if (!m_menuIndex.isValid()) {
        return;
    }
    collapseAll();
    if (QDownloadTreeModel* tree = downloadModel()) {
        expand(tree->indexOfItem(tree->topItem()));
    }
}

void QDownloadTreeView_Servo::setExpandDepth(int depth)
{
    expandToDepth(depth);
}

void QDownloadTreeView_Servo::setItemRowHidden(const TreeItem* item, bool hidden)
{
    QDownloadTreeModel* tree = downloadModel();
    const QModelIndex index = tree ? tree->indexOfItem(item) : QModelIndex();
    if (index.isValid()) {
        setRowHidden(index.row(), index.parent(), hidden);
    }
}

void QDownloadTreeView_Servo::setOnlyShowDiffItem()
{
    QDownloadTreeModel* tree = downloadModel();
    if (!tree) {
        return;
    }
    for (TreeItem* child : tree->topItem()->children()) {
        recursiveOnlySetNoHightLightItemHidden(child, true);
    }
}

void QDownloadTreeView_Servo::setAlltItemHidden(bool bHidden)
{
    QDownloadTreeModel* tree = downloadModel();
    if (!tree) {
        return;
    }
    for (TreeItem* child : tree->topItem()->children()) {
        recursiveSetItemVisible(child, bHidden);
    }
}

void QDownloadTreeView_Servo::recursiveSetItemVisible(TreeItem* item, bool bHidden)
{
    if (!item) {
        return;
    }
    for (TreeItem* child : item->children()) {
        recursiveSetItemVisible(child, bHidden);
    }
    setItemRowHidden(item, bHidden);
}

void QDownloadTreeView_Servo::recursiveOnlySetNoHightLightItemHidden(TreeItem* item, bool bHidden)
{
    if (!item) {
        return;
    }
    for (TreeItem* child : item->children()) {
        recursiveOnlySetNoHightLightItemHidden(child, bHidden);
    }
    setItemRowHidden(item, bHidden && !item->isHighlighted());
}
