#include "QFunCodeAxisValueModel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QProjectCore.h"
#include "QServoWriteRules.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {
// A value the drive has not answered yet is shown as a dash rather than an empty cell.
QString shownValue(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}
} // namespace

QFunCodeAxisValueModel::QFunCodeAxisValueModel(QObject* parent) : QAbstractTableModel(parent) {}

void QFunCodeAxisValueModel::setFuncode(const QString& alias, const QString& funIndex)
{
    beginResetModel();
    m_alias = alias;
    m_funIndex = funIndex;
    const QDeviceServo* dev = device();
    m_rows = (dev && funcode()) ? dev->getAxisNum() : 0;
    endResetModel();
}

QDeviceServo* QFunCodeAxisValueModel::device() const
{
    if (m_alias.isEmpty()) {
        return nullptr;
    }
    return QProjectCore::self()->getDevMgr()->getDeviceServo(m_alias);
}

tagSubFuncode_Servo* QFunCodeAxisValueModel::funcode() const
{
    const QDeviceServo* dev = device();
    return dev ? dev->getFuncodePtrByFunIndex(m_funIndex) : nullptr;
}

void QFunCodeAxisValueModel::setModifyEnabled(bool enabled)
{
    if (m_modifyEnabled == enabled) {
        return;
    }
    m_modifyEnabled = enabled;
    if (m_rows > 0) {
        emit dataChanged(index(0, COL_EDIT), index(m_rows - 1, COL_EDIT));
    }
}

bool QFunCodeAxisValueModel::isCodeEditable() const
{
    const tagSubFuncode_Servo* fun = funcode();
    if (!fun) {
        return false;
    }
    const bool writable = QServoWriteRules::hasWriteRight(*fun);
    return writable && QFuncodeEditorFactory::editorKind(fun->showType) != QFuncodeEditorFactory::EDITOR_NONE;
}

void QFunCodeAxisValueModel::refreshValues()
{
    // A range of cells, never a single one: a view then leaves an open editor alone.
    if (m_rows > 0) {
        emit dataChanged(index(0, COL_CUR_VALUE), index(m_rows - 1, COL_EDIT));
    }
}

int QFunCodeAxisValueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int QFunCodeAxisValueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COL_COUNT;
}

QVariant QFunCodeAxisValueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return QVariant();
    }
    const int axis = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return displayText(axis, index.column());
    case Qt::EditRole: {
        const QDeviceServo* dev = device();
        return dev ? dev->getScaledCurValueStr(m_funIndex, axis) : QString();
    }
    case Qt::ToolTipRole:
        return toolTip(axis, index.column());
    case Qt::ForegroundRole:
        return foreground(axis, index.column());
    case Qt::FontRole:
        if (index.column() == COL_CUR_VALUE) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant QFunCodeAxisValueModel::displayText(int axis, int column) const
{
    const QDeviceServo* dev = device();
    if (!dev) {
        return QString();
    }
    switch (column) {
    case COL_AXIS:
        return QDeviceServo::getAxisName(axis);
    case COL_CUR_VALUE:
        // As the tables show it: a dash before the first read, the last good value while stale.
        return shownValue(dev->shownValueText(m_funIndex, axis));
    case COL_DEFAULT:
        return shownValue(dev->getScaledDefaultValueStr(m_funIndex, axis));
    case COL_EDIT:
        return (m_modifyEnabled && isCodeEditable()) ? tr("STR_DETAIL_EDIT_PROMPT") : tr("STR_DETAIL_LOCKED");
    default:
        return QVariant();
    }
}

QVariant QFunCodeAxisValueModel::toolTip(int axis, int column) const
{
    const QDeviceServo* dev = device();
    const QString stateTip =
        dev && column == COL_CUR_VALUE ? dev->valueStateTip(m_funIndex, axis) : QString();
    if (!stateTip.isEmpty()) {
        return stateTip;
    }
    if (column != COL_EDIT) {
        return displayText(axis, column);
    }
    if (!m_modifyEnabled) {
        return tr("STR_DETAIL_MODIFY_DISABLED");
    }
    return isCodeEditable() ? tr("STR_DETAIL_EDIT_HINT") : tr("STR_DETAIL_CODE_NOT_EDITABLE");
}

QVariant QFunCodeAxisValueModel::foreground(int axis, int column) const
{
    const QDeviceServo* dev = device();
    if (!dev) {
        return QVariant();
    }
    if (column == COL_EDIT) {
        return QBrush((m_modifyEnabled && isCodeEditable()) ? QColor(Qt::darkBlue) : QColor(Qt::gray));
    }
    if (column == COL_CUR_VALUE && dev->valueInfo(m_funIndex, axis).isStale()) {
        return QBrush(QColor(Qt::gray)); // the last value the drive gave, drawn dim
    }
    if (column == COL_CUR_VALUE && dev->hasValue(m_funIndex, axis) &&
        !dev->isCurValEqualDef(m_funIndex, axis)) {
        // A value changed from its default stands out as in the function-code tables.
        return QBrush(QColor(Qt::red));
    }
    return QVariant();
}

QVariant QFunCodeAxisValueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case COL_AXIS:
        return tr("STR_DETAIL_AXIS");
    case COL_CUR_VALUE:
        return tr("STR_DETAIL_CUR_VALUE");
    case COL_DEFAULT:
        return tr("STR_DETAIL_DEFAULT");
    case COL_EDIT:
        return tr("STR_DETAIL_NEW_VALUE");
    default:
        return QVariant();
    }
}

Qt::ItemFlags QFunCodeAxisValueModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == COL_EDIT && m_modifyEnabled && isCodeEditable()) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool QFunCodeAxisValueModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !value.isValid()) {
        return false;
    }
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return false;
    }
    if (!(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    emit sigValueEdited(index.row(), value);
    return true;
}
