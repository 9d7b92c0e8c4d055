#include "QDownloadTreeView_Servo.h"

#include "QDownloadTreeModel.h"
#include "TreeItem.h"

#include <QHeaderView>

QDownloadTreeView_Servo::QDownloadTreeView_Servo(QWidget* parent) : QFoldingTreeView(parent) {}

QDownloadTreeView_Servo::~QDownloadTreeView_Servo() = default;

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

void QDownloadTreeView_Servo::keepOpenAfterCollapseAll()
{
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
