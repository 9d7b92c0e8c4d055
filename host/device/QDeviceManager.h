#pragma once

#include <QList>
#include <QObject>
#include <QRegExp>
#include <QSharedPointer>
#include <QStringList>

class QDeviceBase;
class QDeviceServo;
class QDriveCatalogue;

// The devices of the project and which one is selected.
class QDeviceManager : public QObject
{
    Q_OBJECT
public:
    explicit QDeviceManager(QObject* parent = nullptr);
    ~QDeviceManager() override;

    // The device manager of the open project (the first one made and still alive), or nullptr. Code
    // below the project, such as the function-code file helper, reaches the selected drive through it.
    static QDeviceManager* self();
    // The drive models the project's devices are built from; may be null.
    const QDriveCatalogue* getCatalogue() const { return m_catalogue; }
    void setCatalogue(const QDriveCatalogue* catalogue) { m_catalogue = catalogue; }

    // The selected device as a servo drive, or null.
    QDeviceServo* getSelectServo() const;
    QSharedPointer<QDeviceBase> getSelect() const;
    QSharedPointer<QDeviceBase> getSelectInvertor() const { return getSelect(); }
    QString getSelectAlias() const { return m_selected; }
    // Selects a device by alias (an empty alias selects none); SigDevChange when it changes.
    bool setSelect(const QString& alias);

    QDeviceServo* getDeviceServo(const QString& alias) const;
    QSharedPointer<QDeviceBase> getDevice(const QString& alias) const;
    QList<QSharedPointer<QDeviceBase>> getDevList() const { return m_devices; }
    QStringList getDevNameList() const;
    // Devices ordered by their shown names.
    QList<QSharedPointer<QDeviceBase>> getDevListOrderByShowName() const;

    // Adds a device; its alias must be unique. SigAddDev.
    bool addDevice(const QSharedPointer<QDeviceBase>& device, QString* error = nullptr);
    // Removes a device: SigDelDev, and when it was the selected one the hub's SigRemoveDevice and
    // SigDevChange with an empty alias.
    bool removeDevice(const QString& alias);
    void clear();
    // base, or base followed by the first free number.
    QString uniqueAlias(const QString& base) const;

    // Enumerated values: enumText holds one "value:label" item per line.
    // Text of the item at a position ("" when out of range).
    static QString getRefStr(const QString& enumText, int position);
    // Position of the item that a text names: the whole item, its label or its value; -1 when none.
    static int getRefIndex(const QString& enumText, const QString& valueText);
    // Separator between value and label of an item.
    static QRegExp getColon();

signals:
    void SigDevChange(const QString& aliasName);
    void SigDelDev(const QString& aliasName);
    void SigAddDev(const QString& aliasName);

private:
    QList<QSharedPointer<QDeviceBase>> m_devices;
    QString m_selected;
    const QDriveCatalogue* m_catalogue = nullptr;
};
