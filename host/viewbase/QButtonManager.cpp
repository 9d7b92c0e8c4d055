#include "QButtonManager.h"

#include "QCommToolButton.h"
#include "ServoResources.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace {

struct ServoButtonSpec
{
    int id;
    const char* objectName;
    const char* iconPath;
    const char* toolTipKey;
};

// Group 9 in its order: the tool bar walks the group in this order.
const ServoButtonSpec kServoButtons[] = {
    {QButtonManager::BTN_UP, "BTN_SERVO_UP", ":/img/toolbar/up", QT_TR_NOOP("STR_MOVE_UP")},
    {QButtonManager::BTN_DOWN, "BTN_SERVO_DOWN", ":/img/toolbar/down", QT_TR_NOOP("STR_MOVE_DOWN")},
    {QButtonManager::BTN_BATCH_DOWNLOAD, "BTN_SERVO_BATCH_DOWNLOAD", ":/img/toolbar/batch_download",
     QT_TR_NOOP("STR_BATCH_DOWNLOAD")},
    {QButtonManager::BTN_IMPORT, "BTN_SERVO_IMPORT", ":/img/toolbar/import", QT_TR_NOOP("STR_IMPORT")},
    {QButtonManager::BTN_EXPORT, "BTN_SERVO_EXPORT", ":/img/toolbar/export", QT_TR_NOOP("STR_EXPORT")},
    {QButtonManager::BTN_PRINT, "BTN_SERVO_PRINT", ":/img/toolbar/print", QT_TR_NOOP("STR_PRINT")},
    {QButtonManager::BTN_REFRESH, "BTN_SERVO_REFRESH", ":/img/toolbar/refresh", QT_TR_NOOP("STR_REFRESH")},
    {QButtonManager::BTN_READ_ALL, "BTN_SERVO_READ_ALL", ":/img/toolbar/read_all",
     QT_TR_NOOP("STR_READ_ALL")},
    {QButtonManager::BTN_COMPARE, "BTN_SERVO_COMPARE", ":/img/toolbar/compare", QT_TR_NOOP("STR_COMPARE")},
    {QButtonManager::BTN_FIND, "BTN_SERVO_FIND", ":/img/toolbar/find", QT_TR_NOOP("STR_FIND")},
    {QButtonManager::BTN_HELP, "BTN_SERVO_HELP", ":/img/toolbar/help", QT_TR_NOOP("STR_HELP")},
};

const QSize kToolIconSize(24, 24);

} // namespace

QButtonManager::QButtonManager(QObject* parent) : QObject(parent)
{
    initServoResources();
}

QButtonManager::~QButtonManager()
{
    // Buttons that no tool bar adopted have no parent; the groups this manager made are its children.
    for (const QPointer<QButtonGroup>& group : qAsConst(m_madeGroups)) {
        if (!group) {
            continue;
        }
        const QList<QAbstractButton*> buttons = group->buttons();
        for (QAbstractButton* button : buttons) {
            if (!button->parent()) {
                delete button;
            }
        }
    }
}

QButtonGroup* QButtonManager::getButtonGroupByType(int type)
{
    if (m_overridden.value(type, false)) {
        return m_groups.value(type);
    }
    if (type != BUTTON_GROUP_SERVO_FUNCODE) {
        return nullptr;
    }
    // A tool bar owns the buttons it lays out; when it was destroyed with them, the next one gets new ones.
    QButtonGroup* group = m_groups.value(type);
    if (group && group->buttons().isEmpty()) {
        delete group;
        group = nullptr;
    }
    if (!group) {
        m_groups.insert(type, createServoFuncodeGroup());
    }
    return m_groups.value(type);
}

void QButtonManager::setButtonGroup(int type, QButtonGroup* group)
{
    m_overridden.insert(type, true);
    m_groups.insert(type, group);
}

QButtonGroup* QButtonManager::createServoFuncodeGroup()
{
    auto* group = new QButtonGroup(this);
    m_madeGroups.append(group);
    group->setObjectName(QStringLiteral("BUTTON_GROUP_SERVO_FUNCODE"));
    group->setExclusive(false);
    for (const ServoButtonSpec& entry : kServoButtons) {
        auto* button = new QCommToolButton;
        button->setObjectName(QLatin1String(entry.objectName));
        button->setBtnType(0);
        button->setImgPath(QLatin1String(entry.iconPath));
        button->setIconSize(kToolIconSize);
        button->setFixedSize(kToolIconSize + QSize(10, 10));
        button->setToolTipKey(entry.toolTipKey);
        group->addButton(button, entry.id);
    }
    return group;
}
