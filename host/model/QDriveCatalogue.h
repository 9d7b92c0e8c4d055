#pragma once

#include "QDriveModel.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QStringList>

// The drive models the workbench knows, loaded from a folder of descriptions. Each model is kept in
// every language of its texts; the catalogue serves the models of one language at a time.
class QDriveCatalogue : public QObject
{
    Q_OBJECT
public:
    explicit QDriveCatalogue(QObject* parent = nullptr);

    // Loads every *.json file of dir, in every language. Files that fail are skipped; their messages are
    // kept. Returns the number of models loaded.
    int loadDirectory(const QString& dir);
    // Adds one model in its language (replacing a model of the same name and language).
    void addModel(const QDriveModelPtr& model);
    void clear();

    // The language the models are served in (one of QDriveModel::languages()), "en" at first.
    QString language() const { return m_language; }
    // Serves the models' texts in language from now on (an unknown one counts as "en");
    // languageChanged when that changes what is served.
    void setLanguage(const QString& language);

    // The model in the catalogue's language; a model added in other languages only comes in one of them.
    QDriveModelPtr model(const QString& modelName) const;
    QStringList modelNames() const { return m_models.keys(); }
    QList<QDriveModelPtr> models() const;
    QStringList loadErrors() const { return m_errors; }
    QString directory() const { return m_dir; }

    // The folder the workbench takes its descriptions from: $SERVO_DRIVES_DIR, the installed data
    // folder next to the executable, or the source tree.
    static QString defaultDirectory();

signals:
    void catalogueChanged();
    void languageChanged(const QString& language);

private:
    typedef QHash<QString, QDriveModelPtr> ByLanguage;
    QDriveModelPtr served(const ByLanguage& byLanguage) const;

    QMap<QString, ByLanguage> m_models; // model name -> language -> model
    QStringList m_errors;
    QString m_dir;
    QString m_language = QDriveModel::languages().constFirst();
};
