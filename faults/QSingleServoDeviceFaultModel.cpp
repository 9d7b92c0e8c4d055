#include "QSingleServoDeviceFaultModel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"

QSingleServoDeviceFaultModel::QSingleServoDeviceFaultModel(QObject* parent) : QServoDeviceFaultModel(parent)
{
}

void QSingleServoDeviceFaultModel::setDevice(const QString& alias)
{
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    beginResetModel();
    m_faults.clear();
    m_devices.clear();
    if (device) {
        // Kept even without faults: the view shows this drive whatever it reports.
        const QString own = device->getAliasName();
        m_faults.insert(own, copyOf(device->getCurFaultList()));
        m_devices.append(own);
    }
    endResetModel();
}

QPair<QString, int> QSingleServoDeviceFaultModel::rowToDevice(int row) const
{
    if (row < 0 || row >= rowCount()) {
        return qMakePair(QString(), -1);
    }
    return qMakePair(deviceAlias(), row);
}

int QSingleServoDeviceFaultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || m_devices.isEmpty() ? 0 : m_faults.value(deviceAlias()).size();
}
