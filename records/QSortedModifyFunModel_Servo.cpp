#include "QSortedModifyFunModel_Servo.h"

#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "QProjectCore.h"
#include "QServoWriteRules.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QStatistics.h"

#include <QBrush>
#include <QFont>
#include <QPointer>
#include <QSet>

QSortedModifyFunModel_Servo::QSortedModifyFunModel_Servo(QObject* parent) : QBaseTableModel(parent)
{
    setHeadList(headerTexts());
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeChanged_Servo, this,
            &QSortedModifyFunModel_Servo::slotFunValueChanged);
}

QStringList QSortedModifyFunModel_Servo::headerTexts() const
{
    return {tr("STR_INDEX"),      tr("STR_COMMONLY_TYPE"), tr("STR_NAME"),         tr("STR_AXIS_X"),
            tr("STR_AXIS_Y"),     tr("STR_AXIS_Z"),        tr("STR_SAVE_STATE"),   tr("STR_MIN_VAL"),
            tr("STR_MAX_VAL"),    tr("STR_DEFAULT_VAL"),   tr("STR_UNIT"),         tr("STR_EFFECT_STYLE"),
            tr("STR_STORE_TYPE"), tr("STR_MODIFY_COUNT"),  tr("STR_RELATE_PARAM"), tr("STR_REMARK")};
}

QSortedModifyFunModel_Servo::~QSortedModifyFunModel_Servo() = default;

QString QSortedModifyFunModel_Servo::getFunIndex(int row) const
{
    if (row < 0 || row >= m_modifyList.size()) {
        return QString();
    }
    return m_modifyList.at(row).funIndex;
}

QList<tagFuncodeModifyData> QSortedModifyFunModel_Servo::getModifyData(int row) const
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || row < 0 || row >= m_modifyList.size()) {
        return QList<tagFuncodeModifyData>();
    }
    return QDatabaseManager::self()->getStatisticsDatabase()->getFuncodeModifyData(
        device->getAliasName(), m_modifyList.at(row).funIndex);
}

int QSortedModifyFunModel_Servo::getModifyCount(int row) const
{
    return row < 0 || row >= m_modifyList.size() ? 0 : m_modifyList.at(row).count;
}

int QSortedModifyFunModel_Servo::getLastModifyTime(int row) const
{
    return row < 0 || row >= m_modifyList.size() ? 0 : m_modifyList.at(row).lastTimeStamp;
}

bool QSortedModifyFunModel_Servo::isFuncodeModifiable(int row) const
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || row < 0 || row >= m_modifyList.size()) {
        return false;
    }
    const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(m_modifyList.at(row).funIndex);
    return fun && QServoWriteRules::hasWriteRight(*fun);
}

QStringList QSortedModifyFunModel_Servo::getFunIndexes(int first, int last) const
{
    QStringList numbers;
    const int from = qMax(first, 0);
    const int to = qMin(last, m_modifyList.size() - 1);
    for (int row = from; row <= to; ++row) {
        numbers.append(m_modifyList.at(row).funIndex);
    }
    return numbers;
}

QStringList QSortedModifyFunModel_Servo::getAllFunIndexes() const
{
    return getFunIndexes(0, m_modifyList.size() - 1);
}

int QSortedModifyFunModel_Servo::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_modifyList.size();
}

void QSortedModifyFunModel_Servo::refresh(bool descending)
{
    beginResetModel();
    // Rows of another drive must not stay behind when none is selected.
    m_modifyList.clear();
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (device) {
        const QList<tagFuncodeModifyCount> sorted =
            QDatabaseManager::self()->getStatisticsDatabase()->getSortedFuncodeModifyCounts(
                device->getAliasName(), descending);
        for (const tagFuncodeModifyCount& entry : sorted) {
            if (device->getNormalFuncodePtrByFunIndexAuth(entry.funIndex)) {
                m_modifyList.append(entry);
            }
        }
    }
    m_descending = descending;
    endResetModel();
}

void QSortedModifyFunModel_Servo::slotFunValueChanged(QString aliasName, QStringList funIndexList)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || aliasName != device->getAliasName() || funIndexList.isEmpty()) {
        return;
    }
    const QSet<QString> changed(funIndexList.cbegin(), funIndexList.cend());
    for (int row = 0; row < m_modifyList.size(); ++row) {
        if (changed.contains(m_modifyList.at(row).funIndex)) {
            emit dataChanged(index(row, COL_AXIS_X), index(row, COL_AXIS_Z));
        }
    }
}

const tagSubFuncode_Servo* QSortedModifyFunModel_Servo::funcodeOfRow(const QDeviceServo* device,
                                                                     int row) const
{
    if (!device) {
        return nullptr;
    }
    return device->getNormalFuncodePtrByFunIndex(m_modifyList.at(row).funIndex, false);
}

QVariant QSortedModifyFunModel_Servo::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_modifyList.size()) {
        return QVariant();
    }
    const int row = index.row();
    const int column = index.column();
    const QDeviceServo* device = QProjectCore::selectedServo();
    const tagSubFuncode_Servo* fun = funcodeOfRow(device, row);
    switch (role) {
    case Qt::DisplayRole:
        return displayText(device, fun, row, column);
    case Qt::ToolTipRole:
        return toolTip(device, fun, row, column);
    case Qt::DecorationRole:
        return decoration(fun, column);
    case Qt::TextAlignmentRole:
        return column == COL_MODIFY_COUNT ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole: {
        if (column != COL_MODIFY_COUNT) {
            return QVariant();
        }
        QFont font;
        font.setUnderline(true);
        return font;
    }
    case Qt::ForegroundRole:
        return foreground(row, column);
    case Qt::BackgroundRole:
        return background(device, fun, column);
    case Qt::CheckStateRole:
        if (column != COL_INDEX || !device) {
            return QVariant();
        }
        return device->isSubFuncodeSelected(m_modifyList.at(row).funIndex) ? Qt::Checked : Qt::Unchecked;
    default:
        return QVariant();
    }
}

QVariant QSortedModifyFunModel_Servo::displayText(const QDeviceServo* device, const tagSubFuncode_Servo* fun,
                                                  int row, int column) const
{
    const QString& funIndex = m_modifyList.at(row).funIndex;
    if (column == COL_INDEX) {
        return funIndex;
    }
    if (column == COL_MODIFY_COUNT) {
        return QString::number(m_modifyList.at(row).count);
    }
    if (!device || !fun) {
        return QString();
    }
    switch (column) {
    case COL_NAME:
        return fun->funName;
    case COL_AXIS_X:
    case COL_AXIS_Y:
    case COL_AXIS_Z:
        return device->shownValueText(funIndex, column - COL_AXIS_X);
    case COL_SAVE_STATE:
        return device->getSavedStr(funIndex);
    case COL_MIN_VAL:
        return device->getScaledValueString(fun->showType, fun->precision, fun->minVal);
    case COL_MAX_VAL:
        return device->getScaledValueString(fun->showType, fun->precision, fun->maxVal);
    case COL_DEFAULT_VAL:
        return device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal);
    case COL_UNIT:
        return fun->unit;
    case COL_EFFECT_STYLE:
        return QDeviceServo::getEffectStr(fun->effectStyle);
    case COL_RELATE_PARAM:
        return fun->relateParam;
    case COL_REMARK:
        return fun->remark;
    default:
        return QString();
    }
}

QVariant QSortedModifyFunModel_Servo::toolTip(const QDeviceServo* device, const tagSubFuncode_Servo* fun,
                                              int row, int column) const
{
    if (column == COL_MODIFY_COUNT) {
        return tr("STR_DOUBLE_CLICK_SHOW_DETAIL");
    }
    if (column == COL_COMMONLY && fun) {
        return fun->isCommon ? tr("STR_COMMONLY") : tr("STR_NOT_COMMONLY");
    }
    if (column == COL_STORE_TYPE && fun) {
        return fun->isStore ? tr("STR_STORE") : tr("STR_NOT_STORE");
    }
    return displayText(device, fun, row, column);
}

QVariant QSortedModifyFunModel_Servo::decoration(const tagSubFuncode_Servo* fun, int column) const
{
    if (!fun) {
        return QVariant();
    }
    switch (column) {
    case COL_COMMONLY:
        return QDeviceServo::getCheckIcon(fun->isCommon);
    case COL_NAME:
        return QDeviceServo::getRWLevelIcon(fun->rwLevel);
    case COL_EFFECT_STYLE:
        return QDeviceServo::getEffectIcon(fun->effectStyle);
    case COL_STORE_TYPE:
        return QDeviceServo::getCheckIcon(fun->isStore);
    default:
        return QVariant();
    }
}

QVariant QSortedModifyFunModel_Servo::foreground(int row, int column) const
{
    if (isAxisColumn(column)) {
        return QColor(Qt::red);
    }
    if (column == COL_DEFAULT_VAL) {
        return QColor(Qt::darkGreen);
    }
    if (column == COL_MODIFY_COUNT) {
        return QColor(Qt::blue);
    }
    if (!isFuncodeModifiable(row)) {
        return QColor(Qt::gray);
    }
    return QVariant();
}

QVariant QSortedModifyFunModel_Servo::background(const QDeviceServo* device, const tagSubFuncode_Servo* fun,
                                                 int column) const
{
    if (!device || !fun) {
        return QVariant();
    }
    if (isAxisColumn(column)) {
        if (device->isCurValEqualDef(fun->funIndex, column - COL_AXIS_X)) {
            return QVariant();
        }
        return QBrush(Qt::yellow, Qt::SolidPattern);
    }
    if (column == COL_SAVE_STATE) {
        return device->getSaveColor(fun->funIndex);
    }
    return QVariant();
}

QVariant QSortedModifyFunModel_Servo::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section >= 0 &&
        section < m_headList.size()) {
        return int(Qt::AlignCenter);
    }
    return QBaseTableModel::headerData(section, orientation, role);
}

bool QSortedModifyFunModel_Servo::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= m_modifyList.size()) {
        return false;
    }
    if (role == Qt::EditRole && isAxisColumn(index.column())) {
        return writeValue(index, value);
    }
    if (role == Qt::CheckStateRole && index.column() == COL_INDEX) {
        return setMonitored(index, value);
    }
    return false;
}

bool QSortedModifyFunModel_Servo::writeValue(const QModelIndex& index, const QVariant& value)
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !value.isValid()) {
        return false;
    }
    const QString funIndex = m_modifyList.at(index.row()).funIndex;
    const int column = index.column();
    const int axis = column - COL_AXIS_X;
    if (!device->getNormalFuncodePtrByFunIndex(funIndex, false)) {
        return false;
    }
    // The write waits for the drive while processing events: the drive or this model may go meanwhile.
    QPointer<QSortedModifyFunModel_Servo> guard(this);
    QPointer<QDeviceServo> alive(device);
    const QFuncodeWriteRoad_Servo::Result result =
        QFuncodeWriteRoad_Servo::self()->writeEditorValue(device, funIndex, axis, value);
    if (!guard || !alive) {
        return false;
    }
    if (result.changed) {
        emit sigDataChanged(result.oldText, result.newText, device->getFuncodePtrByFunIndex(funIndex), axis);
    }
    refresh(true);
    const int row = getAllFunIndexes().indexOf(funIndex);
    if (row >= 0) {
        emit dataChanged(this->index(row, column), this->index(row, column));
    }
    return result.isDone();
}

bool QSortedModifyFunModel_Servo::setMonitored(const QModelIndex& index, const QVariant& value)
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return false;
    }
    const QString& funIndex = m_modifyList.at(index.row()).funIndex;
    const bool check = value.toInt() == Qt::Checked;
    if (check == device->isSubFuncodeSelected(funIndex)) {
        return true;
    }
    if (check) {
        device->appendSelSubFuncode(funIndex);
    } else {
        device->removeSelSubFuncode(funIndex);
    }
    emit dataChanged(index, index, QVector<int>{Qt::CheckStateRole});
    emit sigSelectionChanged();
    return true;
}

Qt::ItemFlags QSortedModifyFunModel_Servo::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (index.column() == COL_INDEX) {
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    }
    Qt::ItemFlags result = QBaseTableModel::flags(index);
    if (isAxisColumn(index.column()) && isFuncodeModifiable(index.row())) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}
