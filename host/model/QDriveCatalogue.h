#pragma once

#include "QDriveModel.h"

#include <QMap>
#include <QObject>
#include <QStringList>

// The drive models the workbench knows, loaded from a folder of descriptions.
class QDriveCatalogue : public QObject
{
    Q_OBJECT
public:
    explicit QDriveCatalogue(QObject* parent = nullptr);

    // Loads every *.json file of dir. Files that fail are skipped; their messages are kept.
    // Returns the number of models loaded.
    int loadDirectory(const QString& dir);
    // Adds one model (replacing a model of the same name).
    void addModel(const QDriveModelPtr& model);
    void clear();

    QDriveModelPtr model(const QString& modelName) const;
    QStringList modelNames() const { return m_models.keys(); }
    QList<QDriveModelPtr> models() const { return m_models.values(); }
    QStringList loadErrors() const { return m_errors; }
    QString directory() const { return m_dir; }

    // The folder the workbench takes its descriptions from: $SERVO_DRIVES_DIR, the installed data
    // folder next to the executable, or the source tree.
    static QString defaultDirectory();

signals:
    void catalogueChanged();

private:
    QMap<QString, QDriveModelPtr> m_models;
    QStringList m_errors;
    QString m_dir;
};
