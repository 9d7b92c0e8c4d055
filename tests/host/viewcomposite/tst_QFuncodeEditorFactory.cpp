#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeItemComboBox.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QDoubleSpinBox>
#include <QtTest>

#include <memory>

class tst_QFuncodeEditorFactory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void init();
    void cleanup();
    void editorByShowType_data();
    void editorByShowType();
    void spinTakesRangeDecimalsAndStep();
    void comboChoosesItemOfCurrentValue();
    void menuDialogAnswer();

private:
    QWidget* editorFor(const QString& funIndex)
    {
        m_editor.reset(QFuncodeEditorFactory::createEditor(&m_parent, 80, code(funIndex), m_device));
        return m_editor.get();
    }
    tagSubFuncode_Servo* code(const QString& index) const { return m_device->getFuncodePtrByFunIndex(index); }

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QWidget m_parent;
    std::unique_ptr<QWidget> m_editor;
    QString m_error;
};

void tst_QFuncodeEditorFactory::init()
{
    m_device = QTestHost::addDrive("TST3", "drive");
    m_link = QTestHost::link("drive");
    QTestHost::select("drive");
    QVERIFY(QTestHost::readAll(m_device));
}

void tst_QFuncodeEditorFactory::cleanup()
{
    m_editor.reset();
    QTestHost::clearProject();
}

void tst_QFuncodeEditorFactory::editorByShowType_data()
{
    QTest::addColumn<int>("showType");
    QTest::addColumn<bool>("withDevice");
    QTest::addColumn<int>("kind");

    using F = QFuncodeEditorFactory;
    const int kinds[] = {F::EDITOR_SPIN, F::EDITOR_HEX,  F::EDITOR_COMBO, F::EDITOR_NONE,
                         F::EDITOR_NONE, F::EDITOR_NONE, F::EDITOR_MENU,  F::EDITOR_NONE,
                         F::EDITOR_SPIN, F::EDITOR_HEX,  F::EDITOR_SPIN};
    for (int showType = 0; showType <= 10; ++showType) {
        const int kind = kinds[showType];
        QTest::addRow("type %d with device", showType) << showType << true << kind;
        // Without a device the spin box cannot know its decimals: no editor at all.
        QTest::addRow("type %d without device", showType)
            << showType << false << (kind == F::EDITOR_SPIN ? int(F::EDITOR_NONE) : kind);
    }
}

void tst_QFuncodeEditorFactory::editorByShowType()
{
    QFETCH(int, showType);
    QFETCH(bool, withDevice);
    QFETCH(int, kind);

    tagSubFuncode_Servo fun;
    fun.showType = showType;
    fun.enumText = "0:Off\n1:On";
    m_editor.reset(QFuncodeEditorFactory::createEditor(&m_parent, 80, &fun, withDevice ? m_device : nullptr));
    QCOMPARE(int(QFuncodeEditorFactory::editorKind(m_editor.get())), kind);
    QCOMPARE(m_editor != nullptr, kind != QFuncodeEditorFactory::EDITOR_NONE);
    if (kind == QFuncodeEditorFactory::EDITOR_COMBO) {
        QCOMPARE(m_editor->objectName(), QString("FUNCODE_COMBOX"));
        QCOMPARE(static_cast<QComboBox*>(m_editor.get())->count(), 2);
    }
    QVERIFY(!QFuncodeEditorFactory::createEditor(&m_parent, 80, nullptr, m_device));
}

void tst_QFuncodeEditorFactory::spinTakesRangeDecimalsAndStep()
{
    auto* spin = qobject_cast<QDoubleSpinBox*>(editorFor("P00.11"));
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), -1000.0);
    QCOMPARE(spin->maximum(), 1000.0);
    QCOMPARE(spin->decimals(), 0);
    QCOMPARE(spin->singleStep(), 1.0);
    QFuncodeEditorFactory::setEditorData(spin, code("P00.11"), m_device, 1);
    QCOMPARE(spin->value(), -5.0);
}

void tst_QFuncodeEditorFactory::comboChoosesItemOfCurrentValue()
{
    // Items 0, 1, 3 and 5: value 3 has a gap before it, value 2 matches no item and leaves the first.
    for (const QPair<int, int>& valueAndIndex : {qMakePair(3, 2), qMakePair(2, 0)}) {
        m_link->setRawValue("P00.00", 2, valueAndIndex.first);
        QVERIFY(QTestHost::readAll(m_device));
        auto* combo = qobject_cast<QFuncodeItemComboBox*>(editorFor("P00.00"));
        QVERIFY(combo);
        combo->setCurrentIndex(1); // the editor must not keep a stale choice
        QFuncodeEditorFactory::setEditorData(combo, code("P00.00"), m_device, 2);
        QCOMPARE(combo->currentIndex(), valueAndIndex.second);
    }
    // Left without Return or Enter, the combo box has nothing to write.
    QVERIFY(!QFuncodeEditorFactory::editorValue(m_editor.get(), false).isValid());
    QCOMPARE(QFuncodeEditorFactory::editorValue(m_editor.get(), true), QVariant(0));
}

void tst_QFuncodeEditorFactory::menuDialogAnswer()
{
    m_link->setRawValue("P00.05", 0, 12);
    QVERIFY(QTestHost::readAll(m_device));
    for (bool accept : {false, true}) {
        QWidget* editor = editorFor("P00.05");
        answerModalDialog([accept](QDialog* dialog) { accept ? dialog->accept() : dialog->reject(); });
        QFuncodeEditorFactory::setEditorData(editor, code("P00.05"), m_device, 0);
        QCOMPARE(QFuncodeEditorFactory::editorValue(editor, false), accept ? QVariant(12) : QVariant());
    }
}

QTEST_MAIN(tst_QFuncodeEditorFactory)
#include "tst_QFuncodeEditorFactory.moc"
