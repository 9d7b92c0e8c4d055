#include "QDriveFileActions.h"

#include "QButtonManager.h"
#include "QDeviceManager.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QMenu>

QDriveFileActions::QDriveFileActions(QMenu* menu, QAction* before, QObject* parent) : QObject(parent)
{
    m_import = addAction(menu, before, "ACTION_IMPORT_FUNCODE");
    m_import->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_export = addAction(menu, before, "ACTION_EXPORT_FUNCODE");
    m_export->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_print = addAction(menu, before, "ACTION_PRINT_FUNCODE");
    m_print->setShortcut(QKeySequence::Print);
    m_preview = addAction(menu, before, "ACTION_PRINT_PREVIEW_FUNCODE");
    menu->insertSeparator(before);
    m_backup = addAction(menu, before, "ACTION_BACKUP_DRIVE");
    m_restore = addAction(menu, before, "ACTION_RESTORE_DRIVE");
    menu->insertSeparator(before);

    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(m_import, &QAction::triggered, this, []() { clickToolButton(QButtonManager::BTN_IMPORT); });
    connect(m_export, &QAction::triggered, this, []() { clickToolButton(QButtonManager::BTN_EXPORT); });
    connect(m_print, &QAction::triggered, this, []() { clickToolButton(QButtonManager::BTN_PRINT); });
    connect(m_preview, &QAction::triggered, hub, &QSignalManager::sigFuncodePrintPreview);
    connect(m_backup, &QAction::triggered, hub, [hub]() { emit hub->sigFuncodeBackupOrRecovery(false); });
    connect(m_restore, &QAction::triggered, hub, [hub]() { emit hub->sigFuncodeBackupOrRecovery(true); });
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDevChange, this,
            &QDriveFileActions::updateEnabled);
    retranslate();
    updateEnabled();
}

QDriveFileActions::~QDriveFileActions() = default;

QAction* QDriveFileActions::addAction(QMenu* menu, QAction* before, const char* objectName)
{
    auto* action = new QAction(menu);
    action->setObjectName(QString::fromLatin1(objectName));
    menu->insertAction(before, action);
    return action;
}

QList<QAction*> QDriveFileActions::actions() const
{
    return {m_import, m_export, m_print, m_preview, m_backup, m_restore};
}

void QDriveFileActions::retranslate()
{
    m_import->setText(tr("STR_MENU_IMPORT_FUNCODE"));
    m_export->setText(tr("STR_MENU_EXPORT_FUNCODE"));
    m_print->setText(tr("STR_MENU_PRINT_FUNCODE"));
    m_preview->setText(tr("STR_MENU_PRINT_PREVIEW_FUNCODE"));
    m_backup->setText(tr("STR_MENU_BACKUP_DRIVE"));
    m_restore->setText(tr("STR_MENU_RESTORE_DRIVE"));
}

void QDriveFileActions::updateEnabled()
{
    const bool selected = QProjectCore::self()->getDevMgr()->getSelectServo() != nullptr;
    for (QAction* action : actions()) {
        action->setEnabled(selected);
    }
}

// The tool bar's button of the plug-in's function-code page runs the command, as a click on it would.
void QDriveFileActions::clickToolButton(int id)
{
    QButtonGroup* group = QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
        QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    if (!group) {
        return;
    }
    if (QAbstractButton* button = group->button(id)) {
        button->click();
    }
}
