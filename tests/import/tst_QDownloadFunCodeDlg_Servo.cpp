#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QDownloadFunCodeDlg_Servo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QDriveCatalogue.h"
#include "QImportMotorType_Servo.h"
#include "QMyMessageBox.h"
#include "QOkCancel.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "TreeItem.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {
const QString kAlias = QStringLiteral("Import-Dlg");

// A row as a file gives it: the text and the raw value the drive makes of it, on every axis.
tagExportFuncodePtr_Servo fileRow(const QDeviceServo* device, const QString& group, const QString& number,
                                  const QString& text)
{
    auto record = tagExportFuncodePtr_Servo::create();
    record->groupName = group;
    record->funIndex = number;
    record->funName = number;
    record->axisNum = device->getAxisNum();
    for (int axis = 0; axis < record->axisNum; ++axis) {
        record->valueTexts.append(text);
        record->curValue[size_t(axis)] = device->getRawValueByScaledValStr(number, text);
    }
    return record;
}

// The text of a key as the user sees it.
QString tx(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

QStringList numbersOf(const QList<tagExportFuncodePtr_Servo>& rows)
{
    QStringList numbers;
    for (const tagExportFuncodePtr_Servo& row : rows) {
        numbers.append(row->funIndex);
    }
    return numbers;
}
} // namespace

// The import dialog on a simulated three-axis drive: what it preselects, the motor type written ahead,
// the drive's refusal, failed codes offered again, the monitored list, and reading the drive again.
class tst_QDownloadFunCodeDlg_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    int m_answer = 1;

    // P00.01 equal to the drive, P00.02 and P2.00 different (the drive holds the defaults).
    QList<tagExportFuncodePtr_Servo> threeRows() const
    {
        return {fileRow(m_device, "P00 Basic", "P00.01", "2.80"),
                fileRow(m_device, "P00 Basic", "P00.02", "2500"),
                fileRow(m_device, "P2 Gains", "P2.00", "30.0")};
    }
    std::unique_ptr<QDownloadFunCodeDlg_Servo> makeDialog(const QList<tagExportFuncodePtr_Servo>& rows,
                                                          bool monitored = false)
    {
        auto dialog =
            std::make_unique<QDownloadFunCodeDlg_Servo>(QStringLiteral("TST3"), QString(), rows, monitored);
        QTestHost::checkModel(dialog->treeModel());
        return dialog;
    }
    static QList<QMyMessageBox::Call> calls(QMyMessageBox::Kind kind)
    {
        QList<QMyMessageBox::Call> found;
        for (const QMyMessageBox::Call& call : QMyMessageBox::recordedCalls()) {
            if (call.kind == kind) {
                found.append(call);
            }
        }
        return found;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QProjectCore::self()->getCatalogue()->addModel(QTestHost::testModel(1, QStringLiteral("TST1")));
        QProjectCore::self()->getCatalogue()->addModel(QTestHost::testModel(2, QStringLiteral("TST2")));
    }
    void init()
    {
        m_device = QTestHost::addSelectedDrive(QStringLiteral("TST3"), kAlias);
        m_link = QTestHost::link(kAlias);
        QVERIFY(m_device && m_link && QTestHost::readAll(m_device));
        m_answer = 1;
        QMyMessageBox::clearRecordedCalls();
        QMyMessageBox::setTestHook([this](const QMyMessageBox::Call&) { return m_answer; });
    }
    void cleanup()
    {
        QMyMessageBox::setTestHook(nullptr);
        QTestHost::clearProject();
    }

    void differingRowsArePreselected()
    {
        auto dialog = makeDialog(threeRows());
        QDownloadTreeModel* model = dialog->treeModel();
        QCOMPARE(dialog->title(), tx("STR_IMPORT_FUNCODE") + QStringLiteral("(TST3)"));
        // The check column has a header of its own, not the monitored page's.
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Select"));
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), tx("STR_CUR_VAL") + QStringLiteral("(X)"));
        QCOMPARE(numbersOf(model->checkedNumbers()), QStringList({"P00.02", "P2.00"}));
        QCOMPARE(dialog->checkedCount(), 2);
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
        // The file rows now carry the drive's values.
        QCOMPARE(dialog->rows().at(1)->curValueTexts, QStringList({"3000", "3000", "3000"}));
        QVERIFY(!dialog->replaceButton()->isVisibleTo(dialog.get()));
    }

    void rowsEqualToTheDriveLeaveOkDisabled()
    {
        auto dialog = makeDialog({fileRow(m_device, "P00 Basic", "P00.01", "2.80"),
                                  fileRow(m_device, "P2 Gains", "P2.00", "27.0")});
        QCOMPARE(dialog->checkedCount(), 0);
        QVERIFY(!dialog->okCancel()->isOkBtnEnabled());
        QVERIFY(!dialog->treeModel()->topItem()->isHighlighted());
        QVERIFY(dialog->expandedIndexes().isEmpty());
    }

    void columnsOfMissingAxesAreHidden_data()
    {
        QTest::addColumn<int>("axes");
        QTest::addColumn<QList<bool>>("hidden"); // columns 4 to 7
        QTest::newRow("one axis") << 1 << QList<bool>{true, true, true, true};
        QTest::newRow("two axes") << 2 << QList<bool>{false, false, true, true};
        QTest::newRow("three axes") << 3 << QList<bool>{false, false, false, false};
    }
    void columnsOfMissingAxesAreHidden()
    {
        QFETCH(int, axes);
        QFETCH(QList<bool>, hidden);
        QTestHost::clearProject();
        const QString model = axes == 3 ? QStringLiteral("TST3") : QStringLiteral("TST%1").arg(axes);
        m_device = QTestHost::addSelectedDrive(model, kAlias);
        QVERIFY(m_device);
        QCOMPARE(m_device->getAxisNum(), axes);
        auto dialog = makeDialog(threeRows());
        for (int column = 4; column < 8; ++column) {
            QCOMPARE(dialog->treeView()->isColumnHidden(column), hidden.at(column - 4));
        }
    }

    void clicksInTheFirstColumnToggleAndDriveOk()
    {
        auto dialog = makeDialog(threeRows());
        QDownloadTreeModel* model = dialog->treeModel();
        const QModelIndex top = model->index(0, 0);
        dialog->OnMousePressEvent(top);
        QCOMPARE(dialog->checkedCount(), 3);
        dialog->OnMousePressEvent(top);
        QCOMPARE(dialog->checkedCount(), 0);
        QVERIFY(!dialog->okCancel()->isOkBtnEnabled());
        // A click on another column does nothing.
        dialog->OnMousePressEvent(model->index(0, 1));
        QCOMPARE(dialog->checkedCount(), 0);
        dialog->on_btnSelectDiff_clicked();
        QCOMPARE(dialog->checkedCount(), 2);
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
    }

    void onlyDifferingRowsCanBeShown()
    {
        auto dialog = makeDialog(threeRows());
        QDownloadTreeView_Servo* view = dialog->treeView();
        const QModelIndex basic = dialog->treeModel()->index(0, 0, dialog->treeModel()->index(0, 0));
        dialog->on_radioButton_diffFuncode_clicked();
        QVERIFY(view->isRowHidden(0, basic));  // P00.01 is equal
        QVERIFY(!view->isRowHidden(1, basic)); // P00.02 differs
        dialog->on_radioButton_allFuncode_clicked();
        QVERIFY(!view->isRowHidden(0, basic));
    }

    void okWritesTheCheckedCodes()
    {
        auto dialog = makeDialog(threeRows());
        // P2.00 is left out.
        dialog->OnMousePressEvent(dialog->treeModel()->index(
            0, 0, dialog->treeModel()->index(1, 0, dialog->treeModel()->index(0, 0))));
        dialog->OnOk();
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(m_link->rawValue("P00.02", axis), qint64(2500));
            QCOMPARE(m_device->getScaledCurValueStr("P2.00", axis), QStringLiteral("27.0"));
        }
        QCOMPARE(calls(QMyMessageBox::Success).size(), 1);
        // What was written no longer differs.
        QVERIFY(!dialog->treeModel()->differingColumns().contains("P00.02"));
        QVERIFY(dialog->treeModel()->differingColumns().contains("P2.00"));
    }

    void nothingCheckedSaysSo()
    {
        auto dialog = makeDialog(threeRows());
        dialog->OnMousePressEvent(dialog->treeModel()->index(0, 0));
        dialog->OnMousePressEvent(dialog->treeModel()->index(0, 0));
        dialog->OnOk();
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
        QCOMPARE(QMyMessageBox::recordedCalls().first().text, tx("STR_NO_DATA"));
    }

    void aRefusingDriveIsAskedFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("writeTried");
        QTest::newRow("continue") << 1 << true;
        QTest::newRow("cancel") << 2 << false;
        QTest::newRow("closed") << 0 << false;
    }
    void aRefusingDriveIsAskedFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, writeTried);
        auto dialog = makeDialog(threeRows());
        QDriveFaultSwitches switches;
        switches.refuseWrites = true;
        switches.refuseReason = QStringLiteral("Servo is enabled");
        m_link->setFaultSwitches(switches);
        m_answer = answer;
        dialog->OnOk();
        const QList<QMyMessageBox::Call> questions = calls(QMyMessageBox::Question);
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions.first().text, QStringLiteral("Servo is enabled"));
        QCOMPARE(questions.first().buttons,
                 QStringList({tx("STR_CONTINUE_IMPORT"), tx("STR_CANCEL_IMPORT")}));
        // The drive refuses every write: going on lists them all as failed.
        QCOMPARE(calls(QMyMessageBox::Warning).size(), writeTried ? 1 : 0);
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000));
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
    }

    void aFailedCodeKeepsTheOthersAndIsOfferedAgain()
    {
        auto dialog = makeDialog(threeRows());
        QDriveFaultSwitches switches;
        switches.failCode = QStringLiteral("P00.02");
        m_link->setFaultSwitches(switches);
        dialog->OnOk();
        QCOMPARE(m_link->rawValue("P2.00", 0), qint64(300));
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000));
        const QList<QMyMessageBox::Call> warnings = calls(QMyMessageBox::Warning);
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().text.endsWith(QStringLiteral("P00.02")), qPrintable(warnings.first().text));
        // Only the failed code is left, checked again for another attempt.
        QCOMPARE(numbersOf(dialog->rows()), QStringList({"P00.02"}));
    }

    void motorTypeIsWrittenAheadWhenItDiffers_data()
    {
        QTest::addColumn<QString>("fileMotor");
        QTest::addColumn<int>("expected");
        QTest::newRow("differs") << "3" << int(QImportMotorType_Servo::Written);
        QTest::newRow("equal") << "1" << int(QImportMotorType_Servo::NotNeeded);
    }
    void motorTypeIsWrittenAheadWhenItDiffers()
    {
        QFETCH(QString, fileMotor);
        QFETCH(int, expected);
        QCOMPARE(m_device->getMotorType(), qint64(1));
        const tagExportFuncodePtr_Servo motor = fileRow(m_device, "P00 Basic", "P00.00", fileMotor);
        QMap<QString, tagExportFuncodePtr_Servo> funcodes{{"P00.00", motor}};
        QString reason;
        QCOMPARE(int(QImportMotorType_Servo::writeAhead(m_device, funcodes, &reason)), expected);
        QCOMPARE(m_device->getMotorType(), motor->curValue[0]);
        QVERIFY(reason.isEmpty());
    }

    void motorTypeGoesFirstInTheImport()
    {
        QList<tagExportFuncodePtr_Servo> rows = threeRows();
        rows.prepend(fileRow(m_device, "P00 Basic", "P00.00", "3"));
        auto dialog = makeDialog(rows);
        QList<QStringList> changes;
        QObject receiver;
        connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeChanged_Servo, &receiver,
                [&changes](const QString&, const QStringList& numbers) { changes.append(numbers); });
        dialog->OnOk();
        QCOMPARE(m_device->getMotorType(), qint64(3));
        // The motor type is written alone: the first change names it (and the codes it sets on the drive),
        // not the other codes of the file.
        QVERIFY(!changes.isEmpty());
        QVERIFY(changes.first().contains("P00.00"));
        QVERIFY(!changes.first().contains("P2.00"));
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(2500));
    }

    void aMotorTypeThatFailsStopsTheImport()
    {
        QList<tagExportFuncodePtr_Servo> rows = threeRows();
        rows.prepend(fileRow(m_device, "P00 Basic", "P00.00", "3"));
        auto dialog = makeDialog(rows);
        QDriveFaultSwitches switches;
        switches.failCode = QStringLiteral("P00.00");
        m_link->setFaultSwitches(switches);
        dialog->OnOk();
        const QList<QMyMessageBox::Call> warnings = calls(QMyMessageBox::Warning);
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().text.startsWith(tx("STR_MOTOR_TYPE_CHANGED_FAILED") + QLatin1Char(':')));
        QVERIFY(warnings.first().text.endsWith(
            tx("STR_MANUAL_MATCH_MOTOR_TYPE_PARAM_VALUE_THEN_IMPORT").arg("P00.00")));
        // Nothing else was written.
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000));
        QCOMPARE(m_link->rawValue("P00.00", 0), qint64(1));
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
    }

    void theMonitoredListIsReplacedOrExtended_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("replace") << true << QStringList({"P00.02", "P2.00"});
        QTest::newRow("append") << false << QStringList({"P10.05", "P00.02", "P2.00"});
    }
    void theMonitoredListIsReplacedOrExtended()
    {
        QFETCH(bool, replace);
        QFETCH(QStringList, expected);
        m_device->setSelSubFuncodeList({"P10.05"});
        auto dialog = makeDialog(threeRows(), true);
        QVERIFY(dialog->replaceButton()->isVisibleTo(dialog.get()));
        QVERIFY(dialog->replaceButton()->isChecked());
        QCOMPARE(dialog->treeModel()->index(0, 0).data().toString(), tx("STR_MONITOR_FUNCODE"));
        (replace ? dialog->replaceButton() : dialog->appendButton())->setChecked(true);
        QSignalSpy updated(dialog.get(), &QDownloadFunCodeDlg_Servo::sigUpdateFocusTable);
        dialog->OnOk();
        QCOMPARE(updated.count(), 1);
        QCOMPARE(m_device->getSelSubFuncodeList(), expected);
    }

    void refreshReadsTheDriveAgain()
    {
        auto dialog = makeDialog(threeRows());
        m_link->setRawValue("P00.01", 1, 350);
        QDriveFaultSwitches switches;
        switches.failCode = QStringLiteral("P2.00");
        m_link->setFaultSwitches(switches);
        dialog->OnRefreshFuncode();
        QCOMPARE(dialog->rows().at(0)->curValueTexts, QStringList({"2.80", "3.50", "2.80"}));
        QCOMPARE(dialog->rows().at(2)->curValueTexts, QStringList({"null", "null", "null"}));
        QVERIFY(dialog->treeModel()->differingColumns().contains("P00.01"));
        QVERIFY(dialog->treeModel()->differingColumns().contains("P2.00"));
        QVERIFY(calls(QMyMessageBox::Information).isEmpty());
    }

    void refreshOfAnOfflineOrMissingDriveSaysSo()
    {
        auto dialog = makeDialog(threeRows());
        m_link->setOnline(false);
        dialog->OnRefreshFuncode();
        QTestHost::clearProject();
        dialog->OnRefreshFuncode();
        const QList<QMyMessageBox::Call> infos = calls(QMyMessageBox::Information);
        QCOMPARE(infos.size(), 2);
        QCOMPARE(infos.at(0).text, tx("STR_DEVICE_NOT_ONLINE"));
        QCOMPARE(infos.at(1).text, tx("STR_NO_EXIST_DEVICE"));
        dialog->OnOk();
        QCOMPARE(calls(QMyMessageBox::Information).last().text, tx("STR_NOTSELECT_DEVICE"));
    }

    void continueImportKeepsTheFailedCodesOfItsDrive()
    {
        auto dialog = makeDialog(threeRows());
        dialog->slotContinueImport(QStringLiteral("another drive"), {"P2.00"});
        QCOMPARE(dialog->rows().size(), 3);
        dialog->slotContinueImport(kAlias, {"P2.00", "p00.02"});
        QCOMPARE(numbersOf(dialog->rows()), QStringList({"P2.00"}));
        QCOMPARE(dialog->checkedCount(), 1);
    }

    void runsModallyAndCloses()
    {
        auto dialog = makeDialog(threeRows());
        answerModalOfType<QDownloadFunCodeDlg_Servo>(
            [](QDownloadFunCodeDlg_Servo* shown) { shown->okCancel()->SigCancel(); });
        QCOMPARE(dialog->exec(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(tst_QDownloadFunCodeDlg_Servo)
#include "tst_QDownloadFunCodeDlg_Servo.moc"
