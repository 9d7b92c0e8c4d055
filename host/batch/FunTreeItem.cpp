#include "FunTreeItem.h"

FunTreeItem::FunTreeItem(const QString& title, FunTreeItem* parent) : m_title(title), m_parent(parent) {}

FunTreeItem::FunTreeItem(const FunOperationDataUnitPtr& unit, FunTreeItem* parent)
    : m_title(unit ? unit->funIndex : QString()), m_unit(unit), m_parent(parent), m_isFuncode(true)
{
}

FunTreeItem::~FunTreeItem()
{
    qDeleteAll(m_children);
}

FunTreeItem* FunTreeItem::appendChild(FunTreeItem* child)
{
    child->m_parent = this;
    child->m_row = m_children.size();
    m_children.append(child);
    return child;
}
