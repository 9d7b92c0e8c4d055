#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QEditHisFaultRecordDlg.h"
#include "QHisFormatTableDelegate.h"
#include "QMyMessageBox.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QValidator>
#include <QtTest>

using D = QHisFormatTableDelegate;

// The editor of the history-record format: cell checks, saving, and the drives that use the result.
class tst_QEditHisFaultRecordDlg : public QObject
{
    Q_OBJECT

    QDeviceServo* m_drive = nullptr;
    std::unique_ptr<QEditHisFaultRecordDlg> m_dlg;
    int m_answer = 1;

    QTableWidget* table() const { return m_dlg->table(); }

    // Edits one cell as a user would: the delegate's editor, filled from the cell, changed, committed.
    void edit(int row, int column, const QVariant& value)
    {
        QAbstractItemDelegate* delegate = table()->itemDelegate();
        const QModelIndex index = table()->model()->index(row, column);
        QStyleOptionViewItem option;
        std::unique_ptr<QWidget> editor(delegate->createEditor(table()->viewport(), option, index));
        delegate->setEditorData(editor.get(), index);
        if (auto* spin = qobject_cast<QSpinBox*>(editor.get())) {
            spin->setValue(value.toInt());
        } else if (auto* combo = qobject_cast<QComboBox*>(editor.get())) {
            combo->setCurrentText(value.toString());
        } else if (auto* line = qobject_cast<QLineEdit*>(editor.get())) {
            line->setText(value.toString());
        }
        delegate->setModelData(editor.get(), table()->model(), index);
    }

    QString cell(int row, int column) const
    {
        return table()->item(row, column)->data(Qt::EditRole).toString();
    }
    static QStringList messages()
    {
        QStringList texts;
        for (const QMyMessageBox::Call& call : QMyMessageBox::recordedCalls()) {
            texts << call.text;
        }
        return texts;
    }
    static QString text(const char* key) { return QCoreApplication::translate("x", key); }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_drive = QTestHost::addSelectedDrive("TST1", "t");
        QVERIFY(m_drive);
        m_answer = 1;
        QMyMessageBox::setTestHook([this](const QMyMessageBox::Call&) { return m_answer; });
        QMyMessageBox::clearRecordedCalls();
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(m_drive);
    }

    void cleanup()
    {
        m_dlg.reset();
        QMyMessageBox::setTestHook(nullptr);
        QTestHost::clearProject();
        QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901, {});
    }

    void loadsTheFormatInUse()
    {
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(cell(0, D::COL_NUMBER), QString("1~2"));
        QCOMPARE(cell(0, D::COL_DATA_TYPE), QString("8:uint32"));
        QCOMPARE(cell(1, D::COL_BYTE_LEN), QString("2"));
        QCOMPARE(cell(1, D::COL_PARAM), QString("U00.01"));
        QCOMPARE(m_dlg->tableRows(), m_drive->getDevHisFaultFormat(false));
        QCOMPARE(D::dataTypeText(5), QString("5"));
    }

    void byteLengthsAddUpToAtMost128_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("128 in all") << 58 << true;
        QTest::newRow("132 in all") << 62 << false;
    }

    void byteLengthsAddUpToAtMost128()
    {
        QFETCH(int, length);
        QFETCH(bool, accepted);
        table()->setCurrentCell(-1, -1);
        m_dlg->onBtnAddRowClicked(); // a fourth row of 4 bytes
        edit(1, D::COL_BYTE_LEN, 64);
        QCOMPARE(cell(1, D::COL_BYTE_LEN), QString("64"));
        edit(0, D::COL_BYTE_LEN, length); // with 64 + 2 + 4 in the other rows
        QCOMPARE(cell(0, D::COL_BYTE_LEN), QString::number(accepted ? length : 4));
        QCOMPARE(messages(), accepted ? QStringList() : QStringList{text("STR_BYTE_COLUMN_MORE_THAN_128")});
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("05") << "05" << false;
        QTest::newRow("100") << "100" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("range ends open") << "3~" << false;
        QTest::newRow("3~12") << "3~12" << true;
        QTest::newRow("99") << "99" << true;
    }

    void numbers()
    {
        QFETCH(QString, number);
        QFETCH(bool, accepted);
        std::unique_ptr<QWidget> editor(table()->itemDelegate()->createEditor(
            table()->viewport(), QStyleOptionViewItem(), table()->model()->index(0, D::COL_NUMBER)));
        auto* line = qobject_cast<QLineEdit*>(editor.get());
        QVERIFY(line && line->validator());
        int pos = 0;
        QString typed = number;
        QCOMPARE(line->validator()->validate(typed, pos) == QValidator::Acceptable, accepted);
        edit(0, D::COL_NUMBER, number);
        QCOMPARE(cell(0, D::COL_NUMBER), accepted ? number : QString("1~2"));
    }

    void parameters_data()
    {
        QTest::addColumn<QString>("param");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("faultcode in lower case") << "faultcode" << true;
        QTest::newRow("Reserve") << "Reserve" << true;
        QTest::newRow("state code") << "U00.00" << true;
        QTest::newRow("normal code") << "P2.01" << true;
        QTest::newRow("unknown code") << "P99.99" << false;
        QTest::newRow("empty") << "" << false;
    }

    void parameters()
    {
        QFETCH(QString, param);
        QFETCH(bool, accepted);
        edit(1, D::COL_PARAM, param);
        QCOMPARE(cell(1, D::COL_PARAM), accepted ? param : QString("U00.01"));
        QCOMPARE(messages(), accepted ? QStringList() : QStringList{text("STR_PARAM_IS_NOT_EXIST")});
    }

    void keywordNeedsNoDrive()
    {
        QTestHost::clearProject();
        QTableWidget other(1, D::COLUMN_COUNT);
        other.setItemDelegate(new QHisFormatTableDelegate(nullptr, &other));
        other.setItem(0, D::COL_PARAM, new QTableWidgetItem("U00.01"));
        std::unique_ptr<QWidget> editor(other.itemDelegate()->createEditor(
            other.viewport(), QStyleOptionViewItem(), other.model()->index(0, D::COL_PARAM)));
        qobject_cast<QLineEdit*>(editor.get())->setText("faultcode");
        other.itemDelegate()->setModelData(editor.get(), other.model(),
                                           other.model()->index(0, D::COL_PARAM));
        QCOMPARE(other.item(0, D::COL_PARAM)->text(), QString("faultcode"));
        m_dlg.reset();
    }

    void unchangedTableIsNotSaved()
    {
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{text("STR_FORMAT_NOT_CHANG")});
        QVERIFY(!QDatabaseManager::self()->getConfigDatabase_Servo()->hasDevHisFaultFormat("TST", "T1", 901));
    }

    void savedFormatDecodesTheNextRecords()
    {
        QDeviceServo* twin = QTestHost::addDrive("TST1", "twin");
        QDeviceServo* stranger = QTestHost::addDrive("TST2", "stranger");
        edit(1, D::COL_NAME, "Bus");
        edit(1, D::COL_DATA_TYPE, "3:int16");
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(),
                 QStringList{text("STR_SAVE_SUCCESSED") + text("STR_NEW_FORMAT_VALID_WHEN_REFRESH_FAULT")});
        QCOMPARE(m_dlg->loadedRows(), m_dlg->tableRows());
        QCOMPARE(twin->getDevHisFaultFormat(false).value(1).name, QString("Bus"));
        QCOMPARE(twin->getDevHisFaultFormat(false).value(1).dataType, 3);
        QCOMPARE(stranger->getDevHisFaultFormat(false), stranger->getDevHisFaultFormat(true));

        QVERIFY(QTestHost::link("twin")->raiseFault("E.101"));
        QTRY_COMPARE(twin->getHistoryFaultList(0).size(), 1);
        QCOMPARE(twin->getHistoryFaultList(0).first().params.value(0).displayName, QString("Bus"));
        // A new drive of the same identity starts with the saved format.
        QCOMPARE(QTestHost::addDrive("TST1", "later")->getDevHisFaultFormat(false), m_dlg->tableRows());

        QMyMessageBox::clearRecordedCalls();
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{text("STR_FORMAT_NOT_CHANG")});
    }

    void incompleteRowsAreNotSaved()
    {
        table()->setCurrentCell(-1, -1);
        m_dlg->onBtnAddRowClicked();
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(cell(3, D::COL_DATA_TYPE), QString("7:int32"));
        QCOMPARE(cell(3, D::COL_BYTE_LEN), QString("4"));
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{text("STR_FORMAT_ROW_INCOMPLETE")});
        QVERIFY(!QDatabaseManager::self()->getConfigDatabase_Servo()->hasDevHisFaultFormat("TST", "T1", 901));
    }

    void rowsAreAddedAtTheCurrentRow()
    {
        table()->setCurrentCell(1, 0);
        m_dlg->onBtnAddRowClicked();
        QCOMPARE(cell(1, D::COL_NUMBER), QString());
        QCOMPARE(cell(2, D::COL_PARAM), QString("U00.01"));
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<QString>("message");
        QTest::newRow("no row") << -1 << 1 << 3 << "STR_SELECT_ONE_ROW";
        QTest::newRow("confirmed") << 1 << 1 << 2 << "STR_CONFIRM_DELETE_ROW";
        QTest::newRow("declined") << 1 << 0 << 3 << "STR_CONFIRM_DELETE_ROW";
    }

    void deleteAsksFirst()
    {
        QFETCH(int, current);
        QFETCH(int, answer);
        QFETCH(int, rowsLeft);
        QFETCH(QString, message);
        table()->setCurrentCell(current, current < 0 ? -1 : 0);
        m_answer = answer;
        m_dlg->onBtnDeleteRowClicked();
        QCOMPARE(table()->rowCount(), rowsLeft);
        QCOMPARE(messages(), QStringList{text(qPrintable(message))});
    }

    void shippedRowsOpenAndSaveBackUnchanged_data()
    {
        QTest::addColumn<QString>("model");
        for (const char* model : {"SD110", "SD220", "SD330", "KV905"}) {
            QTest::newRow(model) << model;
        }
    }

    void shippedRowsOpenAndSaveBackUnchanged()
    {
        QFETCH(QString, model);
        QDeviceServo* drive = QTestHost::addSelectedDrive(model, "shipped");
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(drive);
        QVERIFY(table()->rowCount() >= 8);
        for (int row = 0; row < table()->rowCount(); ++row) {
            for (int column = 0; column < D::COLUMN_COUNT; ++column) {
                edit(row, column, table()->item(row, column)->data(Qt::EditRole));
            }
        }
        QCOMPARE(messages(), QStringList());
        QCOMPARE(m_dlg->tableRows(), drive->getDevHisFaultFormat(true));
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{text("STR_FORMAT_NOT_CHANG")});
    }
};

QTEST_MAIN(tst_QEditHisFaultRecordDlg)
#include "tst_QEditHisFaultRecordDlg.moc"
