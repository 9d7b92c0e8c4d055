#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeDelegate_Servo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The value editor: which editor a code gets, when an edited value is written, and the dialogs.
class tst_QFuncodeDelegate_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editorKind_data();
    void editorKind();
    void noSpinBoxWithoutDevice();
    void enterCommits();
    void focusOutCommits_data();
    void focusOutCommits();
    void hexDialog_data();
    void hexDialog();
    void longLabelWidensCombo();
    void otherColumnsGetNoEditor();

private:
    QModelIndex cell(const QString& number, int axis = 0) const;
    QWidget* openEditor(const QModelIndex& index);
    static void answerModal(std::function<void(QDialog*)> answer);

    QDeviceServo* m_device = nullptr;
    std::unique_ptr<QFuncodeView_Servo> m_view;
};

void tst_QFuncodeDelegate_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFuncodeDelegate_Servo::init()
{
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("A"));
    QVERIFY(m_device);
    QCommuParams params = m_device->getCommuParams();
    params.refreshInterval = 0;
    m_device->setCommuParams(params);
    QTestHost::select(QStringLiteral("A"));
    QVERIFY(QTestHost::readAll(m_device));
    m_view = std::make_unique<QFuncodeView_Servo>();
    m_view->setModelGroup(QStringLiteral("P00 Basic"));
    m_view->onInitModelData(m_device->getNormalFuncodeGroupMap());
    m_view->resize(1000, 500);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QTestHost::link("A")->resetCounters();
}

void tst_QFuncodeDelegate_Servo::cleanup()
{
    m_view.reset();
    QTestHost::clearProject();
    m_device = nullptr;
}

QModelIndex tst_QFuncodeDelegate_Servo::cell(const QString& number, int axis) const
{
    const int row = m_view->getModel()->rowOfFuncode(number, QStringLiteral("A"));
    return m_view->getModel()->index(row, QFuncodeModelBase_Servo::COL_AXIS_X + axis);
}

QWidget* tst_QFuncodeDelegate_Servo::openEditor(const QModelIndex& index)
{
    m_view->setCurrentIndex(index);
    m_view->edit(index);
    return m_view->indexWidget(index);
}

void tst_QFuncodeDelegate_Servo::answerModal(std::function<void(QDialog*)> answer)
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

void tst_QFuncodeDelegate_Servo::editorKind_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("kind");
    QTest::newRow("decimal") << "P00.01" << int(QFuncodeEditorFactory::EDITOR_SPIN);
    QTest::newRow("signed decimal") << "P00.11" << int(QFuncodeEditorFactory::EDITOR_SPIN);
    QTest::newRow("64-bit decimal") << "P00.13" << int(QFuncodeEditorFactory::EDITOR_SPIN);
    QTest::newRow("enumerated") << "P00.00" << int(QFuncodeEditorFactory::EDITOR_COMBO);
    QTest::newRow("hexadecimal") << "P00.04" << int(QFuncodeEditorFactory::EDITOR_HEX);
    QTest::newRow("hexadecimal 32") << "P00.12" << int(QFuncodeEditorFactory::EDITOR_HEX);
    QTest::newRow("menu") << "P00.05" << int(QFuncodeEditorFactory::EDITOR_MENU);
    QTest::newRow("bits, writable") << "P00.10" << int(QFuncodeEditorFactory::EDITOR_NONE);
    QTest::newRow("text") << "P00.14" << int(QFuncodeEditorFactory::EDITOR_NONE);
    QTest::newRow("date") << "P00.15" << int(QFuncodeEditorFactory::EDITOR_NONE);
    QTest::newRow("version") << "P00.16" << int(QFuncodeEditorFactory::EDITOR_NONE);
}

void tst_QFuncodeDelegate_Servo::editorKind()
{
    QFETCH(QString, number);
    QFETCH(int, kind);
    QFuncodeDelegate_Servo* delegate = m_view->getDelegate();
    QSignalSpy editing(delegate, &QFuncodeDelegate_Servo::SigEditting);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 145, 26);
    const QModelIndex index = cell(number);

    std::unique_ptr<QWidget> editor(delegate->createEditor(m_view->viewport(), option, index));
    QCOMPARE(int(QFuncodeEditorFactory::editorKind(editor.get())), kind);
    QVERIFY(editing.count() >= 1);
    QCOMPARE(editing.at(0).at(0).toInt(), index.row());
    QCOMPARE(editing.at(0).at(1).toBool(), true);
    // A row without an editor does not stay out of periodic reading.
    QCOMPARE(m_view->getModel()->editingRow(), editor ? index.row() : -1);
}

void tst_QFuncodeDelegate_Servo::noSpinBoxWithoutDevice()
{
    QTestHost::select(QString());
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 145, 26);
    std::unique_ptr<QWidget> spin(
        m_view->getDelegate()->createEditor(m_view->viewport(), option, cell("P00.01")));
    QVERIFY(!spin);
    std::unique_ptr<QWidget> combo(
        m_view->getDelegate()->createEditor(m_view->viewport(), option, cell("P00.00")));
    QVERIFY(qobject_cast<QComboBox*>(combo.get()));
}

void tst_QFuncodeDelegate_Servo::enterCommits()
{
    QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigDataChanged);
    const QModelIndex index = cell(QStringLiteral("P00.01"), 1);
    auto* spin = qobject_cast<QDoubleSpinBox*>(openEditor(index));
    QVERIFY(spin);
    QCOMPARE(spin->value(), 2.8);
    QCOMPARE(spin->decimals(), 2);
    QCOMPARE(m_view->getModel()->editingRow(), index.row());

    spin->setValue(5.5);
    QTest::keyClick(spin, Qt::Key_Return);
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("2.80"));
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("5.50"));
    QCOMPARE(changed.at(0).at(3).toInt(), 1);
    QCOMPARE(m_device->getScaledCurValueStr(QStringLiteral("P00.01"), 1), QStringLiteral("5.50"));
    QCOMPARE(m_view->getModel()->editingRow(), -1);
    QVERIFY(!m_view->getDelegate()->isCommitPending());
}

void tst_QFuncodeDelegate_Servo::focusOutCommits_data()
{
    QTest::addColumn<int>("modifyType");
    QTest::addColumn<bool>("written");
    QTest::newRow("Return needed") << 0 << false;
    QTest::newRow("written when the editor closes") << 1 << true;
}

void tst_QFuncodeDelegate_Servo::focusOutCommits()
{
    QFETCH(int, modifyType);
    QFETCH(bool, written);
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
    const QModelIndex index = cell(QStringLiteral("P00.02"));
    QPointer<QWidget> editor = openEditor(index);
    auto* spin = qobject_cast<QDoubleSpinBox*>(editor.data());
    QVERIFY(spin);
    spin->setValue(1234);

    m_view->setFocus();
    if (editor && m_view->indexWidget(index) == editor) {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(editor, &out);
    }
    QTRY_VERIFY(!m_view->indexWidget(index));
    QCOMPARE(m_device->getScaledCurValueStr(QStringLiteral("P00.02"), 0),
             written ? QStringLiteral("1234") : QStringLiteral("3000"));
    QCOMPARE(QTestHost::link("A")->writeRequestCount(), written ? 1 : 0);
    QCOMPARE(m_view->getModel()->editingRow(), -1);
}

void tst_QFuncodeDelegate_Servo::hexDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("cancelled") << false;
    QTest::newRow("accepted") << true;
}

void tst_QFuncodeDelegate_Servo::hexDialog()
{
    QFETCH(bool, accept);
    QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigDataChanged);
    const QModelIndex index = cell(QStringLiteral("P00.04"));
    QCOMPARE(index.data().toString(), QStringLiteral("0x00FF"));
    answerModal([accept](QDialog* dialog) {
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("HEX_EDIT"))) {
            edit->setText(QStringLiteral("100"));
        }
        if (accept) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    m_view->setCurrentIndex(index);
    m_view->edit(index);
    QTRY_VERIFY(!m_view->indexWidget(index));
    QTRY_COMPARE(m_view->getModel()->editingRow(), -1);

    QCOMPARE(QTestHost::link("A")->writeRequestCount(), accept ? 1 : 0);
    QCOMPARE(changed.count(), accept ? 1 : 0);
    QCOMPARE(m_device->getScaledCurValueStr(QStringLiteral("P00.04"), 0),
             accept ? QStringLiteral("0x0100") : QStringLiteral("0x00FF"));
}

void tst_QFuncodeDelegate_Servo::longLabelWidensCombo()
{
    m_view->setColumnWidth(QFuncodeModelBase_Servo::COL_AXIS_X, 40);
    const QModelIndex index = cell(QStringLiteral("P00.00"));
    auto* combo = qobject_cast<QComboBox*>(openEditor(index));
    QVERIFY(combo);
    QCOMPARE(combo->objectName(), QStringLiteral("FUNCODE_COMBOX"));
    // The drive's value 1 is the second item.
    QCOMPARE(combo->currentIndex(), 1);
    QVERIFY(combo->width() > 40);
    QCOMPARE(combo->width(), QFuncodeEditorFactory::neededWidth(combo));

    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Enter);
    QTRY_COMPARE(m_device->getCurValue(QStringLiteral("P00.00"), 0), 3);
}

void tst_QFuncodeDelegate_Servo::otherColumnsGetNoEditor()
{
    QSignalSpy editing(m_view->getDelegate(), &QFuncodeDelegate_Servo::SigEditting);
    QStyleOptionViewItem option;
    const QModelIndex name =
        m_view->getModel()->index(cell("P00.01").row(), QFuncodeModelBase_Servo::COL_NAME);
    QVERIFY(!m_view->getDelegate()->createEditor(m_view->viewport(), option, name));
    QCOMPARE(editing.count(), 0);
}

QTEST_MAIN(tst_QFuncodeDelegate_Servo)
#include "tst_QFuncodeDelegate_Servo.moc"
