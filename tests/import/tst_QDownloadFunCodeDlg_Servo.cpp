#include "FuncodeRows.h"
#include "QDeviceServo.h"
#include "QDownloadFunCodeDlg_Servo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QOkCancel.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"

#include <QLabel>
#include <QRadioButton>
#include <QtTest>
#include <memory>

using FuncodeRows::numbersOf;

namespace {
const QString kAlias = QStringLiteral("Import-Dlg");

// A row as a file gives it: the text and the raw value the drive makes of it, on every axis.
tagExportFuncodePtr_Servo fileRow(const QDeviceServo* device, const QString& group, const QString& number,
                                  const QString& text)
{
    auto record = FuncodeRows::row(group, number, QVector<QString>(device->getAxisNum(), text).toList());
    for (int axis = 0; axis < record->axisNum; ++axis) {
        record->curValue[size_t(axis)] = device->getRawValueByScaledValStr(number, text);
    }
    return record;
}
} // namespace

// The import dialog on a simulated three-axis drive: what it preselects, what it writes, the motor type
// written ahead (when, is tst_QImportMotorType_Servo's), the drive's refusal, failed codes offered again,
// the monitored list, and reading the drive again. How the tree marks and ticks rows is
// tst_QDownloadTreeModel's.
class tst_QDownloadFunCodeDlg_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QTestMessageBoxes m_boxes;

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
    QList<QMyMessageBox::Call> calls(QMyMessageBox::Kind kind) const
    {
        QList<QMyMessageBox::Call> found;
        for (const QMyMessageBox::Call& call : m_boxes.calls()) {
            if (call.kind == kind) {
                found.append(call);
            }
        }
        return found;
    }
    // The drive fails every request for the code (none when empty).
    void makeCodeFail(const QString& number)
    {
        QDriveFaultSwitches switches;
        switches.failCode = number;
        m_link->setFaultSwitches(switches);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        m_device = QTestHost::addSelectedDrive(QStringLiteral("TST3"), kAlias);
        m_link = QTestHost::link(kAlias);
        QVERIFY(m_device && m_link && QTestHost::readAll(m_device));
        m_boxes.setAnswer(1);
        m_boxes.clear();
    }
    void cleanup() { QTestHost::clearProject(); }

    void differingRowsArePreselected_data()
    {
        QTest::addColumn<int>("axes");
        QTest::addColumn<QList<bool>>("hidden"); // columns 4 to 7 (file and drive values of Y and Z)
        QTest::newRow("one axis") << 1 << QList<bool>{true, true, true, true};
        QTest::newRow("two axes") << 2 << QList<bool>{false, false, true, true};
        QTest::newRow("three axes") << 3 << QList<bool>{false, false, false, false};
    }

    // The differing rows are ticked and their groups open, the rows carry the drive's values, and the
    // columns of axes the drive does not have are hidden.
    void differingRowsArePreselected()
    {
        QFETCH(int, axes);
        QFETCH(QList<bool>, hidden);
        QTestHost::clearProject();
        m_device = QTestHost::addSelectedDrive(QStringLiteral("TST%1").arg(axes), kAlias);
        QVERIFY(m_device);
        auto dialog = makeDialog(threeRows());
        QCOMPARE(numbersOf(dialog->treeModel()->checkedNumbers()), QStringList({"P00.02", "P2.00"}));
        QCOMPARE(dialog->checkedCount(), 2);
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
        QCOMPARE(dialog->expandedIndexes().size(), 2);
        QCOMPARE(dialog->rows().at(1)->curValueTexts, QStringList({"3000", "3000", "3000"}).mid(0, axes));
        QVERIFY(!dialog->replaceButton()->isVisibleTo(dialog.get()));
        for (int column = 4; column < 8; ++column) {
            QCOMPARE(dialog->treeView()->isColumnHidden(column), hidden.at(column - 4));
        }
    }

    // Clicks in the first column tick and untick, OK follows; with nothing ticked OK says so; the
    // differing rows can be selected.
    void selectionDrivesOk()
    {
        auto dialog = makeDialog(threeRows());
        QDownloadTreeModel* model = dialog->treeModel();
        const QModelIndex top = model->index(0, 0);
        dialog->OnMousePressEvent(top);
        QCOMPARE(dialog->checkedCount(), 3);
        dialog->OnMousePressEvent(top);
        QCOMPARE(dialog->checkedCount(), 0);
        QVERIFY(!dialog->okCancel()->isOkBtnEnabled());
        dialog->OnMousePressEvent(model->index(0, 1)); // another column does nothing
        QCOMPARE(dialog->checkedCount(), 0);
        dialog->OnOk();
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.calls().first().text, QTestUi::text("STR_NO_DATA"));
        dialog->on_btnSelectDiff_clicked();
        QCOMPARE(dialog->checkedCount(), 2);
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
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
        m_boxes.setAnswer(answer);
        dialog->OnOk();
        const QList<QMyMessageBox::Call> questions = calls(QMyMessageBox::Question);
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions.first().text, QStringLiteral("Servo is enabled"));
        QCOMPARE(questions.first().buttons,
                 QStringList({QTestUi::text("STR_CONTINUE_IMPORT"), QTestUi::text("STR_CANCEL_IMPORT")}));
        // The drive refuses every write: going on lists them all as failed.
        QCOMPARE(calls(QMyMessageBox::Warning).size(), writeTried ? 1 : 0);
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000));
        QVERIFY(dialog->okCancel()->isOkBtnEnabled());
    }

    // A code the drive does not take is named and the others are written; the tree keeps every row, marks
    // the failed one and checks it alone for another try, and "differing only" stays applied. Another
    // drive's failures change nothing.
    void aFailedCodeIsMarkedAndOfferedAgain()
    {
        auto dialog = makeDialog(threeRows());
        dialog->slotContinueImport(QStringLiteral("another drive"), {"P2.00"});
        QVERIFY(dialog->treeModel()->failedNumbers().isEmpty());
        dialog->differingOnlyButton()->click();
        makeCodeFail(QStringLiteral("P00.02"));
        dialog->OnOk();
        QCOMPARE(m_link->rawValue("P2.00", 0), qint64(300));
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000));
        const QList<QMyMessageBox::Call> warnings = calls(QMyMessageBox::Warning);
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().text.endsWith(QStringLiteral("P00.02")), qPrintable(warnings.first().text));
        QCOMPARE(numbersOf(dialog->treeModel()->checkedNumbers()), QStringList({"P00.02"}));
        QCOMPARE(dialog->failedLabel()->text(), QTestUi::text("STR_IMPORT_FAILED_COUNT").arg(1));
        const QModelIndex basic = dialog->treeModel()->index(0, 0, dialog->treeModel()->index(0, 0));
        QVERIFY(dialog->treeView()->isRowHidden(0, basic));  // P00.01 is equal
        QVERIFY(!dialog->treeView()->isRowHidden(1, basic)); // P00.02 still differs
    }

    void motorTypeGoesFirst_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("cancelled"); // Cancel pressed while the drive takes the motor type
        QTest::newRow("written alone, then the others") << false << false;
        QTest::newRow("refused: nothing else is written") << true << false;
        QTest::newRow("cancelled meanwhile: nothing else is written") << false << true;
    }
    void motorTypeGoesFirst()
    {
        QFETCH(bool, refused);
        QFETCH(bool, cancelled);
        QList<tagExportFuncodePtr_Servo> rows = threeRows();
        rows.prepend(fileRow(m_device, "P00 Basic", "P00.00", "3"));
        auto dialog = makeDialog(rows);
        makeCodeFail(refused ? QStringLiteral("P00.00") : QString());
        if (cancelled) { // the click waits until the drive answered
            dialog->show();
            m_link->setReplyDelay(30);
            QTimer::singleShot(5, dialog.get(), [&dialog] { emit dialog->okCancel()->SigCancel(); });
        }
        dialog->OnOk();
        QCOMPARE(m_device->getMotorType(), qint64(refused ? 1 : 3));
        QCOMPARE(m_link->rawValue("P2.00", 0), qint64(refused || cancelled ? 270 : 300));
        if (cancelled) {
            QVERIFY(!dialog->isVisible() && calls(QMyMessageBox::Success).isEmpty());
            return;
        }
        if (!refused) {
            return;
        }
        const QList<QMyMessageBox::Call> warnings = calls(QMyMessageBox::Warning);
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().text.startsWith(QTestUi::text("STR_MOTOR_TYPE_CHANGED_FAILED") + ": "));
        QVERIFY(warnings.first().text.endsWith(
            QTestUi::text("STR_MANUAL_MATCH_MOTOR_TYPE_PARAM_VALUE_THEN_IMPORT").arg("P00.00")));
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
        QCOMPARE(dialog->treeModel()->index(0, 0).data().toString(), QTestUi::text("STR_MONITOR_FUNCODE"));
        (replace ? dialog->replaceButton() : dialog->appendButton())->setChecked(true);
        QSignalSpy updated(dialog.get(), &QDownloadFunCodeDlg_Servo::sigUpdateFocusTable);
        dialog->OnOk();
        QCOMPARE(updated.count(), 1);
        QCOMPARE(m_device->getSelSubFuncodeList(), expected);
    }

    // Reading again takes the drive's values and marks a code that failed to read; an offline or
    // removed drive is told.
    void refreshReadsTheDriveAgain()
    {
        auto dialog = makeDialog(threeRows());
        m_link->setRawValue("P00.01", 1, 350);
        makeCodeFail(QStringLiteral("P2.00"));
        dialog->OnRefreshFuncode();
        QCOMPARE(dialog->rows().at(0)->curValueTexts, QStringList({"2.80", "3.50", "2.80"}));
        QCOMPARE(dialog->rows().at(2)->curValueTexts, QStringList({"null", "null", "null"}));
        QVERIFY(dialog->treeModel()->differingColumns().contains("P00.01"));
        QVERIFY(m_boxes.calls().isEmpty());

        m_link->setOnline(false);
        dialog->OnRefreshFuncode();
        QTestHost::clearProject();
        dialog->OnRefreshFuncode();
        dialog->OnOk();
        const QList<QMyMessageBox::Call> infos = calls(QMyMessageBox::Information);
        QCOMPARE(infos.size(), 3);
        QCOMPARE(infos.at(0).text, QTestUi::text("STR_DEVICE_NOT_ONLINE"));
        QCOMPARE(infos.at(1).text, QTestUi::text("STR_NO_EXIST_DEVICE"));
        QCOMPARE(infos.at(2).text, QTestUi::text("STR_NOTSELECT_DEVICE"));
    }
};

QTEST_MAIN(tst_QDownloadFunCodeDlg_Servo)
#include "tst_QDownloadFunCodeDlg_Servo.moc"
