#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>

// The one place where the editor of a function code is proven for every show type: its kind, its range,
// decimals and step, the value it starts from, and what it hands back. The delegates' suites keep one row
// each that shows they use this factory.
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
};

QTEST_MAIN(tst_QFuncodeEditorFactory)
#include "tst_QFuncodeEditorFactory.moc"
