#include "QDefaultCompareFuncodeModel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"

#include <QColor>
#include <QIcon>

QDefaultCompareFuncodeModel::QDefaultCompareFuncodeModel(QObject* parent) : QBaseTableModel(parent)
{
    setHeadList(headerTexts());
}

QStringList QDefaultCompareFuncodeModel::headerTexts() const
{
    return {tr("STR_INDEX"), tr("STR_FUNCODE_NAME"), tr("STR_AXIS_INDEX"), tr("STR_CUR_VAL"),
            tr("STR_DEFAULT_VAL")};
}

QDefaultCompareFuncodeModel::~QDefaultCompareFuncodeModel() = default;

QVariant QDefaultCompareFuncodeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_rows.at(index.row()).value(index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return foreground(index.column());
    case Qt::DecorationRole:
        return decoration(index);
    default:
        return QVariant();
    }
}

QVariant QDefaultCompareFuncodeModel::foreground(int column)
{
    if (column == COL_CUR_VAL) {
        return QColor(Qt::red);
    }
    if (column == COL_DEFAULT_VAL) {
        return QColor(Qt::darkGreen);
    }
    return QVariant();
}

QVariant QDefaultCompareFuncodeModel::decoration(const QModelIndex& index) const
{
    if (index.column() != COL_AXIS) {
        return QIcon();
    }
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!device) {
        return QIcon();
    }
    const QString funIndex = m_rows.at(index.row()).value(COL_INDEX);
    const tagSubFuncode_Servo* fun = device->getNormalFuncodePtrByFunIndex(funIndex, false);
    return fun ? QDeviceServo::getRWLevelIcon(fun->rwLevel) : QIcon();
}
