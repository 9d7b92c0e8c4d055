#pragma once

#include "QDriveLinkSettings.h"
#include "QDriveModel.h"

#include <QHash>
#include <QObject>

class QProcess;

// The servo-drive-sim programs the workbench runs itself, one per drive whose link settings ask for
// an own server: each serves its drive on a free loopback port and stops when its drive is removed
// or the workbench ends (it also quits by itself when the workbench vanishes).
class QDriveSimProcesses : public QObject
{
    Q_OBJECT
public:
    explicit QDriveSimProcesses(QObject* parent = nullptr);
    ~QDriveSimProcesses() override;

    // The program next to the workbench's executable.
    static QString programPath();
    // Starts a server for the drive and sets host and port in settings; false with a reason.
    bool start(const QString& alias, const QDriveModelPtr& model, QDriveLinkSettings* settings,
               QString* error);
    void stop(const QString& alias);
    void stopAll();
    // Where a drive's server writes its log.
    static QString logPath(const QString& alias);
    int runningCount() const { return m_processes.size(); }

private:
    static int freeLoopbackPort();

    QHash<QString, QProcess*> m_processes;
};
