#pragma once

#include "QWorkbenchOptions.h"

#include <QObject>
#include <QStringList>
#include <memory>

class QDriveSimProcesses;
class QPluginHost;
class QWorkbenchWindow;

// Starts the workbench in this order: data folder, log, language, databases, drive descriptions,
// project, plug-ins, window. Problems on the way are shown once the window stands (or, when rendering a
// screenshot, only logged) and never stop the start-up.
class QWorkbenchStartup : public QObject
{
    Q_OBJECT
public:
    explicit QWorkbenchStartup(const QWorkbenchOptions& options, QObject* parent = nullptr);
    ~QWorkbenchStartup() override;

    // Runs the start-up and the event loop; returns the process exit code.
    int run();

private:
    void setUpDataFolderAndLog();
    void loadLanguage();
    void openDatabases();
    void loadDriveCatalogue();
    // Lets drives that ask for an own simulated server get one (servo-drive-sim).
    void startDriveServers();
    void openProject();
    void createWindow();
    void loadPlugins();
    void openRequestedNode();
    void reportProblems();
    void addProblem(const QString& text);
    QString helpDirectory() const;
    bool interactive() const { return !m_options.isScreenshotRun(); }
    // Saves the window as PNG, prints the path and ends the event loop with 0, or 1 when saving failed.
    void takeScreenshot();

    QWorkbenchOptions m_options;
    QStringList m_problems;
    std::unique_ptr<QDriveSimProcesses> m_driveServers;
    std::unique_ptr<QPluginHost> m_pluginHost;
    std::unique_ptr<QWorkbenchWindow> m_window;
};
