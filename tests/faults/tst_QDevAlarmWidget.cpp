#include "FileFixtures.h"
#include "ModalAnswer.h"
#include "QCommToolButton.h"
#include "QConfigDB_Servo.h"
#include "QCurFaultView.h"
#include "QDatabaseManager.h"
#include "QDevAlarmWidget.h"
#include "QDeviceServo.h"
#include "QHistoryFaultTreeWidget_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSingleServoDeviceFaultModel.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QtTest>

using Records = QList<QHistoryFaultTreeWidget_Servo::RecordTexts>;
Q_DECLARE_METATYPE(Records)

// The alarm page of the selected drive: its current faults, the decoded fault history as a tree of records
// and their parameters, the history clear and the exports.
class tst_QDevAlarmWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDevAlarmWidget> m_page;
    std::unique_ptr<QTestMessageBoxes> m_boxes;
    QDeviceServo* m_drive = nullptr;

    // Everything a tree shows, item by item.
    static QStringList snapshot(const QTreeWidget* tree)
    {
        QStringList lines;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = tree->topLevelItem(i);
            lines << QStringLiteral("%1|%2|%3")
                         .arg(item->text(0), item->toolTip(0))
                         .arg(item->isFirstColumnSpanned());
            for (int j = 0; j < item->childCount(); ++j) {
                const QTreeWidgetItem* child = item->child(j);
                lines << QStringLiteral("  %1|%2|%3").arg(child->text(0), child->text(1), child->text(2));
            }
        }
        return lines;
    }

    static QHistoryFaultTreeWidget_Servo::RecordTexts record(const QString& label, int params)
    {
        QHistoryFaultTreeWidget_Servo::RecordTexts r;
        r.label = label;
        r.toolTip = label.toLower();
        for (int i = 0; i < params; ++i) {
            r.params << QStringList{label + QString::number(i), QString::number(i), "V"};
        }
        return r;
    }

    // The name, value and unit of the first record's parameter of that name.
    static QStringList paramRow(const QTreeWidget& tree, const QString& name)
    {
        const QTreeWidgetItem* first = tree.topLevelItem(0);
        for (int j = 0; first && j < first->childCount(); ++j) {
            if (first->child(j)->text(0) == name) {
                return {first->child(j)->text(0), first->child(j)->text(1), first->child(j)->text(2)};
            }
        }
        return {};
    }

    // Raises the fault on the drive's axis and waits until the drive has read the new history record.
    static void raiseRecorded(QDeviceServo* drive, const QString& code, int axis = 0)
    {
        const int before = drive->getHistoryFaultRecords(axis).size();
        QVERIFY(QTestHost::link(drive->getAliasName())->raiseFault(code, axis));
        QTRY_COMPARE(drive->getHistoryFaultRecords(axis).size(), before + 1);
    }

    // A selected drive whose shipped history format records ten parameters.
    static QDeviceServo* selectRecordingDrive()
    {
        QDeviceServo* drive = QTestHost::addSelectedDrive("SD110", "sd");
        QTestHost::link("sd")->setFrozen(true);
        return drive;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_drive = QTestHost::addSelectedDrive("TST1", "t");
        QVERIFY(m_drive);
        m_boxes = std::make_unique<QTestMessageBoxes>();
        m_page = std::make_unique<QDevAlarmWidget>();
        m_page->setClearRefreshInterval(5);
        QTestHost::checkModel(m_page->curFaultView()->faultModel());
    }

    void cleanup()
    {
        m_page.reset();
        m_boxes.reset();
        QTestHost::clearProject();
        QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("SD-A", "A110-2.15", 1101,
                                                                                {});
    }

    // The page follows the selected drive; a drive of several axes offers its axes and shows the chosen
    // axis's history, a drive of one axis offers none and keeps no axis it does not have.
    void followsTheSelectedDriveAndAxis()
    {
        raiseRecorded(m_drive, "E.101");
        QDeviceServo* three = QTestHost::addSelectedDrive("TST3", "u");
        QCOMPARE(m_page->windowTitle(), m_page->getWindowTitleFormatText().arg("u"));
        raiseRecorded(three, "E.101", 1);
        m_page->historyTree()->OnRefresh();
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), 0); // axis X has none
        QComboBox* axes = m_page->axisBox();
        QCOMPARE(axes->count(), 3);
        axes->setCurrentIndex(1);
        emit axes->activated(1);
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), 1);
        QTestHost::select("t");
        QVERIFY(!axes->isVisibleTo(m_page.get()));
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), 1);
        QCOMPARE(m_page->curFaultView()->faultModel()->rowCount(), 1);
    }

    void clearAsksThenRefreshesThreeTimes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("online");
        QTest::addColumn<int>("recordsLeft");
        QTest::newRow("declined") << 0 << true << 1;
        QTest::newRow("confirmed") << 1 << true << 0;
        QTest::newRow("offline drive") << 1 << false << 1;
    }

    void clearAsksThenRefreshesThreeTimes()
    {
        QFETCH(int, answer);
        QFETCH(bool, online);
        QFETCH(int, recordsLeft);
        raiseRecorded(m_drive, "E.101");
        m_page->historyTree()->OnRefresh();
        QTestHost::link("t")->setOnline(online);
        m_boxes->setAnswer(answer);
        m_page->clearButton()->click();
        QCOMPARE(m_boxes->calls().value(0).text, QTestUi::text("STR_SURE_TO_CLEAR_FUNCODE"));
        QCOMPARE(m_page->pendingClearRefreshes(), answer == 1 ? 3 : 0);
        QTRY_COMPARE(m_page->pendingClearRefreshes(), 0);
        QCOMPARE(QTestHost::link("t")->historyCount(0), recordsLeft);
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), recordsLeft);
        // The tree's menu clears through the page too.
        QTestHost::link("t")->setOnline(true);
        m_boxes->clear();
        m_boxes->setAnswer(0);
        m_page->historyTree()->menuActions().at(1)->trigger();
        QCOMPARE(m_boxes->count(), 1);
    }

    void exports_data()
    {
        QTest::addColumn<bool>("history"); // the history tree's export, else the current faults'
        QTest::addColumn<QString>("file"); // chosen in the file dialog; empty: no drive selected
        QTest::addColumn<int>("lines");    // a heading, the column headers, the rows
        QTest::addColumn<QString>("last"); // the start of the last line; a failure: its message
        QTest::newRow("current faults") << false << "current.csv" << 4 << "t,2,E.101,Overcurrent,";
        QTest::newRow("history: a line per record and parameter")
            << true << "history.csv" << 2 + 2 * 10 << "2,E.201: Power stage overcurrent,Absolute position,";
        QTest::newRow("no drive") << false << "" << 0 << "STR_NOTSELECT_DEVICE";
        QTest::newRow("unwritable place") << true << "/proc/no/such/dir/x.csv" << 0 << "STR_OPEN_FILE_FAILED";
    }

    // Both pages export through one exporter: what they hand it, and what it says.
    void exports()
    {
        QFETCH(bool, history);
        QFETCH(QString, file);
        QFETCH(int, lines);
        QFETCH(QString, last);
        QDeviceServo* drive = history ? selectRecordingDrive() : m_drive;
        raiseRecorded(drive, "E.201");
        raiseRecorded(drive, "E.101");
        QTRY_COMPARE(drive->getCurFaultList().size(), 2);
        QHistoryFaultTreeWidget_Servo tree;
        const auto command = [&]() {
            history ? tree.slotHistoryFaultaExportBtn() : m_page->curFaultView()->exportFaultInfo();
        };
        if (file.isEmpty()) {
            QTestHost::select(QString());
            command(); // asks for no file
            QCOMPARE(m_boxes->calls().value(0).text, QTestUi::text(qPrintable(last)));
            return;
        }
        QTemporaryDir dir;
        const QString path = file.startsWith('/') ? file : dir.filePath(file);
        QString suggested;
        chooseInFileDialog(path, &suggested);
        command();
        const QStringList written =
            QString::fromLocal8Bit(FileFixtures::readBytes(path)).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(suggested.endsWith("ExportInfo_" + drive->getAliasName() + ".csv"), qPrintable(suggested));
        QCOMPARE(written.size(), lines);
        if (lines == 0) {
            QCOMPARE(m_boxes->calls().value(0).text, QTestUi::text(qPrintable(last)));
            return;
        }
        QCOMPARE(m_boxes->calls().value(0).text, QTestUi::text("STR_EXPORT_SUCCESS").arg(path));
        QCOMPARE(written.at(0), QTestUi::text(history ? "STR_HIS_FAULT" : "STR_CURRENT_FAULT"));
        QVERIFY2(written.last().startsWith(last), qPrintable(written.last()));
    }

    // Refresh and clear need the drive online; export and the format editor do not.
    void menusFollowTheDriveState()
    {
        QHistoryFaultTreeWidget_Servo* tree = m_page->historyTree();
        for (bool online : {true, false}) {
            QTestHost::link("t")->setOnline(online);
            tree->rightMenuClicked(QPoint());
            const QList<QAction*> actions = tree->menuActions();
            QCOMPARE(actions.at(0)->isEnabled(), online);
            QCOMPARE(actions.at(1)->isEnabled(), online);
            QVERIFY(actions.at(2)->isEnabled() && actions.at(3)->isEnabled());
            tree->contextMenu()->hide();
        }
        m_page->curFaultView()->rightMenuClicked(QPoint());
        QVERIFY(!m_page->curFaultView()->refreshAction()->isEnabled());
        QVERIFY(!m_page->curFaultView()->exportAction()->isEnabled());
        m_page->curFaultView()->contextMenu()->hide();
    }

    // The record's label and its parameters' texts are the export rows' matter
    // (tst_QFuncodeHelper_Servo::faultTexts); a date field is shown as one, with the date's unit.
    void dateParameterShowsAsADate()
    {
        raiseRecorded(selectRecordingDrive(), "E.201");
        QHistoryFaultTreeWidget_Servo tree;
        tree.OnRefresh();
        QCOMPARE(paramRow(tree, "Time of the fault").value(2), QString("y-m-d h:m:s"));
        QVERIFY(paramRow(tree, "Time of the fault").value(1).contains('-'));
    }

    // How a parameter's texts are made is the export rows' matter; a code that is no state code is the one
    // case the tree's drive adds.
    void normalCodeIsNoStateCode()
    {
        QDeviceServo* sd = selectRecordingDrive();
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat(
            "SD-A", "A110-2.15", 1101,
            {{"1~2", "Fault code", 8, 4, "FAULTCODE", 0}, {"2", "Norm", 4, 2, "P00.00", 0}}));
        sd->initHisFaultFormat(true);
        raiseRecorded(sd, "E.201");
        QHistoryFaultTreeWidget_Servo tree;
        tree.OnRefresh();
        QCOMPARE(tree.topLevelItem(0)->childCount(), 1);
        // Word 1 holds 0x0000, word 2 the fault code 201.
        QCOMPARE(paramRow(tree, "Norm"), (QStringList{"Norm", "201", ""}));
    }

    void updateInPlaceEqualsRebuild_data()
    {
        QTest::addColumn<QList<Records>>("steps");
        const Records two{record("A", 2), record("B", 1)};
        QTest::newRow("record added") << QList<Records>{two, two + Records{record("C", 3)}};
        QTest::newRow("record removed") << QList<Records>{two, {record("A", 2)}};
        QTest::newRow("newest first shifts all") << QList<Records>{two, Records{record("N", 0)} + two};
        QTest::newRow("parameters grow and shrink")
            << QList<Records>{two, {record("A", 5), record("B", 0)}, {record("A", 1), record("B", 4)}};
        QTest::newRow("emptied") << QList<Records>{two, Records{}};
        QTest::newRow("refilled after empty") << QList<Records>{two, Records{}, {record("Z", 2)}};
    }

    // Each step updates the items in place (an expanded record stays the same item, still expanded) and
    // ends as a tree built anew would.
    void updateInPlaceEqualsRebuild()
    {
        QFETCH(QList<Records>, steps);
        QHistoryFaultTreeWidget_Servo tree;
        for (const Records& step : steps) {
            QTreeWidgetItem* first = tree.topLevelItem(0);
            if (first) {
                first->setExpanded(true);
            }
            tree.showRecords(step);
            if (first && tree.topLevelItemCount() > 0) {
                QCOMPARE(tree.topLevelItem(0), first);
                QVERIFY(first->isExpanded());
            }
        }
        QHistoryFaultTreeWidget_Servo rebuilt;
        rebuilt.rebuild(steps.last());
        QCOMPARE(snapshot(&tree), snapshot(&rebuilt));
        QCOMPARE(tree.headerItem()->text(2), rebuilt.headerItem()->text(2));
    }

    // The tree shows the history of the drive it was refreshed for as it grows, and no other drive's.
    void liveHistoryOfItsDriveOnly()
    {
        QDeviceServo* sd = selectRecordingDrive();
        QHistoryFaultTreeWidget_Servo tree;
        raiseRecorded(m_drive, "E.101");
        emit QSoftCore::getCore()->getSignalManager()->SigHistoryFaultChanged("t");
        QCOMPARE(tree.topLevelItemCount(), 0); // not refreshed for a drive yet
        tree.OnRefresh();
        QCOMPARE(tree.lastAlias(), QString("sd"));
        emit QSoftCore::getCore()->getSignalManager()->SigHistoryFaultChanged("t");
        QCOMPARE(tree.topLevelItemCount(), 0);
        raiseRecorded(sd, "E.101");
        QTRY_COMPARE(tree.topLevelItemCount(), 1);
        raiseRecorded(sd, "E.201");
        QTRY_COMPARE(tree.topLevelItemCount(), 2);
        QVERIFY(tree.topLevelItem(0)->text(0).contains("E.201"));
    }
};

QTEST_MAIN(tst_QDevAlarmWidget)
#include "tst_QDevAlarmWidget.moc"
