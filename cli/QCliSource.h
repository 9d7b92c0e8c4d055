#pragma once

#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QString>

class QCliDrive;
class QCliSession;

// A parameter set named on the command line: a drive, read whole, or a function-code file (.csv, .xlsx,
// .funcodeservo by its suffix), read by the workbench's readers.
class QCliSource
{
    Q_DECLARE_TR_FUNCTIONS(QCliSource)

public:
    // Reads the source; a QCliExit status, after the message when it failed. A drive whose settings could
    // not all be read fails (status 3): its set is not known.
    int load(QCliSession& session, const QString& text);

    bool isDrive() const { return m_drive != nullptr; }
    QCliDrive* drive() const { return m_drive; }
    QString name() const { return m_name; }
    // The file as read (for a file source).
    const tagExportDevInfo_Servo& file() const { return m_file; }
    // The model of the set ("SD220").
    QString model() const;

private:
    int loadFile(QCliSession& session, const QString& path);

    QString m_name;
    QCliDrive* m_drive = nullptr;
    tagExportDevInfo_Servo m_file;
};
