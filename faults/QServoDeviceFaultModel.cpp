#include "QServoDeviceFaultModel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"
#include "QProjectCore.h"

#include <QColor>

using R = QFaultExportRows;

namespace {
QDeviceServo* deviceByAlias(const QString& alias)
{
    return QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
}

bool isFlagColumn(int column)
{
    return column == R::COL_HISTORY || column == R::COL_CAN_CLEAR || column == R::COL_STOP_NOW;
}

bool flagOf(const tagFaultInfo& fault, int column)
{
    switch (column) {
    case R::COL_HISTORY:
        return fault.bHistory;
    case R::COL_CAN_CLEAR:
        return fault.bCanClear;
    default:
        return fault.bStopNow;
    }
}
} // namespace

QServoDeviceFaultModel::QServoDeviceFaultModel(QObject* parent) : QBaseTableModel(parent)
{
    setHeadList(headerTexts());
}

QStringList QServoDeviceFaultModel::headerTexts() const
{
    return R::curFaultHeaders();
}

QList<tagFaultInfoPtr> QServoDeviceFaultModel::copyOf(const QList<tagFaultInfoPtr>& faults)
{
    QList<tagFaultInfoPtr> copies;
    for (const tagFaultInfoPtr& fault : faults) {
        copies.append(tagFaultInfoPtr::create(*fault));
    }
    return copies;
}

void QServoDeviceFaultModel::setDevice(const QString& alias)
{
    const QDeviceServo* device = deviceByAlias(alias);
    if (!device) {
        return;
    }
    const QList<tagFaultInfoPtr> faults = device->getCurFaultList();
    beginResetModel();
    if (faults.isEmpty()) {
        m_faults.remove(alias);
        m_devices.removeAll(alias);
    } else {
        m_faults.insert(alias, copyOf(faults));
        if (!m_devices.contains(alias)) {
            m_devices.append(alias);
        }
    }
    endResetModel();
}

void QServoDeviceFaultModel::removeDevice(const QString& alias)
{
    beginResetModel();
    m_faults.remove(alias);
    m_devices.removeAll(alias);
    endResetModel();
}

void QServoDeviceFaultModel::clear()
{
    beginResetModel();
    m_faults.clear();
    m_devices.clear();
    endResetModel();
}

QPair<QString, int> QServoDeviceFaultModel::rowToDevice(int row) const
{
    if (row < 0) {
        return qMakePair(QString(), -1);
    }
    for (const QString& alias : m_devices) {
        const int count = m_faults.value(alias).size();
        if (row < count) {
            return qMakePair(alias, row);
        }
        row -= count;
    }
    return qMakePair(QString(), -1);
}

tagFaultInfoPtr QServoDeviceFaultModel::faultAt(int row) const
{
    const QPair<QString, int> place = rowToDevice(row);
    return place.first.isEmpty() ? tagFaultInfoPtr() : m_faults.value(place.first).value(place.second);
}

int QServoDeviceFaultModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) {
        return 0;
    }
    int count = 0;
    for (const QString& alias : m_devices) {
        count += m_faults.value(alias).size();
    }
    return count;
}

QVariant QServoDeviceFaultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= columnCount()) {
        return QVariant();
    }
    const QPair<QString, int> place = rowToDevice(index.row());
    const tagFaultInfoPtr fault = faultAt(index.row());
    if (!fault) {
        return QVariant();
    }
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return textData(*fault, place.first, column, role);
    case Qt::DecorationRole:
        return isFlagColumn(column) ? QVariant(QDeviceServo::getCheckIcon(flagOf(*fault, column)))
                                    : QVariant();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return column == R::COL_NAME ? QVariant(QColor(Qt::red)) : QVariant();
    default:
        return QVariant();
    }
}

QVariant QServoDeviceFaultModel::textData(const tagFaultInfo& fault, const QString& alias, int column,
                                          int role) const
{
    if (isFlagColumn(column)) {
        // The flags show an icon; their words are only a tool tip.
        return role == Qt::ToolTipRole ? QVariant(R::flagText(flagOf(fault, column))) : QVariant();
    }
    if (column == R::COL_DEVICE) {
        const QDeviceServo* device = deviceByAlias(alias);
        return device ? device->getShowNameByShowType(false) : alias;
    }
    return R::curFaultRow(QString(), fault).value(column);
}
