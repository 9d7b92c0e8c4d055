#include "QDriveCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "QLibLogger.h"
#include <log4cplus/loggingmacros.h>

QDriveCatalogue::QDriveCatalogue(QObject* parent) : QObject(parent) {}

int QDriveCatalogue::loadDirectory(const QString& dir)
{
    m_dir = dir;
    m_errors.clear();
    const QDir folder(dir);
    if (!folder.exists()) {
        m_errors.append(tr("STR_DRIVE_FOLDER_MISSING").arg(dir));
        emit catalogueChanged();
        return 0;
    }
    int loaded = 0;
    const QStringList files = folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QString error;
        ByLanguage byLanguage;
        // Every language checks every text, so a description loads in all of them or in none.
        for (const QString& language : QDriveModel::languages()) {
            const QSharedPointer<QDriveModel> model =
                QDriveModel::load(folder.filePath(file), &error, language);
            if (!model) {
                break;
            }
            byLanguage.insert(language, model);
        }
        if (byLanguage.size() != QDriveModel::languages().size()) {
            m_errors.append(error);
            LOG4CPLUS_WARN(QLibLogger::self()->getDefaultLogger(),
                           "Drive description skipped: " << error.toStdString());
            continue;
        }
        m_models.insert(byLanguage.constBegin().value()->modelName, byLanguage);
        ++loaded;
    }
    emit catalogueChanged();
    return loaded;
}

void QDriveCatalogue::addModel(const QDriveModelPtr& model)
{
    if (!model) {
        return;
    }
    m_models[model->modelName].insert(model->language, model);
    emit catalogueChanged();
}

void QDriveCatalogue::setLanguage(const QString& language)
{
    const QString known = QDriveModel::knownLanguage(language);
    if (known == m_language) {
        return;
    }
    m_language = known;
    emit languageChanged(m_language);
}

QDriveModelPtr QDriveCatalogue::served(const ByLanguage& byLanguage) const
{
    const QDriveModelPtr found = byLanguage.value(m_language);
    if (found || byLanguage.isEmpty()) {
        return found;
    }
    return byLanguage.value(QDriveModel::languages().constFirst(), byLanguage.constBegin().value());
}

QList<QDriveModelPtr> QDriveCatalogue::models() const
{
    QList<QDriveModelPtr> list;
    for (const ByLanguage& byLanguage : m_models) {
        list.append(served(byLanguage));
    }
    return list;
}

void QDriveCatalogue::clear()
{
    m_models.clear();
    m_errors.clear();
    emit catalogueChanged();
}

QDriveModelPtr QDriveCatalogue::model(const QString& modelName) const
{
    const auto found = m_models.constFind(modelName);
    if (found != m_models.constEnd()) {
        return served(found.value());
    }
    for (const ByLanguage& byLanguage : m_models) {
        const QDriveModelPtr m = served(byLanguage);
        if (m->renamedFrom.contains(modelName)) {
            return m;
        }
    }
    return {};
}

QString QDriveCatalogue::defaultDirectory()
{
    const QString fromEnv = qEnvironmentVariable("SERVO_DRIVES_DIR");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString installed =
        QDir(appDir).absoluteFilePath(QStringLiteral("../" SERVO_INSTALL_DATA_DIR "/drives"));
    if (QFileInfo(installed).isDir()) {
        return QDir::cleanPath(installed);
    }
    return QStringLiteral(SERVO_SOURCE_DRIVES_DIR);
}
