#include "ModalAnswer.h"
#include "QAddDriveDlg.h"
#include "QButtonManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QModbusDriveLink.h"
#include "QParameterFingerprint_Servo.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestUi.h"
#include "QWorkbenchWindow.h"
#include "tagTreeDataSet.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QtTest>

namespace {
// Whether the pages' list of the drive's basic codes holds P00.09, which needs the manufacturer's authority.
bool showsManufacturerCode(const QDeviceServo* device)
{
    return device->getNormalFuncodeGroupMap()
        .value("P00 Basic")
        .contains(device->getFuncodePtrByFunIndex("P00.09"));
}
} // namespace

// The main window: its title, status bar, menus and the pages it reopens; and its project tree, on its own.
class tst_QWorkbenchWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<const DeviceInfo*>();
        qRegisterMetaType<tagTreeDataSet>();
        QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error));
    }

    void init()
    {
        QTestHost::clearProject();
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
        m_window = std::make_unique<QWorkbenchWindow>();
    }

    void cleanup()
    {
        m_window.reset();
        m_tree.reset();
    }

    void titleNamesTheProjectAndMarksChanges()
    {
        QVERIFY(m_window->windowTitle().contains(QTestUi::text("STR_UNTITLED_PROJECT")));
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

    void authorityChangeAnnouncesTheCurrentNodeAgain()
    {
        QDeviceServo* device = QTestHost::addDrive("TST3", "A");
        QVERIFY(m_window->projectTree()->activateNode("A", TREE_NODE_FUNCODE));
        QVERIFY(!showsManufacturerCode(device));

        bool codeVisibleWhenAnnounced = false;
        connect(hub(), &QSignalManager::SigClickTree, m_window.get(),
                [&]() { codeVisibleWhenAnnounced = showsManufacturerCode(device); });
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
        QTRY_COMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<const DeviceInfo*>(), device->getDeviceInfoPtr());
        QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_FUNCODE));
        // The drive's lists were rebuilt for the new authority before the pages were told.
        QVERIFY(codeVisibleWhenAnnounced);
    }

    void statusBarFollowsTheSelectedDrive()
    {
        auto* label = m_window->findChild<QLabel*>("DRIVE_STATUS");
        QCOMPARE(label->text(), QTestUi::text("STR_STATUS_NO_DRIVE"));

        QDeviceServo* device = QTestHost::addDrive("TST2", "Feeder");
        QTestHost::select("Feeder");
        QVERIFY2(label->text().contains("Feeder") && label->text().contains("TST2"),
                 qPrintable(label->text()));
        QVERIFY(label->text().contains(QTestUi::text("STR_ONLINE")));
        // Its tool tip: the fingerprint of the parameter set the drive holds.
        QVERIFY(QTestHost::readAll(device));
        QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), label->mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(label, &tip);
        QCOMPARE(label->toolTip(),
                 QParameterFingerprint_Servo::describe(QParameterFingerprint_Servo::ofDevice(*device)));

        QTestHost::setRefreshInterval(device, 0);
        QVERIFY(label->text().contains(QTestUi::text("STR_STATUS_REFRESH_OFF")));
        QTestHost::link("Feeder")->setOnline(false);
        QTRY_VERIFY(label->text().contains(QTestUi::text("STR_OFFLINE")));
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("Feeder"));
        QCOMPARE(label->text(), QTestUi::text("STR_STATUS_NO_DRIVE"));
    }

    void driveMenuActsOnTheSelectedDrive()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QSimulatedDriveLink* link = QTestHost::link("A");
        QMenu* menu = this->menu("STR_MENU_DRIVE");
        emit menu->aboutToShow();

        QAction* online = QTestUi::action(menu, "STR_MENU_DRIVE_ONLINE");
        QVERIFY(online && online->isEnabled() && online->isChecked());
        online->trigger();
        QVERIFY(!link->isOnline());
        online->trigger();
        QVERIFY(link->isOnline());

        QMenu* faults = QTestUi::menu(menu, "STR_MENU_RAISE_FAULT");
        emit faults->aboutToShow();
        QVERIFY(!faults->actions().isEmpty() && faults->actions().constFirst()->text().startsWith("E.101"));
        faults->actions().constFirst()->trigger();
        QCOMPARE(link->currentFaults().size(), 1);
        QTestUi::action(menu, "STR_MENU_CLEAR_FAULTS")->trigger();
        QVERIFY(link->currentFaults().isEmpty());

        QMenu* add = QTestUi::menu(menu, "STR_MENU_ADD_DRIVE");
        emit add->aboutToShow();
        const QByteArray simulatedTst1 = QTestUi::text("STR_MENU_ADD_SIMULATED_MODEL").arg("TST1").toUtf8();
        QTestUi::action(add, simulatedTst1.constData())->trigger();
        QCOMPARE(QProjectCore::self()->getDevMgr()->getDevList().size(), 2);
        QVERIFY(m_window->projectTree()->findNode("TST1", TREE_NODE_DRIVE));

        // "Compare" is the plug-in's compare button.
        QSignalSpy clicked(toolButtons(), &QButtonGroup::idClicked);
        QAction* compare = QTestUi::action(menu, "STR_MENU_COMPARE");
        QVERIFY(compare && compare->isEnabled());
        compare->trigger();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), int(QButtonManager::BTN_COMPARE));

        // Without a selected drive the drive's own commands are off.
        QTestHost::select(QString());
        emit menu->aboutToShow();
        QVERIFY(!online->isEnabled());
        QVERIFY(!compare->isEnabled());
        QVERIFY(!QTestUi::action(menu, "STR_MENU_REMOVE_DRIVE")->isEnabled());
    }

    // The File menu's drive commands stand before Quit and are on only with a selected drive; the tool-bar
    // commands run through the host's button group, the others are requests on the hub.
    void fileMenuDriveCommands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("button");   // the button clicked; -1: none
        QTest::addColumn<int>("recovery"); // the backup request's argument; -1: the print preview request
        QTest::newRow("import") << "ACTION_IMPORT_FUNCODE" << int(QButtonManager::BTN_IMPORT) << 0;
        QTest::newRow("export") << "ACTION_EXPORT_FUNCODE" << int(QButtonManager::BTN_EXPORT) << 0;
        QTest::newRow("print") << "ACTION_PRINT_FUNCODE" << int(QButtonManager::BTN_PRINT) << 0;
        QTest::newRow("back up") << "ACTION_BACKUP_DRIVE" << -1 << 0;
        QTest::newRow("restore") << "ACTION_RESTORE_DRIVE" << -1 << 1;
        QTest::newRow("print preview") << "ACTION_PRINT_PREVIEW_FUNCODE" << -1 << -1;
    }

    void fileMenuDriveCommands()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        QFETCH(int, recovery);
        QMenu* file = m_window->menuBar()->actions().constFirst()->menu();
        QAction* action = QTestUi::child<QAction>(file, name);
        QVERIFY(action && !action->isEnabled());
        QVERIFY(file->actions().indexOf(action) < file->actions().size() - 1);
        QCOMPARE(file->actions().constLast()->shortcut(), QKeySequence(QKeySequence::Quit));
        QVERIFY(QTestHost::addSelectedDrive("TST1", "A"));
        QVERIFY(action->isEnabled());
        QSignalSpy clicked(toolButtons(), &QButtonGroup::idClicked);
        QSignalSpy backup(hub(), &QSignalManager::sigFuncodeBackupOrRecovery);
        QSignalSpy preview(hub(), &QSignalManager::sigFuncodePrintPreview);
        action->trigger();
        QCOMPARE(clicked.count(), button < 0 ? 0 : 1);
        QCOMPARE(clicked.value(0).value(0, -1).toInt(), button);
        QCOMPARE(preview.count(), button < 0 && recovery < 0 ? 1 : 0);
        QCOMPARE(backup.count(), button < 0 && recovery >= 0 ? 1 : 0);
        QCOMPARE(backup.value(0).value(0, false).toBool(), recovery == 1);
        QTestHost::select(QString());
        QVERIFY(!action->isEnabled());
    }

    // A saved project opens on the page last opened in it, or else on its first drive's function codes.
    // (The demo project's first page: tst_ServoWorkbench::runFromTheCommandLine, row "no options".)
    void projectOpensOnItsLastPage_data()
    {
        QTest::addColumn<QString>("rememberedAlias");
        QTest::addColumn<int>("rememberedKind");
        QTest::addColumn<QString>("openedAlias");
        QTest::addColumn<int>("openedKind");
        QTest::newRow("nothing remembered") << "" << 0 << "A" << int(TREE_NODE_FUNCODE);
        QTest::newRow("remembered page") << "B" << int(TREE_NODE_RECORDS) << "B" << int(TREE_NODE_RECORDS);
        QTest::newRow("remembered drive gone")
            << "C" << int(TREE_NODE_STATISTICS) << "A" << int(TREE_NODE_FUNCODE);
        QTest::newRow("remembered node is no page")
            << "B" << int(TREE_NODE_DRIVE) << "A" << int(TREE_NODE_FUNCODE);
    }

    void projectOpensOnItsLastPage()
    {
        QFETCH(QString, rememberedAlias);
        QFETCH(int, rememberedKind);
        QFETCH(QString, openedAlias);
        QFETCH(int, openedKind);
        QTemporaryDir dir;
        const QString path = dir.filePath("line.servoproj");
        QLibSetting::self()->getSystemSetting()->setLastView(path, rememberedAlias, rememberedKind);
        QVERIFY(QTestHost::addDrive("TST1", "A"));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QVERIFY(QProjectCore::self()->saveProject(path, &m_error));
        QTestHost::clearProject();
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QVERIFY(QProjectCore::self()->openProject(path, &m_error));
        QCOMPARE(m_window->projectTree()->currentItem(),
                 m_window->projectTree()->findNode(openedAlias, openedKind));
        QCOMPARE(QProjectCore::self()->getDevMgr()->getSelectAlias(), openedAlias);
        // The page was announced to the plug-ins once.
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, openedKind);
    }

    // Reopening: projectOpensOnItsLastPage; one remembered page per project:
    // tst_QLibSetting::persistsAndSwitchingFileAnnouncesChanges.
    void openedPagesAreRemembered()
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
    }

    // The language changes at once, without a restart: menus and the drives' texts follow, and each
    // drive keeps its records (with their values, marks and monitored codes in place) and its faults.
    void languageSwitchChangesTheTexts()
    {
        QDeviceServo* drive = QTestHost::addSelectedDrive("TST1", "A");
        QVERIFY(drive && QTestHost::readAll(drive));
        QVERIFY(drive->modifyFuncodeValueWithRecord("P00.02", 2500, 0));
        QVERIFY(QTestHost::link("A")->raiseFault("E.101"));
        QTRY_COMPARE(drive->getCurFaultList().size(), 1);
        const tagSubFuncode_Servo* speed = drive->getFuncodePtrByFunIndex("P00.02");
        QMenu* languages = menu("STR_MENU_SETTINGS", "STR_MENU_LANGUAGE");
        QVERIFY(languages && languages->actions().size() == 2);

        languages->actions().at(1)->trigger(); // Chinese
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(m_window->menuBar()->actions().constFirst()->text(), QString::fromUtf8("文件(&F)"));
        QCOMPARE(speed->funName, QString::fromUtf8("额定转速")); // the record the pages point to, in place
        QCOMPARE(drive->getCurValue("P00.02", 0), qint64(2500));
        QCOMPARE(drive->getCurFaultList().size(), 1);
        QCOMPARE(drive->getCurFaultList().constFirst()->faultName, QString::fromUtf8("过流"));
        QMenu* raise = menu("STR_MENU_DRIVE", "STR_MENU_RAISE_FAULT");
        emit raise->aboutToShow();
        QCOMPARE(raise->actions().constFirst()->text(), QString::fromUtf8("E.101  过流"));
        languages->actions().at(0)->trigger(); // back to English for the other cases
    }

    void faultSwitchMenuSetsTheSelectedDrive_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("answer");
        // The switches afterwards: dropEvery/lateEvery/refuse/fail/offline.
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* key, const QString& answer,
                            const QString& expected) {
            QTest::newRow(name) << QByteArray(key) << answer << expected;
        };
        row("lose replies", "STR_MENU_SIM_DROP_EVERY", "4", "4/0/0//-1");
        row("late answers", "STR_MENU_SIM_LATE_EVERY", "2", "0/2/0//-1");
        row("refuse writes", "STR_MENU_SIM_REFUSE_WRITES", "Locked", "0/0/1:Locked//-1");
        row("fail a code", "STR_MENU_SIM_FAIL_CODE", "P00.02", "0/0/0/P00.02/-1");
        row("unknown code refused", "STR_MENU_SIM_FAIL_CODE", "P77.77", "0/0/0//-1");
        row("offline after", "STR_MENU_SIM_OFFLINE_AFTER", "5", "0/0/0//5");
    }

    void faultSwitchMenuSetsTheSelectedDrive()
    {
        QFETCH(QByteArray, key);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QSimulatedDriveLink* link = QTestHost::link("A");
        QMenu* menu = this->menu("STR_MENU_DRIVE", "STR_MENU_SIM_FAULTS");
        QVERIFY(menu);
        emit menu->aboutToShow();
        QAction* action = QTestUi::action(menu, key.constData());
        QVERIFY(action && action->isEnabled() && !action->isChecked());
        const bool warns = answer == "P77.77";
        bool wholeTextSeen = true; // a proposed text is seen whole, not only its end
        answerModalDialog([answer, warns, &wholeTextSeen](QDialog* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            QVERIFY(input);
            if (input->inputMode() == QInputDialog::TextInput) {
                const auto* edit = input->findChild<QLineEdit*>();
                wholeTextSeen = edit->width() > edit->fontMetrics().horizontalAdvance(edit->text());
            }
            input->setTextValue(answer);
            input->setIntValue(answer.toInt());
            if (warns) {
                answerModalDialog([](QDialog* box) { box->reject(); }); // the warning about the unknown code
            }
            input->accept();
        });
        action->trigger();
        QVERIFY(wholeTextSeen);
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
        QCOMPARE(QTestUi::action(menu, "STR_MENU_SIM_CLEAR_SWITCHES")->isEnabled(), action->isChecked());
        QTestUi::action(menu, "STR_MENU_SIM_CLEAR_SWITCHES")->trigger();
        QVERIFY(link->faultSwitches().isClear());
    }

    void addDriveOnALink_data()
    {
        QTest::addColumn<QByteArray>("menuKey");
        QTest::addColumn<QString>("place"); // host or serial port
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("link"); // the status bar's link text; empty: not added
        QTest::newRow("tcp") << QByteArray("STR_MENU_ADD_DRIVE_TCP") << "127.0.0.1" << 4
                             << "Modbus TCP 127.0.0.1:1, unit 4";
        QTest::newRow("rtu") << QByteArray("STR_MENU_ADD_DRIVE_RTU") << "/dev/ttyNothing" << 9
                             << "Modbus RTU /dev/ttyNothing 115200 8E1, unit 9";
        // The settings' own refusals (no host, units past 247, ...): tst_QDriveLinkSettings::
        // unusableSettingsAreRefused; the dialog shows the reason and stays open.
        QTest::newRow("units past 247") << QByteArray("STR_MENU_ADD_DRIVE_TCP") << "127.0.0.1" << 246 << "";
    }

    void addDriveOnALink()
    {
        QFETCH(QByteArray, menuKey);
        QFETCH(QString, place);
        QFETCH(int, unit);
        QFETCH(QString, link);
        QMenu* add = menu("STR_MENU_DRIVE", "STR_MENU_ADD_DRIVE");
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
        QTestUi::action(add, menuKey.constData())->trigger();
        QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo("Axis line");
        QCOMPARE(device != nullptr, !link.isEmpty());
        QCOMPARE(problem.isEmpty(), !link.isEmpty());
        if (!device) {
            return;
        }
        QCOMPARE(device->getLink()->linkDescription(), link);
        QTestHost::select("Axis line");
        auto* label = m_window->findChild<QLabel*>("DRIVE_STATUS");
        QVERIFY2(label->text().contains(link) && label->text().contains(QTestUi::text("STR_OFFLINE")),
                 qPrintable(label->text()));
        const auto* bus = qobject_cast<const QModbusDriveLink*>(device->getLink());
        QVERIFY(bus && !bus->offlineReason().isEmpty());
        QVERIFY2(label->text().contains(bus->offlineReason()), qPrintable(label->text())); // it says why
    }

    void projectTreeFollowsTheDrivesOfTheProject()
    {
        QVERIFY(newTree());
        QCOMPARE(m_tree->topLevelItemCount(), 2);
        QVERIFY(m_tree->findNode(QString(), TREE_NODE_ALL_CUR_FAULTS));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QCOMPARE(m_tree->topLevelItemCount(), 3);
        for (const QString alias : {"A", "B"}) {
            QTreeWidgetItem* drive = m_tree->findNode(alias, TREE_NODE_DRIVE);
            QVERIFY(drive);
            QCOMPARE(drive->text(0), alias);
            const QList<int> expected{321, 322, 323, 324, 325, 402};
            QCOMPARE(drive->childCount(), expected.size());
            for (int i = 0; i < drive->childCount(); ++i) {
                QCOMPARE(drive->child(i)->data(0, QProjectTreeWidget::KindRole).toInt(), expected.at(i));
            }
        }
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("A"));
        QCOMPARE(m_tree->topLevelItemCount(), 2);
        QVERIFY(!m_tree->findNode("A", TREE_NODE_FUNCODE));
        QVERIFY(m_tree->findNode("B", TREE_NODE_FUNCODE));
    }

    void projectTreeNodeSelectsItsDriveThenAnnouncesIt_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<int>("kind");
        for (int kind : QProjectTreeWidget::pageKinds() + QList<int>{TREE_NODE_DRIVE}) {
            QTest::addRow("%d", kind) << "B" << kind;
        }
        // The faults of all drives belong to no drive: the selection stays.
        QTest::newRow("all faults") << "" << int(TREE_NODE_ALL_CUR_FAULTS);
    }

    void projectTreeNodeSelectsItsDriveThenAnnouncesIt()
    {
        QVERIFY(newTree());
        QFETCH(QString, alias);
        QFETCH(int, kind);
        QDeviceServo* b = QTestHost::addDrive("TST3", "B");
        QTestHost::select("A");

        QString selectedWhenAnnounced;
        connect(hub(), &QSignalManager::SigClickTree, m_tree.get(),
                [&](const DeviceInfo*, const tagTreeDataSet&) { selectedWhenAnnounced = selectedAlias(); });
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QVERIFY(m_tree->activateNode(alias, kind));

        QCOMPARE(clicks.count(), 1);
        const QString expectedSelection = alias.isEmpty() ? "A" : alias;
        QCOMPARE(selectedWhenAnnounced, expectedSelection);
        QCOMPARE(selectedAlias(), expectedSelection);
        QCOMPARE(clicks.at(0).at(0).value<const DeviceInfo*>(),
                 alias.isEmpty() ? nullptr : b->getDeviceInfoPtr());
        const tagTreeDataSet node = clicks.at(0).at(1).value<tagTreeDataSet>();
        QCOMPARE(node.subId, kind);
        QCOMPARE(node.strText, m_tree->findNode(alias, kind)->text(0));
        QCOMPARE(m_tree->currentItem(), m_tree->findNode(alias, kind));
    }

    // A mouse click announces the node under it, as activating it does; a node that does not exist
    // announces nothing.
    void projectTreeAnnouncesOnlyExistingNodes()
    {
        QVERIFY(newTree());
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QVERIFY(!m_tree->reemitCurrentNode());
        QVERIFY(!m_tree->activateNode("Nobody", TREE_NODE_FUNCODE));
        QVERIFY(!m_tree->activateNode("A", 999));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(selectedAlias().isEmpty());

        QVERIFY(QTestUi::show(m_tree.get(), {300, 400}));
        const QRect records = m_tree->visualItemRect(m_tree->findNode("A", TREE_NODE_RECORDS));
        QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, {}, records.center());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_RECORDS));
        QCOMPARE(selectedAlias(), QString("A"));
        QVERIFY(m_tree->activateNode("A", TREE_NODE_MONITORED));
        QVERIFY(m_tree->reemitCurrentNode());
        QCOMPARE(clicks.count(), 3);
        QCOMPARE(clicks.at(2).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_MONITORED));
    }

    // Online, offline, or in the fault colour while the drive has a current fault.
    void projectTreeDriveIconFollowsTheOnlineState()
    {
        QVERIFY(newTree());
        QTreeWidgetItem* drive = m_tree->findNode("A", TREE_NODE_DRIVE);
        const QString offline = QTestUi::text("STR_OFFLINE");
        const QImage onlineImage = drive->icon(0).pixmap(12, 12).toImage();

        QTestHost::link("A")->setOnline(false);
        QTRY_VERIFY(drive->toolTip(0).contains(offline));
        QVERIFY(drive->icon(0).pixmap(12, 12).toImage() != onlineImage);
        QTestHost::link("A")->setOnline(true);
        QTRY_VERIFY(!drive->toolTip(0).contains(offline));
        QCOMPARE(drive->icon(0).pixmap(12, 12).toImage(), onlineImage);
        QVERIFY(QTestHost::link("A")->raiseFault("E.101", 0));
        QTRY_VERIFY(drive->icon(0).pixmap(12, 12).toImage() != onlineImage);
    }

private:
    static QSignalManager* hub() { return QSoftCore::getCore()->getSignalManager(); }
    static QString selectedAlias() { return QProjectCore::self()->getDevMgr()->getSelectAlias(); }
    // The project tree on its own, without the window: a project of the drive "A" and a tree of it.
    QProjectTreeWidget* newTree()
    {
        m_window.reset();
        if (!QTestHost::addDrive("TST1", "A")) {
            return nullptr;
        }
        m_tree = std::make_unique<QProjectTreeWidget>();
        return m_tree.get();
    }
    static QButtonGroup* toolButtons()
    {
        return QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
            QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    }
    // A menu of the menu bar, or a sub-menu of it.
    QMenu* menu(const char* key, const char* subKey = nullptr) const
    {
        QMenu* top = QTestUi::menu(m_window->menuBar(), key);
        return subKey ? QTestUi::menu(top, subKey) : top;
    }

    std::unique_ptr<QWorkbenchWindow> m_window;
    std::unique_ptr<QProjectTreeWidget> m_tree;
    QString m_error;
};

QTEST_MAIN(tst_QWorkbenchWindow)
#include "tst_QWorkbenchWindow.moc"
