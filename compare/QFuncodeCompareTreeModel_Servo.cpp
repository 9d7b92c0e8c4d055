#include "QFuncodeCompareTreeModel_Servo.h"

#include <QBrush>
#include <QSize>

namespace {
const QSize kCellSize(220, 20);
// A code not compared (a value unknown on one side) is neither equal (plain) nor differing (red).
const QColor kNotComparedColor(0xb0, 0x6a, 0x00);

QString groupWord(const QString& text)
{
    return text.section(QLatin1Char(' '), 0, 0);
}
} // namespace

QFuncodeCompareTreeModel_Servo::QFuncodeCompareTreeModel_Servo(QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<Node>())
{
}

QFuncodeCompareTreeModel_Servo::~QFuncodeCompareTreeModel_Servo() = default;

void QFuncodeCompareTreeModel_Servo::setHeader(const QStringList& header)
{
    m_header = header;
}

void QFuncodeCompareTreeModel_Servo::setCompareData(const QList<tagCompareFuncode_Servo*>& records)
{
    beginResetModel();
    m_root->children.clear();
    QString currentGroup;
    Node* groupNode = nullptr;
    for (const tagCompareFuncode_Servo* record : records) {
        if (!record) {
            continue;
        }
        if (!groupNode || groupWord(record->group) != groupWord(currentGroup)) {
            currentGroup = record->group;
            groupNode = appendGroup(currentGroup);
        }
        if (!record->equal) {
            groupNode->differs = true;
        }
        auto node = std::make_unique<Node>();
        node->record = record;
        appendChild(groupNode, std::move(node));
    }
    endResetModel();
}

QFuncodeCompareTreeModel_Servo::Node* QFuncodeCompareTreeModel_Servo::appendChild(Node* parent,
                                                                                  std::unique_ptr<Node> child)
{
    child->parent = parent;
    child->row = int(parent->children.size());
    parent->children.push_back(std::move(child));
    return parent->children.back().get();
}

QFuncodeCompareTreeModel_Servo::Node* QFuncodeCompareTreeModel_Servo::appendGroup(const QString& title)
{
    auto group = std::make_unique<Node>();
    group->isGroup = true;
    group->ownRecord = std::make_unique<tagCompareFuncode_Servo>();
    group->ownRecord->funIndex = title;
    group->ownRecord->group = title;
    group->ownRecord->equal = true;
    group->record = group->ownRecord.get();
    return appendChild(m_root.get(), std::move(group));
}

QFuncodeCompareTreeModel_Servo::Node* QFuncodeCompareTreeModel_Servo::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : m_root.get();
}

const tagCompareFuncode_Servo* QFuncodeCompareTreeModel_Servo::recordAt(const QModelIndex& index) const
{
    return index.isValid() ? nodeOf(index)->record : nullptr;
}

bool QFuncodeCompareTreeModel_Servo::isGroup(const QModelIndex& index) const
{
    return index.isValid() && nodeOf(index)->isGroup;
}

bool QFuncodeCompareTreeModel_Servo::groupDiffers(const QModelIndex& index) const
{
    return isGroup(index) && nodeOf(index)->differs;
}

QModelIndex QFuncodeCompareTreeModel_Servo::index(int row, int column, const QModelIndex& parent) const
{
    const Node* parentNode = nodeOf(parent);
    if (row < 0 || column < 0 || column >= columnCount() || row >= int(parentNode->children.size())) {
        return QModelIndex();
    }
    return createIndex(row, column, parentNode->children[size_t(row)].get());
}

QModelIndex QFuncodeCompareTreeModel_Servo::parent(const QModelIndex& child) const
{
    if (!child.isValid()) {
        return QModelIndex();
    }
    const Node* parentNode = nodeOf(child)->parent;
    if (!parentNode || parentNode == m_root.get()) {
        return QModelIndex();
    }
    return createIndex(parentNode->row, 0, const_cast<Node*>(parentNode));
}

int QFuncodeCompareTreeModel_Servo::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) {
        return 0;
    }
    return int(nodeOf(parent)->children.size());
}

int QFuncodeCompareTreeModel_Servo::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return m_header.size();
}

QString QFuncodeCompareTreeModel_Servo::cellText(const Node* node, int column) const
{
    const tagCompareFuncode_Servo* record = node->record;
    if (column == COL_INDEX) {
        return record->funIndex;
    }
    if (node->isGroup) {
        return QString();
    }
    if (column == COL_NAME) {
        return record->funName;
    }
    if (column >= COL_A_X && column <= COL_A_Z) {
        return record->textsA.value(column - COL_A_X);
    }
    return record->textsB.value(column - COL_B_X);
}

QVariant QFuncodeCompareTreeModel_Servo::foreground(const Node* node, int column) const
{
    if (!node->isGroup && node->record->notCompared) {
        return QBrush(kNotComparedColor, Qt::SolidPattern);
    }
    const bool red = node->isGroup ? (node->differs && column == COL_INDEX) : !node->record->equal;
    return red ? QVariant(QBrush(Qt::red, Qt::SolidPattern)) : QVariant();
}

QVariant QFuncodeCompareTreeModel_Servo::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return QVariant();
    }
    const Node* node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(node, index.column());
    case Qt::ForegroundRole:
        return foreground(node, index.column());
    case Qt::SizeHintRole:
        return kCellSize;
    default:
        return QVariant();
    }
}

QVariant QFuncodeCompareTreeModel_Servo::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return QVariant();
    }
    if (section < 0 || section >= m_header.size()) {
        return QVariant();
    }
    return m_header.at(section);
}

Qt::ItemFlags QFuncodeCompareTreeModel_Servo::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}
