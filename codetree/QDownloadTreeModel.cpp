#include "QDownloadTreeModel.h"

#include "TreeItem.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "QProjectCore.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QSet>

namespace {
const int kMultiAxisColumns = 8;
const int kSortKeyDigits = 5;
const QString kNull = QStringLiteral("null");
// Rows the last import could not write.
const QColor kFailedBackground(255, 214, 214);

tagExportFuncodePtr_Servo titleRecord(const QString& title)
{
    auto record = tagExportFuncodePtr_Servo::create();
    record->funIndex = title;
    return record;
}

// Two value texts mean the same value when they are equal or the drive reads both as the same raw value
// ("0.1" and "0.10", "0xFF" and "0x00FF", "3" and "3:Motor C").
bool sameValue(const QDeviceServo* device, const QString& number, const QString& a, const QString& b)
{
    if (a == b) {
        return true;
    }
    if (!device) {
        return false;
    }
    bool okA = false;
    bool okB = false;
    const qint64 rawA = device->getRawValueByScaledValStr(number, a, &okA);
    const qint64 rawB = device->getRawValueByScaledValStr(number, b, &okB);
    return okA && okB && rawA == rawB;
}
} // namespace

QDownloadTreeModel::QDownloadTreeModel(const QStringList& headers, bool multiAxis, QObject* parent)
    : QAbstractItemModel(parent), m_headers(headers), m_multiAxis(multiAxis)
{
    m_root = new TreeItem(titleRecord(QString()));
    m_root->setBranch(true);
    m_top = new TreeItem(titleRecord(QString()));
    m_top->setBranch(true);
    m_root->appendChild(m_top);
}

QDownloadTreeModel::QDownloadTreeModel(QObject* parent)
    : QDownloadTreeModel({tr("STR_SELECT"), tr("STR_NAME"), tr("STR_IMPORT_VAL"), tr("STR_CUR_VAL")}, false,
                         parent)
{
}

QDownloadTreeModel::~QDownloadTreeModel()
{
    delete m_root;
}

void QDownloadTreeModel::setTopTitle(const QString& title)
{
    if (m_top->data()->funIndex == title) {
        return;
    }
    m_top->data()->funIndex = title;
    const QModelIndex top = indexOfItem(m_top);
    emit dataChanged(top, top, {Qt::DisplayRole, Qt::ToolTipRole});
}

QDeviceServo* QDownloadTreeModel::device() const
{
    QDeviceManager* manager = QProjectCore::self()->getDevMgr();
    return m_alias.isEmpty() ? manager->getSelectServo() : manager->getDeviceServo(m_alias);
}

// ---------------------------------------------------------------- loading

void QDownloadTreeModel::load(const tagExportFuncodeList_Servo& rows)
{
    const QDeviceServo* dev = device();
    if (!dev) {
        return;
    }
    beginResetModel();
    m_top->removeChildren();
    m_top->setHighlighted(false);
    m_root->setHighlighted(false);
    m_diffColumns.clear();
    m_failed.clear();
    TreeItem* group = nullptr;
    for (const tagExportFuncodePtr_Servo& row : rows) {
        if (!row) {
            continue;
        }
        if (!group || group->data()->funIndex != row->groupName) {
            group = new TreeItem(titleRecord(row->groupName));
            group->setBranch(true);
            m_top->appendChild(group);
        }
        auto* item = new TreeItem(row);
        item->setFuncode(true);
        item->setSortKey(sortKey(row->funIndex));
        group->appendChild(item);
        if (evaluateRow(item, dev)) {
            markHighlighted(item);
        }
    }
    m_top->setCheckState(m_top->hasChildren() ? Qt::Checked : Qt::Unchecked);
    if (m_multiAxis) {
        selectDiffering();
    } else {
        checkAll();
    }
    endResetModel();
}

void QDownloadTreeModel::loadOthers(const tagExportFuncodeList_Servo& rows)
{
    beginResetModel();
    // Only the top node stays: the other branch is built anew.
    m_root->truncateChildren(1);
    auto* others = new TreeItem(titleRecord(tr("STR_OTHERS")));
    others->setBranch(true);
    m_root->appendChild(others);
    for (const tagExportFuncodePtr_Servo& row : rows) {
        if (row) {
            others->appendChild(new TreeItem(row));
        }
    }
    others->setCheckStateRecursive(Qt::Unchecked);
    endResetModel();
}

void QDownloadTreeModel::readCurrentValues(tagExportFuncode_Servo* record, const QDeviceServo* device,
                                           const QStringList& failed)
{
    if (!record || !device) {
        return;
    }
    const int count = qMax(record->axisNum, record->valueTexts.size());
    const bool isFailed = failed.contains(record->funIndex);
    record->curValueTexts.clear();
    for (int axis = 0; axis < count; ++axis) {
        record->curValueTexts.append(isFailed ? kNull : device->getScaledCurValueStr(record->funIndex, axis));
    }
}

void QDownloadTreeModel::refreshCurrentValues(const QStringList& failed)
{
    const QDeviceServo* dev = device();
    if (!dev) {
        return;
    }
    beginResetModel();
    m_diffColumns.clear();
    m_root->setHighlighted(false);
    m_top->setHighlighted(false);
    for (TreeItem* group : m_top->children()) {
        group->setHighlighted(false);
        for (TreeItem* item : group->children()) {
            if (!item->isFuncode()) {
                continue;
            }
            readCurrentValues(item->data().data(), dev, failed);
            item->setHighlighted(false);
            if (evaluateRow(item, dev)) {
                markHighlighted(item);
            }
        }
    }
    endResetModel();
}

// ---------------------------------------------------------------- differences

QList<int> QDownloadTreeModel::rowDifferences(const tagExportFuncode_Servo& record,
                                              const QDeviceServo* device) const
{
    QList<int> columns;
    // Lists of unequal length come from a file that does not match the drive row for row: not compared.
    if (record.valueTexts.size() != record.curValueTexts.size()) {
        return columns;
    }
    for (int axis = 0; axis < record.valueTexts.size() && axis < 3; ++axis) {
        const QString& fileText = record.valueTexts.at(axis);
        const QString& driveText = record.curValueTexts.at(axis);
        if (fileText.isEmpty() || driveText.isEmpty() ||
            sameValue(device, record.funIndex, fileText, driveText)) {
            continue;
        }
        if (m_multiAxis) {
            columns << COL_FIRST_VALUE + 2 * axis << COL_FIRST_VALUE + 2 * axis + 1;
        } else {
            // The current value of axis i is in column 2 + i.
            columns << COL_FIRST_VALUE + axis;
        }
    }
    if (columns.isEmpty()) {
        return columns;
    }
    columns.prepend(COL_NAME);
    columns.prepend(COL_NUMBER);
    if (!m_multiAxis) {
        columns.append(COL_SINGLE_DEFAULT);
    }
    return columns;
}

bool QDownloadTreeModel::evaluateRow(TreeItem* item, const QDeviceServo* device)
{
    const QList<int> columns = rowDifferences(*item->data(), device);
    if (columns.isEmpty()) {
        m_diffColumns.remove(item->number());
        return false;
    }
    m_diffColumns.insert(item->number(), columns);
    return true;
}

void QDownloadTreeModel::markHighlighted(TreeItem* item)
{
    for (TreeItem* node = item; node; node = node->parentItem()) {
        node->setHighlighted(true);
    }
}

void QDownloadTreeModel::updateAncestorHighlight(TreeItem* item)
{
    for (TreeItem* node = item->parentItem(); node && node != m_root; node = node->parentItem()) {
        node->setHighlighted(node->anyChildHighlighted());
    }
    m_root->setHighlighted(!m_diffColumns.isEmpty());
}

// ---------------------------------------------------------------- check states

bool QDownloadTreeModel::toggleCheck(const QModelIndex& index)
{
    TreeItem* item = itemFromIndex(index);
    if (!index.isValid() || !item || item == m_root) {
        return false;
    }
    const Qt::CheckState state = item->isChecked() ? Qt::Unchecked : Qt::Checked;
    item->setCheckStateRecursive(state);
    updateAncestorChecks(item);
    announceSubtreeChecks(item);
    announceChecks(item);
    return state == Qt::Checked;
}

void QDownloadTreeModel::updateAncestorChecks(TreeItem* item)
{
    for (TreeItem* node = item->parentItem(); node && node != m_root; node = node->parentItem()) {
        node->setCheckState(node->childrenCheckState());
    }
}

// The node and every node above it.
void QDownloadTreeModel::announceChecks(TreeItem* item)
{
    for (TreeItem* node = item; node && node != m_root; node = node->parentItem()) {
        const QModelIndex cell = indexOfItem(node);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
}

// The children of the node and of every branch below it, one range per branch.
void QDownloadTreeModel::announceSubtreeChecks(TreeItem* item)
{
    if (!item->hasChildren()) {
        return;
    }
    emit dataChanged(indexOfItem(item->children().first()), indexOfItem(item->children().last()),
                     {Qt::CheckStateRole});
    for (TreeItem* child : item->children()) {
        announceSubtreeChecks(child);
    }
}

void QDownloadTreeModel::selectDiffering()
{
    checkOnly([](const TreeItem* item) { return item->isHighlighted(); });
}

void QDownloadTreeModel::markFailed(const QStringList& numbers)
{
    m_failed = QSet<QString>(numbers.cbegin(), numbers.cend());
    if (!m_failed.isEmpty()) {
        checkOnly([this](const TreeItem* item) { return isFailed(item); });
    }
    // The marks change the background of whole rows.
    for (TreeItem* group : m_top->children()) {
        if (group->hasChildren()) {
            emit dataChanged(indexOfItem(group->children().first()),
                             indexOfItem(group->children().last(), columnCount() - 1),
                             {Qt::BackgroundRole, Qt::ToolTipRole});
        }
    }
}

QStringList QDownloadTreeModel::failedNumbers() const
{
    QStringList numbers(m_failed.cbegin(), m_failed.cend());
    numbers.sort();
    return numbers;
}

bool QDownloadTreeModel::isFailed(const TreeItem* item) const
{
    return item->isFuncode() && m_failed.contains(item->number());
}

template <typename Wanted>
void QDownloadTreeModel::checkOnly(Wanted wanted)
{
    m_top->setCheckStateRecursive(Qt::Unchecked);
    checkOnlyBelow(m_top, wanted);
    announceChecks(m_top);
}

template <typename Wanted>
void QDownloadTreeModel::checkOnlyBelow(TreeItem* item, Wanted wanted)
{
    for (TreeItem* child : item->children()) {
        if (child->isFuncode() && wanted(child)) {
            child->setCheckState(Qt::Checked);
        }
        if (child->hasChildren()) {
            checkOnlyBelow(child, wanted);
        }
    }
    if (!item->hasChildren()) {
        return;
    }
    item->setCheckState(item->childrenCheckState());
    emit dataChanged(indexOfItem(item->children().first()), indexOfItem(item->children().last()),
                     {Qt::CheckStateRole});
}

void QDownloadTreeModel::checkAll()
{
    for (TreeItem* child : m_root->children()) {
        child->setCheckStateRecursive(Qt::Checked);
        announceSubtreeChecks(child);
        announceChecks(child);
    }
}

template <typename Visit>
void QDownloadTreeModel::visitCheckedLeaves(const TreeItem* item, Visit visit) const
{
    for (const TreeItem* child : item->children()) {
        if (child->hasChildren()) {
            visitCheckedLeaves(child, visit);
        } else if (child->checkState() != Qt::Unchecked) {
            visit(child);
        }
    }
}

tagExportFuncodeList_Servo QDownloadTreeModel::checkedNumbers()
{
    m_checkedOthers.clear();
    QMap<QString, tagExportFuncodePtr_Servo> byKey;
    visitCheckedLeaves(m_root, [this, &byKey](const TreeItem* item) {
        if (item->isFuncode()) {
            byKey.insert(item->sortKey(), item->data());
        } else {
            m_checkedOthers.append(item->number());
        }
    });
    return byKey.values().toVector();
}

QMap<QString, tagExportFuncodePtr_Servo> QDownloadTreeModel::checkedNumberMap() const
{
    QMap<QString, tagExportFuncodePtr_Servo> byNumber;
    visitCheckedLeaves(m_root, [&byNumber](const TreeItem* item) {
        if (item->isFuncode()) {
            byNumber.insert(item->number(), item->data());
        }
    });
    return byNumber;
}

int QDownloadTreeModel::checkedCount()
{
    // As many as checkedNumbers gives, without building the records' list: this runs on every click.
    m_checkedOthers.clear();
    QSet<QString> keys;
    visitCheckedLeaves(m_root, [this, &keys](const TreeItem* item) {
        if (item->isFuncode()) {
            keys.insert(item->sortKey());
        } else {
            m_checkedOthers.append(item->number());
        }
    });
    return keys.size() + m_checkedOthers.size();
}

QString QDownloadTreeModel::sortKey(const QString& number)
{
    QString key = number;
    key.remove(QLatin1Char('.'));
    int start = 0;
    while (start < key.size() && !key.at(start).isDigit()) {
        ++start;
    }
    int end = start;
    while (end < key.size() && key.at(end).isDigit()) {
        ++end;
    }
    if (start == end) {
        return key;
    }
    const QString run = key.mid(start, end - start);
    bool ok = false;
    const qulonglong value = run.toULongLong(&ok);
    if (!ok) {
        return key;
    }
    return key.replace(run, QString::number(value).rightJustified(kSortKeyDigits, QLatin1Char('0')));
}

// ---------------------------------------------------------------- editing

int QDownloadTreeModel::currentValueAxis(int column)
{
    if (column < COL_FIRST_VALUE + 1 || column >= kMultiAxisColumns || (column - COL_FIRST_VALUE) % 2 != 1) {
        return -1;
    }
    return (column - COL_FIRST_VALUE) / 2;
}

bool QDownloadTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TreeItem* item = itemFromIndex(index);
    const int axis = currentValueAxis(index.column());
    if (!m_multiAxis || role != Qt::EditRole || axis < 0 || !index.isValid() || !item->isFuncode()) {
        return QAbstractItemModel::setData(index, value, role);
    }
    const QString text = value.toString();
    const QStringList& current = item->data()->curValueTexts;
    if (axis >= current.size() || current.at(axis) == text) {
        return false;
    }
    return writeCurrentValue(item, axis, text);
}

bool QDownloadTreeModel::writeCurrentValue(TreeItem* item, int axis, const QString& text)
{
    QPointer<QDeviceServo> dev(device());
    if (!dev) {
        return false;
    }
    const QString number = item->number();
    const QString before = dev->getScaledCurValueStr(number, axis);
    QString after = before;
    if (!sameValue(dev, number, before, text)) {
        // The write waits for the drive while events run: the tree may be rebuilt meanwhile.
        const QPersistentModelIndex guard(indexOfItem(item));
        const bool done = QFuncodeWriteRoad_Servo::self()->writeText(dev, number, axis, text).isDone();
        if (!dev || !guard.isValid() || !done) {
            return false;
        }
        after = dev->getScaledCurValueStr(number, axis);
    }
    item->data()->curValueTexts[axis] = after;
    item->setHighlighted(evaluateRow(item, dev));
    updateAncestorHighlight(item);
    const QModelIndex first = indexOfItem(item);
    emit dataChanged(first, first.sibling(first.row(), columnCount() - 1));
    for (TreeItem* node = item->parentItem(); node && node != m_root; node = node->parentItem()) {
        const QModelIndex cell = indexOfItem(node);
        emit dataChanged(cell, cell, {Qt::ForegroundRole});
    }
    return true;
}

// ---------------------------------------------------------------- item model

TreeItem* QDownloadTreeModel::itemFromIndex(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return m_root;
    }
    return static_cast<TreeItem*>(index.internalPointer());
}

QModelIndex QDownloadTreeModel::indexOfItem(const TreeItem* item, int column) const
{
    if (!item || item == m_root) {
        return QModelIndex();
    }
    return createIndex(item->row(), column, const_cast<TreeItem*>(item));
}

QModelIndex QDownloadTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= columnCount() || (parent.isValid() && parent.column() != 0)) {
        return QModelIndex();
    }
    TreeItem* child = itemFromIndex(parent)->child(row);
    if (!child) {
        return QModelIndex();
    }
    const QModelIndex result = createIndex(row, column, child);
    if (column == 0) {
        child->setIndex(result);
    }
    return result;
}

QModelIndex QDownloadTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return QModelIndex();
    }
    return indexOfItem(itemFromIndex(index)->parentItem());
}

int QDownloadTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) {
        return 0;
    }
    return itemFromIndex(parent)->childCount();
}

int QDownloadTreeModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return m_headers.size();
}

QString QDownloadTreeModel::cellText(const TreeItem* item, int column) const
{
    const tagExportFuncode_Servo& record = *item->data();
    if (column == COL_NUMBER) {
        return record.funIndex;
    }
    if (!item->isFuncode()) {
        return QString();
    }
    if (column == COL_NAME) {
        return record.funName;
    }
    if (!m_multiAxis) {
        return column == COL_SINGLE_DEFAULT ? record.valueTexts.value(0)
                                            : record.curValueTexts.value(column - COL_FIRST_VALUE);
    }
    const int axis = (column - COL_FIRST_VALUE) / 2;
    const bool current = (column - COL_FIRST_VALUE) % 2 == 1;
    return current ? record.curValueTexts.value(axis) : record.valueTexts.value(axis);
}

QVariant QDownloadTreeModel::foreground(const TreeItem* item, int column) const
{
    if (!item->isHighlighted()) {
        return QVariant();
    }
    if (!item->isFuncode()) {
        return column == COL_NUMBER ? QVariant(QBrush(Qt::red)) : QVariant();
    }
    const auto it = m_diffColumns.constFind(item->number());
    if (it == m_diffColumns.constEnd() || !it->contains(column)) {
        return QVariant();
    }
    return QBrush(Qt::red);
}

// A file value whose raw value disagreed with its text: the text was taken, and the cell says so.
bool QDownloadTreeModel::textTaken(const TreeItem* item, int column) const
{
    const int offset = column - COL_FIRST_VALUE;
    if (!m_multiAxis || !item->isFuncode() || offset < 0 || offset % 2 != 0 || column >= kMultiAxisColumns) {
        return false;
    }
    return (item->data()->textTakenAxes >> (offset / 2)) & 1u;
}

QVariant QDownloadTreeModel::italicFont()
{
    QFont font;
    font.setItalic(true);
    return font;
}

QVariant QDownloadTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return QVariant();
    }
    const TreeItem* item = itemFromIndex(index);
    switch (role) {
    case Qt::DisplayRole:
        return cellText(item, index.column());
    case Qt::ToolTipRole:
        if (index.column() == COL_NUMBER && isFailed(item)) {
            return cellText(item, COL_NUMBER) + QLatin1Char('\n') + tr("STR_IMPORT_NOT_WRITTEN_TIP");
        }
        return textTaken(item, index.column())
                   ? QStringLiteral("%1\n%2").arg(cellText(item, index.column()), tr("STR_IMPORT_TEXT_TAKEN"))
                   : cellText(item, index.column());
    case Qt::FontRole:
        return textTaken(item, index.column()) ? italicFont() : QVariant();
    case Qt::BackgroundRole:
        if (isFailed(item)) {
            return QBrush(kFailedBackground);
        }
        if (m_multiAxis && item->isFuncode() && currentValueAxis(index.column()) >= 0) {
            return QBrush(QColor(255, 255, 255, 255));
        }
        return QVariant();
    case Qt::ForegroundRole:
        return foreground(item, index.column());
    case Qt::CheckStateRole:
        return index.column() == COL_NUMBER ? QVariant(int(item->checkState())) : QVariant();
    default:
        return QVariant();
    }
}

QVariant QDownloadTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) {
        return QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if ((role == Qt::DisplayRole || role == Qt::ToolTipRole) && section >= 0 && section < m_headers.size()) {
        return m_headers.at(section);
    }
    return QVariant();
}

Qt::ItemFlags QDownloadTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    if (m_multiAxis && currentValueAxis(index.column()) >= 0 && itemFromIndex(index)->isFuncode()) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}
