#include "QButtonManager.h"
#include "QDriveFileActions.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QAction>
#include <QButtonGroup>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The File menu's drive commands: enabled only with a selected drive, the tool-bar commands run through the
// host's button group, backup, restore and print preview through the signal hub.
class tst_QDriveFileActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QMenu> m_menu;
    QDriveFileActions* m_actions = nullptr;

    QAction* action(const char* name) const { return QTestUi::child<QAction>(m_menu.get(), name); }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        m_menu = std::make_unique<QMenu>();
        QAction* quit = m_menu->addAction(QStringLiteral("Quit"));
        m_actions = new QDriveFileActions(m_menu.get(), quit, m_menu.get());
    }
    void cleanup()
    {
        m_menu.reset();
        QTestHost::clearProject();
    }

    void actionsComeBeforeTheGivenEntryAndFollowTheSelection()
    {
        QCOMPARE(m_menu->actions().last()->text(), QStringLiteral("Quit"));
        QCOMPARE(m_menu->actions().first(), action("ACTION_IMPORT_FUNCODE"));
        for (QAction* entry : m_actions->actions()) {
            QVERIFY(!entry->isEnabled());
        }
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST1"), QStringLiteral("Menu-A")));
        for (QAction* entry : m_actions->actions()) {
            QVERIFY(entry->isEnabled());
        }
        QTestHost::select(QString());
        QVERIFY(!action("ACTION_EXPORT_FUNCODE")->isEnabled());
    }

    // The tool-bar commands run through the host's button group; the others are requests on the hub.
    void commands_data()
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

    void commands()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        QFETCH(int, recovery);
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST1"), QStringLiteral("Menu-A")));
        QButtonGroup* group = QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
            QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
        QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
        QSignalSpy clicked(group, &QButtonGroup::idClicked);
        QSignalSpy backup(hub, &QSignalManager::sigFuncodeBackupOrRecovery);
        QSignalSpy preview(hub, &QSignalManager::sigFuncodePrintPreview);
        action(qPrintable(name))->trigger();
        QCOMPARE(clicked.count(), button < 0 ? 0 : 1);
        QCOMPARE(clicked.value(0).value(0, -1).toInt(), button);
        QCOMPARE(preview.count(), button < 0 && recovery < 0 ? 1 : 0);
        QCOMPARE(backup.count(), button < 0 && recovery >= 0 ? 1 : 0);
        QCOMPARE(backup.value(0).value(0, false).toBool(), recovery == 1);
    }
};

QTEST_MAIN(tst_QDriveFileActions)
#include "tst_QDriveFileActions.moc"
