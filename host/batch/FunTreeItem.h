#pragma once

#include "FunOperationDataUnit.h"

#include <QList>
#include <QString>
#include <Qt>

// One node of the batch-download tree: the title node, a group, or a function code (which carries its
// data unit). A node owns its children. Highlighted nodes (and axis cells) differ from the current drive.
class FunTreeItem
{
public:
    explicit FunTreeItem(const QString& title = QString(), FunTreeItem* parent = nullptr);
    FunTreeItem(const FunOperationDataUnitPtr& unit, FunTreeItem* parent);
    ~FunTreeItem();
    FunTreeItem(const FunTreeItem&) = delete;
    FunTreeItem& operator=(const FunTreeItem&) = delete;

    FunTreeItem* appendChild(FunTreeItem* child);
    FunTreeItem* child(int row) const { return m_children.value(row); }
    int childCount() const { return m_children.size(); }
    const QList<FunTreeItem*>& children() const { return m_children; }
    FunTreeItem* parent() const { return m_parent; }
    // Position among the parent's children (0 for the root).
    int row() const { return m_row; }

    QString title() const { return m_title; }
    const FunOperationDataUnitPtr& unit() const { return m_unit; }

    void setFuncode(bool isFuncode) { m_isFuncode = isFuncode; }
    bool isFuncode() const { return m_isFuncode; }
    void setHighLightTrue() { m_highLight = true; }
    bool isHighLight() const { return m_highLight; }
    void setAxisHighLight(int axis) { m_axisHighLight |= (1 << axis); }
    bool isAxisHighLight(int axis) const { return (m_axisHighLight >> axis) & 1; }

    Qt::CheckState checkState() const { return m_checkState; }
    void setCheckState(Qt::CheckState state) { m_checkState = state; }

private:
    QString m_title;
    FunOperationDataUnitPtr m_unit;
    FunTreeItem* m_parent = nullptr;
    int m_row = 0;
    QList<FunTreeItem*> m_children;
    bool m_isFuncode = false;
    bool m_highLight = false;
    int m_axisHighLight = 0;
    Qt::CheckState m_checkState = Qt::Checked;
};
