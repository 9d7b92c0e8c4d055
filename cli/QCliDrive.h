#pragma once

#include "QCliDriveSpec.h"
#include "QDriveModel.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

class QCliConsole;
class QDeviceBase;
class QDeviceServo;
class QDriveCatalogue;
class QDeviceManager;
class QDriveLink;
struct tagSubFuncode_Servo;

// One drive of a run: the device the workbench would make for it (QDeviceServo on the link of its spec),
// reached and identified before anything is read. A bus drive tells its model by the identity number it
// reports; --model names it for a drive that does not, and is checked against one that does.
//
// Nothing here sleeps: waits run an event loop until the drive's answers (or its going offline, or
// --timeout without any answer) end them.
class QCliDrive
{
    Q_DECLARE_TR_FUNCTIONS(QCliDrive)

public:
    struct Context
    {
        const QDriveCatalogue* catalogue = nullptr;
        QDeviceManager* devices = nullptr;
        QCliConsole* console = nullptr;
        QString model; // --model
        int timeoutMs = 0;
    };

    QCliDrive(const Context& context, const QCliDriveSpec& spec);
    ~QCliDrive();

    // Reaches the drive and makes its device; a QCliExit status, error says why it failed.
    int open(QString* error);

    QDeviceServo* device() const;
    QString name() const { return m_spec.text; }
    const QCliDriveSpec& spec() const { return m_spec; }

    // Reads every axis of the codes and waits for the answers, showing progress. Returns the values that
    // could not be read, as "number (axis)".
    QStringList read(const QList<tagSubFuncode_Servo*>& codes);
    // Every setting the present authority sees, in the drive's group order.
    QList<tagSubFuncode_Servo*> normalCodes() const;
    // Settings and monitoring codes.
    QList<tagSubFuncode_Servo*> allCodes() const;
    // Asks the drive for its current faults and waits for the answer.
    bool readCurrentFaults();
    // Waits until the drive is online again, at most ms; true when it is.
    bool waitOnline(int ms);

private:
    int chooseModel(QDriveModelPtr* model, QString* error) const;
    QDriveModelPtr modelOfIdentity(int identity) const;
    int connect(const QDriveModelPtr& model, QString* error);
    QString offlineReason() const;

    Context m_context;
    QCliDriveSpec m_spec;
    QPointer<QDriveLink> m_link;
    QSharedPointer<QDeviceBase> m_device;
};
