#pragma once

#include "DeviceInfo.h"
#include "QCommuParams.h"

#include <QObject>
#include <QString>

// What every device of the project has: a name in the project (alias), a model, communication
// parameters and an online state.
class QDeviceBase : public QObject
{
    Q_OBJECT
public:
    enum enDeviceKind
    {
        DEVICE_KIND_SERVO = 1
    };

    explicit QDeviceBase(QObject* parent = nullptr);
    ~QDeviceBase() override;

    virtual int deviceKind() const = 0;

    QString getAliasName() const { return m_deviceInfo.aliasName; }
    void setAliasName(const QString& alias);
    virtual QString getDevName() const = 0;
    virtual QString getConfigVersion() const = 0;
    QString getCommuName() const { return m_commuParams.commuName; }
    // The alias, or "alias (model)" when bWithModel is true.
    QString getShowNameByShowType(bool bWithModel) const;

    DeviceInfo getDeviceInfo() const { return m_deviceInfo; }
    const DeviceInfo* getDeviceInfoPtr() const { return &m_deviceInfo; }

    // True when the model name equals typeName (case-insensitive).
    bool isDeviceType(const QString& typeName) const;

    virtual bool isDeviceOnline() const = 0;

    QCommuParams getCommuParams() const { return m_commuParams; }
    // Stores the parameters; a changed refresh interval is announced on the hub.
    void setCommuParams(const QCommuParams& params);

signals:
    // Something that is saved with the project changed (alias, parameters, monitored list).
    void projectDataChanged();

protected:
    DeviceInfo m_deviceInfo;
    QCommuParams m_commuParams;
};
