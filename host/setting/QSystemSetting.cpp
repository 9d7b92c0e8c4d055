#include "QSystemSetting.h"

#include "QLibLogger.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {
const char* const kAuthorityKey = "System/authority";
const char* const kModifyTypeKey = "System/funcodeModifyType";
const char* const kTitleIconKey = "System/titleIconPath";
const char* const kLanguageKey = "System/language";
const char* const kLastProjectKey = "System/lastProjectPath";
const char* const kBatchDrivesAtOnceKey = "BatchDownload/drivesAtOnce";
const char* const kLastViewGroup = "LastView/";

const int kDefaultModifyType = 0;
const int kMaxModifyType = 1;
const char* const kDefaultLanguage = "en";

QString defaultFileName()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("settings.ini"));
}

// One key per project file; the path itself may hold characters that QSettings keys do not.
QString lastViewKey(const QString& projectPath)
{
    if (projectPath.isEmpty()) {
        return QString::fromLatin1(kLastViewGroup) + QStringLiteral("demo");
    }
    const QByteArray path = QDir::cleanPath(QDir::current().absoluteFilePath(projectPath)).toUtf8();
    return QString::fromLatin1(kLastViewGroup) +
           QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

int clampAuthority(int authority)
{
    return std::clamp(authority, int(AUTHORITY_USER), int(AUTHORITY_DEVELOPER));
}
} // namespace

QSystemSetting::QSystemSetting(QObject* parent) : QObject(parent)
{
    m_settings = new QSettings(defaultFileName(), QSettings::IniFormat, this);
}

QSystemSetting::~QSystemSetting()
{
    m_settings->sync();
}

void QSystemSetting::setFileName(const QString& fileName)
{
    if (fileName.isEmpty() || fileName == m_settings->fileName()) {
        return;
    }
    const int oldAuthority = getAuthority();
    const int oldModifyType = getFuncodeModifyType();
    const QString oldLanguage = getLanguage();

    m_settings->sync();
    delete m_settings;
    m_settings = new QSettings(fileName, QSettings::IniFormat, this);

    // The values in force come from the new file now; tell those who follow them.
    if (getAuthority() != oldAuthority) {
        emit authorityChanged(getAuthority());
    }
    if (getFuncodeModifyType() != oldModifyType) {
        emit funcodeModifyTypeChanged(getFuncodeModifyType());
    }
    if (getLanguage() != oldLanguage) {
        emit languageChanged(getLanguage());
    }
}

QString QSystemSetting::fileName() const
{
    return m_settings->fileName();
}

bool QSystemSetting::storeValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        QLibLogger::self()->warn(
            QStringLiteral("Cannot write the setting %1 to \"%2\"").arg(key, m_settings->fileName()));
        return false;
    }
    return true;
}

int QSystemSetting::getAuthority() const
{
    bool ok = false;
    const int authority = m_settings->value(QString::fromLatin1(kAuthorityKey)).toInt(&ok);
    return ok ? clampAuthority(authority) : int(AUTHORITY_ENGINEER);
}

void QSystemSetting::setAuthority(int authority)
{
    const int clamped = clampAuthority(authority);
    if (clamped == getAuthority()) {
        return;
    }
    storeValue(QString::fromLatin1(kAuthorityKey), clamped);
    emit authorityChanged(clamped);
}

int QSystemSetting::getFuncodeModifyType() const
{
    bool ok = false;
    const int type = m_settings->value(QString::fromLatin1(kModifyTypeKey)).toInt(&ok);
    return ok ? std::clamp(type, 0, kMaxModifyType) : kDefaultModifyType;
}

void QSystemSetting::setFuncodeModifyType(int type)
{
    const int clamped = std::clamp(type, 0, kMaxModifyType);
    if (clamped == getFuncodeModifyType()) {
        return;
    }
    storeValue(QString::fromLatin1(kModifyTypeKey), clamped);
    emit funcodeModifyTypeChanged(clamped);
}

QString QSystemSetting::getTitleIconPath() const
{
    return m_settings->value(QString::fromLatin1(kTitleIconKey)).toString();
}

void QSystemSetting::setTitleIconPath(const QString& path)
{
    if (path == getTitleIconPath()) {
        return;
    }
    storeValue(QString::fromLatin1(kTitleIconKey), path);
}

QString QSystemSetting::getLanguage() const
{
    const QString language = m_settings->value(QString::fromLatin1(kLanguageKey)).toString();
    return language.isEmpty() ? QString::fromLatin1(kDefaultLanguage) : language;
}

void QSystemSetting::setLanguage(const QString& language)
{
    if (language.isEmpty() || language == getLanguage()) {
        return;
    }
    storeValue(QString::fromLatin1(kLanguageKey), language);
    emit languageChanged(language);
}

int QSystemSetting::getBatchDrivesAtOnce() const
{
    return qMax(0, m_settings->value(QString::fromLatin1(kBatchDrivesAtOnceKey)).toInt());
}

void QSystemSetting::setBatchDrivesAtOnce(int drives)
{
    if (drives == getBatchDrivesAtOnce()) {
        return;
    }
    storeValue(QString::fromLatin1(kBatchDrivesAtOnceKey), drives);
}

QString QSystemSetting::getLastProjectPath() const
{
    return m_settings->value(QString::fromLatin1(kLastProjectKey)).toString();
}

void QSystemSetting::setLastProjectPath(const QString& path)
{
    if (path == getLastProjectPath()) {
        return;
    }
    storeValue(QString::fromLatin1(kLastProjectKey), path);
}

QPair<QString, int> QSystemSetting::getLastView(const QString& projectPath) const
{
    const QStringList view = m_settings->value(lastViewKey(projectPath)).toStringList();
    bool ok = false;
    const int kind = view.value(1).toInt(&ok);
    if (view.size() != 2 || view.first().isEmpty() || !ok) {
        return qMakePair(QString(), 0);
    }
    return qMakePair(view.first(), kind);
}

void QSystemSetting::setLastView(const QString& projectPath, const QString& alias, int kind)
{
    if (getLastView(projectPath) == qMakePair(alias, kind)) {
        return;
    }
    storeValue(lastViewKey(projectPath), QStringList{alias, QString::number(kind)});
}
