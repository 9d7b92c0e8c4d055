#include "FuncodeRows.h"
#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QFuncodeEditorFactory.h"
#include "QImportTreeViewDelegate.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {
const QString kAlias = QStringLiteral("Delegate-A");
}

// The import tree's editor of current values: which cells get an editor (which one is the editor
// factory's rule, tst_QFuncodeEditorFactory), and the edited value reaching the drive.
class tst_QImportTreeViewDelegate : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    std::unique_ptr<QDownloadTreeView_Servo> m_view;
    QDownloadTreeModel* m_model = nullptr;
    QImportTreeViewDelegate* m_delegate = nullptr;

    // The row of a number below the single group "P00 Basic": P00.02 decimal, P00.03 enumerated, P00.04
    // hexadecimal.
    QModelIndex cell(int row, int column) const
    {
        return m_model->index(row, column, m_model->index(0, 0, m_model->index(0, 0)));
    }

    std::unique_ptr<QWidget> editorFor(const QModelIndex& index)
    {
        return std::unique_ptr<QWidget>(
            m_delegate->createEditor(m_view->viewport(), QStyleOptionViewItem(), index));
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        m_device = QTestHost::addSelectedDrive(QStringLiteral("TST3"), kAlias);
        QVERIFY(m_device && QTestHost::readAll(m_device));
        m_view = std::make_unique<QDownloadTreeView_Servo>();
        m_model = new QDownloadTreeModel({"a", "b", "c", "d", "e", "f", "g", "h"}, true, m_view.get());
        QList<tagExportFuncodePtr_Servo> rows;
        for (const char* number : {"P00.02", "P00.03", "P00.04"}) {
            auto record = FuncodeRows::row(QStringLiteral("P00 Basic"), QLatin1String(number), {"", "", ""});
            QDownloadTreeModel::readCurrentValues(record.data(), m_device);
            rows << record;
        }
        m_model->load(rows);
        m_view->setModel(m_model);
        m_delegate = new QImportTreeViewDelegate(m_view.get());
        m_view->setItemDelegate(m_delegate);
    }
    void cleanup()
    {
        m_view.reset();
        QTestHost::clearProject();
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
        const std::unique_ptr<QWidget> editor = editorFor(cell(row, column));
        QCOMPARE(int(QFuncodeEditorFactory::editorKind(editor.get())), kind);
    }

    void groupRowsAndOtherLayoutsHaveNoEditor()
    {
        QVERIFY(!editorFor(m_model->index(0, 3, m_model->index(0, 0))));
        QDownloadTreeModel single({"a", "b", "c", "d", "e", "f"}, false);
        single.load({FuncodeRows::row(QStringLiteral("G"), QStringLiteral("P00.02"), {})});
        const QModelIndex index = single.index(0, 3, single.index(0, 0, single.index(0, 0)));
        QVERIFY(index.isValid());
        QVERIFY(!m_delegate->createEditor(nullptr, QStyleOptionViewItem(), index));
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
        const QModelIndex index = cell(row, column);
        const std::unique_ptr<QWidget> editor = editorFor(index);
        QVERIFY(editor);
        QTestHost::link(kAlias)->resetCounters();
        if (QFuncodeEditorFactory::isDialogEditor(editor.get())) {
            answerModalDialog([writes](QDialog* dialog) {
                dialog->findChild<QLineEdit*>("HEX_EDIT")->setText("1A0");
                writes ? dialog->accept() : dialog->reject();
            });
        }
        m_delegate->setEditorData(editor.get(), index);
        if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor.get())) {
            QCOMPARE(spin->value(), 3000.0);
            spin->setValue(2400);
        } else if (auto* combo = qobject_cast<QComboBox*>(editor.get())) {
            combo->setCurrentIndex(2);
        }
        m_delegate->setModelData(editor.get(), m_model, index);
        QCOMPARE(QTestHost::link(kAlias)->writeRequestCount(), writes);
        QCOMPARE(m_device->getScaledCurValueStr(m_model->index(row, 0, index.parent()).data().toString(),
                                                (column - 3) / 2),
                 shown);
    }

    // A value whose read failed shows "null": its editor, closed without typing, writes nothing.
    void editorOnAValueNotReadWritesNothingUntyped()
    {
        QDriveFaultSwitches failing;
        failing.failCode = "P00.02";
        QTestHost::link(kAlias)->setFaultSwitches(failing);
        QVERIFY(QTestHost::readCodes(m_device, {"P00.02"}));
        const std::unique_ptr<QWidget> editor = editorFor(cell(0, 3));
        QTestHost::link(kAlias)->resetCounters();
        m_delegate->setEditorData(editor.get(), cell(0, 3));
        m_delegate->setModelData(editor.get(), m_model, cell(0, 3));
        QCOMPARE(QTestHost::link(kAlias)->writeRequestCount(), 0);
    }
};

QTEST_MAIN(tst_QImportTreeViewDelegate)
#include "tst_QImportTreeViewDelegate.moc"
