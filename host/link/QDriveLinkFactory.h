#pragma once

#include "QDriveLinkSettings.h"
#include "QDriveModel.h"

class QDriveLink;

// Makes the link that its settings describe: the simulated drive in the process, or a Modbus link.
class QDriveLinkFactory
{
public:
    // Null with a reason when the settings cannot serve a drive of the model.
    static QDriveLink* create(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                              QString* error = nullptr);
    // The settings a link was made from (simulated for links that are not on a bus).
    static QDriveLinkSettings settingsOf(const QDriveLink* link);
};
