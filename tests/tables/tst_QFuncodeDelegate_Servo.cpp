#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QFuncodeDelegate_Servo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QLibSetting.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QtTest>

using M = QFuncodeModelBase_Servo;

// The value editor: which editor a code gets, when an edited value is written, and the dialogs.
class tst_QFuncodeDelegate_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    std::unique_ptr<QFuncodeView_Servo> m_view;

    QModelIndex cell(const QString& number, int column = M::COL_AXIS_X) const
    {
        return m_view->getModel()->index(m_view->getModel()->rowOfFuncode(number, "A"), column);
    }

    QWidget* openEditor(const QModelIndex& index)
    {
        m_view->setCurrentIndex(index);
        m_view->edit(index);
        return m_view->indexWidget(index);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
        m_device = QTestHost::addSelectedDrive("TST3", "A");
        QTestHost::setRefreshInterval(m_device, 0);
        QVERIFY(QTestHost::readAll(m_device));
        m_view = std::make_unique<QFuncodeView_Servo>();
        m_view->setModelGroup("P00 Basic");
        m_view->onInitModelData(m_device->getNormalFuncodeGroupMap());
        QVERIFY(QTestUi::show(m_view.get(), {1000, 500}));
        QTestHost::link("A")->resetCounters();
    }

    void cleanup()
    {
        m_view.reset();
        QTestHost::clearProject();
    }

    // The editor kind of each show type is the factory's matter: one row shows the delegate uses it, the
    // others that a cell without an editor does not keep its row out of periodic reading.
    void editorKind_data()
    {
        using F = QFuncodeEditorFactory;
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("kind");
        QTest::newRow("decimal: the factory's spin box")
            << "P00.01" << int(M::COL_AXIS_Z) << int(F::EDITOR_SPIN);
        QTest::newRow("bits, writable") << "P00.10" << int(M::COL_AXIS_X) << int(F::EDITOR_NONE);
        QTest::newRow("name column") << "P00.01" << int(M::COL_NAME) << int(F::EDITOR_NONE);
    }

    void editorKind()
    {
        QFETCH(QString, number);
        QFETCH(int, column);
        QFETCH(int, kind);
        QSignalSpy editing(m_view->getDelegate(), &QFuncodeDelegate_Servo::SigEditting);
        const QModelIndex index = cell(number, column);
        std::unique_ptr<QWidget> editor(
            m_view->getDelegate()->createEditor(m_view->viewport(), QStyleOptionViewItem(), index));
        QCOMPARE(int(QFuncodeEditorFactory::editorKind(editor.get())), kind);
        // Only the axis cells mark their row as being edited.
        QCOMPARE(editing.isEmpty(), column == M::COL_NAME);
        QVERIFY(editing.isEmpty() || editing.at(0) == QVariantList({index.row(), true}));
        // A row without an editor does not stay out of periodic reading.
        QCOMPARE(m_view->getModel()->editingRow(), editor ? index.row() : -1);
    }

    void commits_data()
    {
        QTest::addColumn<int>("modifyType");
        QTest::addColumn<int>("key"); // 0: the focus leaves the editor
        QTest::addColumn<bool>("written");
        QTest::newRow("Return") << 0 << int(Qt::Key_Return) << true;
        QTest::newRow("Enter") << 0 << int(Qt::Key_Enter) << true;
        QTest::newRow("focus out, Return needed") << 0 << 0 << false;
        QTest::newRow("focus out, written when the editor closes") << 1 << 0 << true;
    }

    void commits()
    {
        QFETCH(int, modifyType);
        QFETCH(int, key);
        QFETCH(bool, written);
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
        QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigDataChanged);
        const QModelIndex index = cell("P00.01", M::COL_AXIS_Y);
        m_view->setColumnWidth(M::COL_AXIS_Y, 40);
        QPointer<QWidget> editor = openEditor(index);
        auto* spin = qobject_cast<QDoubleSpinBox*>(editor.data());
        QVERIFY(spin);
        QCOMPARE(spin->value(), 2.8);
        // Placed by the factory: over a narrow cell it shows its whole value.
        QCOMPARE(spin->width(), qMax(40, QFuncodeEditorFactory::neededWidth(spin)));
        spin->setValue(5.5);

        if (key) {
            QTest::keyClick(spin, Qt::Key(key));
        } else {
            m_view->setFocus();
            if (editor && m_view->indexWidget(index) == editor) {
                QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
                QCoreApplication::sendEvent(editor, &out);
            }
        }
        QTRY_VERIFY(!m_view->indexWidget(index));
        QCOMPARE(m_device->getScaledCurValueStr("P00.01", 1), written ? QStringLiteral("5.50") : "2.80");
        QCOMPARE(QTestHost::link("A")->writeRequestCount(), written ? 1 : 0);
        QCOMPARE(m_view->getModel()->editingRow(), -1);
        // What the change tells: tst_QFuncodeModel_Servo::edits.
        QCOMPARE(changed.count(), written ? 1 : 0);
    }

    // Return reaches the dialog, which is the cell's editor: it must be committed and closed once. (A
    // cancelled dialog hands back nothing, tst_QFuncodeEditorFactory::editorOfEveryShowType, and nothing
    // handed back is written: ::commits.)
    void hexDialogAcceptedWithReturn()
    {
        QSignalSpy changed(m_view.get(), &QBaseFuncodeView_Servo::SigDataChanged);
        QSignalSpy closed(m_view->getDelegate(), &QAbstractItemDelegate::closeEditor);
        const QModelIndex index = cell("P00.04");
        QCOMPARE(index.data().toString(), QStringLiteral("0x00FF"));
        answerModalDialog([](QDialog* dialog) {
            auto* edit = QTestUi::child<QLineEdit>(dialog, "HEX_EDIT");
            edit->setText("100");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        openEditor(index);
        QTRY_VERIFY(!m_view->indexWidget(index));
        QTRY_COMPARE(m_view->getModel()->editingRow(), -1);
        QCoreApplication::processEvents(); // delivers a second close, had one been queued
        QCOMPARE(closed.count(), 1);
        QCOMPARE(QTestHost::link("A")->writeRequestCount(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_device->getScaledCurValueStr("P00.04", 0), QStringLiteral("0x0100"));
    }
};

QTEST_MAIN(tst_QFuncodeDelegate_Servo)
#include "tst_QFuncodeDelegate_Servo.moc"
