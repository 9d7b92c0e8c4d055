#pragma once

#include "QCliDrive.h"

#include <QCoreApplication>
#include <QString>
#include <map>
#include <memory>

class QCliConsole;
class QCliOptions;
class QDeviceManager;
class QDriveCatalogue;

// What one run of servo-cli works in, set up as the workbench sets up its own: the data folder (settings,
// databases of records and statistics, log), the drive descriptions, and a device manager holding the
// drives of the run.
class QCliSession
{
    Q_DECLARE_TR_FUNCTIONS(QCliSession)

public:
    QCliSession(const QCliOptions& options, QCliConsole& console);
    ~QCliSession();

    // False with a message when the run cannot go on (no drive descriptions).
    bool start(QString* error);

    // The drive a address names, reached once per run: a drive named twice is one device. Null when it could
    // not be reached; status gets the exit status and the message has been written.
    QCliDrive* drive(const QString& address, int* status);

    const QCliOptions& options() const { return m_options; }
    QCliConsole& console() const { return m_console; }
    const QDriveCatalogue& catalogue() const { return *m_catalogue; }
    // What a drive of this run is reached with, for drives made outside drive().
    QCliDrive::Context driveContext() const;

private:
    const QCliOptions& m_options;
    QCliConsole& m_console;
    std::unique_ptr<QDriveCatalogue> m_catalogue;
    std::unique_ptr<QDeviceManager> m_devices;
    std::map<QString, std::unique_ptr<QCliDrive>> m_drives;
};
