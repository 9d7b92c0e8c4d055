#pragma once

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>

class IPluginInterface;
class QAction;
class QDockWidget;
class QDriveFileActions;
class QDriveMenu;
class QDriveStatusLabel;
class QMenu;
class QProjectTreeWidget;
class QProjectViewKeeper;
class QSettingsMenu;
class QStackedWidget;
class QTextBrowser;

// The workbench's main window: the project tree docked on the left, the plug-ins' widgets in the middle,
// the selected drive's state in the status bar, and the menus File, Drive, Settings, Plug-ins and Help.
// The window title names the project file and carries the modified mark.
class QWorkbenchWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit QWorkbenchWindow(QWidget* parent = nullptr);
    ~QWorkbenchWindow() override;

    // Puts the loaded plug-ins' widgets in the middle (the first one shown) and lists each plug-in in the
    // Plug-ins menu under its display name.
    void addPlugins(const QList<IPluginInterface*>& plugins);
    QProjectTreeWidget* projectTree() const { return m_tree; }
    // Opens the page last opened in a project when the project is opened.
    QProjectViewKeeper* viewKeeper() const { return m_viewKeeper; }
    // Folder of the shipped help pages (index.html).
    void setHelpDirectory(const QString& dir) { m_helpDir = dir; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createFileMenu();
    void createPluginMenu();
    void createHelpMenu();
    void retranslate();
    void updateTitle();
    void showPlugin(QWidget* widget);

    // Asks whether to save a modified project; false when the user cancels.
    bool maybeSave();
    void newDemoProject();
    void openProject();
    bool saveProject();
    bool saveProjectAs();
    bool saveProjectTo(const QString& path);
    QString projectStartDirectory() const;

    void showHelp();
    void showAbout();

    QProjectTreeWidget* m_tree = nullptr;
    QProjectViewKeeper* m_viewKeeper = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QStackedWidget* m_centre = nullptr;
    QDriveStatusLabel* m_statusLabel = nullptr;

    QMenu* m_fileMenu = nullptr;
    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QDriveFileActions* m_driveFileActions = nullptr;
    QAction* m_quitAction = nullptr;
    QDriveMenu* m_driveMenu = nullptr;
    QSettingsMenu* m_settingsMenu = nullptr;
    QMenu* m_pluginMenu = nullptr;
    QMap<QAction*, IPluginInterface*> m_pluginActions; // named after their plug-ins, in the present language
    QAction* m_noPluginAction = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_helpAction = nullptr;
    QAction* m_aboutAction = nullptr;

    QString m_helpDir;
    QPointer<QTextBrowser> m_helpWindow;
};
