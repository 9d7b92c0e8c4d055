#include "QDriveStatusLabel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QModbusDriveLink.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QEvent>

QDriveStatusLabel::QDriveStatusLabel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("DRIVE_STATUS"));
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(devMgr, &QDeviceManager::SigDevChange, this, &QDriveStatusLabel::refresh);
    connect(hub, &QSignalManager::SigDevStatus, this, &QDriveStatusLabel::refresh);
    connect(hub, &QSignalManager::sigRefreshParamsChanged, this, &QDriveStatusLabel::refresh);
    refresh();
}

void QDriveStatusLabel::refresh()
{
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!device) {
        setText(tr("STR_STATUS_NO_DRIVE"));
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    const QString intervalText =
        interval > 0 ? tr("STR_STATUS_REFRESH_MS").arg(interval) : tr("STR_STATUS_REFRESH_OFF");
    const QDriveLink* link = device->getLink();
    QString state = device->isDeviceOnline() ? tr("STR_ONLINE") : tr("STR_OFFLINE");
    const auto* bus = qobject_cast<const QModbusDriveLink*>(link);
    if (!device->isDeviceOnline() && bus && !bus->offlineReason().isEmpty()) {
        state = tr("STR_STATUS_OFFLINE_BECAUSE").arg(state, bus->offlineReason());
    }
    setText(tr("STR_STATUS_DRIVE")
                .arg(device->getAliasName(), device->getDevName(), QString::number(device->getAxisNum()),
                     state, intervalText) +
            QStringLiteral("  |  ") + tr("STR_STATUS_LINK").arg(link->linkDescription()));
}

void QDriveStatusLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        refresh();
    }
    QLabel::changeEvent(event);
}
