#include "FileFixtures.h"
#include "ModalAnswer.h"
#include "QCommToolButton.h"
#include "QConfigDB_Servo.h"
#include "QCurFaultView.h"
#include "QDatabaseManager.h"
#include "QDevAlarmWidget.h"
#include "QDeviceServo.h"
#include "QEditHisFaultRecordDlg.h"
#include "QHisFormatTableDelegate.h"
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
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using D = QHisFormatTableDelegate;
using Records = QList<QHistoryFaultTreeWidget_Servo::RecordTexts>;
Q_DECLARE_METATYPE(Records)

// The alarm page of the selected drive: its current faults, the decoded fault history as a tree of records
// and their parameters, the history clear and the exports; and the editor of the history-record format
// that the tree opens: cell checks, saving, and the drives that use the result.
class tst_QDevAlarmWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDevAlarmWidget> m_page;
    std::unique_ptr<QEditHisFaultRecordDlg> m_dlg; // the history format's editor, on the drive "t"
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

    QTableWidget* table() const { return m_dlg->table(); }

    // Edits one cell as a user would: the delegate's editor, filled from the cell, changed, committed.
    void edit(int row, int column, const QVariant& value)
    {
        QAbstractItemDelegate* delegate = table()->itemDelegate();
        const QModelIndex index = table()->model()->index(row, column);
        QStyleOptionViewItem option;
        std::unique_ptr<QWidget> editor(delegate->createEditor(table()->viewport(), option, index));
        delegate->setEditorData(editor.get(), index);
        if (auto* spin = qobject_cast<QSpinBox*>(editor.get())) {
            spin->setValue(value.toInt());
        } else if (auto* combo = qobject_cast<QComboBox*>(editor.get())) {
            combo->setCurrentText(value.toString());
        } else if (auto* line = qobject_cast<QLineEdit*>(editor.get())) {
            line->setText(value.toString());
        }
        delegate->setModelData(editor.get(), table()->model(), index);
    }

    QString cell(int row, int column) const
    {
        return table()->item(row, column)->data(Qt::EditRole).toString();
    }
    // The texts of the message boxes shown so far.
    QStringList messages() const { return m_boxes->texts(); }

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
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(m_drive);
    }

    void cleanup()
    {
        m_page.reset();
        m_dlg.reset();
        m_boxes.reset();
        QTestHost::clearProject();
        QConfigDB_Servo* formats = QDatabaseManager::self()->getConfigDatabase_Servo();
        formats->saveHisFaultFromat("SD-A", "A110-2.15", 1101, {});
        formats->saveHisFaultFromat("TST", "T1", 901, {});
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
    // (tst_QFuncodeHelper_Servo::faultTexts); the tree adds two cases: a date field is shown as one, with
    // the date's unit, and a code that is no state code.
    void parameterCasesTheTreeAdds()
    {
        QDeviceServo* sd = selectRecordingDrive();
        raiseRecorded(sd, "E.201");
        QHistoryFaultTreeWidget_Servo tree;
        tree.OnRefresh();
        QCOMPARE(paramRow(tree, "Time of the fault").value(2), QString("y-m-d h:m:s"));
        QVERIFY(paramRow(tree, "Time of the fault").value(1).contains('-'));
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat(
            "SD-A", "A110-2.15", 1101,
            {{"1~2", "Fault code", 8, 4, "FAULTCODE", 0}, {"2", "Norm", 4, 2, "P00.00", 0}}));
        sd->initHisFaultFormat(true);
        raiseRecorded(sd, "E.101");
        tree.OnRefresh();
        QCOMPARE(tree.topLevelItem(0)->childCount(), 1);
        // Word 1 holds 0x0000, word 2 the fault code 101.
        QCOMPARE(paramRow(tree, "Norm"), (QStringList{"Norm", "101", ""}));
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

    void formatByteLengthsAddUpToAtMost128_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("128 in all") << 58 << true;
        QTest::newRow("132 in all") << 62 << false;
    }

    void formatByteLengthsAddUpToAtMost128()
    {
        QFETCH(int, length);
        QFETCH(bool, accepted);
        table()->setCurrentCell(-1, -1);
        m_dlg->onBtnAddRowClicked(); // a fourth row of 4 bytes
        edit(1, D::COL_BYTE_LEN, 64);
        QCOMPARE(cell(1, D::COL_BYTE_LEN), QString("64"));
        edit(0, D::COL_BYTE_LEN, length); // with 64 + 2 + 4 in the other rows
        QCOMPARE(cell(0, D::COL_BYTE_LEN), QString::number(accepted ? length : 4));
        // A new row's 4 bytes count against the limit as a typed length does.
        m_dlg->onBtnAddRowClicked();
        QCOMPARE(table()->rowCount(), accepted ? 4 : 5);
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_BYTE_COLUMN_MORE_THAN_128")});
    }

    // A number is a word from 1 to 99 or a range of them; a parameter a keyword or a code of the drive (or
    // of the selected one, once the drive is gone). A refused text leaves the cell and says why.
    void formatCellChecks_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("driveRemoved");
        const int number = D::COL_NUMBER;
        const int param = D::COL_PARAM;
        const QString badNumber("STR_HIS_NUMBER_INVALID");
        const QString badParam("STR_PARAM_IS_NOT_EXIST");
        QTest::newRow("number 05") << number << "05" << badNumber << false;
        QTest::newRow("number 100") << number << "100" << badNumber << false;
        QTest::newRow("number 0") << number << "0" << badNumber << false;
        QTest::newRow("range ends open") << number << "3~" << badNumber << false;
        QTest::newRow("range 3~12") << number << "3~12" << QString() << false;
        QTest::newRow("number 99") << number << "99" << QString() << false;
        QTest::newRow("faultcode in lower case") << param << "faultcode" << QString() << false;
        QTest::newRow("Reserve") << param << "Reserve" << QString() << false;
        QTest::newRow("state code") << param << "U00.00" << QString() << false;
        QTest::newRow("normal code") << param << "P2.01" << QString() << false;
        QTest::newRow("unknown code") << param << "P99.99" << badParam << false;
        QTest::newRow("empty") << param << "" << badParam << false;
        QTest::newRow("keyword, drive gone") << param << "faultcode" << QString() << true;
        QTest::newRow("code, drive gone") << param << "U00.00" << badParam << true;
    }

    void formatCellChecks()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QFETCH(bool, driveRemoved);
        const int row = column == D::COL_NUMBER ? 0 : 1;
        const QString before = cell(row, column);
        if (driveRemoved) {
            QTestHost::clearProject();
        }
        edit(row, column, text);
        QCOMPARE(cell(row, column), refusal.isEmpty() ? text : before);
        QCOMPARE(messages(),
                 refusal.isEmpty() ? QStringList() : QStringList{QTestUi::text(qPrintable(refusal))});
    }

    void savedFormatGoesToTheDrivesOfItsIdentity()
    {
        QDeviceServo* twin = QTestHost::addDrive("TST1", "twin");
        QDeviceServo* stranger = QTestHost::addDrive("TST2", "stranger");
        // An unchanged table is not saved.
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_NOT_CHANG")});
        QVERIFY(!QDatabaseManager::self()->getConfigDatabase_Servo()->hasDevHisFaultFormat("TST", "T1", 901));
        m_boxes->clear();
        edit(1, D::COL_NAME, "Bus");
        edit(1, D::COL_DATA_TYPE, "3:int16");
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_SAVE_SUCCESSED") +
                                         QTestUi::text("STR_NEW_FORMAT_VALID_WHEN_REFRESH_FAULT")});
        QCOMPARE(m_dlg->loadedRows(), m_dlg->tableRows());
        QCOMPARE(twin->getDevHisFaultFormat(false).value(1).name, QString("Bus"));
        QCOMPARE(twin->getDevHisFaultFormat(false).value(1).dataType, 3);
        QCOMPARE(stranger->getDevHisFaultFormat(false), stranger->getDevHisFaultFormat(true));
        // How a drive uses a stored format, from its start on, and decodes records with it:
        // tst_QDeviceServo::storedFormatIsUsedAndAnnounced, tst_QHisFaultRecordDecoder.

        m_boxes->clear();
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_NOT_CHANG")});
    }

    void emptyFormatAsksForTheDefault_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("restore") << 1;
        QTest::newRow("keep") << 2;
    }

    // Saving a table whose rows were all deleted asks whether the default format comes back: yes shows and
    // uses the default, no changes nothing.
    void emptyFormatAsksForTheDefault()
    {
        QFETCH(int, answer);
        const QHisFaultFormatList_Servo custom{{"1~2", "Fault code", 8, 4, "FAULTCODE", 0}};
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901,
                                                                                        custom));
        m_drive->initHisFaultFormat(true);
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(m_drive);
        table()->setRowCount(0);
        m_boxes->setAnswer(answer);
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages().value(0), QTestUi::text("STR_RESTORE_DEFAULT_FORMAT"));
        const QHisFaultFormatList_Servo expected = answer == 1 ? m_drive->getDevHisFaultFormat(true) : custom;
        QCOMPARE(m_drive->getDevHisFaultFormat(false), expected);
        QCOMPARE(table()->rowCount(), answer == 1 ? expected.size() : 0);
    }

    // The table opens with the format in use. A row is added at the current row, with the defaults; until it
    // is filled the table is not saved.
    void formatRowsAddedMustBeFilledBeforeSaving()
    {
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(cell(0, D::COL_DATA_TYPE), QString("8:uint32"));
        QCOMPARE(m_dlg->tableRows(), m_drive->getDevHisFaultFormat(false));
        QCOMPARE(D::dataTypeText(5), QString("5"));
        table()->setCurrentCell(1, 0);
        m_dlg->onBtnAddRowClicked();
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(cell(1, D::COL_NUMBER), QString());
        QCOMPARE(cell(1, D::COL_DATA_TYPE), QString("7:int32"));
        QCOMPARE(cell(1, D::COL_BYTE_LEN), QString("4"));
        QCOMPARE(cell(2, D::COL_PARAM), QString("U00.01"));
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_ROW_INCOMPLETE")});
        QVERIFY(!QDatabaseManager::self()->getConfigDatabase_Servo()->hasDevHisFaultFormat("TST", "T1", 901));
    }

    void formatRowDeleteAsksFirst_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<QString>("message");
        QTest::newRow("no row") << -1 << 1 << 3 << "STR_SELECT_ONE_ROW";
        QTest::newRow("confirmed") << 1 << 1 << 2 << "STR_CONFIRM_DELETE_ROW";
        QTest::newRow("declined") << 1 << 0 << 3 << "STR_CONFIRM_DELETE_ROW";
    }

    void formatRowDeleteAsksFirst()
    {
        QFETCH(int, current);
        QFETCH(int, answer);
        QFETCH(int, rowsLeft);
        QFETCH(QString, message);
        table()->setCurrentCell(current, current < 0 ? -1 : 0);
        m_boxes->setAnswer(answer);
        m_dlg->onBtnDeleteRowClicked();
        QCOMPARE(table()->rowCount(), rowsLeft);
        QCOMPARE(messages(), QStringList{QTestUi::text(qPrintable(message))});
    }

    void shippedFormatsOpenAndSaveBackUnchanged_data()
    {
        QTest::addColumn<QString>("model");
        for (const char* model : {"SD110", "SD220", "SD330", "KV905"}) {
            QTest::newRow(model) << model;
        }
    }

    void shippedFormatsOpenAndSaveBackUnchanged()
    {
        QFETCH(QString, model);
        QDeviceServo* drive = QTestHost::addSelectedDrive(model, "shipped");
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(drive);
        QVERIFY(table()->rowCount() >= 8);
        for (int row = 0; row < table()->rowCount(); ++row) {
            for (int column = 0; column < D::COLUMN_COUNT; ++column) {
                edit(row, column, table()->item(row, column)->data(Qt::EditRole));
            }
        }
        QCOMPARE(messages(), QStringList());
        QCOMPARE(m_dlg->tableRows(), drive->getDevHisFaultFormat(true));
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_NOT_CHANG")});
    }
};

QTEST_MAIN(tst_QDevAlarmWidget)
#include "tst_QDevAlarmWidget.moc"
