#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class IPluginInterface;
class QPluginLoader;

// Finds and loads the workbench's plug-ins. The folders are searched in order; the first folder that
// holds a loadable plug-in is used, and every plug-in in it is loaded, cast to IPluginInterface and
// initialised (initPlugin). The libraries stay loaded for the life of the process.
class QPluginHost : public QObject
{
    Q_OBJECT
public:
    explicit QPluginHost(QObject* parent = nullptr);
    ~QPluginHost() override;

    // The folders to search: the given folder (--plugin-dir), $SERVO_PLUGIN_DIR, then the folders next to
    // the executable (../plugins, ../lib/servo-workbench/plugins, the installed plug-in folder).
    // Empty and repeated entries are left out.
    static QStringList searchDirectories(const QString& pluginDirOption);

    // Loads the plug-ins of the first folder that holds any. False when none could be loaded; see
    // errorString.
    bool load(const QStringList& directories);
    QList<IPluginInterface*> plugins() const { return m_plugins; }
    QStringList pluginFiles() const { return m_files; }
    // Why loading failed: the folders searched and the loader's message for every file tried.
    QString errorString() const { return m_errors.join(QLatin1Char('\n')); }

private:
    bool loadDirectory(const QString& directory);
    IPluginInterface* loadFile(const QString& filePath);

    QList<QPluginLoader*> m_loaders;
    QList<IPluginInterface*> m_plugins;
    QStringList m_files;
    QStringList m_errors;
};
