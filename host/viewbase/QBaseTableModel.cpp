#include "QBaseTableModel.h"

#include <QEvent>

QBaseTableModel::QBaseTableModel(QObject* parent) : QAbstractTableModel(parent) {}

QBaseTableModel::~QBaseTableModel() = default;

void QBaseTableModel::setHeadList(const QStringList& heads)
{
    if (heads == m_headList) {
        return;
    }
    if (heads.size() != m_headList.size()) {
        beginResetModel();
        m_headList = heads;
        endResetModel();
        return;
    }
    m_headList = heads;
    emit headerDataChanged(Qt::Horizontal, 0, m_headList.size() - 1);
}

void QBaseTableModel::setModelData(const QList<QStringList>& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void QBaseTableModel::insertFrontData(const QStringList& row)
{
    beginInsertRows(QModelIndex(), 0, 0);
    m_rows.prepend(row);
    endInsertRows();
}

void QBaseTableModel::insertBackData(const QStringList& row)
{
    const int last = m_rows.size();
    beginInsertRows(QModelIndex(), last, last);
    m_rows.append(row);
    endInsertRows();
}

void QBaseTableModel::clearData()
{
    if (m_rows.isEmpty()) {
        return;
    }
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void QBaseTableModel::refreshAll()
{
    beginResetModel();
    endResetModel();
}

QColor QBaseTableModel::getBGColorByRow(int row)
{
    return (row % 2 == 0) ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xF2, 0xF5, 0xF8);
}

int QBaseTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int QBaseTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_headList.size();
}

QVariant QBaseTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headList.size()) {
        return QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return QVariant();
    }
    return m_rows.at(index.row()).value(index.column());
}

QVariant QBaseTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0) {
        return QVariant();
    }
    if (orientation == Qt::Vertical) {
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    }
    if (section >= m_headList.size()) {
        return QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return m_headList.at(section);
    }
    return QVariant();
}

Qt::ItemFlags QBaseTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

bool QBaseTableModel::event(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange) {
        return QAbstractTableModel::event(event);
    }
    setHeadList(headerTexts());
    const int columns = columnCount();
    if (columns > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    }
    const int rows = rowCount();
    if (rows > 0 && columns > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
    }
    return true;
}

void QBaseTableModel::setDevice(const QString& alias)
{
    Q_UNUSED(alias)
}

QPair<QString, int> QBaseTableModel::rowToDevice(int row) const
{
    return qMakePair(QString(), row);
}
