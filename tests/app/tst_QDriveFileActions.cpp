#include "QButtonManager.h"
#include "QDriveFileActions.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"

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

    QAction* action(const char* name) const { return m_menu->findChild<QAction*>(QLatin1String(name)); }

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
            QVERIFY(!entry->text().startsWith(QLatin1String("STR_")));
        }
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST1"), QStringLiteral("Menu-A")));
        for (QAction* entry : m_actions->actions()) {
            QVERIFY(entry->isEnabled());
        }
        QTestHost::select(QString());
        QVERIFY(!action("ACTION_EXPORT_FUNCODE")->isEnabled());
    }

    void toolBarCommands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        QTest::newRow("import") << "ACTION_IMPORT_FUNCODE" << int(QButtonManager::BTN_IMPORT);
        QTest::newRow("export") << "ACTION_EXPORT_FUNCODE" << int(QButtonManager::BTN_EXPORT);
        QTest::newRow("print") << "ACTION_PRINT_FUNCODE" << int(QButtonManager::BTN_PRINT);
    }

    void toolBarCommands()
    {
        QFETCH(QString, name);
        QFETCH(int, id);
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST1"), QStringLiteral("Menu-A")));
        QButtonGroup* group = QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
            QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
        QVERIFY(group);
        QSignalSpy clicked(group, &QButtonGroup::idClicked);
        action(qPrintable(name))->trigger();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), id);
    }

    void hubRequests_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("recovery"); // -1: the print preview request
        QTest::newRow("back up") << "ACTION_BACKUP_DRIVE" << 0;
        QTest::newRow("restore") << "ACTION_RESTORE_DRIVE" << 1;
        QTest::newRow("print preview") << "ACTION_PRINT_PREVIEW_FUNCODE" << -1;
    }

    void hubRequests()
    {
        QFETCH(QString, name);
        QFETCH(int, recovery);
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST1"), QStringLiteral("Menu-A")));
        QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
        QSignalSpy backup(hub, &QSignalManager::sigFuncodeBackupOrRecovery);
        QSignalSpy preview(hub, &QSignalManager::sigFuncodePrintPreview);
        action(qPrintable(name))->trigger();
        QCOMPARE(preview.count(), recovery < 0 ? 1 : 0);
        QCOMPARE(backup.count(), recovery < 0 ? 0 : 1);
        if (recovery >= 0) {
            QCOMPARE(backup.at(0).at(0).toBool(), recovery == 1);
        }
    }
};

QTEST_MAIN(tst_QDriveFileActions)
#include "tst_QDriveFileActions.moc"
