#pragma once

#include "QFoldingTreeView.h"

class QDownloadTreeModel;
class TreeItem;

// The view of the import tree (QDownloadTreeModel). Its "collapse all" keeps the groups in view; it can hide
// every row that does not differ and show them again.
class QDownloadTreeView_Servo : public QFoldingTreeView
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

public slots:
    void setExpandDepth(int depth);
    // Hides every row below the top node that is not highlighted.
    void setOnlyShowDiffItem();
    // Hides or shows every row below the top node.
    void setAlltItemHidden(bool bHidden);
    void recursiveSetItemVisible(TreeItem* item, bool bHidden);
    void recursiveOnlySetNoHightLightItemHidden(TreeItem* item, bool bHidden);

protected:
    // The top node stays open, so that the groups stay in view.
    void keepOpenAfterCollapseAll() override;

private:
    void setItemRowHidden(const TreeItem* item, bool hidden);
};
