#include "QPluginHost.h"

#include "IPluginInterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QPluginLoader>

QPluginHost::QPluginHost(QObject* parent) : QObject(parent) {}

// The loaders are not unloaded: the plug-ins' widgets live in the window until the process ends.
QPluginHost::~QPluginHost() = default;

QStringList QPluginHost::searchDirectories(const QString& pluginDirOption)
{
    const QDir appDir(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        pluginDirOption,
        qEnvironmentVariable("SERVO_PLUGIN_DIR"),
        appDir.absoluteFilePath(QStringLiteral("../plugins")),
        appDir.absoluteFilePath(QStringLiteral("../lib/servo-workbench/plugins")),
        appDir.absoluteFilePath(QStringLiteral("../" SERVO_INSTALL_PLUGIN_DIR)),
    };
    QStringList dirs;
    for (const QString& candidate : candidates) {
        if (candidate.isEmpty()) {
            continue;
        }
        const QString clean = QDir::cleanPath(QDir(candidate).absolutePath());
        if (!dirs.contains(clean)) {
            dirs.append(clean);
        }
    }
    return dirs;
}

bool QPluginHost::load(const QStringList& directories)
{
    m_errors.clear();
    for (const QString& directory : directories) {
        if (loadDirectory(directory)) {
            return true;
        }
    }
    m_errors.prepend(tr("STR_PLUGIN_NONE_FOUND").arg(directories.join(QStringLiteral(", "))));
    return false;
}

bool QPluginHost::loadDirectory(const QString& directory)
{
    const QDir dir(directory);
    if (!dir.exists()) {
        return false;
    }
    bool loadedAny = false;
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString path = dir.absoluteFilePath(file);
        if (!QLibrary::isLibrary(path)) {
            continue;
        }
        if (IPluginInterface* plugin = loadFile(path)) {
            m_plugins.append(plugin);
            m_files.append(path);
            loadedAny = true;
        }
    }
    return loadedAny;
}

IPluginInterface* QPluginHost::loadFile(const QString& filePath)
{
    auto* loader = new QPluginLoader(filePath, this);
    QObject* instance = loader->instance();
    if (!instance) {
        m_errors.append(QStringLiteral("%1: %2").arg(filePath, loader->errorString()));
        delete loader;
        return nullptr;
    }
    auto* plugin = qobject_cast<IPluginInterface*>(instance);
    if (!plugin) {
        m_errors.append(tr("STR_PLUGIN_WRONG_INTERFACE").arg(filePath));
        loader->unload();
        delete loader;
        return nullptr;
    }
    plugin->initPlugin();
    m_loaders.append(loader);
    return plugin;
}
