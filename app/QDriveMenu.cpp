#include "QDriveMenu.h"

#include "QAddDriveDlg.h"
#include "QButtonManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QDriveFaultSwitchMenu.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>

namespace {
const int kMaxReplyDelayMs = 60000;
const int kReplyDelayStepMs = 5;
const int kDefaultReplyDelayMs = 5; // what the project gives new simulated drives
} // namespace

QDriveMenu::QDriveMenu(QWidget* parent) : QMenu(parent)
{
    m_addMenu = addMenu(QString());
    m_removeAction = addAction(QString(), this, &QDriveMenu::removeSelectedDrive);
    addSeparator();
    m_compareAction = addAction(QString(), this, &QDriveMenu::compareFuncodes);
    addSeparator();
    m_onlineAction = addAction(QString());
    m_onlineAction->setCheckable(true);
    connect(m_onlineAction, &QAction::toggled, this, &QDriveMenu::setSelectedOnline);
    m_faultMenu = addMenu(QString());
    m_clearFaultsAction = addAction(QString(), this, &QDriveMenu::clearFaults);
    m_osciAction = addAction(QString());
    m_osciAction->setCheckable(true);
    connect(m_osciAction, &QAction::toggled, this, &QDriveMenu::setOscilloscopeRunning);
    addSeparator();
    m_delayAction = addAction(QString(), this, &QDriveMenu::askReplyDelay);
    m_switchMenu = new QDriveFaultSwitchMenu(parent);
    addMenu(m_switchMenu);

    connect(this, &QMenu::aboutToShow, this, &QDriveMenu::updateActions);
    connect(m_addMenu, &QMenu::aboutToShow, this, &QDriveMenu::fillAddMenu);
    connect(m_faultMenu, &QMenu::aboutToShow, this, &QDriveMenu::fillFaultMenu);
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDevChange, this,
            &QDriveMenu::updateActions);
    retranslate();
    updateActions();
}

void QDriveMenu::retranslate()
{
    setTitle(tr("STR_MENU_DRIVE"));
    m_addMenu->setTitle(tr("STR_MENU_ADD_DRIVE"));
    m_removeAction->setText(tr("STR_MENU_REMOVE_DRIVE"));
    m_compareAction->setText(tr("STR_MENU_COMPARE"));
    m_onlineAction->setText(tr("STR_MENU_DRIVE_ONLINE"));
    m_faultMenu->setTitle(tr("STR_MENU_RAISE_FAULT"));
    m_clearFaultsAction->setText(tr("STR_MENU_CLEAR_FAULTS"));
    m_osciAction->setText(tr("STR_MENU_OSCI_RUNNING"));
    m_delayAction->setText(tr("STR_MENU_REPLY_DELAY"));
}

void QDriveMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QMenu::changeEvent(event);
}

QDeviceServo* QDriveMenu::selectedDrive()
{
    return QProjectCore::self()->getDevMgr()->getSelectServo();
}

QSimulatedDriveLink* QDriveMenu::selectedLink()
{
    const QDeviceServo* device = selectedDrive();
    return device ? QProjectCore::self()->simulatedLink(device->getAliasName()) : nullptr;
}

void QDriveMenu::updateActions()
{
    const QDeviceServo* device = selectedDrive();
    const QSimulatedDriveLink* link = selectedLink();
    m_removeAction->setEnabled(device);
    m_compareAction->setEnabled(device);
    m_onlineAction->setEnabled(link);
    m_faultMenu->setEnabled(link);
    m_clearFaultsAction->setEnabled(link);
    m_switchMenu->setEnabled(link);
    m_osciAction->setEnabled(device);
    // Reflect the drive's state without acting on it.
    const QSignalBlocker onlineBlocker(m_onlineAction);
    m_onlineAction->setChecked(device && device->isDeviceOnline());
    const QSignalBlocker osciBlocker(m_osciAction);
    m_osciAction->setChecked(device && device->isOsciRunning());
}

void QDriveMenu::fillAddMenu()
{
    m_addMenu->clear();
    const QStringList models = QProjectCore::self()->getCatalogue()->modelNames();
    if (models.isEmpty()) {
        m_addMenu->addAction(tr("STR_MENU_NO_MODELS"))->setEnabled(false);
        return;
    }
    for (const QString& model : models) {
        m_addMenu->addAction(tr("STR_MENU_ADD_SIMULATED_MODEL").arg(model), this,
                             [this, model]() { addDrive(model); });
    }
    m_addMenu->addSeparator();
    m_addMenu->addAction(tr("STR_MENU_ADD_DRIVE_TCP"), this,
                         [this]() { addDriveOnLink(QDriveLinkSettings::ModbusTcp); });
    m_addMenu->addAction(tr("STR_MENU_ADD_DRIVE_RTU"), this,
                         [this]() { addDriveOnLink(QDriveLinkSettings::ModbusRtu); });
}

void QDriveMenu::addDriveOnLink(QDriveLinkSettings::enKind kind)
{
    QAddDriveDlg dialog(QProjectCore::self()->getCatalogue()->modelNames(), parentWidget());
    dialog.setKind(kind);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    QDeviceServo* device =
        QProjectCore::self()->addDrive(dialog.modelName(), dialog.alias(), dialog.settings(), &error);
    if (!device) {
        QMessageBox::warning(parentWidget(), tr("STR_MENU_ADD_DRIVE"), error);
        return;
    }
    device->readAllFuncode();
}

void QDriveMenu::fillFaultMenu()
{
    m_faultMenu->clear();
    const QSimulatedDriveLink* link = selectedLink();
    const QDeviceServo* device = selectedDrive();
    // The drive's description is in the present language; the link keeps the one it was made with.
    const QDriveModelPtr model = device ? device->getDriveModel() : QDriveModelPtr();
    if (!link || !model || model->faults.isEmpty()) {
        m_faultMenu->addAction(tr("STR_MENU_NO_FAULTS"))->setEnabled(false);
        return;
    }
    for (const QDriveFaultDef& fault : model->faults) {
        const QString code = fault.code;
        m_faultMenu->addAction(QStringLiteral("%1  %2").arg(code, fault.name), this,
                               [this, code]() { raiseFault(code); });
    }
}

void QDriveMenu::addDrive(const QString& modelName)
{
    QString error;
    QDeviceServo* device = QProjectCore::self()->addSimulatedDrive(modelName, QString(), &error);
    if (!device) {
        QMessageBox::warning(parentWidget(), tr("STR_MENU_ADD_DRIVE"), error);
        return;
    }
    device->readAllFuncode();
}

void QDriveMenu::removeSelectedDrive()
{
    const QDeviceServo* device = selectedDrive();
    if (!device) {
        return;
    }
    const QString alias = device->getAliasName();
    const auto answer = QMessageBox::question(parentWidget(), tr("STR_MENU_REMOVE_DRIVE"),
                                              tr("STR_CONFIRM_REMOVE_DRIVE").arg(alias));
    if (answer != QMessageBox::Yes) {
        return;
    }
    QProjectCore::self()->getDevMgr()->removeDevice(alias);
}

void QDriveMenu::setSelectedOnline(bool online)
{
    if (QSimulatedDriveLink* link = selectedLink()) {
        link->setOnline(online);
    }
}

void QDriveMenu::raiseFault(const QString& code)
{
    QSimulatedDriveLink* link = selectedLink();
    if (!link || !link->raiseFault(code)) {
        QMessageBox::warning(parentWidget(), tr("STR_MENU_RAISE_FAULT"),
                             tr("STR_RAISE_FAULT_FAILED").arg(code));
    }
}

void QDriveMenu::clearFaults()
{
    if (QSimulatedDriveLink* link = selectedLink()) {
        link->clearAllFaults();
    }
}

void QDriveMenu::setOscilloscopeRunning(bool running)
{
    if (QDeviceServo* device = selectedDrive()) {
        device->setOsciRunning(running);
    }
}

void QDriveMenu::askReplyDelay()
{
    QSimulatedDriveLink* link = selectedLink();
    const int current = link ? link->replyDelay() : kDefaultReplyDelayMs;
    bool ok = false;
    const int delay =
        QInputDialog::getInt(parentWidget(), tr("STR_MENU_REPLY_DELAY"), tr("STR_REPLY_DELAY_LABEL"), current,
                             0, kMaxReplyDelayMs, kReplyDelayStepMs, &ok);
    if (!ok) {
        return;
    }
    // Drives added from now on answer with the same delay.
    QProjectCore::self()->setSimulatedReplyDelay(delay);
    if (link) {
        link->setReplyDelay(delay);
    }
}

// The same command as the plug-in's compare button, which acts on the selected drive.
void QDriveMenu::compareFuncodes()
{
    QButtonGroup* group = QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
        QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    if (QAbstractButton* button = group ? group->button(QButtonManager::BTN_COMPARE) : nullptr) {
        button->click();
    }
}
