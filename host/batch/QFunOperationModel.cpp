#include "QFunOperationModel.h"

#include "FunTreeItem.h"

#include <QBrush>
#include <QColor>

QFunOperationModel::QFunOperationModel(QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<FunTreeItem>())
{
}

QFunOperationModel::~QFunOperationModel() = default;

void QFunOperationModel::setHeadList(const QStringList& headers)
{
    if (headers == m_headers) {
        return;
    }
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

// ---------------------------------------------------------------- building

void QFunOperationModel::load(const QList<FunOperationDataUnitPtr>& units)
{
    beginResetModel();
    m_units = units;
    m_root = std::make_unique<FunTreeItem>();
    FunTreeItem* title = m_root->appendChild(new FunTreeItem(m_title));
    buildItems(title, units);
    endResetModel();
    emit checkedCountChanged(checkedCount());
}

void QFunOperationModel::buildItems(FunTreeItem* titleItem, const QList<FunOperationDataUnitPtr>& units)
{
    QHash<QString, FunTreeItem*> groups;
    for (const FunOperationDataUnitPtr& unit : units) {
        FunTreeItem*& group = groups[unit->groupName];
        if (!group) {
            group = titleItem->appendChild(new FunTreeItem(unit->groupName));
        }
        FunTreeItem* item = group->appendChild(new FunTreeItem(unit, group));
        item->setFuncode(true);
        markDifferences(item);
        if (item->isHighLight()) {
            group->setHighLightTrue();
        }
    }
}

void QFunOperationModel::markDifferences(FunTreeItem* item) const
{
    const FunOperationDataUnit& unit = *item->unit();
    for (int axis = 0; axis < unit.axisNum; ++axis) {
        if (!unit.isMultiValueEqual(axis)) {
            item->setAxisHighLight(axis);
            item->setHighLightTrue();
        }
    }
}

// ---------------------------------------------------------------- checking

QList<FunOperationDataUnitPtr> QFunOperationModel::checkedUnits() const
{
    QList<FunOperationDataUnitPtr> list;
    collectChecked(m_root.get(), &list);
    return list;
}

void QFunOperationModel::collectChecked(const FunTreeItem* item, QList<FunOperationDataUnitPtr>* list) const
{
    if (item->isFuncode()) {
        if (item->checkState() == Qt::Checked) {
            list->append(item->unit());
        }
        return;
    }
    for (const FunTreeItem* child : item->children()) {
        collectChecked(child, list);
    }
}

int QFunOperationModel::checkedCount() const
{
    return checkedUnits().size();
}

void QFunOperationModel::setAllChecked(bool checked)
{
    if (m_root->childCount() == 0) {
        return;
    }
    setData(index(0, 0), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void QFunOperationModel::selectDiffering()
{
    if (m_root->childCount() == 0) {
        return;
    }
    FunTreeItem* title = m_root->child(0);
    for (FunTreeItem* group : title->children()) {
        for (FunTreeItem* code : group->children()) {
            code->setCheckState(code->isHighLight() ? Qt::Checked : Qt::Unchecked);
        }
        if (group->childCount() > 0) {
            updateAncestors(group->child(0));
        }
    }
    emitSubtreeChanged(m_root.get());
    emit checkedCountChanged(checkedCount());
}

void QFunOperationModel::setSubtreeState(FunTreeItem* item, Qt::CheckState state)
{
    item->setCheckState(state);
    for (FunTreeItem* child : item->children()) {
        setSubtreeState(child, state);
    }
}

void QFunOperationModel::updateAncestors(FunTreeItem* item)
{
    for (FunTreeItem* parent = item->parent(); parent && parent != m_root.get(); parent = parent->parent()) {
        int checked = 0;
        int unchecked = 0;
        for (const FunTreeItem* child : parent->children()) {
            checked += child->checkState() == Qt::Checked;
            unchecked += child->checkState() == Qt::Unchecked;
        }
        const int count = parent->childCount();
        parent->setCheckState(checked == count     ? Qt::Checked
                              : unchecked == count ? Qt::Unchecked
                                                   : Qt::PartiallyChecked);
    }
}

void QFunOperationModel::emitSubtreeChanged(FunTreeItem* item)
{
    if (item->childCount() == 0) {
        return;
    }
    emit dataChanged(indexOf(item->child(0), 0), indexOf(item->child(item->childCount() - 1), 0),
                     {Qt::CheckStateRole});
    for (FunTreeItem* child : item->children()) {
        emitSubtreeChanged(child);
    }
}

// ---------------------------------------------------------------- the model

FunTreeItem* QFunOperationModel::itemOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<FunTreeItem*>(index.internalPointer()) : m_root.get();
}

QModelIndex QFunOperationModel::indexOf(FunTreeItem* item, int column) const
{
    return (!item || item == m_root.get()) ? QModelIndex() : createIndex(item->row(), column, item);
}

QModelIndex QFunOperationModel::topIndex() const
{
    return index(0, 0);
}

QModelIndex QFunOperationModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent)) {
        return QModelIndex();
    }
    return createIndex(row, column, itemOf(parent)->child(row));
}

QModelIndex QFunOperationModel::parent(const QModelIndex& child) const
{
    if (!child.isValid()) {
        return QModelIndex();
    }
    return indexOf(itemOf(child)->parent(), 0);
}

int QFunOperationModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) {
        return 0;
    }
    return itemOf(parent)->childCount();
}

int QFunOperationModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return qMax(1, m_headers.size());
}

QVariant QFunOperationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_headers.size()) {
        return QVariant();
    }
    return m_headers.at(section);
}

Qt::ItemFlags QFunOperationModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

QVariant QFunOperationModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return QVariant();
    }
    const FunTreeItem* item = itemOf(index);
    if (role == Qt::CheckStateRole) {
        return index.column() == 0 ? checkData(item) : QVariant();
    }
    if (role == Qt::ForegroundRole || role == Qt::BackgroundRole) {
        return highlightData(item, index.column(), role);
    }
    if (!item->isFuncode()) {
        return (role == Qt::DisplayRole && index.column() == 0) ? QVariant(item->title()) : QVariant();
    }
    return itemData(item, index.column(), role);
}

QVariant QFunOperationModel::checkData(const FunTreeItem* item) const
{
    return static_cast<int>(item->checkState());
}

QVariant QFunOperationModel::highlightData(const FunTreeItem* item, int column, int role) const
{
    if (!item->isHighLight()) {
        return QVariant();
    }
    if (role == Qt::ForegroundRole) {
        return QBrush(QColor(Qt::red));
    }
    const int axis = column - firstAxisColumn();
    if (firstAxisColumn() >= 0 && axis >= 0 && axis < 3 && item->isAxisHighLight(axis)) {
        return QBrush(QColor(255, 228, 228));
    }
    return QVariant();
}

QVariant QFunOperationModel::itemData(const FunTreeItem* item, int column, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return QVariant();
    }
    const FunOperationDataUnit& unit = *item->unit();
    if (column == 0) {
        return unit.funIndex;
    }
    if (column == 1) {
        return unit.funName;
    }
    const int axis = column - firstAxisColumn();
    return (axis >= 0 && axis < unit.valueTexts.size()) ? QVariant(unit.valueTexts.at(axis)) : QVariant();
}

bool QFunOperationModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != 0) {
        return false;
    }
    FunTreeItem* item = itemOf(index);
    const Qt::CheckState state =
        static_cast<Qt::CheckState>(value.toInt()) == Qt::Unchecked ? Qt::Unchecked : Qt::Checked;
    setSubtreeState(item, state);
    updateAncestors(item);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emitSubtreeChanged(item);
    for (FunTreeItem* parent = item->parent(); parent && parent != m_root.get(); parent = parent->parent()) {
        const QModelIndex p = indexOf(parent, 0);
        emit dataChanged(p, p, {Qt::CheckStateRole});
    }
    emit checkedCountChanged(checkedCount());
    return true;
}
