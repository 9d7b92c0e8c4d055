#include "QButtonManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunToolWidget_Servo.h"
#include "QFunValueWidget_Servo.h"
#include "QFuncodeWidget_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <memory>

// The main widget with the host's own button group 9 and simulated drives answering at once.
class tst_QFuncodeWidget_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void formKeepsItsObjectNames();
    void legendShowsIconsAndTexts_data();
    void legendShowsIconsAndTexts();
    void idsOutsideTheCommandsDoNothing_data();
    void idsOutsideTheCommandsDoNothing();
    void noCommandRunsWithoutSelectedDrive_data();
    void noCommandRunsWithoutSelectedDrive();
    void readAllQueuesEveryCodeOfEveryAxis();
    void readAllRunsFromTheToolBarButton();
    void helpEmitsSigHelpOnce();
    void selectedCodeGoesIntoTheFindField();
    void removedDeviceClearsTheWorkspace();
    void monitoredPageShowsUpAndDownButtons();

private:
    QDeviceServo* addSelectedDrive();

    std::unique_ptr<QFuncodeWidget_Servo> m_widget;
};

void tst_QFuncodeWidget_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFuncodeWidget_Servo::init()
{
    m_widget = std::make_unique<QFuncodeWidget_Servo>();
}

void tst_QFuncodeWidget_Servo::cleanup()
{
    QTestHost::clearProject();
}

QDeviceServo* tst_QFuncodeWidget_Servo::addSelectedDrive()
{
    QDeviceServo* device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("Axis-A"));
    if (!device || !QTestHost::readAll(device)) {
        return nullptr;
    }
    QTestHost::select(device->getAliasName());
    QTestHost::link(device->getAliasName())->resetCounters();
    return device;
}

void tst_QFuncodeWidget_Servo::formKeepsItsObjectNames()
{
    // The host's style sheets address these names.
    QCOMPARE(m_widget->objectName(), QStringLiteral("QFuncodeWidget_Servo"));
    QCOMPARE(m_widget->toolWidget()->objectName(), QStringLiteral("TOOLWID"));
    QCOMPARE(m_widget->valueWidget()->objectName(), QStringLiteral("MENUWID"));
    QCOMPARE(m_widget->size(), QSize(441, 788));
    QCOMPARE(m_widget->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(m_widget->valueWidget()->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    for (const char* name :
         {"horizontalLayout_8", "horizontalLayout", "horizontalLayout_7", "verticalLayout"}) {
        QVERIFY2(m_widget->findChild<QLayout*>(QLatin1String(name)), name);
    }
}

void tst_QFuncodeWidget_Servo::legendShowsIconsAndTexts_data()
{
    QTest::addColumn<QString>("iconLabel");
    QTest::addColumn<QString>("textLabel");
    QTest::addColumn<QString>("key");

    QTest::newRow("read only") << "OnlyRead"
                               << "label_OnlyRead"
                               << "STR_ONLYREAD";
    QTest::newRow("read write") << "CanWriteRead"
                                << "label_CanWriteRead"
                                << "STR_ALLREADWRITE";
    QTest::newRow("write only") << "OnlyCanWrite"
                                << "label_OnlyCanWrite"
                                << "STR_ONLYWRUTE";
    QTest::newRow("instant") << "instant"
                             << "instantPng"
                             << "STR_INSTANT_EFFECT";
    QTest::newRow("stop") << "stop"
                          << "stopPng"
                          << "STR_STOP_EFFECT";
    QTest::newRow("reset") << "reset"
                           << "resetPng"
                           << "STR_RESET_EFFECT";
}

void tst_QFuncodeWidget_Servo::legendShowsIconsAndTexts()
{
    QFETCH(QString, iconLabel);
    QFETCH(QString, textLabel);
    QFETCH(QString, key);

    auto* icon = m_widget->findChild<QLabel*>(iconLabel);
    auto* text = m_widget->findChild<QLabel*>(textLabel);
    QVERIFY(icon);
    QVERIFY(text);
    const QPixmap pixmap = icon->pixmap(Qt::ReturnByValue);
    QVERIFY2(!pixmap.isNull(), "the legend icon is missing from the resources");
    QVERIFY(pixmap.width() <= 18 && pixmap.height() <= 18);
    QCOMPARE(icon->size(), QSize(18, 18));
    QVERIFY2(!text->text().isEmpty() && text->text() != key, qPrintable(text->text()));
}

void tst_QFuncodeWidget_Servo::idsOutsideTheCommandsDoNothing_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("below") << 53;
    QTest::newRow("above") << 65;
    QTest::newRow("negative") << -1;
    QTest::newRow("zero") << 0;
}

void tst_QFuncodeWidget_Servo::idsOutsideTheCommandsDoNothing()
{
    QFETCH(int, id);
    QDeviceServo* device = addSelectedDrive();
    QVERIFY(device);
    QSimulatedDriveLink* link = QTestHost::link(device->getAliasName());
    QSignalSpy help(m_widget.get(), &QFuncodeWidget_Servo::SigHelp);
    m_widget->OnButtonClicked(id);
    QCOMPARE(link->readRequestCount(), 0);
    QCOMPARE(device->pendingReadCount(), 0);
    QCOMPARE(help.count(), 0);
}

void tst_QFuncodeWidget_Servo::noCommandRunsWithoutSelectedDrive_data()
{
    QTest::addColumn<int>("id");
    for (int id = QButtonManager::BTN_UP; id <= QButtonManager::BTN_HELP; ++id) {
        QTest::newRow(qPrintable(QString::number(id))) << id;
    }
}

void tst_QFuncodeWidget_Servo::noCommandRunsWithoutSelectedDrive()
{
    QFETCH(int, id);
    QDeviceServo* device = addSelectedDrive();
    QVERIFY(device);
    QTestHost::select(QString());
    QSimulatedDriveLink* link = QTestHost::link(device->getAliasName());
    QSignalSpy help(m_widget.get(), &QFuncodeWidget_Servo::SigHelp);
    m_widget->OnButtonClicked(id);
    QCOMPARE(link->readRequestCount(), 0);
    QCOMPARE(help.count(), 0);
    // A modal dialog would have blocked above; none may be left open either.
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_QFuncodeWidget_Servo::readAllQueuesEveryCodeOfEveryAxis()
{
    QDeviceServo* device = addSelectedDrive();
    QVERIFY(device);
    QSimulatedDriveLink* link = QTestHost::link(device->getAliasName());
    m_widget->OnButtonClicked(QButtonManager::BTN_READ_ALL);
    // The first batch leaves at once; the rest follow as the answers come.
    QVERIFY(link->readRequestCount() >= 1);
    const int expected = device->getDriveModel()->codeCount() * device->getAxisNum();
    QTRY_COMPARE(link->readItemCount(), expected);
    QTRY_COMPARE(device->pendingReadCount(), 0);
}

void tst_QFuncodeWidget_Servo::readAllRunsFromTheToolBarButton()
{
    QDeviceServo* device = addSelectedDrive();
    QVERIFY(device);
    QButtonGroup* group = m_widget->toolWidget()->getButtonGroup();
    QVERIFY(group);
    QAbstractButton* readAll = group->button(QButtonManager::BTN_READ_ALL);
    QVERIFY(readAll);
    readAll->click();
    QVERIFY(QTestHost::link(device->getAliasName())->readRequestCount() >= 1);
}

void tst_QFuncodeWidget_Servo::helpEmitsSigHelpOnce()
{
    QVERIFY(addSelectedDrive());
    QSignalSpy help(m_widget.get(), &QFuncodeWidget_Servo::SigHelp);
    QSignalSpy forwarded(m_widget->valueWidget(), &QFunValueWidget_Servo::SigHelp);
    m_widget->OnButtonClicked(QButtonManager::BTN_HELP);
    QCOMPARE(help.count(), 1);
    QCOMPARE(forwarded.count(), 1);
}

void tst_QFuncodeWidget_Servo::selectedCodeGoesIntoTheFindField()
{
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    emit hub->SigSelectCode(QStringLiteral("Axis-A"), QStringLiteral("TST3"), QStringLiteral("1"),
                            QStringLiteral("P2.00"));
    QCOMPARE(m_widget->toolWidget()->getFindText(), QStringLiteral("P2.00"));
    auto* field = m_widget->findChild<QLineEdit*>(QStringLiteral("FLOWDIAGRAM"));
    QVERIFY(field);
    QCOMPARE(field->toolTip(), QStringLiteral("P2.00"));
}

void tst_QFuncodeWidget_Servo::removedDeviceClearsTheWorkspace()
{
    auto* tabs = m_widget->valueWidget()->findChild<QTabWidget*>();
    QVERIFY(tabs);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, QStringLiteral("page"));
    QCOMPARE(tabs->count(), 1);
    QVERIFY(addSelectedDrive());
    QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("Axis-A"));
    QCOMPARE(tabs->count(), 0);
    // Closing a page only takes it out of the tab widget.
    QVERIFY(page->parent());
}

void tst_QFuncodeWidget_Servo::monitoredPageShowsUpAndDownButtons()
{
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
    QButtonGroup* group = m_widget->toolWidget()->getButtonGroup();
    QVERIFY(group);
    QVERIFY(!group->button(QButtonManager::BTN_UP)->isVisible());
    emit m_widget->valueWidget()->SigServoSelFuncodeShow(true);
    QVERIFY(group->button(QButtonManager::BTN_UP)->isVisible());
    QVERIFY(group->button(QButtonManager::BTN_DOWN)->isVisible());
    emit m_widget->valueWidget()->SigServoSelFuncodeShow(false);
    QVERIFY(!group->button(QButtonManager::BTN_DOWN)->isVisible());
}

QTEST_MAIN(tst_QFuncodeWidget_Servo)
#include "tst_QFuncodeWidget_Servo.moc"
