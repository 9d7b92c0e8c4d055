#include "ModalAnswer.h"
#include "QButtonManager.h"
#include "QDeviceServo.h"
#include "QDownloadFunCodeDlg_Servo.h"
#include "QExportFuncodeDlg.h"
#include "QFunToolWidget_Servo.h"
#include "QFunValueWidget_Servo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QFuncodeWidget_Servo.h"
#include "QMyMessageBox.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// The main widget with the host's own button group 9 and simulated drives answering at once.
class tst_QFuncodeWidget_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFuncodeWidget_Servo> m_widget;

    QDeviceServo* addSelectedDrive()
    {
        QDeviceServo* device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("Axis-A"));
        if (!device || !QTestHost::readAll(device)) {
            return nullptr;
        }
        QTestHost::select(device->getAliasName());
        QTestHost::link(device->getAliasName())->resetCounters();
        return device;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init() { m_widget = std::make_unique<QFuncodeWidget_Servo>(); }
    void cleanup() { QTestHost::clearProject(); }

    void formKeepsItsObjectNames()
    {
        // The host's style sheets address these names.
        QCOMPARE(m_widget->objectName(), QStringLiteral("QFuncodeWidget_Servo"));
        QCOMPARE(m_widget->toolWidget()->objectName(), QStringLiteral("TOOLWID"));
        QCOMPARE(m_widget->valueWidget()->objectName(), QStringLiteral("MENUWID"));
        for (const char* name :
             {"horizontalLayout_8", "horizontalLayout", "horizontalLayout_7", "verticalLayout"}) {
            QVERIFY2(m_widget->findChild<QLayout*>(QLatin1String(name)), name);
        }
    }

    void legendShowsIconsAndTexts_data()
    {
        QTest::addColumn<QStringList>("legend"); // icon label, text label, key of the text
        QTest::newRow("read only") << QStringList{"OnlyRead", "label_OnlyRead", "STR_ONLYREAD"};
        QTest::newRow("read write") << QStringList{"CanWriteRead", "label_CanWriteRead", "STR_ALLREADWRITE"};
        QTest::newRow("write only") << QStringList{"OnlyCanWrite", "label_OnlyCanWrite", "STR_ONLYWRUTE"};
        QTest::newRow("instant") << QStringList{"instant", "instantPng", "STR_INSTANT_EFFECT"};
        QTest::newRow("stop") << QStringList{"stop", "stopPng", "STR_STOP_EFFECT"};
        QTest::newRow("reset") << QStringList{"reset", "resetPng", "STR_RESET_EFFECT"};
    }

    void legendShowsIconsAndTexts()
    {
        QFETCH(QStringList, legend);
        auto* icon = m_widget->findChild<QLabel*>(legend.at(0));
        auto* text = m_widget->findChild<QLabel*>(legend.at(1));
        QVERIFY(icon && text);
        const QPixmap pixmap = icon->pixmap(Qt::ReturnByValue);
        QVERIFY2(!pixmap.isNull(), "the legend icon is missing from the resources");
        QVERIFY(pixmap.width() <= 18 && pixmap.height() <= 18);
        QCOMPARE(icon->size(), QSize(18, 18));
        QVERIFY2(!text->text().isEmpty() && text->text() != legend.at(2), qPrintable(text->text()));
    }

    void idsThatDoNothing_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("selected");
        for (int id : {53, 65, -1, 0}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, outside the commands").arg(id))) << id << true;
        }
        for (int id = QButtonManager::BTN_UP; id <= QButtonManager::BTN_HELP; ++id) {
            QTest::newRow(qPrintable(QStringLiteral("%1, no selected drive").arg(id))) << id << false;
        }
    }

    void idsThatDoNothing()
    {
        QFETCH(int, id);
        QFETCH(bool, selected);
        QDeviceServo* device = addSelectedDrive();
        QVERIFY(device);
        if (!selected) {
            QTestHost::select(QString());
        }
        QSignalSpy help(m_widget.get(), &QFuncodeWidget_Servo::SigHelp);
        m_widget->OnButtonClicked(id);
        QCOMPARE(QTestHost::link(device->getAliasName())->readRequestCount(), 0);
        QCOMPARE(device->pendingReadCount(), 0);
        QCOMPARE(help.count(), 0);
        // A modal dialog would have blocked above; none may be left open either.
        QVERIFY(!QApplication::activeModalWidget());
    }

    void readAllButtonQueuesEveryCodeOfEveryAxis()
    {
        QDeviceServo* device = addSelectedDrive();
        QVERIFY(device);
        QButtonGroup* group = m_widget->toolWidget()->getButtonGroup();
        QVERIFY(group && group->button(QButtonManager::BTN_READ_ALL));
        group->button(QButtonManager::BTN_READ_ALL)->click();
        // The first batch leaves at once; the rest follow as the answers come.
        QSimulatedDriveLink* link = QTestHost::link(device->getAliasName());
        QVERIFY(link->readRequestCount() >= 1);
        QTRY_COMPARE(link->readItemCount(), device->getDriveModel()->codeCount() * device->getAxisNum());
        QTRY_COMPARE(device->pendingReadCount(), 0);
    }

    void compareOpensADialogThatDoesNotBlock()
    {
        QVERIFY(addSelectedDrive());
        m_widget->OnButtonClicked(QButtonManager::BTN_COMPARE);
        const QList<QFuncodeCompareDialog_Servo*> dialogs =
            m_widget->findChildren<QFuncodeCompareDialog_Servo*>();
        QCOMPARE(dialogs.size(), 1);
        QVERIFY(dialogs.first()->isVisible());
        QVERIFY(!dialogs.first()->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        // A second command opens a second dialog; a closed one goes away.
        m_widget->OnButtonClicked(QButtonManager::BTN_COMPARE);
        QCOMPARE(m_widget->findChildren<QFuncodeCompareDialog_Servo*>().size(), 2);
        dialogs.first()->close();
        QTRY_COMPARE(m_widget->findChildren<QFuncodeCompareDialog_Servo*>().size(), 1);
    }

    void exportAndPrintOpenTheirDialog_data()
    {
        QTest::addColumn<int>("command"); // a button id, or -1: the host's backup, -2: its print preview
        QTest::addColumn<QString>("button");
        QTest::newRow("export") << int(QButtonManager::BTN_EXPORT) << "btnExportSelected";
        QTest::newRow("print") << int(QButtonManager::BTN_PRINT) << "btnPrint";
        QTest::newRow("backup request") << -1 << "btnExportSelected";
        QTest::newRow("print preview request") << -2 << "btnPrint";
    }

    // The drive is read whole first, then the dialog of the mode opens; a print preview shows at once.
    void exportAndPrintOpenTheirDialog()
    {
        QFETCH(int, command);
        QFETCH(QString, button);
        QDeviceServo* device = addSelectedDrive();
        QVERIFY(device);
        bool found = false;
        bool previewShown = false;
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, [&]() {
            QWidget* modal = QApplication::activeModalWidget();
            if (qobject_cast<QPrintPreviewDialog*>(modal)) {
                previewShown = true;
                static_cast<QDialog*>(modal)->reject();
            } else if (auto* dialog = qobject_cast<QExportFuncodeDlg*>(modal)) {
                if (command == -2 && !previewShown) {
                    return;
                }
                found = dialog->findChild<QPushButton*>(button) != nullptr;
                dialog->reject();
                timer->stop();
            }
        });
        timer->start(5);
        QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
        if (command == -1) {
            emit hub->sigFuncodeBackupOrRecovery(false);
        } else if (command == -2) {
            emit hub->sigFuncodePrintPreview();
        } else {
            m_widget->OnButtonClicked(command);
        }
        delete timer;
        QVERIFY(found);
        QCOMPARE(previewShown, command == -2);
        // The drive was read before the dialog opened.
        QVERIFY(QTestHost::link(device->getAliasName())->readItemCount() > 0);
    }

    void helpEmitsSigHelpOnce()
    {
        QVERIFY(addSelectedDrive());
        QSignalSpy help(m_widget.get(), &QFuncodeWidget_Servo::SigHelp);
        QSignalSpy forwarded(m_widget->valueWidget(), &QFunValueWidget_Servo::SigHelp);
        m_widget->OnButtonClicked(QButtonManager::BTN_HELP);
        QCOMPARE(help.count(), 1);
        QCOMPARE(forwarded.count(), 1);
    }

    void selectedCodeGoesIntoTheFindField()
    {
        emit QSoftCore::getCore()->getSignalManager()->SigSelectCode("Axis-A", "TST3", "1", "P2.00");
        QCOMPARE(m_widget->toolWidget()->getFindText(), QStringLiteral("P2.00"));
        auto* field = m_widget->findChild<QLineEdit*>(QStringLiteral("FLOWDIAGRAM"));
        QVERIFY(field);
        QCOMPARE(field->toolTip(), QStringLiteral("P2.00"));
    }

    // Import (57): the file is checked against the selected drive before the import dialog opens.
    void importOpensTheDialogOnlyForAFileOfTheDrive_data()
    {
        QTest::addColumn<QString>("devText");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("monitored");
        QTest::newRow("own model") << "TST3_1.00"
                                   << "" << true << false;
        QTest::newRow("saved from the monitored list") << "TST3_1.00"
                                                       << "FOCUS" << true << true;
        QTest::newRow("another model") << "OTHER_1.00"
                                       << "" << false << false;
    }
    void importOpensTheDialogOnlyForAFileOfTheDrive()
    {
        QFETCH(QString, devText);
        QFETCH(QString, mode);
        QFETCH(bool, opens);
        QFETCH(bool, monitored);
        QVERIFY(addSelectedDrive());
        tagExportDevInfo_Servo info = QFuncodeHelper_Servo::collectDeviceFuncodes().value(0);
        info.devText = devText;
        info.modeText = mode;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("drive.csv"));
        QVERIFY(QFuncodeHelper_Servo::writeFuncodeCsvFile(path, info));
        QMyMessageBox::clearRecordedCalls();
        QMyMessageBox::setTestHook([](const QMyMessageBox::Call&) { return 1; });
        int shownRows = -1;
        bool shownMonitored = false;
        if (opens) {
            answerModalOfType<QDownloadFunCodeDlg_Servo>([&](QDownloadFunCodeDlg_Servo* dialog) {
                shownRows = dialog->rows().size();
                shownMonitored = dialog->isMonitoredMode();
                dialog->close();
            });
        }
        m_widget->importFile(path);
        QMyMessageBox::setTestHook(nullptr);
        QCOMPARE(shownRows, opens ? info.funcodes.size() : -1);
        QCOMPARE(shownMonitored, monitored);
        QCOMPARE(QMyMessageBox::recordedCalls().size(), opens ? 0 : 1);
        if (!opens) {
            QCOMPARE(QMyMessageBox::recordedCalls().first().text,
                     QCoreApplication::translate("Strings", "STR_DOWNLOAD_DEVIC_ERROR"));
        }
    }

    void aRecoveryRequestAsksForAFileToImport()
    {
        QVERIFY(addSelectedDrive());
        QString title;
        answerModalOfType<QFileDialog>([&title](QFileDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        emit QSoftCore::getCore()->getSignalManager()->sigFuncodeBackupOrRecovery(true);
        QCOMPARE(title, QCoreApplication::translate("Strings", "STR_OPEN"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(tst_QFuncodeWidget_Servo)
#include "tst_QFuncodeWidget_Servo.moc"
