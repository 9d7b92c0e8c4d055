#pragma once

#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QModelIndex>

// One node of the import tree: the invisible root, the top node, a group or one function code. A node owns
// its children; deleting it deletes its subtree. The record is shared with the caller's row list, so that
// the values the user sees are the values that are written.
class TreeItem
{
public:
    explicit TreeItem(const tagExportFuncodePtr_Servo& data, TreeItem* parent = nullptr);
    ~TreeItem();
    TreeItem(const TreeItem&) = delete;
    TreeItem& operator=(const TreeItem&) = delete;

    TreeItem* parentItem() const { return m_parent; }
    // Takes ownership; the child's parent becomes this node.
    void appendChild(TreeItem* child);
    void removeChildren();
    // Deletes every child from position count on.
    void truncateChildren(int count);
    TreeItem* child(int row) const { return m_children.value(row, nullptr); }
    const QList<TreeItem*>& children() const { return m_children; }
    int childCount() const { return m_children.size(); }
    bool hasChildren() const { return !m_children.isEmpty(); }
    // Position among the parent's children; 0 for a node without parent.
    int row() const { return m_row; }

    const tagExportFuncodePtr_Servo& data() const { return m_data; }
    // The number field: function-code number, group name or title.
    QString number() const { return m_data ? m_data->funIndex : QString(); }

    // The key the model orders checked rows by, kept once computed.
    const QString& sortKey() const { return m_sortKey; }
    void setSortKey(const QString& key) { m_sortKey = key; }

    // The last index the model made for this node (column 0).
    QModelIndex index() const { return m_index; }
    void setIndex(const QModelIndex& index) { m_index = index; }

    Qt::CheckState checkState() const { return m_checkState; }
    void setCheckState(Qt::CheckState state) { m_checkState = state; }
    bool isChecked() const { return m_checkState == Qt::Checked; }
    // Sets the state on this node and every node below it.
    void setCheckStateRecursive(Qt::CheckState state);
    // The state the children give: unchecked when all are, checked when all are, partially otherwise.
    // A node without children keeps its own state.
    Qt::CheckState childrenCheckState() const;

    bool isBranch() const { return m_isBranch; }
    void setBranch(bool branch) { m_isBranch = branch; }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted) { m_highlighted = highlighted; }
    // True when some child is highlighted.
    bool anyChildHighlighted() const;
    bool isFuncode() const { return m_isFuncode; }
    void setFuncode(bool funcode) { m_isFuncode = funcode; }

private:
    TreeItem* m_parent = nullptr;
    QList<TreeItem*> m_children;
    tagExportFuncodePtr_Servo m_data;
    QModelIndex m_index;
    QString m_sortKey;
    Qt::CheckState m_checkState = Qt::Checked;
    bool m_isBranch = false;
    bool m_highlighted = false;
    bool m_isFuncode = false;
    int m_row = 0;
};
