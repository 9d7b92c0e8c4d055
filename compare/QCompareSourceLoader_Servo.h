#pragma once

#include "tagCompareSource_Servo.h"
#include "tagExportDevInfo_Servo.h"

#include <QString>

class QDeviceServo;
class QWidget;

// Builds the sources of a comparison: a drive of the project (read whole first when asked and online;
// an offline drive gives the values already held) or a function-code file. Failures are told to the
// user in the host's message boxes, titled "STR_COMPARE", with the dialog as parent.
class QCompareSourceLoader_Servo
{
public:
    explicit QCompareSourceLoader_Servo(QWidget* parent) : m_parent(parent) {}

    // False when no drive of that alias exists.
    bool loadDrive(const QString& alias, bool read, tagCompareSource_Servo* source) const;
    // A function-code file (".funcodeservo", csv or xlsx) as a source, keeping only the codes the present
    // authority may see. False, after telling the user why, when it cannot be read.
    bool loadFile(const QString& path, tagCompareSource_Servo* source) const;
    // The device header of a file made for another product family that shares the file form.
    static bool isRefusedDevText(const QString& devText);

private:
    bool readDatabaseFile(const QString& path, tagExportDevInfo_Servo* info) const;
    bool readTextFile(const QString& path, tagExportDevInfo_Servo* info) const;
    void tellOpenFailed(const QString& path, const QString& detail = QString()) const;

    QWidget* m_parent = nullptr;
};
