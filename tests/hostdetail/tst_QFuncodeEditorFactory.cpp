#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeItemComboBox.h"
#include "QHexDlg.h"
#include "QMenuParamDlg.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
// Answers the next modal dialog once it runs; the editors' dialogs are modal inside setEditorData.
void answerNextModal(const std::function<void(QDialog*)>& answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start();
}

tagSubFuncode_Servo makeCode(int showType, const QString& enumText = QStringLiteral("0:Off\n1:On"))
{
    tagSubFuncode_Servo fun;
    fun.funIndex = QStringLiteral("P00.01");
    fun.showType = showType;
    fun.enumText = enumText;
    fun.minVal = QStringLiteral("0");
    fun.maxVal = QStringLiteral("100");
    return fun;
}
} // namespace

class tst_QFuncodeEditorFactory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editorByShowType_data();
    void editorByShowType();
    void spinTakesRangeDecimalsAndStep_data();
    void spinTakesRangeDecimalsAndStep();
    void comboChoosesItemOfCurrentValue_data();
    void comboChoosesItemOfCurrentValue();
    void editorValueNeedsCommit_data();
    void editorValueNeedsCommit();
    void hexDialogAnswer_data();
    void hexDialogAnswer();
    void menuDialogAnswer_data();
    void menuDialogAnswer();
    void geometryWidensForContents_data();
    void geometryWidensForContents();
    void dialogKeepsItsGeometry();

private:
    tagSubFuncode_Servo* code(const QString& funIndex) const
    {
        return m_device->getFuncodePtrByFunIndex(funIndex);
    }

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    std::unique_ptr<QWidget> m_parent;
};

void tst_QFuncodeEditorFactory::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFuncodeEditorFactory::init()
{
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("drive"));
    QVERIFY(m_device);
    m_link = QTestHost::link(QStringLiteral("drive"));
    QTestHost::select(QStringLiteral("drive"));
    QVERIFY(QTestHost::readAll(m_device));
    m_parent.reset(new QWidget);
}

void tst_QFuncodeEditorFactory::cleanup()
{
    m_parent.reset();
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

    const tagSubFuncode_Servo fun = makeCode(showType);
    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, &fun, withDevice ? m_device : nullptr));
    QCOMPARE(int(QFuncodeEditorFactory::editorKind(editor.get())), kind);
    QCOMPARE(editor != nullptr, kind != QFuncodeEditorFactory::EDITOR_NONE);
    if (kind == QFuncodeEditorFactory::EDITOR_COMBO) {
        QCOMPARE(editor->objectName(), QStringLiteral("FUNCODE_COMBOX"));
        QCOMPARE(static_cast<QComboBox*>(editor.get())->count(), 2);
    }
    QVERIFY(!QFuncodeEditorFactory::createEditor(m_parent.get(), 80, nullptr, m_device));
}

void tst_QFuncodeEditorFactory::spinTakesRangeDecimalsAndStep_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("value");

    QTest::newRow("two decimals") << "P00.01" << 0.10 << 30.00 << 2 << 0.01 << 2.80;
    QTest::newRow("one decimal") << "P2.00" << 1.0 << 2000.0 << 1 << 0.1 << 27.0;
    QTest::newRow("signed integer") << "P00.11" << -1000.0 << 1000.0 << 0 << 1.0 << -5.0;
}

void tst_QFuncodeEditorFactory::spinTakesRangeDecimalsAndStep()
{
    QFETCH(QString, funIndex);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, decimals);
    QFETCH(double, step);
    QFETCH(double, value);

    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, code(funIndex), m_device));
    auto* spin = qobject_cast<QDoubleSpinBox*>(editor.get());
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(spin->decimals(), decimals);
    QCOMPARE(spin->singleStep(), step);
    QFuncodeEditorFactory::setEditorData(spin, code(funIndex), m_device, 1);
    QCOMPARE(spin->value(), value);
}

void tst_QFuncodeEditorFactory::comboChoosesItemOfCurrentValue_data()
{
    QTest::addColumn<qint64>("driveValue");
    QTest::addColumn<int>("expectedIndex");

    QTest::newRow("first item") << qint64(0) << 0;
    QTest::newRow("value with a gap before it") << qint64(3) << 2;
    QTest::newRow("last item") << qint64(5) << 3;
    QTest::newRow("value of no item") << qint64(2) << 0;
    QTest::newRow("value beyond every item") << qint64(9) << 0;
}

void tst_QFuncodeEditorFactory::comboChoosesItemOfCurrentValue()
{
    QFETCH(qint64, driveValue);
    QFETCH(int, expectedIndex);

    m_link->setRawValue(QStringLiteral("P00.00"), 2, driveValue);
    QVERIFY(QTestHost::readAll(m_device));
    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, code(QStringLiteral("P00.00")), m_device));
    auto* combo = qobject_cast<QFuncodeItemComboBox*>(editor.get());
    QVERIFY(combo);
    QCOMPARE(combo->count(), 4);
    combo->setCurrentIndex(1); // the editor must not keep a stale choice
    QFuncodeEditorFactory::setEditorData(combo, code(QStringLiteral("P00.00")), m_device, 2);
    QCOMPARE(combo->currentIndex(), expectedIndex);
}

void tst_QFuncodeEditorFactory::editorValueNeedsCommit_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("commit");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("spin committed") << "P00.01" << true << QVariant(2.8);
    QTest::newRow("spin left without commit") << "P00.01" << false << QVariant();
    QTest::newRow("combo committed") << "P00.00" << true << QVariant(1);
    QTest::newRow("combo left without commit") << "P00.00" << false << QVariant();
}

void tst_QFuncodeEditorFactory::editorValueNeedsCommit()
{
    QFETCH(QString, funIndex);
    QFETCH(bool, commit);
    QFETCH(QVariant, expected);

    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, code(funIndex), m_device));
    QFuncodeEditorFactory::setEditorData(editor.get(), code(funIndex), m_device, 0);
    const QVariant value = QFuncodeEditorFactory::editorValue(editor.get(), commit);
    QCOMPARE(value.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(value.type(), expected.type());
        QCOMPARE(value, expected);
    }
}

void tst_QFuncodeEditorFactory::hexDialogAnswer_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void tst_QFuncodeEditorFactory::hexDialogAnswer()
{
    QFETCH(bool, accept);

    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, code(QStringLiteral("P00.04")), m_device));
    auto* hex = qobject_cast<QHexDlg*>(editor.get());
    QVERIFY(hex);
    qint64 shown = -1;
    answerNextModal([&shown, accept](QDialog* dialog) {
        auto* running = qobject_cast<QHexDlg*>(dialog);
        if (running) {
            running->currentValue(&shown);
        }
        accept ? dialog->accept() : dialog->reject();
    });
    QFuncodeEditorFactory::setEditorData(hex, code(QStringLiteral("P00.04")), m_device, 0);
    QCOMPARE(shown, qint64(255)); // the drive's value, not the dialog's default
    QCOMPARE(hex->maximum(), qint64(65535));
    const QVariant value = QFuncodeEditorFactory::editorValue(hex, false);
    QCOMPARE(value.isValid(), accept);
    if (accept) {
        QCOMPARE(value.type(), QVariant::LongLong);
        QCOMPARE(value.toLongLong(), qint64(255));
    }
}

void tst_QFuncodeEditorFactory::menuDialogAnswer_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void tst_QFuncodeEditorFactory::menuDialogAnswer()
{
    QFETCH(bool, accept);

    m_link->setRawValue(QStringLiteral("P00.05"), 0, 12);
    QVERIFY(QTestHost::readAll(m_device));
    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, code(QStringLiteral("P00.05")), m_device));
    QVERIFY(qobject_cast<QMenuParamDlg*>(editor.get()));
    answerNextModal([accept](QDialog* dialog) { accept ? dialog->accept() : dialog->reject(); });
    QFuncodeEditorFactory::setEditorData(editor.get(), code(QStringLiteral("P00.05")), m_device, 0);
    const QVariant value = QFuncodeEditorFactory::editorValue(editor.get(), false);
    QCOMPARE(value.isValid(), accept);
    if (accept) {
        QCOMPARE(value.toInt(), 12);
    }
}

void tst_QFuncodeEditorFactory::geometryWidensForContents_data()
{
    QTest::addColumn<int>("showType");
    QTest::addColumn<QString>("enumText");
    QTest::addColumn<bool>("widened");

    QTest::newRow("long enumerated label")
        << 2 << "0:Off\n1:A very long label that never fits into a narrow table cell\n2:On" << true;
    QTest::newRow("short enumerated labels") << 2 << "0:Off\n1:On\n2:Low" << false;
    QTest::newRow("spin box") << 0 << QString() << true;
}

void tst_QFuncodeEditorFactory::geometryWidensForContents()
{
    QFETCH(int, showType);
    QFETCH(QString, enumText);
    QFETCH(bool, widened);

    const tagSubFuncode_Servo fun = makeCode(showType, enumText);
    const QRect cell(10, 20, 60, 24);
    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), cell.width(), &fun, m_device));
    QVERIFY(editor);
    QFont font = editor->font();
    font.setPixelSize(19);
    const QFontMetrics metrics(font);
    QString longest;
    for (const QString& item : enumText.split('\n')) {
        longest = item.length() > longest.length() ? item : longest;
    }
    const int needed = showType == 2 ? metrics.horizontalAdvance(longest)
                                     : metrics.horizontalAdvance(QStringLiteral("65535.000")) + 10;
    QCOMPARE(QFuncodeEditorFactory::neededWidth(editor.get()), needed);

    QFuncodeEditorFactory::updateEditorGeometry(editor.get(), cell);
    QCOMPARE(editor->geometry().topLeft(), cell.topLeft());
    QCOMPARE(editor->geometry().height(), cell.height());
    QCOMPARE(editor->geometry().width(), widened ? needed : cell.width());
    QCOMPARE(widened, needed > cell.width());
}

void tst_QFuncodeEditorFactory::dialogKeepsItsGeometry()
{
    std::unique_ptr<QWidget> editor(
        QFuncodeEditorFactory::createEditor(m_parent.get(), 80, code(QStringLiteral("P00.04")), m_device));
    QVERIFY(editor);
    const QSize before = editor->size();
    QFuncodeEditorFactory::updateEditorGeometry(editor.get(), QRect(0, 0, 60, 24));
    QCOMPARE(editor->size(), before);
    QCOMPARE(QFuncodeEditorFactory::neededWidth(editor.get()), 0);
}

QTEST_MAIN(tst_QFuncodeEditorFactory)
#include "tst_QFuncodeEditorFactory.moc"
