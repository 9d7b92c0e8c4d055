#include "ModalAnswer.h"
#include "QButtonManager.h"
#include "QDatabaseManager.h"
#include "QDefaultCompareFuncodeModel.h"
#include "QDefaultCompareFuncodeView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDownloadFunCodeDlg_Servo.h"
#include "QExportFuncodeDlg.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QFunCodeDetailTable.h"
#include "QFunToolWidget_Servo.h"
#include "QFunValueWidget_Servo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeDetailInfoWidget.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QFuncodeWidget_Servo.h"
#include "QLibSetting.h"
#include "QModifyFunModel_Servo.h"
#include "QMultiDevCurFaultDlg.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QServoFuncodeBatchDownloadDlg.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QtTest>

// The plug-in's main widget: the tool bar's commands, the pages the project tree opens, the records
// of changes, on simulated drives of the small test model.
class tst_QFuncodeWidget_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFuncodeWidget_Servo> m_main;
    QDeviceServo* m_drive = nullptr;

    QFunValueWidget_Servo* workspace() const { return m_main->valueWidget(); }
    static QSimulatedDriveLink* link() { return QTestHost::link("three"); }
    static QList<tagModifyFuncode_Servo> stored()
    {
        return QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("three");
    }

    QStringList tabTitles() const
    {
        QStringList titles;
        for (int i = 0; i < workspace()->tabWidget()->count(); ++i) {
            titles.append(workspace()->tabWidget()->tabText(i));
        }
        return titles;
    }

    // The rows of the comparison with the defaults: number/axis.
    QStringList defaultsShown() const
    {
        QStringList numbers;
        for (const QStringList& row : workspace()->defaultCompareView()->getModel()->getModelData()) {
            numbers << row.at(QDefaultCompareFuncodeModel::COL_INDEX) + '/' +
                           row.at(QDefaultCompareFuncodeModel::COL_AXIS);
        }
        return numbers;
    }

    // Opens the drive's code tables from the tree; the current table's model and the cell of one code in it.
    QFuncodeModel_Servo* openCodes(const QString& funIndex, int column, QModelIndex* cell)
    {
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
        *cell = view ? view->getModel()->index(view->getRowByValue(0, funIndex), column) : QModelIndex();
        return view ? view->getModel() : nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_drive = QTestHost::addDrive("TST3", "three");
        QTestHost::addDrive("TST1", "one");
        link()->setFrozen(true);
        QTestHost::select("three");
        QVERIFY(QTestHost::readAll(m_drive));
        m_main = std::make_unique<QFuncodeWidget_Servo>();
        QVERIFY(QTestUi::show(m_main.get(), {1200, 800}));
    }

    void cleanup()
    {
        m_main.reset();
        QTestHost::clearProject();
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
        QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes("three");
    }

    // At 1024x700 the page has about 760 pixels beside the project tree: its tool bar and legend wrap and
    // its tables scroll inside themselves, so that the page never grows wider than its area.
    void fitsANarrowArea()
    {
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QVERIFY2(m_main->minimumSizeHint().width() <= 760,
                 qPrintable(QString::number(m_main->minimumSizeHint().width())));
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
        link()->resetCounters();
        if (!selected) {
            QTestHost::select(QString());
        }
        QSignalSpy help(m_main.get(), &QFuncodeWidget_Servo::SigHelp);
        m_main->OnButtonClicked(id);
        QCOMPARE(link()->readRequestCount(), 0);
        QCOMPARE(m_drive->pendingReadCount(), 0);
        QCOMPARE(help.count(), 0);
        // A modal dialog would have blocked above; none may be left open either.
        QVERIFY(!QApplication::activeModalWidget());
    }

    // 54 and 55: shown on the monitored page only, they move its selected code up and down.
    void upAndDownMoveTheSelectedMonitoredCode()
    {
        QButtonGroup* group = m_main->toolWidget()->getButtonGroup();
        QVERIFY(!group->button(QButtonManager::BTN_UP)->isVisible());
        m_drive->setSelSubFuncodeList({"P00.01", "P00.02", "P00.03"});
        QTestHost::clickTreeNode("three", TREE_NODE_MONITORED, "page");
        QVERIFY(group->button(QButtonManager::BTN_UP)->isVisible());
        QVERIFY(group->button(QButtonManager::BTN_DOWN)->isVisible());
        QSelFunCodeView_Servo* monitored = workspace()->selFunCodeView();
        monitored->setCurrentIndex(monitored->model()->index(1, 0));
        m_main->OnButtonClicked(QButtonManager::BTN_UP);
        QCOMPARE(m_drive->getSelSubFuncodeList(), QStringList({"P00.02", "P00.01", "P00.03"}));
        m_main->OnButtonClicked(QButtonManager::BTN_DOWN);
        QCOMPARE(m_drive->getSelSubFuncodeList(), QStringList({"P00.01", "P00.02", "P00.03"}));
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QVERIFY(!group->button(QButtonManager::BTN_DOWN)->isVisible());
    }

    // 56: the batch download runs modally.
    void batchDownloadOpensItsDialog()
    {
        bool seen = false;
        QVERIFY(closeModalOpenedBy(
            [this]() { m_main->OnButtonClicked(QButtonManager::BTN_BATCH_DOWNLOAD); },
            [&seen](QWidget* modal) { seen = qobject_cast<QServoFuncodeBatchDownloadDlg*>(modal); }));
        QVERIFY(seen);
    }

    // 60: only a shown table is read again.
    void refreshReadsTheShownTable()
    {
        link()->resetCounters();
        QTestHost::setRefreshInterval(m_drive, 0);
        m_main->OnButtonClicked(QButtonManager::BTN_REFRESH);
        QCOMPARE(link()->readRequestCount(), 0);
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "page");
        QVERIFY(QTestHost::waitForReads(m_drive));
        link()->resetCounters();
        m_main->OnButtonClicked(QButtonManager::BTN_REFRESH);
        QTRY_VERIFY(link()->readItemCount() > 0);
    }

    void readAllButtonQueuesEveryCodeOfEveryAxis()
    {
        link()->resetCounters();
        QButtonGroup* group = m_main->toolWidget()->getButtonGroup();
        QVERIFY(group && group->button(QButtonManager::BTN_READ_ALL));
        group->button(QButtonManager::BTN_READ_ALL)->click();
        // How the reads are queued and batched is the device's matter
        // (tst_QDeviceServo::readQueueBatchEndsWhereAGroupEnds).
        QTRY_COMPARE(link()->readItemCount(), m_drive->getDriveModel()->codeCount() * m_drive->getAxisNum());
    }

    void compareOpensADialogThatDoesNotBlock()
    {
        m_main->OnButtonClicked(QButtonManager::BTN_COMPARE);
        const QList<QFuncodeCompareDialog_Servo*> dialogs =
            m_main->findChildren<QFuncodeCompareDialog_Servo*>();
        QCOMPARE(dialogs.size(), 1);
        QVERIFY(dialogs.first()->isVisible());
        QVERIFY(!dialogs.first()->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        // A second command opens a second dialog; a closed one goes away.
        m_main->OnButtonClicked(QButtonManager::BTN_COMPARE);
        QCOMPARE(m_main->findChildren<QFuncodeCompareDialog_Servo*>().size(), 2);
        dialogs.first()->close();
        QTRY_COMPARE(m_main->findChildren<QFuncodeCompareDialog_Servo*>().size(), 1);
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
        link()->resetCounters();
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
            m_main->OnButtonClicked(command);
        }
        delete timer;
        QVERIFY(found);
        QCOMPARE(previewShown, command == -2);
        // The drive was read before the dialog opened.
        QVERIFY(link()->readItemCount() > 0);
    }

    void helpEmitsSigHelpOnce()
    {
        QSignalSpy help(m_main.get(), &QFuncodeWidget_Servo::SigHelp);
        QSignalSpy forwarded(m_main->valueWidget(), &QFunValueWidget_Servo::SigHelp);
        m_main->OnButtonClicked(QButtonManager::BTN_HELP);
        QCOMPARE(help.count(), 1);
        QCOMPARE(forwarded.count(), 1);
    }

    void selectedCodeGoesIntoTheFindField()
    {
        emit QSoftCore::getCore()->getSignalManager()->SigSelectCode("three", "TST3", "1", "P2.00");
        QCOMPARE(m_main->toolWidget()->getFindText(), QStringLiteral("P2.00"));
    }

    // Import (57): the file is checked against the selected drive before the import dialog opens (which
    // files fit a drive, and which list they fill, is the import file's matter).
    void importOpensTheDialogOnlyForAFileOfTheDrive_data()
    {
        QTest::addColumn<QString>("devText");
        QTest::addColumn<bool>("opens");
        QTest::newRow("own model") << "TST3_1.00" << true;
        QTest::newRow("another model") << "OTHER_1.00" << false;
    }
    void importOpensTheDialogOnlyForAFileOfTheDrive()
    {
        QFETCH(QString, devText);
        QFETCH(bool, opens);
        tagExportDevInfo_Servo info = QFuncodeHelper_Servo::collectDeviceFuncodes().value(0);
        info.devText = devText;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("drive.csv"));
        QVERIFY(QFuncodeHelper_Servo::writeFuncodeCsvFile(path, info));
        QTestMessageBoxes boxes;
        int shownRows = -1;
        if (opens) {
            answerModalOfType<QDownloadFunCodeDlg_Servo>([&](QDownloadFunCodeDlg_Servo* dialog) {
                shownRows = dialog->rows().size();
                dialog->close();
            });
        }
        m_main->importFile(path);
        QCOMPARE(shownRows, opens ? info.funcodes.size() : -1);
        QCOMPARE(boxes.calls().size(), opens ? 0 : 1);
        if (!opens) {
            QCOMPARE(boxes.calls().first().text, QTestUi::text("STR_DOWNLOAD_DEVIC_ERROR"));
        }
    }

    void aRecoveryRequestAsksForAFileToImport()
    {
        QString title;
        QVERIFY(closeModalOpenedBy(
            []() { emit QSoftCore::getCore()->getSignalManager()->sigFuncodeBackupOrRecovery(true); },
            [&title](QWidget* modal) {
                title = qobject_cast<QFileDialog*>(modal) ? modal->windowTitle() : "";
            }));
        QCOMPARE(title, QTestUi::text("STR_OPEN"));
    }

    // The pages change language at once: tab titles, headers (announced again) and the drive's texts.
    void languageSwitchRetitlesThePages()
    {
        QModelIndex cell;
        QSignalSpy headers(openCodes("P00.02", QFuncodeModelBase_Servo::COL_NAME, &cell),
                           &QAbstractItemModel::headerDataChanged);
        QStringList shown; // the tab's title, the code's name and the name column's header
        for (const QString language : {"zh_CN", "en"}) {
            QVERIFY(QLibSetting::self()->loadLanguage(language));
            QLibSetting::self()->getSystemSetting()->setLanguage(language);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            const QString title = tabTitles().value(0);
            openCodes("P00.02", QFuncodeModelBase_Servo::COL_NAME, &cell);
            shown << QStringList{title, cell.data().toString(),
                                 cell.model()->headerData(cell.column(), Qt::Horizontal).toString()}
                         .join('|');
        }
        QCOMPARE(shown,
                 (QStringList{QString::fromUtf8("功能码|额定转速|名称"), "Function codes|Rated speed|Name"}));
        QVERIFY(headers.count() > 1);
    }

    void sameNodeKeepsTabsAuthorityOrDriveChangeReopens()
    {
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QTestHost::clickTreeNode("three", TREE_NODE_MONITORED, "monitored");
        QTestHost::clickTreeNode("three", TREE_NODE_RECORDS, "records");
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QCOMPARE(tabTitles(), (QStringList{"codes", "monitored", "records"}));
        QCOMPARE(workspace()->tabWidget()->currentWidget(), workspace()->groupWidget());

        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QCOMPARE(tabTitles(), QStringList{"codes"});
        // The tables now hold the codes of the higher authority.
        QFuncodeView_Servo* basic = workspace()->groupWidget()->getCurrentFuncodeView();
        QVERIFY(basic);
        QCOMPARE(basic->getFunGroup(), QStringLiteral("P00 Basic"));
        QVERIFY(basic->getRowByValue(0, "P00.09") >= 0);

        // Another drive's node closes the pages of the drive before.
        QTestHost::link("one")->setFrozen(true);
        QTestHost::clickTreeNode("one", TREE_NODE_MONITORED, "monitored of one");
        QCOMPARE(workspace()->currentAlias(), QStringLiteral("one"));
        QCOMPARE(tabTitles(), QStringList{"monitored of one"});
        // The drive node only changes the current drive.
        QTestHost::clickTreeNode("three", TREE_NODE_DRIVE, "page");
        QCOMPARE(workspace()->currentAlias(), QStringLiteral("three"));
        QCOMPARE(tabTitles(), QStringList{"monitored of one"});
    }

    void closeOtherKeepsOnlyTheTabUnderTheCursor_data()
    {
        QTest::addColumn<int>("kept"); // the tab under the cursor; -1: none, where "Close" closes nothing
        for (int i : {0, 2, 4}) {
            QTest::newRow(qPrintable(QStringLiteral("tab %1").arg(i))) << i;
        }
        QTest::newRow("no tab") << -1;
    }

    void closeOtherKeepsOnlyTheTabUnderTheCursor()
    {
        QFETCH(int, kept);
        const QList<int> kinds{TREE_NODE_FUNCODE, TREE_NODE_STATISTICS, TREE_NODE_RECORDS,
                               TREE_NODE_MONITORED, TREE_NODE_DEFAULT_COMPARE};
        for (int kind : kinds) {
            QTestHost::clickTreeNode("three", kind, QString::number(kind));
        }
        const QStringList all = tabTitles();
        QCOMPARE(all.size(), 5);
        const QRect tab = workspace()->tabWidget()->tabBar()->tabRect(kept);
        workspace()->OnRightMenuClicked(kept < 0 ? QPoint(-100, -100) : tab.center());
        workspace()->tabMenu()->actions().at(kept < 0 ? 0 : 2)->trigger();
        workspace()->tabMenu()->hide();
        QCOMPARE(tabTitles(), kept < 0 ? all : QStringList{QString::number(kinds.at(kept))});
    }

    void tableEdit_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("taken") << false;
        QTest::newRow("refused by the drive") << true;
    }

    // What a record holds is the write road's matter (tst_QFuncodeWriteRoad_Servo::recordChange, ::edit):
    // here a table's edit is stored once and shows first on the records page, and a refusal's reason shows
    // under the pages.
    void tableEdit()
    {
        QFETCH(bool, refused);
        QModelIndex axisY;
        QFuncodeModel_Servo* model = openCodes("P00.02", 5, &axisY);
        QVERIFY(model && axisY.isValid());
        workspace()->OnDataChanged("1", "2", m_drive->getFuncodePtrByFunIndex("P00.03"), 0); // an older one
        QDriveFaultSwitches refusing;
        refusing.refuseWrites = refused;
        refusing.refuseReason = "Servo enabled: parameters are locked";
        link()->setFaultSwitches(refusing);
        QVERIFY(model->setData(axisY, 1500, Qt::EditRole));
        QCOMPARE(stored().size(), refused ? 1 : 2);
        QCOMPARE(workspace()->recordModel()->index(0, 1).data().toString(), refused ? "P00.03" : "P00.02");
        const auto* notice = workspace()->findChild<QLabel*>("WRITE_NOTICE");
        QVERIFY(notice);
        QCOMPARE(!notice->isHidden() && notice->text().contains(refusing.refuseReason), refused);
    }

    // The related codes' values the detail window shows when no record holds them: the drive's own.
    void relatedValuesWithoutRecords()
    {
        QVERIFY(workspace()->hasRelateParam("P00.00"));
        QVERIFY(!workspace()->hasRelateParam("P00.01"));
        const tagModifyFuncode_Servo now = workspace()->currentRelateRecord("P2.00");
        QCOMPARE(now.axisIndex, 3);
        QCOMPARE(now.relateParamMap.value("P2.01"),
                 qMakePair(QStringLiteral("21.75"), QStringLiteral("21.75")));
    }

    void clearingRecordsAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("accepted") << 1 << 0;
        QTest::newRow("refused") << 0 << 2;
    }

    void clearingRecordsAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(int, left);
        QTestHost::clickTreeNode("three", TREE_NODE_RECORDS, "records");
        // The records' menu opens only when there are records.
        workspace()->rightMenuClicked();
        QVERIFY(!workspace()->recordMenu()->isVisible());
        for (const QString to : {"2", "3"}) { // changes of P00.02 on axis X as a page tells of them
            workspace()->OnDataChanged("1", to, m_drive->getFuncodePtrByFunIndex("P00.02"), 0);
        }
        workspace()->rightMenuClicked();
        QVERIFY(workspace()->recordMenu()->isVisible());
        workspace()->recordMenu()->hide();
        QTestMessageBoxes boxes(answer);
        workspace()->OnClearRecord();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.calls().first().kind, QMyMessageBox::Question);
        QCOMPARE(QDatabaseManager::self()->getRecordDatabase_Servo()->recordCount("three"), left);
        QCOMPARE(workspace()->recordModel()->rowCount(), left);
    }

    void axisBoxOnlyForSeveralAxes_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<bool>("shown");
        QTest::newRow("three axes") << "three" << true;
        QTest::newRow("one axis") << "one" << false;
    }

    void axisBoxOnlyForSeveralAxes()
    {
        QFETCH(QString, alias);
        QFETCH(bool, shown);
        QTestHost::clickTreeNode(alias, TREE_NODE_FUNCODE, "page");
        QVERIFY(!workspace()->axisBox()->isVisible());
        workspace()->onShowAxis();
        QCOMPARE(workspace()->axisBox()->isVisible(), shown);
        workspace()->axisBox()->setCurrentIndex(shown ? 2 : 0);
        QCOMPARE(workspace()->currentAxis(), shown ? 2 : 0);
        workspace()->onHideAxis();
        QVERIFY(!workspace()->axisBox()->isVisible());
    }

    void detailWindowEditIsWrittenAndRecordedOnce()
    {
        QModelIndex value, name;
        QVERIFY(openCodes("P00.02", 6, &value));
        QVERIFY(openCodes("P00.02", 2, &name));
        QVERIFY(!closeModalOpenedBy([&]() { emit workspace()->groupWidget()->doubleClicked(value); }));
        // What the window does when the user commits 2000 on axis Z.
        QVERIFY(closeModalOpenedBy([&]() { emit workspace()->groupWidget()->doubleClicked(name); },
                                   [this](QWidget* modal) {
                                       if (auto* detail = qobject_cast<QFunCodeDetailTable*>(modal)) {
                                           emit detail->sigDataChanged(
                                               "3000", QVariant(2000.0),
                                               m_drive->getFuncodePtrByFunIndex("P00.02"), 2);
                                       }
                                   }));
        QCOMPARE(m_drive->getScaledCurValueStr("P00.02", 2), QStringLiteral("2000"));
        QCOMPARE(stored().size(), 1);
        QCOMPARE(stored().first().newVal, QStringLiteral("2000"));
        QCOMPARE(stored().first().axisIndex, 2);
    }

    // A click on a code's row shows its card, which follows the code's values; for a drive of one axis
    // the card shows one value.
    void clickedCodeShowsItsCard()
    {
        QModelIndex name;
        openCodes("P00.00", QFuncodeModelBase_Servo::COL_NAME, &name);
        emit workspace()->groupWidget()->sigLeftButtonClick(name, QPoint(10, 10));
        QFuncodeDetailInfoWidget* info = workspace()->infoWindow();
        QVERIFY(info && info->isVisible());
        QCOMPARE(QTestUi::child<QLabel>(info, "INFO_VALUE_1")->text(), QString("1:Motor B 400W"));
        openCodes("P00.02", QFuncodeModelBase_Servo::COL_NAME, &name);
        emit workspace()->groupWidget()->sigLeftButtonClick(name, QPoint(10, 10));
        QVERIFY(info->hasFuncodeInfo());
        link()->setRawValue("P00.02", 1, 4321);
        QVERIFY(QTestHost::readCodes(m_drive, {"P00.02"}));
        QCOMPARE(QTestUi::child<QLabel>(info, "INFO_VALUE_1")->text(), "4321");
        QCOMPARE(QTestUi::child<QLabel>(info, "INFO_VALUE_0")->text(), QString("3000"));
        QTestHost::select("one");
        info->setCurServoFuncode("P00.02");
        QVERIFY(!QTestUi::child<QLabel>(info, "INFO_VALUE_0")->isHidden());
        QVERIFY(QTestUi::child<QLabel>(info, "INFO_VALUE_1")->isHidden() &&
                QTestUi::child<QLabel>(info, "INFO_VALUE_2")->isHidden());
    }

    void codeCardWithoutACode_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("withDrive");
        QTest::newRow("blank number") << "   " << true;
        QTest::newRow("unknown number") << "P99.99" << true;
        QTest::newRow("no drive") << "P00.01" << false;
    }

    void codeCardWithoutACode()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, withDrive);
        QFuncodeDetailInfoWidget info;
        info.setCurServoFuncode("P00.01"); // a previous code must not linger
        if (!withDrive) {
            QTestHost::select(QString());
        }
        info.setCurServoFuncode(funIndex);
        QVERIFY(!info.hasFuncodeInfo());
        QVERIFY(!QTestUi::child<QLabel>(&info, "INFO_EMPTY")->isHidden());
        QVERIFY(!QTestUi::child<QLabel>(&info, "INFO_RANGE")->isVisibleTo(&info));
    }

    void codeCardPlacement_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");
        // The screen is 400 x 300 at (100, 50); the card keeps a gap of 12 from the cursor.
        QTest::newRow("below right") << QPoint(200, 100) << QSize(50, 50) << QPoint(212, 112);
        QTest::newRow("right edge: left of it") << QPoint(490, 100) << QSize(50, 50) << QPoint(428, 112);
        QTest::newRow("bottom edge: above it") << QPoint(200, 340) << QSize(50, 50) << QPoint(212, 278);
        QTest::newRow("card larger than the screen")
            << QPoint(300, 200) << QSize(600, 500) << QPoint(100, 50);
        QTest::newRow("cursor before the screen") << QPoint(-40, -40) << QSize(50, 50) << QPoint(100, 50);
        QTest::newRow("cursor beyond the screen") << QPoint(900, 900) << QSize(50, 50) << QPoint(450, 300);
    }

    void codeCardPlacement()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        QCOMPARE(QFuncodeDetailInfoWidget::placeFor(cursor, size, QRect(100, 50, 400, 300)), expected);
    }

    void defaultComparisonReadsAnOnlineDriveFirst_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("online: read before the table fills") << true << QStringList{"P10.03/Y"};
        QTest::newRow("offline: the values already held") << false << QStringList{"P10.02/Z"};
    }

    // The comparison with the defaults is refreshed on every show, reading an online drive first.
    void defaultComparisonReadsAnOnlineDriveFirst()
    {
        QFETCH(bool, online);
        QFETCH(QStringList, expected);
        link()->setReplyDelay(5);
        link()->setRawValue("P10.02", 2, 99);
        QVERIFY(QTestHost::readAll(m_drive));
        link()->setRawValue("P10.02", 2, 2); // back to its default, but not read again
        link()->setRawValue("P10.03", 1, 99);
        link()->setOnline(online);
        QTestHost::clickTreeNode("three", TREE_NODE_DEFAULT_COMPARE, "defaults");
        QCOMPARE(defaultsShown(), expected);
        QCOMPARE(workspace()->defaultCompareView()->currentIndex().row(), 0);
    }

    // Between shows only the page's menu refreshes it; without a drive, neither a refresh nor a show takes
    // the rows away, and the axis cell no longer shows a drive's right of the code.
    void defaultComparisonRefreshesOnlyWhenAsked()
    {
        QDefaultCompareFuncodeView* view = workspace()->defaultCompareView();
        QTestHost::checkModel(view->getModel());
        QTestHost::clickTreeNode("three", TREE_NODE_DEFAULT_COMPARE, "defaults");
        QCOMPARE(defaultsShown(), QStringList());
        QVERIFY(m_drive->modifyFuncodeValueWithRecord("P10.04", 40, 0));
        QCOMPARE(defaultsShown(), QStringList());
        const QList<QMenu*> menus = view->findChildren<QMenu*>();
        QCOMPARE(menus.size(), 1);
        menus.first()->actions().value(0)->trigger();
        QCOMPARE(defaultsShown(), QStringList{"P10.04/X"});
        const QModelIndex axis = view->getModel()->index(0, QDefaultCompareFuncodeModel::COL_AXIS);
        QVERIFY(!axis.data(Qt::DecorationRole).value<QIcon>().isNull());
        QTestHost::select(QString());
        view->OnRefresh();
        view->hide();
        view->show();
        QCOMPARE(defaultsShown(), QStringList{"P10.04/X"});
        QVERIFY(axis.data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void removedCurrentDriveEmptiesTheWorkspace()
    {
        QTestHost::clickTreeNode("three", TREE_NODE_FUNCODE, "codes");
        QTestHost::clickTreeNode("three", TREE_NODE_RECORDS, "records");
        QPointer<QWidget> page = workspace()->tabWidget()->widget(0);
        QProjectCore::self()->getDevMgr()->removeDevice("one");
        QCOMPARE(workspace()->tabWidget()->count(), 2);
        QProjectCore::self()->getDevMgr()->removeDevice("three");
        QCOMPARE(workspace()->tabWidget()->count(), 0);
        QVERIFY(workspace()->currentAlias().isEmpty());
        // Closing a page only takes it out of the tab widget.
        QVERIFY(page);
        // The faults of all drives open without a drive, in a window of their own.
        QTestHost::clickTreeNode(QString(), TREE_NODE_ALL_CUR_FAULTS, "faults");
        QVERIFY(workspace()->multiDevFaultWindow()->isVisible());
        QCOMPARE(workspace()->tabWidget()->count(), 0);
    }

    void findDialogBringsACodeIntoView()
    {
        QTestHost::clickTreeNode("three", TREE_NODE_RECORDS, "records");
        m_main->toolWidget()->setFindText("speed INTEGRAL");
        m_main->OnButtonClicked(QButtonManager::BTN_FIND);
        QFindFuncodeDialog_Servo* find = m_main->findDialog();
        QVERIFY(find);
        QCOMPARE(find->getModel()->rowCount(), 1);
        find->OnSelectRow(find->getModel()->index(0, 0));
        // The group tables came to the front with the code's group and row.
        QCOMPARE(workspace()->tabWidget()->currentWidget(), workspace()->groupWidget());
        QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
        QCOMPARE(view->getFunGroup(), QStringLiteral("P2 Gains"));
        QCOMPARE(view->currentIndex().sibling(view->currentIndex().row(), 0).data().toString(),
                 QStringLiteral("P2.01"));
        QCOMPARE(m_main->toolWidget()->getFindText(), QStringLiteral("P2.01"));
        // Another drive drops the dialog; the next find builds a new one.
        QTestHost::select("one");
        QVERIFY(!m_main->findDialog());
    }
};

QTEST_MAIN(tst_QFuncodeWidget_Servo)
#include "tst_QFuncodeWidget_Servo.moc"
