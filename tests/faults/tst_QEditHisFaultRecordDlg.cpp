#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QEditHisFaultRecordDlg.h"
#include "QHisFormatTableDelegate.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using D = QHisFormatTableDelegate;

// The editor of the history-record format: cell checks, saving, and the drives that use the result.
class tst_QEditHisFaultRecordDlg : public QObject
{
    Q_OBJECT

    QDeviceServo* m_drive = nullptr;
    std::unique_ptr<QEditHisFaultRecordDlg> m_dlg;
    std::unique_ptr<QTestMessageBoxes> m_boxes;

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
    // The texts of the message boxes shown so far.
    QStringList messages() const { return m_boxes->texts(); }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_drive = QTestHost::addSelectedDrive("TST1", "t");
        QVERIFY(m_drive);
        m_boxes = std::make_unique<QTestMessageBoxes>();
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(m_drive);
    }

    void cleanup()
    {
        m_dlg.reset();
        m_boxes.reset();
        QTestHost::clearProject();
        QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901, {});
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
        // A new row's 4 bytes count against the limit as a typed length does.
        m_dlg->onBtnAddRowClicked();
        QCOMPARE(table()->rowCount(), accepted ? 4 : 5);
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_BYTE_COLUMN_MORE_THAN_128")});
    }

    // A number is a word from 1 to 99 or a range of them; a parameter a keyword or a code of the drive (or
    // of the selected one, once the drive is gone). A refused text leaves the cell and says why.
    void cellChecks_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("driveRemoved");
        const int number = D::COL_NUMBER;
        const int param = D::COL_PARAM;
        const QString badNumber("STR_HIS_NUMBER_INVALID");
        const QString badParam("STR_PARAM_IS_NOT_EXIST");
        QTest::newRow("number 05") << number << "05" << badNumber << false;
        QTest::newRow("number 100") << number << "100" << badNumber << false;
        QTest::newRow("number 0") << number << "0" << badNumber << false;
        QTest::newRow("range ends open") << number << "3~" << badNumber << false;
        QTest::newRow("range 3~12") << number << "3~12" << QString() << false;
        QTest::newRow("number 99") << number << "99" << QString() << false;
        QTest::newRow("faultcode in lower case") << param << "faultcode" << QString() << false;
        QTest::newRow("Reserve") << param << "Reserve" << QString() << false;
        QTest::newRow("state code") << param << "U00.00" << QString() << false;
        QTest::newRow("normal code") << param << "P2.01" << QString() << false;
        QTest::newRow("unknown code") << param << "P99.99" << badParam << false;
        QTest::newRow("empty") << param << "" << badParam << false;
        QTest::newRow("keyword, drive gone") << param << "faultcode" << QString() << true;
        QTest::newRow("code, drive gone") << param << "U00.00" << badParam << true;
    }

    void cellChecks()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QFETCH(bool, driveRemoved);
        const int row = column == D::COL_NUMBER ? 0 : 1;
        const QString before = cell(row, column);
        if (driveRemoved) {
            QTestHost::clearProject();
        }
        edit(row, column, text);
        QCOMPARE(cell(row, column), refusal.isEmpty() ? text : before);
        QCOMPARE(messages(),
                 refusal.isEmpty() ? QStringList() : QStringList{QTestUi::text(qPrintable(refusal))});
    }

    void savedFormatGoesToTheDrivesOfItsIdentity()
    {
        QDeviceServo* twin = QTestHost::addDrive("TST1", "twin");
        QDeviceServo* stranger = QTestHost::addDrive("TST2", "stranger");
        // An unchanged table is not saved.
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_NOT_CHANG")});
        QVERIFY(!QDatabaseManager::self()->getConfigDatabase_Servo()->hasDevHisFaultFormat("TST", "T1", 901));
        m_boxes->clear();
        edit(1, D::COL_NAME, "Bus");
        edit(1, D::COL_DATA_TYPE, "3:int16");
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_SAVE_SUCCESSED") +
                                         QTestUi::text("STR_NEW_FORMAT_VALID_WHEN_REFRESH_FAULT")});
        QCOMPARE(m_dlg->loadedRows(), m_dlg->tableRows());
        QCOMPARE(twin->getDevHisFaultFormat(false).value(1).name, QString("Bus"));
        QCOMPARE(twin->getDevHisFaultFormat(false).value(1).dataType, 3);
        QCOMPARE(stranger->getDevHisFaultFormat(false), stranger->getDevHisFaultFormat(true));
        // How a drive uses a stored format, from its start on, and decodes records with it:
        // tst_QServoFaultStore::storedFormatIsUsedAndAnnounced, tst_QHisFaultRecordDecoder.

        m_boxes->clear();
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_NOT_CHANG")});
    }

    void anEmptyTableAsksForTheDefault_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("restore") << 1;
        QTest::newRow("keep") << 2;
    }

    // Saving a table whose rows were all deleted asks whether the default format comes back: yes shows and
    // uses the default, no changes nothing.
    void anEmptyTableAsksForTheDefault()
    {
        QFETCH(int, answer);
        const QHisFaultFormatList_Servo custom{{"1~2", "Fault code", 8, 4, "FAULTCODE", 0}};
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901,
                                                                                        custom));
        m_drive->initHisFaultFormat(true);
        m_dlg = std::make_unique<QEditHisFaultRecordDlg>(m_drive);
        table()->setRowCount(0);
        m_boxes->setAnswer(answer);
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages().value(0), QTestUi::text("STR_RESTORE_DEFAULT_FORMAT"));
        const QHisFaultFormatList_Servo expected = answer == 1 ? m_drive->getDevHisFaultFormat(true) : custom;
        QCOMPARE(m_drive->getDevHisFaultFormat(false), expected);
        QCOMPARE(table()->rowCount(), answer == 1 ? expected.size() : 0);
    }

    // The table opens with the format in use. A row is added at the current row, with the defaults; until it
    // is filled the table is not saved.
    void addedRowsMustBeFilledBeforeSaving()
    {
        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(cell(0, D::COL_DATA_TYPE), QString("8:uint32"));
        QCOMPARE(m_dlg->tableRows(), m_drive->getDevHisFaultFormat(false));
        QCOMPARE(D::dataTypeText(5), QString("5"));
        table()->setCurrentCell(1, 0);
        m_dlg->onBtnAddRowClicked();
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(cell(1, D::COL_NUMBER), QString());
        QCOMPARE(cell(1, D::COL_DATA_TYPE), QString("7:int32"));
        QCOMPARE(cell(1, D::COL_BYTE_LEN), QString("4"));
        QCOMPARE(cell(2, D::COL_PARAM), QString("U00.01"));
        m_dlg->onBtnSaveClicked();
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_ROW_INCOMPLETE")});
        QVERIFY(!QDatabaseManager::self()->getConfigDatabase_Servo()->hasDevHisFaultFormat("TST", "T1", 901));
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
        m_boxes->setAnswer(answer);
        m_dlg->onBtnDeleteRowClicked();
        QCOMPARE(table()->rowCount(), rowsLeft);
        QCOMPARE(messages(), QStringList{QTestUi::text(qPrintable(message))});
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
        QCOMPARE(messages(), QStringList{QTestUi::text("STR_FORMAT_NOT_CHANG")});
    }
};

QTEST_MAIN(tst_QEditHisFaultRecordDlg)
#include "tst_QEditHisFaultRecordDlg.moc"
