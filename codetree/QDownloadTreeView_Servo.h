#pragma once

#include "QBaseTreeView.h"

#include <QModelIndex>

class QAction;
class QDownloadTreeModel;
class QMenu;
class TreeItem;

// The view of the import tree (QDownloadTreeModel). Its context menu expands and collapses the node under
// the mouse or the whole tree; it can hide every row that does not differ and show them again.
class QDownloadTreeView_Servo : public QBaseTreeView
{
    Q_OBJECT
public:
    explicit QDownloadTreeView_Servo(QWidget* parent = nullptr);
    ~QDownloadTreeView_Servo() override;

    QDownloadTreeModel* downloadModel() const;
    // Sum of the widths of all columns, and of all but the last (to size a dialog around the tree).
    int columnsWidth() const;
    int columnsWidthButLast() const;
    // Widens the first column to the widest number, group or title shown (never below minimum).
    void fitFirstColumn(int minimum);
    QMenu* contextMenu() const { return m_menu; }
    // The index under the last context-menu click.
    QModelIndex menuIndex() const { return m_menuIndex; }

public slots:
    void SlotOnExpand(bool checked = false);
    void SlotOnCollapse(bool checked = false);
    void SlotOnExpandAll(bool checked = false);
    // Collapses everything but the top node, so that the groups stay in view.
    void SlotOnCollapseAll(bool checked = false);
    void setExpandDepth(int depth);
    // Hides every row below the top node that is not highlighted.
    void setOnlyShowDiffItem();
    // Hides or shows every row below the top node.
    void setAlltItemHidden(bool bHidden);
    void recursiveSetItemVisible(TreeItem* item, bool bHidden);
    void recursiveOnlySetNoHightLightItemHidden(TreeItem* item, bool bHidden);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* addMenuAction(const char* key, const char* icon, void (QDownloadTreeView_Servo::*slot)(bool));
    void setItemRowHidden(const TreeItem* item, bool hidden);

    QMenu* m_menu = nullptr;
    QModelIndex m_menuIndex;
};
