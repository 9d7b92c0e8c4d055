#pragma once

#include "QDriveLinkSettings.h"

#include <QMenu>

class QDeviceServo;
class QDriveFaultSwitchMenu;
class QSimulatedDriveLink;

// The "Drive" menu: add a simulated drive of any catalogue model, remove the selected drive, open the
// function-code comparison (the plug-in's compare command), and drive
// the simulation of the selected drive (online state, faults, oscilloscope, reply delay). Everything
// goes through QProjectCore, QDeviceManager and the drive's simulated link.
class QDriveMenu : public QMenu
{
    Q_OBJECT
public:
    explicit QDriveMenu(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void updateActions();
    void fillAddMenu();
    void fillFaultMenu();
    void addDrive(const QString& modelName);
    // Opens "Add drive" with the kind of link chosen.
    void addDriveOnLink(QDriveLinkSettings::enKind kind);
    void removeSelectedDrive();
    void setSelectedOnline(bool online);
    void raiseFault(const QString& code);
    void clearFaults();
    void setOscilloscopeRunning(bool running);
    void askReplyDelay();
    void compareFuncodes();
    static QDeviceServo* selectedDrive();
    static QSimulatedDriveLink* selectedLink();

    QMenu* m_addMenu = nullptr;
    QAction* m_removeAction = nullptr;
    QAction* m_compareAction = nullptr;
    QAction* m_onlineAction = nullptr;
    QMenu* m_faultMenu = nullptr;
    QAction* m_clearFaultsAction = nullptr;
    QAction* m_osciAction = nullptr;
    QAction* m_delayAction = nullptr;
    QDriveFaultSwitchMenu* m_switchMenu = nullptr;
};
