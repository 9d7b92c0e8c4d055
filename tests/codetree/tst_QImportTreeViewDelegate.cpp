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

// The import tree's editor of current values: which cells get which editor, and the edited value reaching
// the drive.
class tst_QImportTreeViewDelegate : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    std::unique_ptr<QDownloadTreeView_Servo> m_view;
    QDownloadTreeModel* m_model = nullptr;
    QImportTreeViewDelegate* m_delegate = nullptr;

    // The row of a number below the single group "P00 Basic".
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
        for (const char* number : {"P00.02", "P00.03", "P00.04", "P00.05", "P00.10"}) {
            auto record = tagExportFuncodePtr_Servo::create();
            record->groupName = QStringLiteral("P00 Basic");
            record->funIndex = QLatin1String(number);
            record->valueTexts = QStringList{"", "", ""};
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

    void editorByShowType_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("kind");
        QTest::newRow("decimal") << 0 << 3 << int(QFuncodeEditorFactory::EDITOR_SPIN);
        QTest::newRow("enumerated, axis Y") << 1 << 5 << int(QFuncodeEditorFactory::EDITOR_COMBO);
        QTest::newRow("hexadecimal") << 2 << 7 << int(QFuncodeEditorFactory::EDITOR_HEX);
        QTest::newRow("menu parameter") << 3 << 3 << int(QFuncodeEditorFactory::EDITOR_MENU);
        QTest::newRow("bit view has none") << 4 << 3 << int(QFuncodeEditorFactory::EDITOR_NONE);
        QTest::newRow("file value has none") << 0 << 2 << int(QFuncodeEditorFactory::EDITOR_NONE);
        QTest::newRow("name has none") << 0 << 1 << int(QFuncodeEditorFactory::EDITOR_NONE);
    }

    void editorByShowType()
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
        auto record = tagExportFuncodePtr_Servo::create();
        record->groupName = QStringLiteral("G");
        record->funIndex = QStringLiteral("P00.02");
        single.load({record});
        const QModelIndex index = single.index(0, 3, single.index(0, 0, single.index(0, 0)));
        QVERIFY(index.isValid());
        QVERIFY(!m_delegate->createEditor(nullptr, QStyleOptionViewItem(), index));
    }

    void spinBoxValueIsWritten()
    {
        const QModelIndex index = cell(0, 5);
        std::unique_ptr<QWidget> editor = editorFor(index);
        auto* spin = qobject_cast<QDoubleSpinBox*>(editor.get());
        QVERIFY(spin);
        m_delegate->setEditorData(spin, index);
        QCOMPARE(spin->value(), 3000.0);
        spin->setValue(2400);
        m_delegate->setModelData(spin, m_model, index);
        QCOMPARE(m_device->getScaledCurValueStr("P00.02", 1), QStringLiteral("2400"));
        QCOMPARE(index.data().toString(), QStringLiteral("2400"));
    }

    void comboTextIsWritten()
    {
        const QModelIndex index = cell(1, 3);
        std::unique_ptr<QWidget> editor = editorFor(index);
        auto* combo = qobject_cast<QComboBox*>(editor.get());
        QVERIFY(combo);
        m_delegate->setEditorData(combo, index);
        combo->setCurrentIndex(2);
        m_delegate->setModelData(combo, m_model, index);
        QCOMPARE(m_device->getCurValue("P00.03", 0), 2);
    }

    void hexDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void hexDialog()
    {
        QFETCH(bool, accept);
        const QModelIndex index = cell(2, 3);
        std::unique_ptr<QWidget> editor = editorFor(index);
        QVERIFY(editor);
        QTestHost::link(kAlias)->resetCounters();
        answerModalDialog([accept](QDialog* dialog) {
            if (auto* edit = dialog->findChild<QLineEdit*>("HEX_EDIT")) {
                edit->setText("1A0");
            }
            accept ? dialog->accept() : dialog->reject();
        });
        m_delegate->setEditorData(editor.get(), index);
        m_delegate->setModelData(editor.get(), m_model, index);
        QCOMPARE(QTestHost::link(kAlias)->writeRequestCount(), accept ? 1 : 0);
        QCOMPARE(m_device->getScaledCurValueStr("P00.04", 0), accept ? QStringLiteral("0x01A0") : "0x00FF");
    }
};

QTEST_MAIN(tst_QImportTreeViewDelegate)
#include "tst_QImportTreeViewDelegate.moc"
