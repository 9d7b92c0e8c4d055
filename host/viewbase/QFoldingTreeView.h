#pragma once

#include "QBaseTreeView.h"

#include <QModelIndex>

class QAction;
class QMenu;

// A tree view whose context menu expands or collapses the node under the mouse, or the whole tree. A right
// click on empty space leaves the menu's index invalid, and every action then does nothing.
class QFoldingTreeView : public QBaseTreeView
{
    Q_OBJECT
public:
    explicit QFoldingTreeView(QWidget* parent = nullptr);
    ~QFoldingTreeView() override;

    QMenu* contextMenu() const { return m_menu; }
    // The index under the last context-menu click.
    QModelIndex menuIndex() const { return m_menuIndex; }

public slots:
    void SlotOnExpand(bool checked = false);
    // A leaf folds its group away.
    void SlotOnCollapse(bool checked = false);
    void SlotOnExpandAll(bool checked = false);
    void SlotOnCollapseAll(bool checked = false);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // What stays open after "collapse all": nothing here.
    virtual void keepOpenAfterCollapseAll() {}

private:
    void addMenuAction(const char* key, const char* icon, void (QFoldingTreeView::*slot)(bool));
    QModelIndex menuNode() const;

    QMenu* m_menu = nullptr;
    QModelIndex m_menuIndex;
};
