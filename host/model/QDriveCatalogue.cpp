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
        const QSharedPointer<QDriveModel> model = QDriveModel::load(folder.filePath(file), &error);
        if (!model) {
            m_errors.append(error);
            LOG4CPLUS_WARN(QLibLogger::self()->getDefaultLogger(),
                           "Drive description skipped: " << error.toStdString());
            continue;
        }
        m_models.insert(model->modelName, model);
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
    m_models.insert(model->modelName, model);
    emit catalogueChanged();
}

void QDriveCatalogue::clear()
{
    m_models.clear();
    m_errors.clear();
    emit catalogueChanged();
}

QDriveModelPtr QDriveCatalogue::model(const QString& modelName) const
{
    const QDriveModelPtr found = m_models.value(modelName);
    if (found) {
        return found;
    }
    for (const QDriveModelPtr& m : m_models) {
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
