#include "TreeItem.h"

TreeItem::TreeItem(const tagExportFuncodePtr_Servo& data, TreeItem* parent) : m_parent(parent), m_data(data)
{
}

TreeItem::~TreeItem()
{
    qDeleteAll(m_children);
}

void TreeItem::appendChild(TreeItem* child)
{
    if (!child) {
        return;
    }
    child->m_parent = this;
    child->m_row = m_children.size();
    m_children.append(child);
}

void TreeItem::removeChildren()
{
    qDeleteAll(m_children);
    m_children.clear();
}

void TreeItem::truncateChildren(int count)
{
    while (m_children.size() > qMax(0, count)) {
        delete m_children.takeLast();
    }
}

void TreeItem::setCheckStateRecursive(Qt::CheckState state)
{
    m_checkState = state;
    for (TreeItem* child : qAsConst(m_children)) {
        child->setCheckStateRecursive(state);
    }
}

Qt::CheckState TreeItem::childrenCheckState() const
{
    if (m_children.isEmpty()) {
        return m_checkState;
    }
    bool anyChecked = false;
    bool anyUnchecked = false;
    for (const TreeItem* child : m_children) {
        switch (child->checkState()) {
        case Qt::Checked:
            anyChecked = true;
            break;
        case Qt::Unchecked:
            anyUnchecked = true;
            break;
        default:
            return Qt::PartiallyChecked;
        }
        if (anyChecked && anyUnchecked) {
            return Qt::PartiallyChecked;
        }
    }
    return anyChecked ? Qt::Checked : Qt::Unchecked;
}

bool TreeItem::anyChildHighlighted() const
{
    for (const TreeItem* child : m_children) {
        if (child->isHighlighted()) {
            return true;
        }
    }
    return false;
}
