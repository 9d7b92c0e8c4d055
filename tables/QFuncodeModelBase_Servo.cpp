#include "QFuncodeModelBase_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "QProjectCore.h"
#include "QServoWriteRules.h"

#include <QBrush>
#include <QFont>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QPixmapCache>
#include <QPointer>

namespace {
const QSize kFlagIconSize(18, 15);

bool isAxisColumn(int column)
{
    return column >= QFuncodeModelBase_Servo::COL_AXIS_X && column <= QFuncodeModelBase_Servo::COL_AXIS_Z;
}

bool isFlagColumn(int column)
{
    return column >= QFuncodeModelBase_Servo::COL_STORE && column <= QFuncodeModelBase_Servo::COL_RELATE_T;
}

// The flag columns show the check icon small; the scaled pixmap is the same for every cell, so it is
// kept in the application's pixmap cache rather than scaled on every paint.
QPixmap flagPixmap(bool checked)
{
    const QString key =
        checked ? QStringLiteral("servo_funcode_flag_on") : QStringLiteral("servo_funcode_flag_off");
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    pixmap = QDeviceServo::getCheckIcon(checked)
                 .pixmap(kFlagIconSize, QIcon::Normal, QIcon::On)
                 .scaled(kFlagIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

bool flagOf(const tagSubFuncode_Servo* fun, int column)
{
    switch (column) {
    case QFuncodeModelBase_Servo::COL_STORE:
        return fun->isStore;
    case QFuncodeModelBase_Servo::COL_RELATE_F:
        return fun->relateF;
    case QFuncodeModelBase_Servo::COL_RELATE_P:
        return fun->relateP;
    case QFuncodeModelBase_Servo::COL_RELATE_S:
        return fun->relateS;
    default:
        return fun->relateT;
    }
}
} // namespace

QFuncodeModelBase_Servo::QFuncodeModelBase_Servo(QObject* parent) : QBaseTableModel(parent)
{
    setHeadList(headerTexts());
}

QStringList QFuncodeModelBase_Servo::headerTexts() const
{
    return {tr("STR_INTST_STATE"),
            tr("STR_COMMONLY_TYPE"),
            tr("STR_FUNCODE_NAME"),
            tr("STR_READ_WRITE_STATE"),
            tr("STR_AXIS_X"),
            tr("STR_AXIS_Y"),
            tr("STR_AXIS_Z"),
            tr("STR_UNIT"),
            tr("STR_SAVE_STATE"),
            tr("STR_MIN_VAL"),
            tr("STR_MAX_VAL"),
            tr("STR_DEFAULT_VAL"),
            tr("STR_EFFECT_STYLE"),
            tr("STR_STORE_TYPE"),
            tr("F"),
            tr("P"),
            tr("S"),
            tr("T"),
            tr("STR_RELATE_PARAM"),
            tr("STR_REMARK")};
}

QFuncodeModelBase_Servo::~QFuncodeModelBase_Servo() = default;

QDeviceServo* QFuncodeModelBase_Servo::selectedDevice()
{
    return QProjectCore::self()->getDevMgr()->getSelectServo();
}

int QFuncodeModelBase_Servo::rowCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return 0;
}

// ---------------------------------------------------------------- cells

QVariant QFuncodeModelBase_Servo::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const loops[] = {"STR_RELATE_F_TIP", "STR_RELATE_P_TIP", "STR_RELATE_S_TIP",
                                        "STR_RELATE_T_TIP"};
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section >= COL_RELATE_F &&
        section <= COL_RELATE_T) {
        return tr(loops[section - COL_RELATE_F]);
    }
    return QBaseTableModel::headerData(section, orientation, role);
}

QVariant QFuncodeModelBase_Servo::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount() || index.column() >= COLUMN_COUNT) {
        return QVariant();
    }
    const tagSubFuncode_Servo* fun = getSubFuncode(index.row());
    if (!fun) {
        return QVariant();
    }
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return displayData(fun, column, selectedDevice());
    case Qt::ToolTipRole:
        return toolTipData(fun, column, selectedDevice());
    case Qt::DecorationRole:
        return decorationData(fun, column, selectedDevice());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return backgroundData(fun, column, selectedDevice());
    case Qt::ForegroundRole:
        return foregroundData(index.row(), column);
    case Qt::FontRole:
        return fontData(fun, column, selectedDevice());
    case Qt::CheckStateRole:
        return checkStateData(fun, column, selectedDevice());
    default:
        return QVariant();
    }
}

QVariant QFuncodeModelBase_Servo::displayData(const tagSubFuncode_Servo* fun, int column,
                                              QDeviceServo* device) const
{
    switch (column) {
    case COL_NUMBER:
        return fun->funIndex;
    case COL_NAME:
        return fun->funName;
    case COL_AXIS_X:
    case COL_AXIS_Y:
    case COL_AXIS_Z:
        return device ? device->shownValueText(fun->funIndex, column - COL_AXIS_X) : QString();
    case COL_UNIT:
        return fun->unit;
    case COL_SAVE_STATE:
        return device ? device->getSavedStr(fun->funIndex) : QString();
    case COL_MIN:
        return device ? device->getScaledValueString(fun->showType, fun->precision, fun->minVal) : QString();
    case COL_MAX:
        return device ? device->getScaledValueString(fun->showType, fun->precision, fun->maxVal) : QString();
    case COL_DEFAULT:
        return device ? device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal)
                      : QString();
    case COL_EFFECT:
        return QDeviceServo::getEffectStr(fun->effectStyle);
    case COL_RELATE_PARAM:
        return fun->relateParam;
    case COL_REMARK:
        return fun->remark;
    default:
        return QString();
    }
}

QVariant QFuncodeModelBase_Servo::toolTipData(const tagSubFuncode_Servo* fun, int column,
                                              QDeviceServo* device) const
{
    switch (column) {
    case COL_NUMBER:
        return fun->remark;
    case COL_COMMON:
        return fun->isCommon ? tr("STR_COMMONLY") : tr("STR_NOT_COMMONLY");
    case COL_RW_STATE:
    case COL_EFFECT:
        return QString();
    case COL_STORE:
        return fun->isStore ? tr("STR_STORE") : tr("STR_NOT_STORE");
    case COL_RELATE_F:
    case COL_RELATE_P:
    case COL_RELATE_S:
    case COL_RELATE_T:
        return flagOf(fun, column) ? tr("STR_RELEVANCE") : tr("STR_IRRELEVANCE");
    case COL_AXIS_X:
    case COL_AXIS_Y:
    case COL_AXIS_Z: {
        const QString state = device ? device->valueStateTip(fun->funIndex, column - COL_AXIS_X) : QString();
        return state.isEmpty() ? displayData(fun, column, device) : QVariant(state);
    }
    default:
        return displayData(fun, column, device);
    }
}

QVariant QFuncodeModelBase_Servo::decorationData(const tagSubFuncode_Servo* fun, int column,
                                                 QDeviceServo* device) const
{
    if (!device) {
        return QIcon();
    }
    switch (column) {
    case COL_COMMON:
        return QDeviceServo::getCheckIcon(fun->isCommon);
    case COL_NAME:
        return QDeviceServo::getRWLevelIcon(fun->rwLevel);
    case COL_RW_STATE:
        return device->getReadWriteStatusIcon(fun->funIndex);
    case COL_EFFECT:
        return QDeviceServo::getEffectIcon(fun->effectStyle);
    default:
        break;
    }
    if (isFlagColumn(column)) {
        return flagPixmap(flagOf(fun, column));
    }
    return QVariant();
}

QVariant QFuncodeModelBase_Servo::backgroundData(const tagSubFuncode_Servo* fun, int column,
                                                 QDeviceServo* device) const
{
    if (!device) {
        return QVariant();
    }
    if (column == COL_SAVE_STATE) {
        return QBrush(device->getSaveColor(fun->funIndex));
    }
    if (!isAxisColumn(column)) {
        return QVariant();
    }
    // A value that was never read (or whose read failed) says nothing about the default, and a monitoring
    // value of the running drive has no default to differ from.
    const int axis = column - COL_AXIS_X;
    const bool differs = !fun->isStateCode && device->hasValue(fun->funIndex, axis) &&
                         device->getScaledCurValueStr(fun->funIndex, axis) !=
                             device->getScaledDefaultValueStr(fun->funIndex, axis);
    return QBrush(differs ? Qt::yellow : Qt::white);
}

QVariant QFuncodeModelBase_Servo::foregroundData(int row, int column) const
{
    if (isAxisColumn(column)) {
        // A stale value is the last one the drive gave: drawn dim, its tooltip says how old it is.
        const QDeviceServo* device = selectedDevice();
        const tagSubFuncode_Servo* fun = getSubFuncode(row);
        const bool stale = device && fun && device->valueInfo(fun->funIndex, column - COL_AXIS_X).isStale();
        return QBrush(stale ? Qt::gray : Qt::black);
    }
    if (column == COL_DEFAULT) {
        return QBrush(Qt::darkGreen);
    }
    return isEditable(row) ? QVariant() : QVariant(QBrush(Qt::gray));
}

QVariant QFuncodeModelBase_Servo::fontData(const tagSubFuncode_Servo* fun, int column,
                                           QDeviceServo* device) const
{
    // A value written and not read back yet is what was asked, not what the drive is known to hold.
    if (!device || !isAxisColumn(column) ||
        device->valueInfo(fun->funIndex, column - COL_AXIS_X).state != QServoValue::WRITTEN) {
        return QVariant();
    }
    QFont italic;
    italic.setItalic(true);
    return italic;
}

QVariant QFuncodeModelBase_Servo::checkStateData(const tagSubFuncode_Servo* fun, int column,
                                                 QDeviceServo* device) const
{
    if (column != COL_NUMBER || !device) {
        return QVariant();
    }
    return device->isSubFuncodeSelected(fun->funIndex) ? Qt::Checked : Qt::Unchecked;
}

// ---------------------------------------------------------------- editing

bool QFuncodeModelBase_Servo::isEditable(int row) const
{
    const tagSubFuncode_Servo* fun = getSubFuncode(row);
    if (!fun) {
        return false;
    }
    const QDeviceServo* device = selectedDevice();
    return device ? QServoWriteRules(*device).isEditable(*fun) : QServoWriteRules::hasWriteRight(*fun);
}

Qt::ItemFlags QFuncodeModelBase_Servo::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (index.column() == COL_NUMBER) {
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    }
    Qt::ItemFlags result = QBaseTableModel::flags(index);
    if (isAxisColumn(index.column()) && isEditable(index.row())) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool QFuncodeModelBase_Servo::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid()) {
        return false;
    }
    tagSubFuncode_Servo* fun = getSubFuncode(index.row());
    if (!fun) {
        return false;
    }
    if (role >= AXIS_ROLE_BASE) {
        return writeValue(index, fun, value, role - AXIS_ROLE_BASE);
    }
    if (role == Qt::EditRole && isAxisColumn(index.column())) {
        return writeValue(index, fun, value, index.column() - COL_AXIS_X);
    }
    if (role == Qt::CheckStateRole && index.column() == COL_NUMBER) {
        return changeSelection(index, fun, value);
    }
    return false;
}

bool QFuncodeModelBase_Servo::writeValue(const QModelIndex& index, tagSubFuncode_Servo* fun,
                                         const QVariant& value, int axis)
{
    // The write waits for the drive while events run: rows may be rebuilt and the device removed.
    const QPersistentModelIndex cell(index);
    const QPersistentModelIndex axisCell(index.sibling(index.row(), COL_AXIS_X + axis));
    const QString funIndex = fun->funIndex;
    const QFuncodeWriteRoad_Servo::Result result =
        QFuncodeWriteRoad_Servo::self()->writeEditorValue(selectedDevice(), funIndex, axis, value);
    if (result.changed && cell.isValid()) {
        emit SigDataChanged(result.oldText, result.newText, getSubFuncode(cell.row()), axis);
    }
    if (cell.isValid()) {
        emit dataChanged(cell, cell);
    }
    if (axisCell.isValid() && axisCell != cell) {
        emit dataChanged(axisCell, axisCell);
    }
    return result.outcome != QFuncodeWriteRoad_Servo::OUTCOME_REFUSED;
}

bool QFuncodeModelBase_Servo::changeSelection(const QModelIndex& index, const tagSubFuncode_Servo* fun,
                                              const QVariant& value)
{
    QDeviceServo* device = selectedDevice();
    if (!device) {
        return false;
    }
    emit SigBeginSelChanged();
    if (value.toInt() == Qt::Checked) {
        device->appendSelSubFuncode(fun->funIndex);
    } else {
        device->removeSelSubFuncode(fun->funIndex);
    }
    // Announced before the rows are rebuilt: the index may not survive the rebuild.
    emit dataChanged(index, index, {Qt::CheckStateRole});
    reloadRows();
    emit SigSelChanged();
    return true;
}

void QFuncodeModelBase_Servo::onSelectAll()
{
    changeAllSelections(true);
}

void QFuncodeModelBase_Servo::onDeselectAll()
{
    changeAllSelections(false);
}

void QFuncodeModelBase_Servo::changeAllSelections(bool select)
{
    QDeviceServo* device = selectedDevice();
    if (!device) {
        return;
    }
    beginRowsReset();
    emit SigBeginSelChanged();
    const int rows = rowCount();
    QStringList numbers;
    for (int row = 0; row < rows; ++row) {
        if (const tagSubFuncode_Servo* fun = getSubFuncode(row)) {
            numbers.append(fun->funIndex);
        }
    }
    for (const QString& number : qAsConst(numbers)) {
        if (select && !device->isSubFuncodeSelected(number)) {
            device->appendSelSubFuncode(number);
        } else if (!select && device->isSubFuncodeSelected(number)) {
            device->removeSelSubFuncode(number);
        }
    }
    reloadRows();
    emit SigSelChanged();
    endRowsReset();
}

void QFuncodeModelBase_Servo::OnEditting(int row, bool isEdit)
{
    m_editRow = isEdit ? row : -1;
}

// ---------------------------------------------------------------- changed values

void QFuncodeModelBase_Servo::onFuncodeChanged(const QString& aliasName, const QStringList& funIndexList,
                                               int firstRow, int visibleCount)
{
    if (funIndexList.isEmpty() || visibleCount <= 0) {
        return;
    }
    const QStringList present = funcodesInModel(funIndexList, aliasName);
    if (present.isEmpty()) {
        return;
    }
    const int low = rowOfFuncode(present.first(), aliasName);
    const int high = rowOfFuncode(present.last(), aliasName);
    if (low < 0) {
        return;
    }
    const int lo = qMax(low, firstRow);
    const int hi = qMin(qMax(high, low), firstRow + visibleCount - 1);
    if (lo > hi) {
        return;
    }
    // The edited row is left out so that an open editor keeps what the user typed.
    if (m_editRow < lo || m_editRow > hi) {
        announceRows(lo, hi);
        return;
    }
    if (m_editRow > lo) {
        announceRows(lo, m_editRow - 1);
    }
    if (m_editRow < hi) {
        announceRows(m_editRow + 1, hi);
    }
}

void QFuncodeModelBase_Servo::announceRows(int first, int last)
{
    // From the X value to the last column: the other axes and the saved state change with the value.
    emit dataChanged(index(first, COL_AXIS_X), index(last, COLUMN_COUNT - 1));
}

// ---------------------------------------------------------------- row lists (base: none)

void QFuncodeModelBase_Servo::beginRowsReset()
{
    if (m_resetDepth++ == 0) {
        beginResetModel();
    }
}

void QFuncodeModelBase_Servo::endRowsReset()
{
    if (m_resetDepth > 0 && --m_resetDepth == 0) {
        endResetModel();
    }
}

void QFuncodeModelBase_Servo::reloadRows()
{
    beginRowsReset();
    endRowsReset();
}

void QFuncodeModelBase_Servo::moveRowUp(const QString& funIndex)
{
    Q_UNUSED(funIndex)
}

void QFuncodeModelBase_Servo::moveRowDown(const QString& funIndex)
{
    Q_UNUSED(funIndex)
}

tagSubFuncode_Servo* QFuncodeModelBase_Servo::getSubFuncode(int row) const
{
    Q_UNUSED(row)
    return nullptr;
}

QString QFuncodeModelBase_Servo::groupOf(const QModelIndex& index) const
{
    Q_UNUSED(index)
    return QString();
}

int QFuncodeModelBase_Servo::rowOf(const QModelIndex& index) const
{
    Q_UNUSED(index)
    return 0;
}

void QFuncodeModelBase_Servo::setGroup(const QString& name)
{
    Q_UNUSED(name)
}

void QFuncodeModelBase_Servo::setGroupMap(const QMap<QString, QList<tagSubFuncode_Servo*>>& map)
{
    Q_UNUSED(map)
}

QList<tagSubFuncode_Servo*> QFuncodeModelBase_Servo::allFuncodes() const
{
    return {};
}

int QFuncodeModelBase_Servo::rowOfFuncode(const QString& funIndex, const QString& aliasName) const
{
    Q_UNUSED(funIndex)
    Q_UNUSED(aliasName)
    return 0;
}

QStringList QFuncodeModelBase_Servo::funcodesInModel(const QStringList& funIndexList,
                                                     const QString& aliasName) const
{
    Q_UNUSED(aliasName)
    return funIndexList;
}
