#include "IPluginInterface.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QPluginInfo.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QWorkbenchWindow.h"
#include "drive/QSimulatedDriveLink.h"
#include "tagTreeDataSet.h"

#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// A plug-in as the window sees it: a widget and a description.
class FakePlugin : public IPluginInterface
{
public:
    explicit FakePlugin(const QString& name, bool withWidget)
    {
        m_info.displayName = name;
        if (withWidget) {
            m_widget = new QLabel(name);
        }
    }
    void initPlugin() override {}
    void reinitPlugin() override {}
    QWidget* getWidget() override { return m_widget; }
    QPluginInfo* getPluginInfo() override { return &m_info; }

private:
    QPluginInfo m_info;
    QWidget* m_widget = nullptr; // the window takes it
};

// Whether the drive's list of codes (what the pages show) holds a code.
bool groupMapHolds(const QDeviceServo* device, const QString& funIndex)
{
    const QDeviceServo::FuncodeGroupMap& groups = device->getNormalFuncodeGroupMap();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        for (const tagSubFuncode_Servo* fun : it.value()) {
            if (fun->funIndex == funIndex) {
                return true;
            }
        }
    }
    return false;
}

QString text(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}
} // namespace

class tst_QWorkbenchWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void titleNamesTheProjectAndMarksChanges();
    void authorityChangeAnnouncesTheCurrentNodeAgain();
    void statusBarFollowsTheSelectedDrive();
    void pluginsAreShownAndListed();
    void driveMenuActsOnTheSelectedDrive();

private:
    QLabel* statusLabel() const { return m_window->findChild<QLabel*>(QStringLiteral("DRIVE_STATUS")); }
    QMenu* menuTitled(const QString& title) const;
    static QAction* actionTitled(QMenu* menu, const QString& title);

    std::unique_ptr<QWorkbenchWindow> m_window;
};

void tst_QWorkbenchWindow::initTestCase()
{
    qRegisterMetaType<const DeviceInfo*>();
    qRegisterMetaType<tagTreeDataSet>();
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QWorkbenchWindow::init()
{
    QTestHost::clearProject();
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    m_window = std::make_unique<QWorkbenchWindow>();
}

void tst_QWorkbenchWindow::cleanup()
{
    m_window.reset();
    QTestHost::clearProject();
}

QMenu* tst_QWorkbenchWindow::menuTitled(const QString& title) const
{
    for (QAction* action : m_window->menuBar()->actions()) {
        if (action->menu() && action->menu()->title() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

QAction* tst_QWorkbenchWindow::actionTitled(QMenu* menu, const QString& title)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == title || (action->menu() && action->menu()->title() == title)) {
            return action;
        }
    }
    return nullptr;
}

void tst_QWorkbenchWindow::titleNamesTheProjectAndMarksChanges()
{
    QVERIFY(m_window->windowTitle().contains(text("STR_UNTITLED_PROJECT")));
    QVERIFY(!m_window->isWindowModified());

    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QVERIFY(m_window->isWindowModified());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench line 4.servoproj"));
    QString error;
    QVERIFY2(QProjectCore::self()->saveProject(path, &error), qPrintable(error));
    QVERIFY(!m_window->isWindowModified());
    QVERIFY2(m_window->windowTitle().contains(QStringLiteral("bench line 4.servoproj")),
             qPrintable(m_window->windowTitle()));
    QVERIFY(m_window->windowTitle().contains(QStringLiteral("[*]")));
}

void tst_QWorkbenchWindow::authorityChangeAnnouncesTheCurrentNodeAgain()
{
    QDeviceServo* device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("A"));
    QVERIFY(device);
    QVERIFY(m_window->projectTree()->activateNode(QStringLiteral("A"), TREE_NODE_FUNCODE));
    // "P00.09" of the test model needs the manufacturer's authority.
    QVERIFY(!groupMapHolds(device, QStringLiteral("P00.09")));

    bool codeVisibleWhenAnnounced = false;
    const QMetaObject::Connection watch =
        connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigClickTree, m_window.get(),
                [&](const DeviceInfo*, const tagTreeDataSet&) {
                    codeVisibleWhenAnnounced = groupMapHolds(device, QStringLiteral("P00.09"));
                });
    QSignalSpy clicks(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigClickTree);
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
    QTRY_COMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<const DeviceInfo*>(), device->getDeviceInfoPtr());
    QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_FUNCODE));
    disconnect(watch);
    // The drive's lists were rebuilt for the new authority before the pages were told.
    QVERIFY(codeVisibleWhenAnnounced);
}

void tst_QWorkbenchWindow::statusBarFollowsTheSelectedDrive()
{
    QLabel* label = statusLabel();
    QVERIFY(label);
    QCOMPARE(label->text(), text("STR_STATUS_NO_DRIVE"));

    QDeviceServo* device = QTestHost::addDrive(QStringLiteral("TST2"), QStringLiteral("Feeder"));
    QVERIFY(device);
    QTestHost::select(QStringLiteral("Feeder"));
    QVERIFY2(label->text().contains(QStringLiteral("Feeder")), qPrintable(label->text()));
    QVERIFY(label->text().contains(QStringLiteral("TST2")));
    QVERIFY(label->text().contains(text("STR_ONLINE")));

    QCommuParams params = device->getCommuParams();
    params.refreshInterval = 250;
    device->setCommuParams(params);
    QVERIFY2(label->text().contains(QStringLiteral("250")), qPrintable(label->text()));
    params.refreshInterval = 0;
    device->setCommuParams(params);
    QVERIFY(label->text().contains(text("STR_STATUS_REFRESH_OFF")));

    QTestHost::link(QStringLiteral("Feeder"))->setOnline(false);
    QTRY_VERIFY(label->text().contains(text("STR_OFFLINE")));

    QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("Feeder")));
    QCOMPARE(label->text(), text("STR_STATUS_NO_DRIVE"));
}

void tst_QWorkbenchWindow::pluginsAreShownAndListed()
{
    FakePlugin none(QStringLiteral("Without widget"), false);
    FakePlugin first(QStringLiteral("First"), true);
    FakePlugin second(QStringLiteral("Second"), true);
    m_window->addPlugins({&none, &first, &second});

    auto* centre = qobject_cast<QStackedWidget*>(m_window->centralWidget());
    QVERIFY(centre);
    QCOMPARE(centre->currentWidget(), first.getWidget());
    QMenu* menu = menuTitled(text("STR_MENU_PLUGINS"));
    QVERIFY(menu);
    QStringList names;
    QAction* secondAction = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isVisible()) {
            names.append(action->text());
        }
        if (action->text() == QLatin1String("Second")) {
            secondAction = action;
        }
    }
    QCOMPARE(names, (QStringList{"First", "Second"}));
    QVERIFY(secondAction);
    secondAction->trigger();
    QCOMPARE(centre->currentWidget(), second.getWidget());
}

void tst_QWorkbenchWindow::driveMenuActsOnTheSelectedDrive()
{
    QDeviceServo* device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("A"));
    QVERIFY(device);
    QTestHost::select(QStringLiteral("A"));
    QSimulatedDriveLink* link = QTestHost::link(QStringLiteral("A"));
    QMenu* menu = menuTitled(text("STR_MENU_DRIVE"));
    QVERIFY(menu);
    emit menu->aboutToShow();

    QAction* online = actionTitled(menu, text("STR_MENU_DRIVE_ONLINE"));
    QVERIFY(online && online->isEnabled() && online->isChecked());
    online->trigger();
    QVERIFY(!link->isOnline());
    online->trigger();
    QVERIFY(link->isOnline());

    QAction* osci = actionTitled(menu, text("STR_MENU_OSCI_RUNNING"));
    QVERIFY(osci);
    osci->trigger();
    QVERIFY(device->isOsciRunning());

    QMenu* faults = actionTitled(menu, text("STR_MENU_RAISE_FAULT"))->menu();
    emit faults->aboutToShow();
    QVERIFY(!faults->actions().isEmpty());
    QVERIFY(faults->actions().constFirst()->text().startsWith(QLatin1String("E.101")));
    faults->actions().constFirst()->trigger();
    QCOMPARE(link->currentFaults().size(), 1);
    actionTitled(menu, text("STR_MENU_CLEAR_FAULTS"))->trigger();
    QVERIFY(link->currentFaults().isEmpty());

    QMenu* add = actionTitled(menu, text("STR_MENU_ADD_DRIVE"))->menu();
    emit add->aboutToShow();
    QAction* addTst1 = actionTitled(add, QStringLiteral("TST1"));
    QVERIFY(addTst1);
    addTst1->trigger();
    QCOMPARE(QProjectCore::self()->getDevMgr()->getDevList().size(), 2);
    QVERIFY(m_window->projectTree()->findNode(QStringLiteral("TST1"), TREE_NODE_DRIVE));

    // Without a selected drive the drive's own commands are off.
    QTestHost::select(QString());
    emit menu->aboutToShow();
    QVERIFY(!online->isEnabled());
    QVERIFY(!actionTitled(menu, text("STR_MENU_REMOVE_DRIVE"))->isEnabled());
}

QTEST_MAIN(tst_QWorkbenchWindow)
#include "tst_QWorkbenchWindow.moc"
