#include "ModalAnswer.h"
#include "QAddDriveDlg.h"
#include "QButtonManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QModbusDriveLink.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QWorkbenchWindow.h"
#include "tagTreeDataSet.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// Whether the pages' list of the drive's basic codes holds P00.09, which needs the manufacturer's authority.
bool showsManufacturerCode(const QDeviceServo* device)
{
    return device->getNormalFuncodeGroupMap()
        .value("P00 Basic")
        .contains(device->getFuncodePtrByFunIndex("P00.09"));
}

QString text(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

// The entry of a menu or menu bar by its text key (or plain text).
QAction* entry(const QWidget* owner, const char* key)
{
    for (QAction* action : owner->actions()) {
        if (action->text() == text(key)) {
            return action;
        }
    }
    return nullptr;
}

QMenu* submenu(const QWidget* owner, const char* key)
{
    QAction* action = entry(owner, key);
    return action ? action->menu() : nullptr;
}
} // namespace

class tst_QWorkbenchWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_window.reset(); }
    void titleNamesTheProjectAndMarksChanges();
    void authorityChangeAnnouncesTheCurrentNodeAgain();
    void statusBarFollowsTheSelectedDrive();
    void driveMenuActsOnTheSelectedDrive();
    void projectOpensOnItsLastPage_data();
    void projectOpensOnItsLastPage();
    void openedPagesAreRemembered();
    void languageSwitchChangesTheTexts();
    void faultSwitchMenuSetsTheSelectedDrive_data();
    void faultSwitchMenuSetsTheSelectedDrive();
    void addDriveOnALink_data();
    void addDriveOnALink();

private:
    std::unique_ptr<QWorkbenchWindow> m_window;
    QString m_error;
};

void tst_QWorkbenchWindow::initTestCase()
{
    qRegisterMetaType<const DeviceInfo*>();
    qRegisterMetaType<tagTreeDataSet>();
    QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error));
}

void tst_QWorkbenchWindow::init()
{
    QTestHost::clearProject();
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    m_window = std::make_unique<QWorkbenchWindow>();
}

void tst_QWorkbenchWindow::titleNamesTheProjectAndMarksChanges()
{
    QVERIFY(m_window->windowTitle().contains(text("STR_UNTITLED_PROJECT")));
    QVERIFY(!m_window->isWindowModified());
    QVERIFY(QTestHost::addDrive("TST1", "A"));
    QVERIFY(m_window->isWindowModified());

    QTemporaryDir dir;
    QString error;
    QVERIFY2(QProjectCore::self()->saveProject(dir.filePath("bench line 4.servoproj"), &error),
             qPrintable(error));
    QVERIFY(!m_window->isWindowModified());
    const QString title = m_window->windowTitle();
    QVERIFY2(title.contains("bench line 4.servoproj") && title.contains("[*]"), qPrintable(title));
}

void tst_QWorkbenchWindow::authorityChangeAnnouncesTheCurrentNodeAgain()
{
    QDeviceServo* device = QTestHost::addDrive("TST3", "A");
    QVERIFY(m_window->projectTree()->activateNode("A", TREE_NODE_FUNCODE));
    QVERIFY(!showsManufacturerCode(device));

    bool codeVisibleWhenAnnounced = false;
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigClickTree, m_window.get(),
            [&]() { codeVisibleWhenAnnounced = showsManufacturerCode(device); });
    QSignalSpy clicks(hub, &QSignalManager::SigClickTree);
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
    QTRY_COMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<const DeviceInfo*>(), device->getDeviceInfoPtr());
    QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_FUNCODE));
    // The drive's lists were rebuilt for the new authority before the pages were told.
    QVERIFY(codeVisibleWhenAnnounced);
}

void tst_QWorkbenchWindow::statusBarFollowsTheSelectedDrive()
{
    auto* label = m_window->findChild<QLabel*>("DRIVE_STATUS");
    QCOMPARE(label->text(), text("STR_STATUS_NO_DRIVE"));

    QDeviceServo* device = QTestHost::addDrive("TST2", "Feeder");
    QTestHost::select("Feeder");
    QVERIFY2(label->text().contains("Feeder") && label->text().contains("TST2"), qPrintable(label->text()));
    QVERIFY(label->text().contains(text("STR_ONLINE")));

    QCommuParams params = device->getCommuParams();
    params.refreshInterval = 0;
    device->setCommuParams(params);
    QVERIFY(label->text().contains(text("STR_STATUS_REFRESH_OFF")));
    QTestHost::link("Feeder")->setOnline(false);
    QTRY_VERIFY(label->text().contains(text("STR_OFFLINE")));
    QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("Feeder"));
    QCOMPARE(label->text(), text("STR_STATUS_NO_DRIVE"));
}

void tst_QWorkbenchWindow::driveMenuActsOnTheSelectedDrive()
{
    QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
    QSimulatedDriveLink* link = QTestHost::link("A");
    QMenu* menu = submenu(m_window->menuBar(), "STR_MENU_DRIVE");
    emit menu->aboutToShow();

    QAction* online = entry(menu, "STR_MENU_DRIVE_ONLINE");
    QVERIFY(online && online->isEnabled() && online->isChecked());
    online->trigger();
    QVERIFY(!link->isOnline());
    online->trigger();
    QVERIFY(link->isOnline());

    QMenu* faults = submenu(menu, "STR_MENU_RAISE_FAULT");
    emit faults->aboutToShow();
    QVERIFY(!faults->actions().isEmpty() && faults->actions().constFirst()->text().startsWith("E.101"));
    faults->actions().constFirst()->trigger();
    QCOMPARE(link->currentFaults().size(), 1);
    entry(menu, "STR_MENU_CLEAR_FAULTS")->trigger();
    QVERIFY(link->currentFaults().isEmpty());

    QMenu* add = submenu(menu, "STR_MENU_ADD_DRIVE");
    emit add->aboutToShow();
    entry(add, "TST1")->trigger();
    QCOMPARE(QProjectCore::self()->getDevMgr()->getDevList().size(), 2);
    QVERIFY(m_window->projectTree()->findNode("TST1", TREE_NODE_DRIVE));

    // "Compare" is the plug-in's compare button.
    QButtonGroup* buttons = QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
        QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    QSignalSpy clicked(buttons, &QButtonGroup::idClicked);
    QAction* compare = entry(menu, "STR_MENU_COMPARE");
    QVERIFY(compare && compare->isEnabled());
    compare->trigger();
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), int(QButtonManager::BTN_COMPARE));

    // Without a selected drive the drive's own commands are off.
    QTestHost::select(QString());
    emit menu->aboutToShow();
    QVERIFY(!online->isEnabled());
    QVERIFY(!compare->isEnabled());
    QVERIFY(!entry(menu, "STR_MENU_REMOVE_DRIVE")->isEnabled());
}

void tst_QWorkbenchWindow::projectOpensOnItsLastPage_data()
{
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QString>("rememberedAlias");
    QTest::addColumn<int>("rememberedKind");
    QTest::addColumn<QString>("openedAlias"); // empty: the project's first drive
    QTest::addColumn<int>("openedKind");
    QTest::newRow("demo project, nothing remembered") << true << "" << 0 << "" << int(TREE_NODE_FUNCODE);
    QTest::newRow("saved project, nothing remembered") << false << "" << 0 << "" << int(TREE_NODE_FUNCODE);
    QTest::newRow("remembered page") << false << "B" << int(TREE_NODE_RECORDS) << "B"
                                     << int(TREE_NODE_RECORDS);
    QTest::newRow("remembered drive gone")
        << false << "C" << int(TREE_NODE_STATISTICS) << "" << int(TREE_NODE_FUNCODE);
    QTest::newRow("remembered node is no page")
        << false << "B" << int(TREE_NODE_DRIVE) << "" << int(TREE_NODE_FUNCODE);
}

void tst_QWorkbenchWindow::projectOpensOnItsLastPage()
{
    QFETCH(bool, demo);
    QFETCH(QString, rememberedAlias);
    QFETCH(int, rememberedKind);
    QFETCH(QString, openedAlias);
    QFETCH(int, openedKind);
    QTemporaryDir dir;
    const QString path = demo ? QString() : dir.filePath("line.servoproj");
    QSystemSetting* settings = QLibSetting::self()->getSystemSetting();
    settings->setLastView(path, rememberedAlias, rememberedKind);
    if (!demo) {
        QVERIFY(QTestHost::addDrive("TST1", "A"));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QVERIFY(QProjectCore::self()->saveProject(path, &m_error));
        QTestHost::clearProject();
    }

    QSignalSpy clicks(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigClickTree);
    QVERIFY(demo ? QProjectCore::self()->createDemoProject(&m_error)
                 : QProjectCore::self()->openProject(path, &m_error));
    const QString first = QProjectCore::self()->getDevMgr()->getDevList().constFirst()->getAliasName();
    const QString alias = openedAlias.isEmpty() ? first : openedAlias;
    QTreeWidgetItem* current = m_window->projectTree()->currentItem();
    QVERIFY(current);
    QCOMPARE(current->data(0, QProjectTreeWidget::AliasRole).toString(), alias);
    QCOMPARE(current->data(0, QProjectTreeWidget::KindRole).toInt(), openedKind);
    QCOMPARE(QProjectCore::self()->getDevMgr()->getSelectAlias(), alias);
    // The page was announced to the plug-ins once.
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, openedKind);
}

void tst_QWorkbenchWindow::openedPagesAreRemembered()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("press.servoproj");
    QVERIFY(QTestHost::addDrive("TST1", "A"));
    QVERIFY(QTestHost::addDrive("TST2", "B"));
    QVERIFY(QProjectCore::self()->saveProject(path, &m_error));
    QSystemSetting* settings = QLibSetting::self()->getSystemSetting();
    QVERIFY(m_window->projectTree()->activateNode("B", TREE_NODE_MONITORED));
    QCOMPARE(settings->getLastView(path), qMakePair(QString("B"), int(TREE_NODE_MONITORED)));
    // The drive node and the faults of all drives open no page of their own: the page stays remembered.
    QVERIFY(m_window->projectTree()->activateNode("A", TREE_NODE_DRIVE));
    QVERIFY(m_window->projectTree()->activateNode(QString(), TREE_NODE_ALL_CUR_FAULTS));
    QCOMPARE(settings->getLastView(path), qMakePair(QString("B"), int(TREE_NODE_MONITORED)));
    // Each project keeps its own.
    QCOMPARE(settings->getLastView(dir.filePath("other.servoproj")), qMakePair(QString(), 0));

    QTestHost::clearProject();
    QVERIFY(QProjectCore::self()->openProject(path, &m_error));
    QCOMPARE(m_window->projectTree()->currentItem(),
             m_window->projectTree()->findNode("B", TREE_NODE_MONITORED));
}

void tst_QWorkbenchWindow::languageSwitchChangesTheTexts()
{
    QVERIFY(QTestHost::addDrive("TST1", "A"));
    QMenu* settingsMenu = submenu(m_window->menuBar(), "STR_MENU_SETTINGS");
    QMenu* languages = submenu(settingsMenu, "STR_MENU_LANGUAGE");
    QVERIFY(languages);
    QCOMPARE(languages->actions().size(), 2);
    QAction* chinese = languages->actions().at(1);
    QAction* english = languages->actions().at(0);
    QCOMPARE(chinese->data().toString(), QStringLiteral("zh_CN"));
    const QString englishFile = submenu(m_window->menuBar(), "STR_MENU_FILE")->title();
    QTreeWidgetItem* codes = m_window->projectTree()->findNode("A", TREE_NODE_FUNCODE);
    const QString englishNode = codes->text(0);

    QString question;
    answerModal([&question](QWidget* box) {
        question = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    });
    chinese->trigger();
    QCOMPARE(QLibSetting::self()->getSystemSetting()->getLanguage(), QStringLiteral("zh_CN"));
    QCOMPARE(question, text("STR_LANGUAGE_RESTART_QUESTION"));
    const QString chineseFile = m_window->menuBar()->actions().constFirst()->text();
    QCOMPARE(chineseFile, QString::fromUtf8("文件(&F)"));
    QCOMPARE(codes->text(0), QString::fromUtf8("功能码"));
    QVERIFY(codes->text(0) != englishNode);

    answerModal([](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click(); });
    english->trigger();
    QCOMPARE(QLibSetting::self()->getSystemSetting()->getLanguage(), QStringLiteral("en"));
    QCOMPARE(m_window->menuBar()->actions().constFirst()->text(), englishFile);
    QCOMPARE(codes->text(0), englishNode);
}

void tst_QWorkbenchWindow::faultSwitchMenuSetsTheSelectedDrive_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>(
        "expected"); // the switches afterwards, as dropEvery/lateEvery/refuse/fail/offline
    QTest::newRow("lose replies") << QByteArray("STR_MENU_SIM_DROP_EVERY") << "4"
                                  << "4/0/0//-1";
    QTest::newRow("late answers") << QByteArray("STR_MENU_SIM_LATE_EVERY") << "2"
                                  << "0/2/0//-1";
    QTest::newRow("refuse writes") << QByteArray("STR_MENU_SIM_REFUSE_WRITES") << "Locked"
                                   << "0/0/1:Locked//-1";
    QTest::newRow("fail a code") << QByteArray("STR_MENU_SIM_FAIL_CODE") << "P00.02"
                                 << "0/0/0/P00.02/-1";
    QTest::newRow("unknown code refused") << QByteArray("STR_MENU_SIM_FAIL_CODE") << "P77.77"
                                          << "0/0/0//-1";
    QTest::newRow("offline after") << QByteArray("STR_MENU_SIM_OFFLINE_AFTER") << "5"
                                   << "0/0/0//5";
}

void tst_QWorkbenchWindow::faultSwitchMenuSetsTheSelectedDrive()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
    QSimulatedDriveLink* link = QTestHost::link("A");
    QMenu* menu = submenu(submenu(m_window->menuBar(), "STR_MENU_DRIVE"), "STR_MENU_SIM_FAULTS");
    QVERIFY(menu);
    emit menu->aboutToShow();
    QAction* action = entry(menu, key.constData());
    QVERIFY(action && action->isEnabled() && !action->isChecked());
    const bool warns = answer == "P77.77";
    answerModalDialog([answer, warns](QDialog* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        QVERIFY(input);
        input->setTextValue(answer);
        input->setIntValue(answer.toInt());
        if (warns) {
            answerModalDialog([](QDialog* box) { box->reject(); }); // the warning about the unknown code
        }
        input->accept();
    });
    action->trigger();
    const QDriveFaultSwitches s = link->faultSwitches();
    const QString refuse = s.refuseWrites ? "1:" + s.refuseReason : "0";
    QCOMPARE(QString("%1/%2/%3/%4/%5")
                 .arg(s.dropEvery)
                 .arg(s.lateEvery)
                 .arg(refuse, s.failCode)
                 .arg(s.offlineAfter),
             expected);
    emit menu->aboutToShow();
    QCOMPARE(action->isChecked(), expected != "0/0/0//-1");
    QCOMPARE(entry(menu, "STR_MENU_SIM_CLEAR_SWITCHES")->isEnabled(), action->isChecked());
    entry(menu, "STR_MENU_SIM_CLEAR_SWITCHES")->trigger();
    QVERIFY(link->faultSwitches().isClear());
}

void tst_QWorkbenchWindow::addDriveOnALink_data()
{
    QTest::addColumn<QByteArray>("menuKey");
    QTest::addColumn<QString>("place"); // host or serial port
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("link"); // the status bar's link text; empty: not added
    QTest::newRow("tcp") << QByteArray("STR_MENU_ADD_DRIVE_TCP") << "127.0.0.1" << 4
                         << "Modbus TCP 127.0.0.1:1, unit 4";
    QTest::newRow("rtu") << QByteArray("STR_MENU_ADD_DRIVE_RTU") << "/dev/ttyNothing" << 9
                         << "Modbus RTU /dev/ttyNothing 115200 8E1, unit 9";
    QTest::newRow("tcp without host") << QByteArray("STR_MENU_ADD_DRIVE_TCP") << "" << 4 << "";
    QTest::newRow("units past 247") << QByteArray("STR_MENU_ADD_DRIVE_TCP") << "127.0.0.1" << 246 << "";
}

void tst_QWorkbenchWindow::addDriveOnALink()
{
    QFETCH(QByteArray, menuKey);
    QFETCH(QString, place);
    QFETCH(int, unit);
    QFETCH(QString, link);
    QMenu* add = submenu(submenu(m_window->menuBar(), "STR_MENU_DRIVE"), "STR_MENU_ADD_DRIVE");
    emit add->aboutToShow();
    QString problem;
    answerModalDialog([&](QDialog* dialog) {
        auto* dlg = qobject_cast<QAddDriveDlg*>(dialog);
        QVERIFY(dlg);
        dlg->findChild<QComboBox*>("MODEL")->setCurrentText("TST3");
        dlg->findChild<QLineEdit*>("ALIAS")->setText("Axis line");
        dlg->findChild<QLineEdit*>("HOST")->setText(place);
        dlg->findChild<QSpinBox*>("TCP_PORT")->setValue(1);
        dlg->findChild<QComboBox*>("SERIAL_PORT")->setCurrentText(place);
        dlg->findChild<QSpinBox*>("UNIT")->setValue(unit);
        dlg->accept();
        problem = dlg->findChild<QLabel*>("PROBLEM")->text();
        if (dlg->isVisible()) {
            dlg->reject(); // refused: it stays open with the reason
        }
    });
    entry(add, menuKey.constData())->trigger();
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo("Axis line");
    QCOMPARE(device != nullptr, !link.isEmpty());
    QCOMPARE(problem.isEmpty(), !link.isEmpty());
    if (!device) {
        return;
    }
    QCOMPARE(device->getLink()->linkDescription(), link);
    QTestHost::select("Axis line");
    auto* label = m_window->findChild<QLabel*>("DRIVE_STATUS");
    QVERIFY2(label->text().contains(link) && label->text().contains(text("STR_OFFLINE")),
             qPrintable(label->text()));
    const auto* bus = qobject_cast<const QModbusDriveLink*>(device->getLink());
    QVERIFY(bus && !bus->offlineReason().isEmpty());
    QVERIFY2(label->text().contains(bus->offlineReason()), qPrintable(label->text())); // it says why
}

QTEST_MAIN(tst_QWorkbenchWindow)
#include "tst_QWorkbenchWindow.moc"
