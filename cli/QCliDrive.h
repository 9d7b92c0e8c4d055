#pragma once

#include "QCliDriveAddress.h"
#include "QDriveModel.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QCliConsole;
class QDeviceBase;
class QDeviceServo;
class QDriveCatalogue;
class QDeviceManager;
class QDriveLink;
struct tagSubFuncode_Servo;

// One drive of a run: the device the workbench would make for it (QDeviceServo on the link of its address),
// reached and identified before anything is read. A bus drive tells its model by the identity number it
// reports; --model names it for a drive that does not, and is checked against one that does.
//
// Nothing here sleeps: waits run an event loop until the drive's answers (or its going offline, or
// --timeout without any answer) end them. start() reaches the drive without waiting, for runs that
// reach several drives at once; open() waits for it. ready() may come from inside the link's own signal:
// whoever waits for the drive afterwards does so after returning from it.
class QCliDrive : public QObject
{
    Q_OBJECT

public:
    struct Context
    {
        const QDriveCatalogue* catalogue = nullptr;
        QDeviceManager* devices = nullptr;
        QCliConsole* console = nullptr;
        QString model; // --model
        int timeoutMs = 0;
    };

    QCliDrive(const Context& context, const QCliDriveAddress& address, QObject* parent = nullptr);
    ~QCliDrive() override;

    // Starts reaching the drive; ready() follows.
    void start();
    // Reaches the drive and waits; a QCliExit status, error says why it failed.
    int open(QString* error);
    bool isReady() const { return m_status >= 0; }
    int status() const { return m_status; }
    QString error() const { return m_error; }

    QDeviceServo* device() const;
    QString name() const { return m_address.text; }
    const QCliDriveAddress& address() const { return m_address; }

    // Reads every axis of the codes and waits for the answers, showing progress. Returns the values that
    // could not be read, as "number (axis)".
    QStringList read(const QList<tagSubFuncode_Servo*>& codes);
    // Every setting the present authority sees, in the drive's group order.
    QList<tagSubFuncode_Servo*> normalCodes() const;
    // Settings and monitoring codes.
    QList<tagSubFuncode_Servo*> allCodes() const;
    // Asks the drive for its current faults and waits for the answer.
    bool readCurrentFaults();
    // Stores the parameters of the axes (and resets them with reset), waiting for the drive.
    bool save(const QList<int>& axes);
    bool reset(const QList<int>& axes);
    QList<int> allAxes() const;

signals:
    void ready(int status);

private:
    int chooseModel(QDriveModelPtr* model);
    QDriveModelPtr modelOfIdentity(int identity) const;
    void connectLink(const QDriveModelPtr& model);
    void onOnline();
    void onTimeout();
    void makeDevice();
    void finish(int status, const QString& error = QString());

    Context m_context;
    QCliDriveAddress m_address;
    QDriveModelPtr m_model;
    QPointer<QDriveLink> m_link;
    QSharedPointer<QDeviceBase> m_device;
    QTimer m_timer;
    int m_status = -1; // a QCliExit status once ready
    QString m_error;
};
