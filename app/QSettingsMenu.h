#pragma once

#include <QMenu>

class QActionGroup;

// The "Settings" menu: the user authority, the selected drive's refresh interval and the language.
// The authority and the language are system settings (QSystemSetting); the refresh interval belongs to
// the drive's communication parameters and is saved with the project.
class QSettingsMenu : public QMenu
{
    Q_OBJECT
public:
    explicit QSettingsMenu(QWidget* parent = nullptr);

    // The languages that have texts: "en" always, "zh_CN" when Chinese texts are built in.
    static QStringList availableLanguages();

signals:
    // The user chose another language and its texts are installed.
    void languageSwitched(const QString& language);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildAuthorityMenu();
    void buildLanguageMenu();
    void retranslate();
    void showAuthority(int authority);
    void askRefreshInterval();
    void setLanguage(const QString& language);

    QMenu* m_authorityMenu = nullptr;
    QActionGroup* m_authorityGroup = nullptr;
    QAction* m_refreshAction = nullptr;
    QMenu* m_languageMenu = nullptr;
    QActionGroup* m_languageGroup = nullptr;
};
