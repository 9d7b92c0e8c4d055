#include "QSortedModifyFunDetailModel_Servo.h"

#include <QBrush>
#include <QDateTime>

QSortedModifyFunDetailModel_Servo::QSortedModifyFunDetailModel_Servo(QObject* parent)
    : QBaseTableModel(parent)
{
    setHeadList(headerTexts());
}

QStringList QSortedModifyFunDetailModel_Servo::headerTexts() const
{
    return {tr("STR_MODIFICATION_DATETIME"), tr("STR_OLD_VAL"), tr("STR_NEW_VAL"), tr("STR_AXIS_INDEX")};
}

QSortedModifyFunDetailModel_Servo::~QSortedModifyFunDetailModel_Servo() = default;

void QSortedModifyFunDetailModel_Servo::setModifyData(const QList<tagFuncodeModifyData>& events, int decimals)
{
    beginResetModel();
    m_events = events;
    m_decimals = qMax(decimals, 0);
    endResetModel();
}

int QSortedModifyFunDetailModel_Servo::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_events.size();
}

QVariant QSortedModifyFunDetailModel_Servo::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_events.size()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return displayText(m_events.at(index.row()), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(getBGColorByRow(index.row()));
    default:
        return QVariant();
    }
}

QString QSortedModifyFunDetailModel_Servo::displayText(const tagFuncodeModifyData& event, int column) const
{
    switch (column) {
    case COL_TIME:
        return QDateTime::fromSecsSinceEpoch(event.timeStamp, Qt::LocalTime)
            .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case COL_OLD_VAL:
        return QString::number(event.oldValue, 'f', m_decimals);
    case COL_NEW_VAL:
        return QString::number(event.newValue, 'f', m_decimals);
    case COL_AXIS:
        return QString::number(event.axisIndex);
    default:
        return QString();
    }
}

QVariant QSortedModifyFunDetailModel_Servo::headerData(int section, Qt::Orientation orientation,
                                                       int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section >= 0 &&
        section < m_headList.size()) {
        return int(Qt::AlignCenter);
    }
    return QBaseTableModel::headerData(section, orientation, role);
}
