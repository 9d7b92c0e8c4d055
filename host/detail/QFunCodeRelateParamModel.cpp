#include "QFunCodeRelateParamModel.h"

#include <QBrush>
#include <QColor>

QFunCodeRelateParamModel::QFunCodeRelateParamModel(QObject* parent) : QAbstractTableModel(parent) {}

void QFunCodeRelateParamModel::setRows(const QList<Row>& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int QFunCodeRelateParamModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int QFunCodeRelateParamModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COL_COUNT;
}

QString QFunCodeRelateParamModel::cellText(const Row& row, int column) const
{
    switch (column) {
    case COL_NUMBER:
        return row.number;
    case COL_NAME:
        return row.name;
    case COL_BEFORE:
        return row.before;
    case COL_AFTER:
        return row.after;
    case COL_UNIT:
        return row.unit;
    default:
        return QString();
    }
}

QVariant QFunCodeRelateParamModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return QVariant();
    }
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(row, index.column());
    case Qt::ForegroundRole:
        // The value that the change moved is what the user looks for.
        if (index.column() == COL_AFTER && row.before != row.after) {
            return QBrush(QColor(Qt::red));
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant QFunCodeRelateParamModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case COL_NUMBER:
        return tr("STR_DETAIL_NUMBER");
    case COL_NAME:
        return tr("STR_DETAIL_NAME");
    case COL_BEFORE:
        return tr("STR_DETAIL_VALUE_BEFORE");
    case COL_AFTER:
        return tr("STR_DETAIL_VALUE_AFTER");
    case COL_UNIT:
        return tr("STR_DETAIL_UNIT");
    default:
        return QVariant();
    }
}

Qt::ItemFlags QFunCodeRelateParamModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
