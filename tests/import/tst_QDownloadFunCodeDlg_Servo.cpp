#include "FuncodeRows.h"
#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QDownloadFunCodeDlg_Servo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QFuncodeEditorFactory.h"
#include "QOkCancel.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
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
// tst_QDownloadTreeModel's. The tree's editor of current values: which cells get an editor (which one is
// the editor factory's rule, tst_QFuncodeEditorFactory), and the edited value reaching the drive.
class tst_QDownloadFunCodeDlg_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QTestMessageBoxes m_boxes;

    // P00.01 equal to the drive, P00.02 and P2.00 different (the drive holds the defaults).
    tagExportFuncodeList_Servo threeRows() const
    {
        return {fileRow(m_device, "P00 Basic", "P00.01", "2.80"),
                fileRow(m_device, "P00 Basic", "P00.02", "2500"),
                fileRow(m_device, "P2 Gains", "P2.00", "30.0")};
    }
    std::unique_ptr<QDownloadFunCodeDlg_Servo> makeDialog(const tagExportFuncodeList_Servo& rows,
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
    // A dialog of P00.02 (decimal), P00.03 (enumerated) and P00.04 (hexadecimal) below "P00 Basic", and the
    // cell of a row and column there.
    std::unique_ptr<QDownloadFunCodeDlg_Servo> makeEditingDialog()
    {
        tagExportFuncodeList_Servo rows;
        for (const char* number : {"P00.02", "P00.03", "P00.04"}) {
            rows << FuncodeRows::row(QStringLiteral("P00 Basic"), QLatin1String(number), {"", "", ""});
        }
        return makeDialog(rows);
    }
    static QModelIndex cell(const QDownloadFunCodeDlg_Servo& dialog, int row, int column)
    {
        const QDownloadTreeModel* model = dialog.treeModel();
        return model->index(row, column, model->index(0, 0, model->index(0, 0)));
    }
    static std::unique_ptr<QWidget> editorFor(const QDownloadFunCodeDlg_Servo& dialog,
                                              const QModelIndex& index)
    {
        QAbstractItemDelegate* delegate = dialog.treeView()->itemDelegate();
        return std::unique_ptr<QWidget>(
            delegate->createEditor(dialog.treeView()->viewport(), QStyleOptionViewItem(), index));
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
        tagExportFuncodeList_Servo rows = threeRows();
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

    void onlyCurrentValuesGetAnEditor_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("kind");
        QTest::newRow("current value, the factory's editor")
            << 1 << 5 << int(QFuncodeEditorFactory::EDITOR_COMBO);
        QTest::newRow("file value") << 0 << 2 << int(QFuncodeEditorFactory::EDITOR_NONE);
        QTest::newRow("name") << 0 << 1 << int(QFuncodeEditorFactory::EDITOR_NONE);
    }

    void onlyCurrentValuesGetAnEditor()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, kind);
        const auto dialog = makeEditingDialog();
        const std::unique_ptr<QWidget> editor = editorFor(*dialog, cell(*dialog, row, column));
        QCOMPARE(int(QFuncodeEditorFactory::editorKind(editor.get())), kind);
    }

    void groupRowsAndOtherLayoutsHaveNoEditor()
    {
        const auto dialog = makeEditingDialog();
        QVERIFY(!editorFor(*dialog, dialog->treeModel()->index(0, 3, dialog->treeModel()->index(0, 0))));
        QDownloadTreeModel single({"a", "b", "c", "d", "e", "f"}, false);
        single.load({FuncodeRows::row(QStringLiteral("G"), QStringLiteral("P00.02"), {})});
        const QModelIndex index = single.index(0, 3, single.index(0, 0, single.index(0, 0)));
        QVERIFY(index.isValid());
        QVERIFY(!dialog->treeView()->itemDelegate()->createEditor(nullptr, QStyleOptionViewItem(), index));
    }

    void editedValueReachesTheDrive_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("shown"); // on the drive afterwards
        QTest::addColumn<int>("writes");
        QTest::newRow("spin box, axis Y") << 0 << 5 << "2400" << 1;
        QTest::newRow("combo box") << 1 << 3 << "2:Torque" << 1;
        QTest::newRow("hexadecimal dialog accepted") << 2 << 3 << "0x01A0" << 1;
        QTest::newRow("hexadecimal dialog cancelled") << 2 << 7 << "0x00FF" << 0;
    }

    void editedValueReachesTheDrive()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QFETCH(int, writes);
        const auto dialog = makeEditingDialog();
        QAbstractItemDelegate* delegate = dialog->treeView()->itemDelegate();
        const QModelIndex index = cell(*dialog, row, column);
        const std::unique_ptr<QWidget> editor = editorFor(*dialog, index);
        QVERIFY(editor);
        m_link->resetCounters();
        if (QFuncodeEditorFactory::isDialogEditor(editor.get())) {
            answerModalDialog([writes](QDialog* hex) {
                hex->findChild<QLineEdit*>("HEX_EDIT")->setText("1A0");
                writes ? hex->accept() : hex->reject();
            });
        }
        delegate->setEditorData(editor.get(), index);
        if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor.get())) {
            QCOMPARE(spin->value(), 3000.0);
            spin->setValue(2400);
        } else if (auto* combo = qobject_cast<QComboBox*>(editor.get())) {
            combo->setCurrentIndex(2);
        }
        delegate->setModelData(editor.get(), dialog->treeModel(), index);
        QCOMPARE(m_link->writeRequestCount(), writes);
        QCOMPARE(m_device->getScaledCurValueStr(index.sibling(row, 0).data().toString(), (column - 3) / 2),
                 shown);
    }

    // A value whose read failed shows "null": its editor, closed without typing, writes nothing.
    void editorOnAValueNotReadWritesNothingUntyped()
    {
        const auto dialog = makeEditingDialog();
        makeCodeFail(QStringLiteral("P00.02"));
        QVERIFY(QTestHost::readCodes(m_device, {"P00.02"}));
        QAbstractItemDelegate* delegate = dialog->treeView()->itemDelegate();
        const std::unique_ptr<QWidget> editor = editorFor(*dialog, cell(*dialog, 0, 3));
        m_link->resetCounters();
        delegate->setEditorData(editor.get(), cell(*dialog, 0, 3));
        delegate->setModelData(editor.get(), dialog->treeModel(), cell(*dialog, 0, 3));
        QCOMPARE(m_link->writeRequestCount(), 0);
    }
};

QTEST_MAIN(tst_QDownloadFunCodeDlg_Servo)
#include "tst_QDownloadFunCodeDlg_Servo.moc"
