#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QHexDlg.h"
#include "QMenuParamDlg.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestUi.h"
#include "tagSubFuncode_Servo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWheelEvent>
#include <QtTest>

// The one place where the editor of a function code is proven for every show type: its kind, its range,
// decimals and step, the value it starts from, and what it hands back; and its two dialogs, the hexadecimal
// value's and the menu parameter's digits. The delegates' suites keep one row each that shows they use this
// factory.
class tst_QFuncodeEditorFactory : public QObject
{
    Q_OBJECT

    using F = QFuncodeEditorFactory;
    QDeviceServo* m_device = nullptr;
    QWidget m_parent;

    tagSubFuncode_Servo* code(const QString& index) const { return m_device->getFuncodePtrByFunIndex(index); }

    // A row: the code, the drive's raw value on axis Y (-1: its default; -2: the read fails), the editor's
    // kind, what it shows (spin: "min..max decimals step value"; combo: the item; hex: the text), the value
    // handed back on commit (invalid: nothing to write), and for a dialog the text typed before OK, or
    // "cancel".
    static void row(const char* name, const QString& number, qint64 raw, F::EditorKind kind,
                    const QString& shown = QString(), const QVariant& value = QVariant(),
                    const QString& answer = QString())
    {
        QTest::newRow(name) << number << raw << int(kind) << shown << answer << value;
    }

    // A menu parameter of two digits, the stop mode and the direction.
    static tagSubFuncode_Servo stopCode(const QString& maxVal = "9999")
    {
        tagSubFuncode_Servo code;
        code.funIndex = "P02.10";
        code.showType = 6;
        code.enumText = "0:Stop mode:0 Coast;1 Ramp;2 Short brake\n1:Direction:0 Forward;1 Reverse";
        code.minVal = "0";
        code.maxVal = maxVal;
        return code;
    }

    static QComboBox* digit(QWidget& dlg, int n)
    {
        return QTestUi::child<QComboBox>(&dlg, QString("MENU_DIGIT_%1").arg(n));
    }

    static QLineEdit* edit(QWidget& dlg) { return dlg.findChild<QLineEdit*>("HEX_EDIT"); }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        m_device = QTestHost::addSelectedDrive("TST3", "drive");
        QVERIFY(QTestHost::readAll(m_device));
    }
    void cleanup() { QTestHost::clearProject(); }

    void editorOfEveryShowType_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QVariant>("value");
        row("0 decimal, 2 decimals", "P00.01", -1, F::EDITOR_SPIN, "0.1..30 2 0.01 2.8", 2.8);
        row("8 signed", "P00.11", -1, F::EDITOR_SPIN, "-1000..1000 0 1 -5", -5.0);
        row("10 64-bit", "P00.13", 123456789012, F::EDITOR_SPIN, "-1e+12..1e+12 0 1 1.23457e+11",
            123456789012.0);
        row("2 enumerated after a gap", "P00.00", 3, F::EDITOR_COMBO, "3:Motor C 750W", 3);
        // Nobody chose a value the editor would start from: an unknown or unlisted value writes nothing.
        row("2 enumerated, value of no item: none", "P00.00", 2, F::EDITOR_COMBO);
        row("2 enumerated, read failed: none", "P00.00", -2, F::EDITOR_COMBO);
        row("0 decimal, read failed: empty", "P00.01", -2, F::EDITOR_SPIN, "0.1..30 2 0.01 ");
        row("1 hexadecimal, read failed: empty", "P00.04", -2, F::EDITOR_HEX);
        row("1 hexadecimal above the maximum: refused", "P00.04", -1, F::EDITOR_HEX, "FF", QVariant(),
            "10000");
        row("1 hexadecimal, cancelled", "P00.04", -1, F::EDITOR_HEX, "FF", QVariant(), "cancel");
        row("9 hexadecimal, 32 bits", "P00.12", -1, F::EDITOR_HEX, "1000", qlonglong(0xFFFFFFFF), "FFFFFFFF");
        row("6 menu parameter", "P00.05", 12, F::EDITOR_MENU, "", 12);
        row("6 menu parameter, read failed: empty, nothing to accept", "P00.05", -2, F::EDITOR_MENU);
        row("6 menu parameter, cancelled", "P00.05", 12, F::EDITOR_MENU, "", QVariant(), "cancel");
        row("3 bits", "P00.10", -1, F::EDITOR_NONE);
        row("4 text", "P00.14", -1, F::EDITOR_NONE);
        row("5 date", "P00.15", -1, F::EDITOR_NONE);
        row("7 version", "P00.16", -1, F::EDITOR_NONE);
    }

    void editorOfEveryShowType()
    {
        QFETCH(QString, number);
        QFETCH(qint64, raw);
        QFETCH(int, kind);
        QFETCH(QString, shown);
        QFETCH(QString, answer);
        QFETCH(QVariant, value);
        QDriveFaultSwitches failing;
        failing.failCode = raw == -2 ? number : QString();
        QTestHost::link("drive")->setFaultSwitches(failing);
        if (raw != -1) {
            QTestHost::link("drive")->setRawValue(number, 1, qMax(raw, 0LL));
            QVERIFY(QTestHost::readCodes(m_device, {number}));
        }
        const tagSubFuncode_Servo* fun = code(number);
        QCOMPARE(int(F::editorKind(fun->showType)), kind);
        std::unique_ptr<QWidget> editor(F::createEditor(&m_parent, 80, fun, m_device));
        QCOMPARE(int(F::editorKind(editor.get())), kind);
        QCOMPARE(F::isDialogEditor(editor.get()), kind == F::EDITOR_HEX || kind == F::EDITOR_MENU);
        // Without a device the spin box cannot know its decimals: then there is no editor at all.
        const std::unique_ptr<QWidget> withoutDevice(F::createEditor(&m_parent, 80, fun, nullptr));
        QCOMPARE(int(F::editorKind(withoutDevice.get())),
                 kind == F::EDITOR_SPIN ? int(F::EDITOR_NONE) : kind);
        if (!editor) {
            return;
        }
        QString shownText;
        if (F::isDialogEditor(editor.get())) {
            answerModalDialog([&shownText, answer](QDialog* dialog) {
                if (auto* edit = dialog->findChild<QLineEdit*>("HEX_EDIT")) {
                    shownText = edit->text();
                    edit->setText(answer);
                }
                answer == "cancel" ? dialog->reject() : dialog->accept();
                if (dialog->isVisible()) { // a refused value keeps the dialog open
                    dialog->reject();
                }
            });
        } else {
            // A stale choice or value must not survive the filling.
            auto* combo = qobject_cast<QComboBox*>(editor.get());
            combo ? combo->setCurrentIndex(combo->count() - 1)
                  : static_cast<QDoubleSpinBox*>(editor.get())->setValue(0);
        }
        F::setEditorData(editor.get(), fun, m_device, 1);
        if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor.get())) {
            shownText = QString("%1..%2 %3 %4 %5")
                            .arg(spin->minimum())
                            .arg(spin->maximum())
                            .arg(spin->decimals())
                            .arg(spin->singleStep())
                            .arg(spin->text().isEmpty() ? QString() : QString::number(spin->value()));
        } else if (auto* combo = qobject_cast<QComboBox*>(editor.get())) {
            shownText = combo->currentText();
        }
        QCOMPARE(shownText, shown);
        QCOMPARE(F::editorValue(editor.get(), true), value);
        if (F::isDialogEditor(editor.get())) {
            return;
        }
        // Left without Return or Enter, an in-cell editor has nothing to write.
        QVERIFY(!F::editorValue(editor.get(), false).isValid());
        // Over a narrow cell it widens to show its whole value.
        F::updateEditorGeometry(editor.get(), QRect(10, 20, 40, 24));
        QCOMPARE(editor->geometry(), QRect(10, 20, qMax(40, F::neededWidth(editor.get())), 24));
        QVERIFY(editor->width() > 40);
    }

    void noCodeNoEditor() { QVERIFY(!F::createEditor(&m_parent, 80, nullptr, m_device)); }

    // A wheel turned over a list's editor that has no focus (a table scrolled past it) changes nothing.
    void comboIgnoresTheWheelWithoutFocus()
    {
        std::unique_ptr<QWidget> editor(F::createEditor(&m_parent, 80, code("P00.00"), m_device));
        auto* combo = qobject_cast<QComboBox*>(editor.get());
        QVERIFY(combo);
        combo->setCurrentIndex(1);
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->currentIndex(), 1);
        QVERIFY(!wheel.isAccepted());
    }

    void hexDialogRangeEnforcement_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<qint64>("value");

        QTest::newRow("lower bound") << 32 << qint64(16) << qint64(255) << "10" << true << qint64(16);
        QTest::newRow("upper bound, 0x") << 32 << qint64(16) << qint64(255) << "0xff" << true << qint64(255);
        QTest::newRow("reversed range") << 32 << qint64(255) << qint64(16) << "1F" << true << qint64(31);
        QTest::newRow("below") << 32 << qint64(16) << qint64(255) << "F" << false << qint64(0);
        QTest::newRow("above") << 32 << qint64(16) << qint64(255) << "100" << false << qint64(0);
        QTest::newRow("non-hex text") << 32 << qint64(0) << qint64(255) << "XYZ" << false << qint64(0);
        QTest::newRow("prefix only") << 32 << qint64(0) << qint64(255) << "0x" << false << qint64(0);
        QTest::newRow("wider than 16 bits")
            << 16 << qint64(0) << qint64(0xFFFFF) << "12345" << false << qint64(0);
        QTest::newRow("full 32-bit maximum")
            << 32 << qint64(0) << qint64(0xFFFFFFFF) << "FFFFFFFF" << true << qint64(0xFFFFFFFF);
        QTest::newRow("signed negative")
            << 16 << qint64(-100) << qint64(100) << "FFF6" << true << qint64(-10);
        QTest::newRow("signed below") << 16 << qint64(-100) << qint64(100) << "FF00" << false << qint64(0);
    }

    void hexDialogRangeEnforcement()
    {
        QFETCH(int, bits);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        QFETCH(qint64, value);

        QHexDlg dlg(nullptr, bits);
        dlg.setRange(min, max);
        const qint64 initial = qMin(min, max);
        dlg.setInitialData(initial);
        edit(dlg)->setText(text);
        QCOMPARE(dlg.findChild<QPushButton*>("btnOk")->isEnabled(), acceptable);
        QCOMPARE(dlg.findChild<QLabel*>("HEX_HINT")->isVisibleTo(&dlg), !acceptable);
        // Even a direct accept() (Return, a script) cannot take a value that is not acceptable: the dialog
        // stays open and keeps the value it was given.
        dlg.show();
        dlg.accept();
        QCOMPARE(dlg.isVisible(), !acceptable);
        QCOMPARE(dlg.getResult(), acceptable);
        QCOMPARE(dlg.getModifyData(), acceptable ? value : initial);
    }

    void hexDialogTypingAndBitGrid()
    {
        QHexDlg dlg(nullptr, 16);
        edit(dlg)->clear();
        QTest::keyClicks(edit(dlg), "G1Z2a3b4c5");
        QCOMPARE(edit(dlg)->text(), QString("12a3"));

        auto bit = [&](int n) { return dlg.findChild<QCheckBox*>(QString("HEX_BIT_%1").arg(n)); };
        dlg.setInitialData(0x5);
        QVERIFY(bit(0)->isChecked() && !bit(1)->isChecked() && bit(2)->isChecked());
        bit(4)->setChecked(true);
        bit(0)->setChecked(false);
        QCOMPARE(edit(dlg)->text(), QString("14"));
        edit(dlg)->setText("8000");
        QVERIFY(bit(15)->isChecked() && !bit(4)->isChecked());
        QVERIFY(QHexDlg(nullptr, 64).findChildren<QCheckBox*>().isEmpty());
    }

    void menuDialogMalformedLayoutLinesAreSkipped()
    {
        tagSubFuncode_Servo code = stopCode();
        code.enumText = "x:Bad:0 a\r\n2 no colons\n3:Ok:0 a;1 b\n3:Again:0 c\n12:Big:0 a";
        QMenuParamDlg dlg;
        dlg.setFuncode(&code, 1000);
        QCOMPARE(dlg.findChildren<QComboBox*>().size(), 1);
        QCOMPARE(digit(dlg, 3)->count(), 2);
        QCOMPARE(digit(dlg, 3)->currentText(), QString("1 b"));
        // Enumerated items ("value:label") describe no digit: the value is edited as a number.
        code.enumText = "0:Off\n1:On";
        dlg.setFuncode(&code, 1);
        QVERIFY(!dlg.hasDigitEditors());
    }

    void menuDialogComposesTheValue_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("expected");
        QTest::newRow("accepted") << true << 1012;
        QTest::newRow("cancelled") << false << 1021;
    }

    void menuDialogComposesTheValue()
    {
        QFETCH(bool, accept);
        QFETCH(int, expected);
        const tagSubFuncode_Servo code = stopCode();
        QMenuParamDlg dlg;
        dlg.setFuncode(&code, 1021);
        QCOMPARE(digit(dlg, 0)->currentText(), QString("1 Ramp"));
        // The tens digit 2 is no option of the direction: it is kept as an extra item.
        QCOMPARE(digit(dlg, 1)->count(), 3);
        QCOMPARE(digit(dlg, 1)->currentData().toInt(), 2);
        qint64 shownValue = -1;
        answerModal([&](QWidget* modal) {
            digit(dlg, 0)->setCurrentIndex(2);
            digit(dlg, 1)->setCurrentIndex(digit(dlg, 1)->findData(1));
            shownValue = dlg.currentValue();
            QTestUi::child<QPushButton>(modal, accept ? "btnOk" : "btnCancel")->click();
        });
        QCOMPARE(dlg.exec(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
        // The thousands digit, which the layout does not name, is kept.
        QCOMPARE(shownValue, qint64(1012));
        QCOMPARE(dlg.getResult(), accept);
        QCOMPARE(dlg.getVal(), expected);
    }

    void menuDialogOutOfRangeCannotBeAccepted()
    {
        const tagSubFuncode_Servo code = stopCode("11");
        QMenuParamDlg dlg;
        dlg.setFuncode(&code, 2);
        auto* ok = QTestUi::child<QPushButton>(&dlg, "btnOk");
        QVERIFY(ok->isEnabled());
        digit(dlg, 1)->setCurrentIndex(1);
        QCOMPARE(dlg.currentValue(), qint64(12));
        QVERIFY(!ok->isEnabled());
        QVERIFY(QTestUi::child<QLabel>(&dlg, "MENU_HINT")->isVisibleTo(&dlg));
        dlg.accept();
        QVERIFY(!dlg.getResult());
        QCOMPARE(dlg.getVal(), 2);
        digit(dlg, 0)->setCurrentIndex(1);
        QVERIFY(ok->isEnabled());
        dlg.accept();
        QCOMPARE(dlg.getVal(), 11);
    }

    // setInitData finds the code on the selected drive; without drive or code the value is a plain number.
    void menuDialogCodeOfTheSelectedDrive()
    {
        QTestHost::select(QString());
        QMenuParamDlg noDrive;
        noDrive.setInitData("P00.05", 7);
        QVERIFY(!noDrive.hasDigitEditors());
        QTestHost::select("drive");
        QMenuParamDlg unknownNumber;
        unknownNumber.setInitData("P99.99", 7);
        QVERIFY(!unknownNumber.hasDigitEditors());
        QTestUi::child<QSpinBox>(&unknownNumber, "MENU_RAW")->setValue(8);
        unknownNumber.accept();
        QCOMPARE(unknownNumber.getVal(), 8);
        QMenuParamDlg dlg;
        dlg.setInitData("P00.05", 11);
        QCOMPARE(digit(dlg, 0)->currentData().toInt(), 1);
        QCOMPARE(digit(dlg, 1)->currentData().toInt(), 1);
        // The code allows 0 to 12: 12 is accepted.
        digit(dlg, 0)->setCurrentIndex(digit(dlg, 0)->findData(2));
        dlg.accept();
        QCOMPARE(dlg.getVal(), 12);
    }
};

QTEST_MAIN(tst_QFuncodeEditorFactory)
#include "tst_QFuncodeEditorFactory.moc"
