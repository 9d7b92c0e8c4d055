#pragma once

#include <QObject>
#include <QPair>
#include <QString>
#include <QVariant>

class QSettings;

// Authority levels, lowest first. A function code is visible to every level at or above its own.
enum enAuthority
{
    AUTHORITY_USER = 0,
    AUTHORITY_ENGINEER = 1,
    AUTHORITY_MANUFACTURER = 2,
    AUTHORITY_DEVELOPER = 3
};

// The workbench's system settings, kept with QSettings in the data folder.
class QSystemSetting : public QObject
{
    Q_OBJECT
public:
    explicit QSystemSetting(QObject* parent = nullptr);
    ~QSystemSetting() override;

    // Reads and writes the settings of this file from now on (the data folder's "settings.ini"); until then
    // the user's application data folder's "settings.ini". A value that differs in the new file is announced
    // through its change signal.
    void setFileName(const QString& fileName);
    QString fileName() const;

    int getAuthority() const;         // enAuthority, engineer by default
    void setAuthority(int authority); // clamped to the known levels; authorityChanged when it changes
    // 0: an edited value is written when Return or Enter is pressed; 1: as soon as the editor closes.
    int getFuncodeModifyType() const;
    void setFuncodeModifyType(int type);
    QString getTitleIconPath() const;
    void setTitleIconPath(const QString& path);
    QString getLanguage() const; // "en" by default
    void setLanguage(const QString& language);
    // How many drives a batch download writes at once, as last chosen; 0 when never chosen.
    int getBatchDrivesAtOnce() const;
    void setBatchDrivesAtOnce(int drives);
    QString getLastProjectPath() const;
    void setLastProjectPath(const QString& path);
    // The drive (alias) and tree node kind last opened in a project, by the project's file; an empty path
    // stands for the demo project. An empty alias and kind 0 when none is known.
    QPair<QString, int> getLastView(const QString& projectPath) const;
    void setLastView(const QString& projectPath, const QString& alias, int kind);

signals:
    void authorityChanged(int authority);
    void funcodeModifyTypeChanged(int type);
    void languageChanged(const QString& language);

private:
    // Writes one value through to the file at once, so that a crash loses no setting.
    bool storeValue(const QString& key, const QVariant& value);

    QSettings* m_settings = nullptr;
};
