#include "QDriveLinkFactory.h"

#include "QModbusDriveLink.h"
#include "QSimulatedDriveLink.h"

QDriveLink* QDriveLinkFactory::create(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                                      QString* error)
{
    if (!model) {
        return nullptr;
    }
    if (!settings.check(model->axisNum, error)) {
        return nullptr;
    }
    if (settings.kind == QDriveLinkSettings::Simulated) {
        return new QSimulatedDriveLink(model);
    }
    return new QModbusDriveLink(model, settings);
}

QDriveLinkSettings QDriveLinkFactory::settingsOf(const QDriveLink* link)
{
    const auto* modbus = qobject_cast<const QModbusDriveLink*>(link);
    return modbus ? modbus->settings() : QDriveLinkSettings::simulated();
}
