#include "ModalAnswer.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFunCodeAxisValueModel.h"
#include "QFunCodeDetailTable.h"
#include "QFunCodeRelateParamModel.h"
#include "QLibSetting.h"
#include "QRecordDB_Servo.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

QModelIndex editCell(const QFunCodeDetailTable& dlg, int axis)
{
    return dlg.tableView()->model()->index(axis, QFunCodeAxisValueModel::COL_EDIT);
}

QString fieldText(const QWidget& dlg, const char* objectName)
{
    const QLabel* label = dlg.findChild<QLabel*>(QLatin1String(objectName));
    return label ? label->text() : QStringLiteral("<missing>");
}

QStringList rowTexts(const QAbstractItemModel* model, int row)
{
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column) {
        texts << model->index(row, column).data().toString();
    }
    return texts;
}

tagModifyFuncode_Servo motorChange(const QString& time, const QString& newRatedCurrent = "4.50")
{
    tagModifyFuncode_Servo record;
    record.strTime = time;
    record.funIndex = QStringLiteral("P00.00");
    record.axisIndex = 1;
    record.oldVal = QStringLiteral("1");
    record.newVal = QStringLiteral("2");
    record.relateParamMap.insert(QStringLiteral("P00.02"),
                                 qMakePair(QStringLiteral("3000"), QStringLiteral("2500")));
    record.relateParamMap.insert(QStringLiteral("P00.01"),
                                 qMakePair(QStringLiteral("2.80"), newRatedCurrent));
    return record;
}
} // namespace

class tst_QFunCodeDetailTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void describesTheCode();
    void committedEditIsReportedNotWritten_data();
    void committedEditIsReportedNotWritten();
    void editWithoutEnterFollowsModifyType();
    void hexDialogReportsOnlyWhenAccepted();
    void disableModifyLocksEveryAxis();
    void unknownCodeOrNoDrive();
    void valuesFollowTheDrive();
    void relatedParameters();

private:
    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
};

void tst_QFunCodeDetailTable::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    QVERIFY(QLibSetting::self()->loadLanguage(QStringLiteral("en")));
}

void tst_QFunCodeDetailTable::init()
{
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("drive"));
    QVERIFY(m_device);
    m_link = QTestHost::link(QStringLiteral("drive"));
    QTestHost::select(QStringLiteral("drive"));
    QVERIFY(QTestHost::readAll(m_device));
}

void tst_QFunCodeDetailTable::cleanup()
{
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
    QTestHost::clearProject();
}

void tst_QFunCodeDetailTable::describesTheCode()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    QCOMPARE(fieldText(dlg, "DETAIL_TITLE"), QStringLiteral("P00.01  Rated current"));
    QCOMPARE(fieldText(dlg, "DETAIL_RANGE"), QStringLiteral("0.10 to 30.00"));
    QCOMPARE(fieldText(dlg, "DETAIL_RIGHT"), QStringLiteral("Read and write"));
    QVERIFY(dlg.noteText().isEmpty());

    QFunCodeDetailTable enumerated(QStringLiteral("P00.00"));
    QVERIFY(fieldText(enumerated, "DETAIL_VALUE_LIST").contains(QStringLiteral("3:Motor C 750W")));
    QCOMPARE(fieldText(enumerated, "DETAIL_RELATED"),
             QStringLiteral("P00.01 Rated current, P00.02 Rated speed"));
}

void tst_QFunCodeDetailTable::committedEditIsReportedNotWritten_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<int>("axis");
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QVariant>("newValue");

    QTest::newRow("decimal") << "P00.01" << 1 << "2.80" << QVariant(12.5);
    QTest::newRow("enumerated") << "P00.03" << 2 << "0:Position" << QVariant(2);
}

void tst_QFunCodeDetailTable::committedEditIsReportedNotWritten()
{
    QFETCH(QString, funIndex);
    QFETCH(int, axis);
    QFETCH(QString, oldText);
    QFETCH(QVariant, newValue);

    QFunCodeDetailTable dlg(funIndex);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
    const qint64 rawBefore = m_link->rawValue(funIndex, axis);
    dlg.tableView()->edit(editCell(dlg, axis));
    auto* spin = dlg.tableView()->viewport()->findChild<QDoubleSpinBox*>();
    auto* combo = dlg.tableView()->viewport()->findChild<QComboBox*>(QStringLiteral("FUNCODE_COMBOX"));
    QVERIFY(spin || combo);
    spin ? spin->setValue(newValue.toDouble()) : combo->setCurrentIndex(newValue.toInt());
    QTest::keyClick(spin ? static_cast<QWidget*>(spin) : combo, Qt::Key_Return);

    QTRY_COMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE(args.at(0).toString(), oldText);
    QCOMPARE(args.at(1), newValue);
    QCOMPARE(args.at(2).value<tagSubFuncodePtr_Servo>(), m_device->getFuncodePtrByFunIndex(funIndex));
    QCOMPARE(args.at(3).toInt(), axis);
    // The window leaves writing to whoever opened it.
    QCOMPARE(m_link->rawValue(funIndex, axis), rawBefore);
    QCOMPARE(m_device->getScaledCurValueStr(funIndex, axis), oldText);
    QTest::qWait(0);
    QCOMPARE(spy.count(), 0);
}

void tst_QFunCodeDetailTable::editWithoutEnterFollowsModifyType()
{
    for (int modifyType : {0, 1}) {
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
        QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
        dlg.tableView()->edit(editCell(dlg, 0));
        auto* spin = dlg.tableView()->viewport()->findChild<QDoubleSpinBox*>();
        QVERIFY(spin);
        spin->setValue(7.25);
        // What the view does when the editor loses the focus: only modify type 1 commits then.
        emit dlg.tableView()->itemDelegateForColumn(QFunCodeAxisValueModel::COL_EDIT)->commitData(spin);
        QCOMPARE(spy.count(), modifyType);
        QVERIFY(modifyType == 0 || spy.at(0).at(1).toDouble() == 7.25);
    }
}

void tst_QFunCodeDetailTable::hexDialogReportsOnlyWhenAccepted()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.04"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
    for (bool accept : {false, true}) {
        bool answered = false;
        answerModalDialog([&answered, accept](QDialog* dialog) {
            answered = true;
            accept ? dialog->accept() : dialog->reject();
        });
        dlg.tableView()->edit(editCell(dlg, 0));
        QTRY_VERIFY(answered);
        QTest::qWait(0);
        QCOMPARE(spy.count(), accept ? 1 : 0);
    }
    QCOMPARE(spy.at(0).at(0).toString(), m_device->getScaledCurValueStr(QStringLiteral("P00.04"), 0));
    QCOMPARE(spy.at(0).at(1).toLongLong(), qint64(255));
}

void tst_QFunCodeDetailTable::disableModifyLocksEveryAxis()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
    dlg.disableModify();
    QVERIFY(dlg.findChild<QLabel*>(QStringLiteral("DETAIL_NOTE"))->isVisible());
    QAbstractItemModel* model = dlg.tableView()->model();
    for (int axis = 0; axis < model->rowCount(); ++axis) {
        QVERIFY(!(model->flags(editCell(dlg, axis)) & Qt::ItemIsEditable));
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        dlg.tableView()->edit(editCell(dlg, axis));
        QVERIFY(!dlg.tableView()->viewport()->findChild<QDoubleSpinBox*>());
        QVERIFY(!model->setData(editCell(dlg, axis), 5.0));
    }
    QCOMPARE(spy.count(), 0);
}

void tst_QFunCodeDetailTable::unknownCodeOrNoDrive()
{
    QFunCodeDetailTable unknown(QStringLiteral("P99.99"));
    QCOMPARE(unknown.noteText(), QStringLiteral("The drive drive has no function code P99.99."));
    QCOMPARE(unknown.tableView()->model()->rowCount(), 0);
    unknown.disableModify(); // harmless without rows
    QTestHost::select(QString());
    QFunCodeDetailTable noDrive(QStringLiteral("P00.01"));
    QCOMPARE(noDrive.noteText(), QStringLiteral("No drive is selected."));
    QCOMPARE(noDrive.tableView()->model()->rowCount(), 0);
}

void tst_QFunCodeDetailTable::valuesFollowTheDrive()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    QAbstractItemModel* model = dlg.tableView()->model();
    // The window asks for the code when it opens; that read must be answered first.
    QTRY_VERIFY(!m_device->isReadBusy());
    m_link->setRawValue(QStringLiteral("P00.01"), 1, 1234);
    m_device->readFuncode({m_device->getFuncodePtrByFunIndex(QStringLiteral("P00.01"))});
    QTRY_COMPARE(model->index(1, QFunCodeAxisValueModel::COL_CUR_VALUE).data().toString(),
                 QStringLiteral("12.34"));
}

void tst_QFunCodeDetailTable::relatedParameters()
{
    const QString time = QStringLiteral("2024-05-01 10:00:00");
    QFunCodeDetailTable given(time, QStringLiteral("P00.00"), true, motorChange(time));
    // Enumerated values are recorded by position; the window names the items.
    QCOMPARE(fieldText(given, "DETAIL_CHANGE"),
             QStringLiteral("Axis Y: 1:Motor B 400W \u2192 3:Motor C 750W"));
    QAbstractItemModelTester tester(given.tableView()->model());
    QCOMPARE(rowTexts(given.tableView()->model(), 0),
             (QStringList{"P00.01", "Rated current", "2.80", "4.50", "A"}));
    QCOMPARE(rowTexts(given.tableView()->model(), 1).at(QFunCodeRelateParamModel::COL_AFTER),
             QStringLiteral("2500"));

    // Without a record given, the database's record of that time is shown.
    const QString stored = QStringLiteral("2024-06-02 08:30:00");
    QVERIFY(QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode(
        QStringLiteral("drive"), motorChange(stored, QStringLiteral("6.00"))));
    QFunCodeDetailTable fromDatabase(stored, QStringLiteral("P00.00"), true, tagModifyFuncode_Servo());
    QCOMPARE(rowTexts(fromDatabase.tableView()->model(), 0).at(QFunCodeRelateParamModel::COL_AFTER),
             QStringLiteral("6.00"));
    QVERIFY(fromDatabase.noteText().isEmpty());

    // Without either, the current values are shown with a note.
    QFunCodeDetailTable current(QStringLiteral("1999-01-01 00:00:00"), QStringLiteral("P00.00"), true,
                                tagModifyFuncode_Servo());
    QCOMPARE(rowTexts(current.tableView()->model(), 1),
             (QStringList{"P00.02", "Rated speed", "3000", "3000", "rpm"}));
    QVERIFY(!current.noteText().isEmpty());
    QFunCodeDetailTable none(time, QStringLiteral("P00.01"), true, tagModifyFuncode_Servo());
    QCOMPARE(none.noteText(), QStringLiteral("This function code has no related parameters."));

    // Without a drive a given record is still shown, by number.
    QTestHost::select(QString());
    QFunCodeDetailTable noDrive(time, QStringLiteral("P00.00"), true, motorChange(time));
    QCOMPARE(noDrive.tableView()->model()->rowCount(), 2);
    QCOMPARE(noDrive.tableView()->model()->index(0, 0).data().toString(), QStringLiteral("P00.01"));
}

QTEST_MAIN(tst_QFunCodeDetailTable)
#include "tst_QFunCodeDetailTable.moc"
