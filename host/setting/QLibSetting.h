#pragma once

#include <QObject>
#include <QString>

class QSystemSetting;

// Entry point to the settings.
class QLibSetting : public QObject
{
    Q_OBJECT
public:
    static QLibSetting* self();

    QSystemSetting* getSystemSetting() const { return m_systemSetting; }
    // The folder of the settings file, databases and log; created when missing. The default is the
    // user's application data folder.
    void setDataDir(const QString& dir);
    QString dataDir() const { return m_dataDir; }
    // Installs the translator of a language for the whole application ("en", "zh").
    bool loadLanguage(const QString& language);

private:
    QLibSetting();
    QSystemSetting* m_systemSetting = nullptr;
    QString m_dataDir;
};
