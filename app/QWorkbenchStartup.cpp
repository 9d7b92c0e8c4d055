#include "QWorkbenchStartup.h"

#include "QAssistantManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QDriveSimProcesses.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QPluginHost.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QProjectViewKeeper.h"
#include "QSoftCore.h"
#include "QStartupDatabases.h"
#include "QSystemSetting.h"
#include "QWorkbenchWindow.h"
#include "tagTreeDataSet.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

namespace {
// Time the simulated drives get to answer their first reads before the window is rendered.
const int kScreenshotDelayMs = 1500;
const char* const kFallbackLanguage = "en";
} // namespace

QWorkbenchStartup::QWorkbenchStartup(const QWorkbenchOptions& options, QObject* parent)
    : QObject(parent), m_options(options)
{
}

QWorkbenchStartup::~QWorkbenchStartup() = default;

int QWorkbenchStartup::run()
{
    setUpDataFolderAndLog();
    loadLanguage();
    openDatabases();
    loadDriveCatalogue();
    startDriveServers();
    openProject();
    createWindow();
    loadPlugins();
    m_window->show();
    openRequestedNode();
    if (!interactive()) {
        QTimer::singleShot(kScreenshotDelayMs, this, &QWorkbenchStartup::takeScreenshot);
    } else {
        QTimer::singleShot(0, this, &QWorkbenchStartup::reportProblems);
    }
    const int code = QApplication::exec();
    // The window goes before the application object, while the plug-in is still loaded.
    m_window.reset();
    m_driveServers.reset();
    return code;
}

void QWorkbenchStartup::startDriveServers()
{
    m_driveServers = std::make_unique<QDriveSimProcesses>();
    QDriveSimProcesses* servers = m_driveServers.get();
    QProjectCore::self()->setOwnServerStarter(
        [servers](const QString& alias, const QDriveModelPtr& model, QDriveLinkSettings* settings,
                  QString* error) { return servers->start(alias, model, settings, error); });
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDelDev, servers,
            &QDriveSimProcesses::stop);
}

void QWorkbenchStartup::addProblem(const QString& text)
{
    QLibLogger::self()->warn(text);
    m_problems.append(text);
}

void QWorkbenchStartup::setUpDataFolderAndLog()
{
    if (!m_options.dataDir.isEmpty()) {
        QLibSetting::self()->setDataDir(m_options.dataDir);
    }
    const QString dataDir = QLibSetting::self()->dataDir();
    if (!QLibLogger::self()->init(QDir(dataDir).filePath(QStringLiteral("log")))) {
        addProblem(tr("STR_LOG_INIT_FAILED").arg(dataDir));
    }
    QLibLogger::self()->installQtMessageHandler();
    QLibLogger::self()->info(QStringLiteral("servo-workbench %1 starting, data folder %2")
                                 .arg(QCoreApplication::applicationVersion(), dataDir));
}

void QWorkbenchStartup::loadLanguage()
{
    const QString language = QLibSetting::self()->getSystemSetting()->getLanguage();
    if (QLibSetting::self()->loadLanguage(language)) {
        return;
    }
    QLibSetting::self()->loadLanguage(QString::fromLatin1(kFallbackLanguage));
}

void QWorkbenchStartup::openDatabases()
{
    const QStringList problems = QStartupDatabases::open(QLibSetting::self()->dataDir(), interactive());
    for (const QString& problem : problems) {
        addProblem(problem);
    }
}

void QWorkbenchStartup::loadDriveCatalogue()
{
    const QString dir =
        m_options.drivesDir.isEmpty() ? QDriveCatalogue::defaultDirectory() : m_options.drivesDir;
    QDriveCatalogue* catalogue = QProjectCore::self()->getCatalogue();
    const int loaded = catalogue->loadDirectory(dir);
    QLibLogger::self()->info(QStringLiteral("%1 drive models loaded from %2").arg(loaded).arg(dir));
    for (const QString& error : catalogue->loadErrors()) {
        addProblem(error);
    }
}

void QWorkbenchStartup::openProject()
{
    QProjectCore* project = QProjectCore::self();
    QString error;
    if (!m_options.projectFile.isEmpty()) {
        const bool opened = project->openProject(m_options.projectFile, &error);
        if (!error.isEmpty()) {
            addProblem(error);
        }
        if (opened) {
            QLibLogger::self()->info(QStringLiteral("Project %1 opened with %2 drives")
                                         .arg(m_options.projectFile)
                                         .arg(project->getDevMgr()->getDevList().size()));
            return;
        }
        error.clear();
    }
    if (!project->createDemoProject(&error)) {
        addProblem(error);
        return;
    }
    QLibLogger::self()->info(
        QStringLiteral("Demo project created with %1 drives").arg(project->getDevMgr()->getDevList().size()));
}

QString QWorkbenchStartup::helpDirectory() const
{
    const QDir appDir(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        QFileInfo(QProjectCore::self()->getCatalogue()->directory())
            .absoluteDir()
            .filePath(QStringLiteral("help")),
        appDir.absoluteFilePath(QStringLiteral("../" SERVO_INSTALL_DATA_DIR "/help")),
        QStringLiteral(SERVO_SOURCE_DATA_DIR "/help"),
    };
    for (const QString& dir : candidates) {
        if (QFileInfo(QDir(dir).filePath(QStringLiteral("index.html"))).isFile()) {
            return QDir::cleanPath(dir);
        }
    }
    return QString();
}

void QWorkbenchStartup::createWindow()
{
    m_window = std::make_unique<QWorkbenchWindow>();
    const QString helpDir = helpDirectory();
    m_window->setHelpDirectory(helpDir);
    QSoftCore::getCore()->getAssistantManager()->setHelpDirectory(helpDir);
}

void QWorkbenchStartup::loadPlugins()
{
    m_pluginHost = std::make_unique<QPluginHost>();
    if (!m_pluginHost->load(QPluginHost::searchDirectories(m_options.pluginDir))) {
        addProblem(tr("STR_PLUGIN_LOAD_FAILED").arg(m_pluginHost->errorString()));
        return;
    }
    QLibLogger::self()->info(
        QStringLiteral("Plug-ins loaded: %1").arg(m_pluginHost->pluginFiles().join(", ")));
    m_window->addPlugins(m_pluginHost->plugins());
}

void QWorkbenchStartup::openRequestedNode()
{
    if (m_options.selectAlias.isEmpty() && m_options.nodeKind == 0) {
        m_window->viewKeeper()->restore();
        return;
    }
    QString alias = m_options.selectAlias;
    const QList<QSharedPointer<QDeviceBase>> devices = QProjectCore::self()->getDevMgr()->getDevList();
    if (alias.isEmpty() && !devices.isEmpty()) {
        alias = devices.constFirst()->getAliasName();
    }
    // A drive named without a page opens on its function codes.
    const int kind = m_options.nodeKind != 0 ? m_options.nodeKind : int(TREE_NODE_FUNCODE);
    if (alias.isEmpty() && kind != TREE_NODE_ALL_CUR_FAULTS) {
        return;
    }
    if (!m_window->projectTree()->activateNode(alias, kind)) {
        addProblem(tr("STR_NODE_NOT_FOUND").arg(alias).arg(kind));
    }
}

void QWorkbenchStartup::reportProblems()
{
    if (m_problems.isEmpty()) {
        return;
    }
    QMessageBox::warning(m_window.get(), tr("STR_STARTUP_PROBLEMS_TITLE"),
                         tr("STR_STARTUP_PROBLEMS_TEXT").arg(m_problems.join(QLatin1Char('\n'))));
}

void QWorkbenchStartup::takeScreenshot()
{
    const QString path = QFileInfo(m_options.screenshotFile).absoluteFilePath();
    const QPixmap pixmap = m_window->grab();
    if (pixmap.isNull() || !pixmap.save(path, "PNG")) {
        QLibLogger::self()->error(QStringLiteral("Screenshot could not be saved to %1").arg(path));
        QTextStream(stderr) << "Screenshot could not be saved to " << path << Qt::endl;
        QApplication::exit(1);
        return;
    }
    QLibLogger::self()->info(QStringLiteral("Screenshot saved to %1").arg(path));
    QTextStream(stdout) << path << Qt::endl;
    QApplication::exit(0);
}
