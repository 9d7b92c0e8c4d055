#include "QDriveStatusLabel.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QModbusDriveLink.h"
#include "QParameterFingerprint_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QEvent>
#include <QLocale>

namespace {
// How long the reason of a refused edit stays in the status bar.
const int kWriteNoticeMs = 10000;
} // namespace

QDriveStatusLabel::QDriveStatusLabel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("DRIVE_STATUS"));
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(devMgr, &QDeviceManager::SigDevChange, this, &QDriveStatusLabel::followSelectedDrive);
    connect(hub, &QSignalManager::SigDevStatus, this, &QDriveStatusLabel::refresh);
    connect(hub, &QSignalManager::sigRefreshParamsChanged, this, &QDriveStatusLabel::refresh);
    // The count of stale values changes with what is read.
    connect(hub, &QSignalManager::SigFuncodeChanged_Servo, this, [this](const QString& alias) {
        if (m_device && alias == m_device->getAliasName()) {
            refresh();
        }
    });
    m_noticeShown.setSingleShot(true);
    m_noticeShown.setInterval(kWriteNoticeMs);
    connect(&m_noticeShown, &QTimer::timeout, this, [this]() {
        m_writeNotice.clear();
        refresh();
    });
    connect(
        hub, &QSignalManager::SigFuncodeWriteFailed, this,
        [this](const QString& alias, const QString& funIndex, int axis, const QString& reason) {
            m_writeNotice =
                tr("STR_STATUS_WRITE_NOTICE").arg(alias, funIndex, QDeviceServo::getAxisName(axis), reason);
            m_noticeShown.start();
            refresh();
        });
    followSelectedDrive();
}

void QDriveStatusLabel::followSelectedDrive()
{
    if (m_device) {
        disconnect(m_device, &QDeviceServo::wholeReadProgress, this, &QDriveStatusLabel::refresh);
    }
    m_device = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (m_device) {
        connect(m_device, &QDeviceServo::wholeReadProgress, this, &QDriveStatusLabel::refresh);
    }
    refresh();
}

QString QDriveStatusLabel::stateText(const QDeviceServo* device)
{
    const auto* bus = qobject_cast<const QModbusDriveLink*>(device->getLink());
    switch (device->deviceStatus()) {
    case QDeviceServo::DEVICE_ONLINE:
        return tr("STR_ONLINE");
    case QDeviceServo::DEVICE_NOT_ANSWERING:
        return tr("STR_NOT_ANSWERING");
    case QDeviceServo::DEVICE_CONNECTING:
        // A link that tried and failed says why, rather than connecting for ever.
        if (!bus || bus->offlineReason().isEmpty()) {
            return tr("STR_CONNECTING");
        }
        [[fallthrough]];
    default:
        if (bus && !bus->offlineReason().isEmpty()) {
            return tr("STR_STATUS_OFFLINE_BECAUSE").arg(tr("STR_OFFLINE"), bus->offlineReason());
        }
        return tr("STR_OFFLINE");
    }
}

// What the drive's values are worth now: a whole read going on, values that are stale.
QString QDriveStatusLabel::valuesText(const QDeviceServo* device)
{
    QStringList parts;
    if (device->isWholeReadRunning()) {
        parts << tr("STR_STATUS_WHOLE_READ")
                     .arg(QLocale().toString(device->wholeReadDone()),
                          QLocale().toString(device->wholeReadTotal()));
    }
    if (device->staleValueCount() > 0) {
        parts << tr("STR_STATUS_STALE_VALUES").arg(QLocale().toString(device->staleValueCount()));
    }
    return parts.join(QStringLiteral(", "));
}

void QDriveStatusLabel::refresh()
{
    const QDeviceServo* device = m_device;
    if (!device) {
        setText(tr("STR_STATUS_NO_DRIVE"));
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    const QString intervalText =
        interval > 0 ? tr("STR_STATUS_REFRESH_MS").arg(interval) : tr("STR_STATUS_REFRESH_OFF");
    const QDriveLink* link = device->getLink();
    QString text = tr("STR_STATUS_DRIVE")
                       .arg(device->getAliasName(), device->getDevName(),
                            QString::number(device->getAxisNum()), stateText(device), intervalText);
    const QString values = valuesText(device);
    if (!values.isEmpty()) {
        text += QStringLiteral("  |  ") + values;
    }
    // A drive simulated inside the workbench is named so in the present language.
    const bool bus = qobject_cast<const QModbusDriveLink*>(link);
    text += QStringLiteral("  |  ") +
            tr("STR_STATUS_LINK").arg(bus ? link->linkDescription() : tr("STR_STATUS_LINK_SIMULATED"));
    setText(m_writeNotice.isEmpty() ? text : m_writeNotice + QStringLiteral("  |  ") + text);
}

bool QDriveStatusLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
        setToolTip(device
                       ? QParameterFingerprint_Servo::describe(QParameterFingerprint_Servo::ofDevice(*device))
                       : QString());
    }
    return QLabel::event(event);
}

void QDriveStatusLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        refresh();
    }
    QLabel::changeEvent(event);
}
