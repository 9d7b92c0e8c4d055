#pragma once

#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QDeviceServo;

// A function-code file read for an import into one drive: the file is read by its suffix
// (".funcodeservo", ".xlsx", anything else as comma-separated), checked to be made for the drive's model,
// and cut down to the codes the present authority allows, ordered as the drive orders its groups.
// When it cannot be imported, errorText says why in a line the user can act on.
class QFuncodeImportFile_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeImportFile_Servo)

public:
    enum Status
    {
        Ok,
        ReadFailed,   // the file could not be read (errorCode gives the reader's error number)
        OtherDevice,  // the file was made for another drive model
        NotPermitted, // no code of the file is allowed at the present authority
        NoDevice      // no drive to import into
    };

    // monitoredPageShown: the drive's monitored list is in view (the import then targets it, unless the
    // file says which list it was saved from).
    Status read(const QString& path, const QDeviceServo* device, bool monitoredPageShown);

    Status status() const { return m_status; }
    int errorCode() const { return m_error; }
    QString errorText() const;
    const tagExportDevInfo_Servo& deviceInfo() const { return m_info; }
    // The codes to offer, in the drive's group order.
    tagExportFuncodeList_Servo rows() const { return m_rows; }
    // True when the import targets the monitored list.
    bool isMonitored() const { return m_monitored; }

    // The model name of a file's device text ("<model>_<version>"), mapped to the present name of a renamed
    // model when the configuration database knows it.
    static QString fileModelName(const QString& devText, const QString& driveModel);

private:
    Status fail(Status status);
    tagExportFuncodeList_Servo permittedRows(const QDeviceServo* device) const;

    Status m_status = Ok;
    int m_error = 0;
    QString m_path;
    tagExportDevInfo_Servo m_info;
    tagExportFuncodeList_Servo m_rows;
    bool m_monitored = false;
};
