#include "QDeviceManager.h"

#include "QDeviceServo.h"
#include "QFuncodeScaling.h"
#include "QSignalManager.h"

#include <algorithm>

namespace {
QDeviceManager* g_projectManager = nullptr;
} // namespace

QDeviceManager::QDeviceManager(QObject* parent) : QObject(parent)
{
    if (!g_projectManager) {
        g_projectManager = this;
    }
}

QDeviceManager::~QDeviceManager()
{
    if (g_projectManager == this) {
        g_projectManager = nullptr;
    }
}

QDeviceManager* QDeviceManager::self()
{
    return g_projectManager;
}

QDeviceServo* QDeviceManager::getSelectServo() const
{
    return getDeviceServo(m_selected);
}

QSharedPointer<QDeviceBase> QDeviceManager::getSelect() const
{
    return getDevice(m_selected);
}

bool QDeviceManager::setSelect(const QString& alias)
{
    if (!alias.isEmpty() && !getDevice(alias)) {
        return false;
    }
    if (alias == m_selected) {
        return true;
    }
    m_selected = alias;
    emit SigDevChange(alias);
    return true;
}

QDeviceServo* QDeviceManager::getDeviceServo(const QString& alias) const
{
    const QSharedPointer<QDeviceBase> device = getDevice(alias);
    if (!device || device->deviceKind() != QDeviceBase::DEVICE_KIND_SERVO) {
        return nullptr;
    }
    return static_cast<QDeviceServo*>(device.data());
}

QSharedPointer<QDeviceBase> QDeviceManager::getDevice(const QString& alias) const
{
    if (alias.isEmpty()) {
        return {};
    }
    for (const QSharedPointer<QDeviceBase>& device : m_devices) {
        if (device->getAliasName() == alias) {
            return device;
        }
    }
    return {};
}

QStringList QDeviceManager::getDevNameList() const
{
    QStringList names;
    for (const QSharedPointer<QDeviceBase>& device : m_devices) {
        names.append(device->getAliasName());
    }
    return names;
}

QList<QSharedPointer<QDeviceBase>> QDeviceManager::getDevListOrderByShowName() const
{
    QList<QSharedPointer<QDeviceBase>> sorted = m_devices;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a->getShowNameByShowType(false).localeAwareCompare(b->getShowNameByShowType(false)) < 0;
    });
    return sorted;
}

bool QDeviceManager::addDevice(const QSharedPointer<QDeviceBase>& device, QString* error)
{
    if (!device || device->getAliasName().isEmpty()) {
        if (error) {
            *error = tr("STR_DEVICE_ALIAS_EMPTY");
        }
        return false;
    }
    if (getDevice(device->getAliasName())) {
        if (error) {
            *error = tr("STR_DEVICE_ALIAS_EXISTS").arg(device->getAliasName());
        }
        return false;
    }
    m_devices.append(device);
    emit SigAddDev(device->getAliasName());
    emit QSignalManager::self()->sigDevShowChanged();
    return true;
}

bool QDeviceManager::removeDevice(const QString& alias)
{
    const QSharedPointer<QDeviceBase> device = getDevice(alias);
    if (!device) {
        return false;
    }
    // Listeners may still ask about the device while they are told; it lives until this returns.
    m_devices.removeAll(device);
    const bool wasSelected = alias == m_selected;
    if (wasSelected) {
        m_selected.clear();
    }
    emit SigDelDev(alias);
    QSignalManager* hub = QSignalManager::self();
    if (wasSelected) {
        // The pages show the selected drive; they empty only when it is the one that went.
        emit hub->SigRemoveDevice();
        emit SigDevChange(QString());
    }
    emit hub->sigDevShowChanged();
    return true;
}

void QDeviceManager::clear()
{
    const QStringList aliases = getDevNameList();
    for (const QString& alias : aliases) {
        removeDevice(alias);
    }
}

QString QDeviceManager::uniqueAlias(const QString& base) const
{
    if (!getDevice(base)) {
        return base;
    }
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1_%2").arg(base).arg(n);
        if (!getDevice(candidate)) {
            return candidate;
        }
    }
}

QString QDeviceManager::getRefStr(const QString& enumText, int position)
{
    const QStringList items = QFuncodeScaling::enumItems(enumText);
    return (position >= 0 && position < items.size()) ? items.at(position) : QString();
}

int QDeviceManager::getRefIndex(const QString& enumText, const QString& valueText)
{
    const QStringList items = QFuncodeScaling::enumItems(enumText);
    const QString text = valueText.trimmed();
    const int exact = items.indexOf(text);
    if (exact >= 0) {
        return exact;
    }
    const QRegExp colon = getColon();
    for (int i = 0; i < items.size(); ++i) {
        const QString label = items.at(i).section(colon, 1).trimmed();
        if (!label.isEmpty() && label == text) {
            return i;
        }
    }
    bool ok = false;
    const qint64 value = text.section(colon, 0, 0).trimmed().toLongLong(&ok);
    return ok ? QFuncodeScaling::enumPositionOfValue(enumText, value) : -1;
}

QRegExp QDeviceManager::getColon()
{
    return QRegExp(QStringLiteral("[:\uFF1A]"));
}
