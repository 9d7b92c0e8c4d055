#include "QLibSetting.h"

#include "QKeyTranslator.h"
#include "QLibLogger.h"
#include "QSystemSetting.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {
const char* const kSettingsFileName = "settings.ini";
}

QLibSetting* QLibSetting::self()
{
    // Never destroyed: settings may still be read while the application object goes away.
    static QLibSetting* instance = new QLibSetting;
    return instance;
}

QLibSetting::QLibSetting()
{
    m_systemSetting = new QSystemSetting(this);
    setDataDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void QLibSetting::setDataDir(const QString& dir)
{
    if (dir.isEmpty()) {
        return;
    }
    const QString absolute = QDir(dir).absolutePath();
    if (!QDir().mkpath(absolute)) {
        QLibLogger::self()->warn(QStringLiteral("Cannot create the data folder \"%1\"").arg(absolute));
    }
    m_dataDir = absolute;
    m_systemSetting->setFileName(QDir(absolute).filePath(QString::fromLatin1(kSettingsFileName)));
}

bool QLibSetting::loadLanguage(const QString& language)
{
    if (language.isEmpty() || !QCoreApplication::instance()) {
        return false;
    }
    const QKeyTranslator* translator = QKeyTranslator::installForApplication(language);
    if (translator->isEmpty()) {
        QLibLogger::self()->warn(QStringLiteral("No texts found for the language \"%1\"").arg(language));
        return false;
    }
    return true;
}
