#include "QDeviceBase.h"

#include "QSignalManager.h"

QDeviceBase::QDeviceBase(QObject* parent) : QObject(parent) {}

QDeviceBase::~QDeviceBase() = default;

void QDeviceBase::setAliasName(const QString& alias)
{
    if (alias == m_deviceInfo.aliasName) {
        return;
    }
    m_deviceInfo.aliasName = alias;
    emit projectDataChanged();
}

QString QDeviceBase::getShowNameByShowType(bool bWithModel) const
{
    if (!bWithModel) {
        return getAliasName();
    }
    return QStringLiteral("%1 (%2)").arg(getAliasName(), getDevName());
}

bool QDeviceBase::isDeviceType(const QString& typeName) const
{
    return getDevName().compare(typeName, Qt::CaseInsensitive) == 0;
}

void QDeviceBase::setCommuParams(const QCommuParams& params)
{
    if (params == m_commuParams) {
        return;
    }
    const bool intervalChanged = params.refreshInterval != m_commuParams.refreshInterval;
    m_commuParams = params;
    emit projectDataChanged();
    if (intervalChanged) {
        emit QSignalManager::self()->sigRefreshParamsChanged(getAliasName());
    }
}
