#include "QServoBatchDriveSteps.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveLinkFactory.h"

QServoBatchDriveSteps::~QServoBatchDriveSteps() = default;

QString QServoBatchDriveSteps::busOf(const QString& alias) const
{
    QDeviceManager* devices = QDeviceManager::self();
    const QDeviceServo* device = devices ? devices->getDeviceServo(alias) : nullptr;
    if (!device) {
        return QString();
    }
    const QDriveLinkSettings settings = QDriveLinkFactory::settingsOf(device->getLink());
    return settings.kind == QDriveLinkSettings::ModbusRtu ? settings.serialPort : QString();
}

bool QServoBatchDriveSteps::prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>* records,
                                    QString* error)
{
    Q_UNUSED(alias)
    Q_UNUSED(records)
    Q_UNUSED(error)
    return true;
}

bool QServoBatchDriveSteps::complete(const QString& alias, QString* error)
{
    Q_UNUSED(alias)
    Q_UNUSED(error)
    return true;
}
