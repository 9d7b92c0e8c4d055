#include "QWorkbenchWindow.h"

#include "QScreenManager.h"

#include "IPluginInterface.h"
#include "QDriveFileActions.h"
#include "QDriveMenu.h"
#include "QDriveStatusLabel.h"
#include "QLibSetting.h"
#include "QPluginInfo.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QProjectViewKeeper.h"
#include "QSettingsMenu.h"
#include "QSystemSetting.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>

namespace {
const QSize kDefaultSize(1500, 900);
const QSize kHelpWindowSize(800, 600);
const int kTreeDockWidth = 250;
const char* const kProjectSuffix = "servoproj";
} // namespace

QWorkbenchWindow::QWorkbenchWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("WORKBENCH_WINDOW"));
    m_centre = new QStackedWidget(this);
    auto* placeholder = new QLabel(m_centre);
    placeholder->setObjectName(QStringLiteral("NO_PLUGIN_LABEL"));
    placeholder->setAlignment(Qt::AlignCenter);
    m_centre->addWidget(placeholder);
    setCentralWidget(m_centre);

    m_tree = new QProjectTreeWidget(this);
    m_viewKeeper = new QProjectViewKeeper(m_tree, this);
    m_treeDock = new QDockWidget(this);
    m_treeDock->setObjectName(QStringLiteral("PROJECT_TREE_DOCK"));
    m_treeDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_treeDock->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, m_treeDock);
    resizeDocks({m_treeDock}, {kTreeDockWidth}, Qt::Horizontal);

    m_statusLabel = new QDriveStatusLabel(this);
    statusBar()->addPermanentWidget(m_statusLabel, 1);

    createFileMenu();
    m_driveMenu = new QDriveMenu(this);
    menuBar()->addMenu(m_driveMenu);
    m_settingsMenu = new QSettingsMenu(this);
    menuBar()->addMenu(m_settingsMenu);
    createPluginMenu();
    createHelpMenu();

    QProjectCore* project = QProjectCore::self();
    connect(project, &QProjectCore::modifiedChanged, this, &QWorkbenchWindow::updateTitle);
    connect(project, &QProjectCore::projectChanged, this, &QWorkbenchWindow::updateTitle);
    // Queued: the drives rebuild their code lists for the new authority first, then the pages follow.
    connect(QLibSetting::self()->getSystemSetting(), &QSystemSetting::authorityChanged, m_tree,
            &QProjectTreeWidget::reemitCurrentNode, Qt::QueuedConnection);

    retranslate();
    // Large enough for the twenty columns of the tables, never larger than the screen.
    const QSize screen = QScreenManager::self()->availableGeometry().size() * 0.95;
    resize(kDefaultSize.boundedTo(screen.isValid() ? screen : kDefaultSize));
}

QWorkbenchWindow::~QWorkbenchWindow()
{
    delete m_helpWindow;
}

void QWorkbenchWindow::createFileMenu()
{
    m_fileMenu = menuBar()->addMenu(QString());
    m_newAction = m_fileMenu->addAction(QString(), this, &QWorkbenchWindow::newDemoProject);
    m_openAction = m_fileMenu->addAction(QString(), this, &QWorkbenchWindow::openProject, QKeySequence::Open);
    m_saveAction = m_fileMenu->addAction(QString(), this, &QWorkbenchWindow::saveProject, QKeySequence::Save);
    m_saveAsAction =
        m_fileMenu->addAction(QString(), this, &QWorkbenchWindow::saveProjectAs, QKeySequence::SaveAs);
    m_fileMenu->addSeparator();
    m_quitAction = m_fileMenu->addAction(QString(), this, &QWidget::close, QKeySequence::Quit);
    m_driveFileActions = new QDriveFileActions(m_fileMenu, m_quitAction, this);
}

void QWorkbenchWindow::createPluginMenu()
{
    m_pluginMenu = menuBar()->addMenu(QString());
    m_noPluginAction = m_pluginMenu->addAction(QString());
    m_noPluginAction->setEnabled(false);
}

void QWorkbenchWindow::createHelpMenu()
{
    m_helpMenu = menuBar()->addMenu(QString());
    m_helpAction =
        m_helpMenu->addAction(QString(), this, &QWorkbenchWindow::showHelp, QKeySequence::HelpContents);
    m_aboutAction = m_helpMenu->addAction(QString(), this, &QWorkbenchWindow::showAbout);
}

void QWorkbenchWindow::retranslate()
{
    m_treeDock->setWindowTitle(tr("STR_PROJECT_TREE"));
    if (auto* placeholder = m_centre->findChild<QLabel*>(QStringLiteral("NO_PLUGIN_LABEL"))) {
        placeholder->setText(tr("STR_NO_PLUGIN_LOADED"));
    }
    m_fileMenu->setTitle(tr("STR_MENU_FILE"));
    m_newAction->setText(tr("STR_MENU_NEW_DEMO_PROJECT"));
    m_openAction->setText(tr("STR_MENU_OPEN_PROJECT"));
    m_saveAction->setText(tr("STR_MENU_SAVE_PROJECT"));
    m_saveAsAction->setText(tr("STR_MENU_SAVE_PROJECT_AS"));
    m_quitAction->setText(tr("STR_MENU_QUIT"));
    m_driveFileActions->retranslate();
    m_pluginMenu->setTitle(tr("STR_MENU_PLUGINS"));
    m_noPluginAction->setText(tr("STR_NO_PLUGIN_LOADED"));
    for (auto it = m_pluginActions.cbegin(); it != m_pluginActions.cend(); ++it) {
        if (const QPluginInfo* info = it.value()->getPluginInfo()) {
            it.key()->setText(info->displayName);
        }
    }
    m_helpMenu->setTitle(tr("STR_MENU_HELP"));
    m_helpAction->setText(tr("STR_MENU_HELP_PAGE"));
    m_aboutAction->setText(tr("STR_MENU_ABOUT"));
    updateTitle();
}

void QWorkbenchWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QMainWindow::changeEvent(event);
}

void QWorkbenchWindow::updateTitle()
{
    const QString path = QProjectCore::self()->projectPath();
    const QString name = path.isEmpty() ? tr("STR_UNTITLED_PROJECT") : QFileInfo(path).fileName();
    setWindowTitle(tr("STR_WINDOW_TITLE").arg(name));
    setWindowModified(QProjectCore::self()->isModified());
}

void QWorkbenchWindow::addPlugins(const QList<IPluginInterface*>& plugins)
{
    for (IPluginInterface* plugin : plugins) {
        QWidget* widget = plugin ? plugin->getWidget() : nullptr;
        if (!widget) {
            continue;
        }
        m_centre->addWidget(widget);
        const QPluginInfo* info = plugin->getPluginInfo();
        const QString name = info ? info->displayName : widget->objectName();
        m_pluginActions.insert(m_pluginMenu->addAction(name, this, [this, widget]() { showPlugin(widget); }),
                               plugin);
        m_noPluginAction->setVisible(false);
        if (m_centre->currentIndex() == 0) {
            showPlugin(widget);
        }
    }
}

void QWorkbenchWindow::showPlugin(QWidget* widget)
{
    m_centre->setCurrentWidget(widget);
    widget->raise();
    widget->setFocus();
}

bool QWorkbenchWindow::maybeSave()
{
    if (!QProjectCore::self()->isModified()) {
        return true;
    }
    const auto answer = QMessageBox::question(
        this, tr("STR_SAVE_PROJECT_TITLE"), tr("STR_SAVE_PROJECT_QUESTION"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel) {
        return false;
    }
    return answer == QMessageBox::Discard || saveProject();
}

void QWorkbenchWindow::newDemoProject()
{
    if (!maybeSave()) {
        return;
    }
    QString error;
    if (!QProjectCore::self()->createDemoProject(&error)) {
        QMessageBox::warning(this, tr("STR_MENU_NEW_DEMO_PROJECT"), error);
    }
    updateTitle();
}

QString QWorkbenchWindow::projectStartDirectory() const
{
    const QString last = QLibSetting::self()->getSystemSetting()->getLastProjectPath();
    return last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
}

void QWorkbenchWindow::openProject()
{
    if (!maybeSave()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, tr("STR_MENU_OPEN_PROJECT"),
                                                      projectStartDirectory(), tr("STR_PROJECT_FILE_FILTER"));
    if (path.isEmpty()) {
        return;
    }
    QString error;
    const bool opened = QProjectCore::self()->openProject(path, &error);
    if (opened) {
        QLibSetting::self()->getSystemSetting()->setLastProjectPath(path);
    }
    // An opened project may still report drives it could not add.
    if (!error.isEmpty()) {
        QMessageBox::warning(this, tr("STR_MENU_OPEN_PROJECT"), error);
    }
    updateTitle();
}

bool QWorkbenchWindow::saveProject()
{
    const QString path = QProjectCore::self()->projectPath();
    return path.isEmpty() ? saveProjectAs() : saveProjectTo(path);
}

bool QWorkbenchWindow::saveProjectAs()
{
    QFileDialog dialog(this, tr("STR_MENU_SAVE_PROJECT_AS"), projectStartDirectory(),
                       tr("STR_PROJECT_FILE_FILTER"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(kProjectSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    return saveProjectTo(dialog.selectedFiles().constFirst());
}

bool QWorkbenchWindow::saveProjectTo(const QString& path)
{
    QString error;
    if (!QProjectCore::self()->saveProject(path, &error)) {
        QMessageBox::warning(this, tr("STR_MENU_SAVE_PROJECT"), error);
        return false;
    }
    QLibSetting::self()->getSystemSetting()->setLastProjectPath(path);
    updateTitle();
    return true;
}

void QWorkbenchWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    if (m_helpWindow) {
        m_helpWindow->close();
    }
    event->accept();
}

void QWorkbenchWindow::showHelp()
{
    const QString page = QDir(m_helpDir).filePath(QStringLiteral("index.html"));
    if (m_helpDir.isEmpty() || !QFileInfo(page).isFile()) {
        QMessageBox::information(this, tr("STR_MENU_HELP_PAGE"), tr("STR_HELP_MISSING").arg(page));
        return;
    }
    if (!m_helpWindow) {
        // A window of its own, so that it can stay open beside the workbench.
        m_helpWindow = new QTextBrowser;
        m_helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_helpWindow->setOpenExternalLinks(true);
        m_helpWindow->resize(kHelpWindowSize);
    }
    m_helpWindow->setWindowTitle(tr("STR_MENU_HELP_PAGE"));
    m_helpWindow->setSource(QUrl::fromLocalFile(page));
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void QWorkbenchWindow::showAbout()
{
    QMessageBox::about(this, tr("STR_MENU_ABOUT"),
                       tr("STR_ABOUT_TEXT").arg(QCoreApplication::applicationVersion()));
}
