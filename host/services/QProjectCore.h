#pragma once

#include "QDriveLinkSettings.h"
#include "QDriveModel.h"

#include <QObject>
#include <QString>
#include <functional>

class QDeviceManager;
class QDeviceServo;
class QDriveCatalogue;
class QSimulatedDriveLink;
struct tagProjectDevice;

// The open project: its devices (through the device manager), where it is stored, and whether it has
// unsaved changes. A project file is JSON: for each device its alias, model, communication
// parameters, monitored list, link settings and, for simulated drives, their online state.
class QProjectCore : public QObject
{
    Q_OBJECT
public:
    static QProjectCore* self();
    // The drive selected in the open project, or nullptr.
    static QDeviceServo* selectedServo();

    QDeviceManager* getDevMgr() const { return m_devMgr; }
    QDriveCatalogue* getCatalogue() const { return m_catalogue; }

    // Removes every device and forgets the file.
    void closeProject();
    // One simulated drive of every model of the catalogue, and further drives of the first model with
    // more than one axis, kDemoLineDrives of it in all.
    bool createDemoProject(QString* error = nullptr);
    static const int kDemoLineDrives = 4;
    QString demoLineModel() const;
    bool openProject(const QString& path, QString* error = nullptr);
    bool saveProject(const QString& path, QString* error = nullptr);
    QString projectPath() const { return m_path; }
    bool isModified() const { return m_modified; }

    // Adds a simulated drive of a model; alias empty: the model name made unique.
    QDeviceServo* addSimulatedDrive(const QString& modelName, const QString& alias = QString(),
                                    QString* error = nullptr);
    // Adds a drive of a model reached through the link the settings describe.
    QDeviceServo* addDrive(const QString& modelName, const QString& alias, const QDriveLinkSettings& settings,
                           QString* error = nullptr);
    // Starts a server for a drive whose settings ask for an own one (ownServer) and fills in where it
    // listens; false with a reason. Without a starter such drives use their settings as they are.
    typedef std::function<bool(const QString& alias, const QDriveModelPtr& model,
                               QDriveLinkSettings* settings, QString* error)>
        OwnServerStarter;
    void setOwnServerStarter(const OwnServerStarter& starter) { m_ownServerStarter = starter; }
    QSimulatedDriveLink* simulatedLink(const QString& alias) const;
    // Reply delay given to simulated drives created from now on.
    void setSimulatedReplyDelay(int ms) { m_simDelay = ms; }

signals:
    void projectChanged();
    void modifiedChanged(bool modified);

private:
    QProjectCore();
    void setModified(bool modified);
    void watchDevice(QDeviceServo* device);
    void addDemoDrive(const QString& modelName);
    bool addProjectDevice(const tagProjectDevice& entry, QString* error);
    // Tells the configuration database which models and old model names the catalogue knows.
    void registerModels();
    // Gives every drive the texts of the catalogue's language; values, marks and faults stay.
    void retranslateDevices();
    // The demo's drive on Modbus TCP, served by an own server; nothing without a starter.
    void addDemoBusDrive();

    QDeviceManager* m_devMgr = nullptr;
    QDriveCatalogue* m_catalogue = nullptr;
    QString m_path;
    bool m_modified = false;
    int m_simDelay = 5;
    OwnServerStarter m_ownServerStarter;
};
