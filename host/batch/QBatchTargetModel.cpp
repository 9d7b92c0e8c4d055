#include "QBatchTargetModel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QBrush>
#include <QColor>

namespace {
QDeviceServo* servo(const QString& alias)
{
    return QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
}
} // namespace

QBatchTargetModel::QBatchTargetModel(QObject* parent) : QAbstractTableModel(parent)
{
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    connect(devMgr, &QDeviceManager::SigAddDev, this, &QBatchTargetModel::refresh);
    connect(devMgr, &QDeviceManager::SigDelDev, this, &QBatchTargetModel::refresh);
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigDevStatus, this,
            [this](const QString& alias) { onDevStatus(alias); });
}

QBatchTargetModel::~QBatchTargetModel() = default;

void QBatchTargetModel::setModelFilter(const QString& devName)
{
    if (devName == m_devName) {
        return;
    }
    m_devName = devName;
    refresh();
}

void QBatchTargetModel::refresh()
{
    QVector<Row> rows;
    if (!m_devName.isEmpty()) {
        const auto devices = QProjectCore::self()->getDevMgr()->getDevListOrderByShowName();
        for (const auto& device : devices) {
            const auto* dev = qobject_cast<const QDeviceServo*>(device.data());
            if (!dev || dev->getDevName() != m_devName) {
                continue;
            }
            const int old = rowOf(dev->getAliasName());
            rows.append(old >= 0 ? m_rows.at(old) : Row{dev->getAliasName(), true, RUN_IDLE});
        }
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
    emit checkedChanged();
}

int QBatchTargetModel::rowOf(const QString& alias) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).alias == alias) {
            return row;
        }
    }
    return -1;
}

void QBatchTargetModel::onDevStatus(const QString& alias)
{
    const int row = rowOf(alias);
    if (row >= 0) {
        emit dataChanged(index(row, COL_ONLINE), index(row, COL_ONLINE));
    }
}

QStringList QBatchTargetModel::aliases() const
{
    QStringList list;
    for (const Row& row : m_rows) {
        list.append(row.alias);
    }
    return list;
}

QStringList QBatchTargetModel::checkedAliases() const
{
    QStringList list;
    for (const Row& row : m_rows) {
        if (row.checked) {
            list.append(row.alias);
        }
    }
    return list;
}

QStringList QBatchTargetModel::aliasesInState(int state) const
{
    QStringList list;
    for (const Row& row : m_rows) {
        if (row.state == state) {
            list.append(row.alias);
        }
    }
    return list;
}

QString QBatchTargetModel::aliasAt(int row) const
{
    return (row >= 0 && row < m_rows.size()) ? m_rows.at(row).alias : QString();
}

void QBatchTargetModel::setAllChecked(bool checked)
{
    if (m_locked || m_rows.isEmpty()) {
        return;
    }
    for (Row& row : m_rows) {
        row.checked = checked;
    }
    emit dataChanged(index(0, COL_ALIAS), index(m_rows.size() - 1, COL_ALIAS), {Qt::CheckStateRole});
    emit checkedChanged();
}

void QBatchTargetModel::setRunState(const QString& alias, int state)
{
    const int row = rowOf(alias);
    if (row < 0 || m_rows.at(row).state == state) {
        return;
    }
    m_rows[row].state = state;
    m_rows[row].percent = 0;
    emit dataChanged(index(row, COL_STATE), index(row, COL_STATE));
}

void QBatchTargetModel::setProgress(const QString& alias, int percent)
{
    const int row = rowOf(alias);
    percent = qBound(0, percent, 100);
    if (row < 0 || m_rows.at(row).percent == percent) {
        return;
    }
    m_rows[row].percent = percent;
    emit dataChanged(index(row, COL_STATE), index(row, COL_STATE));
}

int QBatchTargetModel::runState(const QString& alias) const
{
    const int row = rowOf(alias);
    return row < 0 ? RUN_IDLE : m_rows.at(row).state;
}

void QBatchTargetModel::setLocked(bool locked)
{
    if (locked == m_locked) {
        return;
    }
    m_locked = locked;
    if (!m_rows.isEmpty()) {
        emit dataChanged(index(0, COL_ALIAS), index(m_rows.size() - 1, COL_ALIAS));
    }
}

QString QBatchTargetModel::runStateText(int state)
{
    switch (state) {
    case RUN_WAITING:
        return tr("STR_BATCH_STATE_WAITING");
    case RUN_RUNNING:
        return tr("STR_BATCH_STATE_RUNNING");
    case RUN_SUCCEEDED:
        return tr("STR_BATCH_STATE_SUCCEEDED");
    case RUN_FAILED:
        return tr("STR_BATCH_STATE_FAILED");
    case RUN_STOPPED:
        return tr("STR_BATCH_STATE_STOPPED");
    default:
        return QString();
    }
}

// ---------------------------------------------------------------- the model

int QBatchTargetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int QBatchTargetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COL_COUNT;
}

QVariant QBatchTargetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QVariant();
    }
    switch (section) {
    case COL_ALIAS:
        return tr("STR_DEVICE");
    case COL_MODEL:
        return tr("STR_DEVICE_TYPE");
    case COL_ONLINE:
        return tr("STR_BATCH_LINK_STATE");
    case COL_STATE:
        return tr("STR_BATCH_RESULT");
    default:
        return QVariant();
    }
}

Qt::ItemFlags QBatchTargetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == COL_ALIAS && !m_locked) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

QVariant QBatchTargetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size()) {
        return QVariant();
    }
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return displayData(row, index.column());
    case Qt::ToolTipRole:
        if (index.column() == COL_ONLINE) {
            const QDeviceServo* dev = servo(row.alias);
            return (dev && dev->isDeviceOnline()) ? tr("STR_DEVICE_ONLINE") : tr("STR_DEVICE_OFFLINE");
        }
        return displayData(row, index.column());
    case Qt::CheckStateRole:
        return index.column() == COL_ALIAS ? QVariant(row.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::ForegroundRole:
        return index.column() == COL_STATE ? stateColor(row.state) : QVariant();
    default:
        return QVariant();
    }
}

QVariant QBatchTargetModel::displayData(const Row& row, int column) const
{
    const QDeviceServo* dev = servo(row.alias);
    switch (column) {
    case COL_ALIAS:
        return row.alias;
    case COL_MODEL:
        return dev ? dev->getDevName() : QString();
    case COL_ONLINE:
        return (dev && dev->isDeviceOnline()) ? tr("STR_ONLINE") : tr("STR_OFFLINE");
    case COL_STATE:
        return row.state == RUN_RUNNING
                   ? tr("STR_BATCH_RUN_PERCENT").arg(runStateText(row.state)).arg(row.percent)
                   : runStateText(row.state);
    default:
        return QVariant();
    }
}

QVariant QBatchTargetModel::stateColor(int state) const
{
    switch (state) {
    case RUN_SUCCEEDED:
        return QBrush(QColor(0, 128, 0));
    case RUN_FAILED:
        return QBrush(QColor(Qt::red));
    case RUN_RUNNING:
        return QBrush(QColor(0, 90, 200));
    default:
        return QVariant();
    }
}

bool QBatchTargetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != COL_ALIAS || m_locked) {
        return false;
    }
    const bool checked = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
    Row& row = m_rows[index.row()];
    if (row.checked == checked) {
        return true;
    }
    row.checked = checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checkedChanged();
    return true;
}
