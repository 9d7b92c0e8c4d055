#include "QSettingsMenu.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSystemSetting.h"

#include <QActionGroup>
#include <QDir>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>

namespace {
const int kMaxRefreshIntervalMs = 600000;
const int kRefreshIntervalStepMs = 100;
const char* const kChinese = "zh_CN";

QSystemSetting* systemSetting()
{
    return QLibSetting::self()->getSystemSetting();
}
} // namespace

QSettingsMenu::QSettingsMenu(QWidget* parent) : QMenu(parent)
{
    buildAuthorityMenu();
    m_refreshAction = addAction(QString(), this, &QSettingsMenu::askRefreshInterval);
    buildLanguageMenu();
    connect(this, &QMenu::aboutToShow, this,
            [this]() { m_refreshAction->setEnabled(QProjectCore::self()->getDevMgr()->getSelectServo()); });
    connect(systemSetting(), &QSystemSetting::authorityChanged, this, &QSettingsMenu::showAuthority);
    retranslate();
}

void QSettingsMenu::buildAuthorityMenu()
{
    m_authorityMenu = addMenu(QString());
    m_authorityGroup = new QActionGroup(this);
    m_authorityGroup->setExclusive(true);
    for (int level : {AUTHORITY_USER, AUTHORITY_ENGINEER, AUTHORITY_MANUFACTURER, AUTHORITY_DEVELOPER}) {
        QAction* action = m_authorityMenu->addAction(QString());
        action->setCheckable(true);
        action->setData(level);
        m_authorityGroup->addAction(action);
    }
    connect(m_authorityGroup, &QActionGroup::triggered, this,
            [](QAction* action) { systemSetting()->setAuthority(action->data().toInt()); });
    showAuthority(systemSetting()->getAuthority());
}

void QSettingsMenu::buildLanguageMenu()
{
    m_languageMenu = addMenu(QString());
    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusive(true);
    const QString current = systemSetting()->getLanguage();
    for (const QString& language : availableLanguages()) {
        QAction* action = m_languageMenu->addAction(QString());
        action->setCheckable(true);
        action->setData(language);
        action->setChecked(language == current);
        m_languageGroup->addAction(action);
    }
    connect(m_languageGroup, &QActionGroup::triggered, this,
            [this](QAction* action) { setLanguage(action->data().toString()); });
}

QStringList QSettingsMenu::availableLanguages()
{
    QStringList languages{QStringLiteral("en")};
    const QDir translations(QStringLiteral(":/translations"));
    if (!translations.entryList({QStringLiteral("*_%1.qm").arg(kChinese)}, QDir::Files).isEmpty()) {
        languages.append(QString::fromLatin1(kChinese));
    }
    return languages;
}

void QSettingsMenu::retranslate()
{
    setTitle(tr("STR_MENU_SETTINGS"));
    m_authorityMenu->setTitle(tr("STR_MENU_AUTHORITY"));
    const QStringList authorityNames = {tr("STR_AUTHORITY_USER"), tr("STR_AUTHORITY_ENGINEER"),
                                        tr("STR_AUTHORITY_MANUFACTURER"), tr("STR_AUTHORITY_DEVELOPER")};
    const QList<QAction*> authorityActions = m_authorityGroup->actions();
    for (int i = 0; i < authorityActions.size() && i < authorityNames.size(); ++i) {
        authorityActions.at(i)->setText(authorityNames.at(i));
    }
    m_refreshAction->setText(tr("STR_MENU_REFRESH_INTERVAL"));
    m_languageMenu->setTitle(tr("STR_MENU_LANGUAGE"));
    for (QAction* action : m_languageGroup->actions()) {
        const bool chinese = action->data().toString() == QLatin1String(kChinese);
        action->setText(chinese ? tr("STR_LANGUAGE_CHINESE") : tr("STR_LANGUAGE_ENGLISH"));
    }
}

void QSettingsMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QMenu::changeEvent(event);
}

void QSettingsMenu::showAuthority(int authority)
{
    for (QAction* action : m_authorityGroup->actions()) {
        action->setChecked(action->data().toInt() == authority);
    }
}

void QSettingsMenu::askRefreshInterval()
{
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!device) {
        return;
    }
    QCommuParams params = device->getCommuParams();
    bool ok = false;
    const int interval =
        QInputDialog::getInt(parentWidget(), tr("STR_MENU_REFRESH_INTERVAL"),
                             tr("STR_REFRESH_INTERVAL_LABEL").arg(device->getAliasName()),
                             params.refreshInterval, 0, kMaxRefreshIntervalMs, kRefreshIntervalStepMs, &ok);
    if (!ok) {
        return;
    }
    params.refreshInterval = interval;
    // Announced on the hub (sigRefreshParamsChanged), so the running tables take the new interval.
    device->setCommuParams(params);
}

void QSettingsMenu::setLanguage(const QString& language)
{
    if (language == systemSetting()->getLanguage()) {
        return;
    }
    if (!QLibSetting::self()->loadLanguage(language)) {
        for (QAction* action : m_languageGroup->actions()) {
            action->setChecked(action->data().toString() == systemSetting()->getLanguage());
        }
        QMessageBox::warning(parentWidget(), tr("STR_MENU_LANGUAGE"),
                             tr("STR_LANGUAGE_LOAD_FAILED").arg(language));
        return;
    }
    // The widgets take their texts from the installed translator (QEvent::LanguageChange); the drives
    // take theirs from the catalogue when the setting changes, keeping their values and faults.
    systemSetting()->setLanguage(language);
    emit languageSwitched(language);
}
