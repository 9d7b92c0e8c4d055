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

QModelIndex editCell(const QFunCodeDetailTable& dlg, int axis)
{
    return dlg.tableView()->model()->index(axis, QFunCodeAxisValueModel::COL_EDIT);
}

QString fieldText(const QWidget& dlg, const char* objectName)
{
    const QLabel* label = dlg.findChild<QLabel*>(QLatin1String(objectName));
    return label ? label->text() : QStringLiteral("<missing>");
}

tagModifyFuncode_Servo motorChange(const QString& time)
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
                                 qMakePair(QStringLiteral("2.80"), QStringLiteral("4.50")));
    return record;
}
} // namespace

class tst_QFunCodeDetailTable : public QObject
{
    Q_OBJECT

public slots:
    // Stands for the workspace's slot, which connects to the window by signature.
    void onModelSetData(QString oldVal, QVariant newVal, tagSubFuncodePtr_Servo fun, int axisIndex)
    {
        m_received.append(QStringLiteral("%1|%2|%3|%4")
                              .arg(oldVal, newVal.toString(), fun ? fun->funIndex : QString())
                              .arg(axisIndex));
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void describesTheCode();
    void committedEditIsReportedNotWritten_data();
    void committedEditIsReportedNotWritten();
    void editWithoutEnterFollowsModifyType_data();
    void editWithoutEnterFollowsModifyType();
    void cancelledHexDialogReportsNothing();
    void disableModifyLocksEveryAxis();
    void readOnlyCodeOffersNoEditor();
    void unknownCodeOrNoDrive_data();
    void unknownCodeOrNoDrive();
    void valuesFollowTheDrive();
    void escapeCloses();
    void hostConnectsBySignature();

    void relatedFromGivenRecord();
    void relatedFromDatabaseWhenRecordEmpty();
    void relatedFallBackToCurrentValues();
    void relatedWithoutDriveDoesNotFail();

private:
    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QStringList m_received;
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
    QCOMPARE(dlg.title(), QStringLiteral("Function code details"));
    QCOMPARE(fieldText(dlg, "DETAIL_TITLE"), QStringLiteral("P00.01  Rated current"));
    QCOMPARE(fieldText(dlg, "DETAIL_GROUP"), QStringLiteral("P00 Basic"));
    QCOMPARE(fieldText(dlg, "DETAIL_UNIT"), QStringLiteral("A"));
    QCOMPARE(fieldText(dlg, "DETAIL_RANGE"), QStringLiteral("0.10 to 30.00"));
    QCOMPARE(fieldText(dlg, "DETAIL_DEFAULT"), QStringLiteral("2.80"));
    QCOMPARE(fieldText(dlg, "DETAIL_RIGHT"), QStringLiteral("Read and write"));
    QCOMPARE(fieldText(dlg, "DETAIL_DATA_TYPE"), QDeviceServo::getDataTypeStr(4));
    QVERIFY(dlg.noteText().isEmpty());

    const QAbstractItemModel* model = dlg.tableView()->model();
    QAbstractItemModelTester tester(const_cast<QAbstractItemModel*>(model));
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(2, QFunCodeAxisValueModel::COL_AXIS).data().toString(), QStringLiteral("Z"));
    QCOMPARE(model->index(2, QFunCodeAxisValueModel::COL_CUR_VALUE).data().toString(),
             QStringLiteral("2.80"));

    QFunCodeDetailTable enumerated(QStringLiteral("P00.00"));
    QVERIFY(fieldText(enumerated, "DETAIL_VALUE_LIST").contains(QStringLiteral("3:Motor C 750W")));
    QCOMPARE(fieldText(enumerated, "DETAIL_RELATED"),
             QStringLiteral("P00.01 Rated current, P00.02 Rated speed"));
    QCOMPARE(fieldText(enumerated, "DETAIL_REMARK"), QStringLiteral("Choose the motor on the name plate."));
    QFunCodeDetailTable menu(QStringLiteral("P00.05"));
    QVERIFY(fieldText(menu, "DETAIL_VALUE_LIST").contains(QStringLiteral("Stop mode")));
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
    QWidget* editor = nullptr;
    if (newValue.type() == QVariant::Double) {
        auto* spin = dlg.tableView()->viewport()->findChild<QDoubleSpinBox*>();
        QVERIFY(spin);
        spin->setValue(newValue.toDouble());
        editor = spin;
    } else {
        auto* combo = dlg.tableView()->viewport()->findChild<QComboBox*>(QStringLiteral("FUNCODE_COMBOX"));
        QVERIFY(combo);
        combo->setCurrentIndex(newValue.toInt());
        editor = combo;
    }
    QTest::keyClick(editor, Qt::Key_Return);

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

void tst_QFunCodeDetailTable::editWithoutEnterFollowsModifyType_data()
{
    QTest::addColumn<int>("modifyType");
    QTest::addColumn<int>("reports");
    QTest::newRow("commit on Enter only") << 0 << 0;
    QTest::newRow("commit on leaving") << 1 << 1;
}

void tst_QFunCodeDetailTable::editWithoutEnterFollowsModifyType()
{
    QFETCH(int, modifyType);
    QFETCH(int, reports);

    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
    dlg.tableView()->edit(editCell(dlg, 0));
    auto* spin = dlg.tableView()->viewport()->findChild<QDoubleSpinBox*>();
    QVERIFY(spin);
    spin->setValue(7.25);
    // What the view does when the editor loses the focus.
    emit dlg.tableView()->itemDelegateForColumn(QFunCodeAxisValueModel::COL_EDIT)->commitData(spin);
    QCOMPARE(spy.count(), reports);
    if (reports) {
        QCOMPARE(spy.at(0).at(1).toDouble(), 7.25);
    }
}

void tst_QFunCodeDetailTable::cancelledHexDialogReportsNothing()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.04"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
    bool answered = false;
    answerNextModal([&answered](QDialog* dialog) {
        answered = true;
        dialog->reject();
    });
    dlg.tableView()->edit(editCell(dlg, 0));
    QTRY_VERIFY(answered);
    QTest::qWait(0);
    QCOMPARE(spy.count(), 0);

    // Accepting the same dialog reports the value it holds, as a 64-bit number.
    answered = false;
    answerNextModal([&answered](QDialog* dialog) {
        answered = true;
        dialog->accept();
    });
    dlg.tableView()->edit(editCell(dlg, 0));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), m_device->getScaledCurValueStr(QStringLiteral("P00.04"), 0));
    QCOMPARE(spy.at(0).at(1).toLongLong(), qint64(255));
}

void tst_QFunCodeDetailTable::disableModifyLocksEveryAxis()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.tableView()->model()->flags(editCell(dlg, 0)) & Qt::ItemIsEditable);
    QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);

    dlg.disableModify();
    QVERIFY(dlg.isModifyDisabled());
    QCOMPARE(dlg.noteText(), QStringLiteral("The value cannot be changed from this window."));
    QVERIFY(dlg.findChild<QLabel*>(QStringLiteral("DETAIL_NOTE"))->isVisible());
    QAbstractItemModel* model = dlg.tableView()->model();
    for (int axis = 0; axis < model->rowCount(); ++axis) {
        QVERIFY(!(model->flags(editCell(dlg, axis)) & Qt::ItemIsEditable));
        QCOMPARE(editCell(dlg, axis).data().toString(), QStringLiteral("Locked"));
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        dlg.tableView()->edit(editCell(dlg, axis));
        QVERIFY(!dlg.tableView()->viewport()->findChild<QDoubleSpinBox*>());
        QVERIFY(!model->setData(editCell(dlg, axis), 5.0));
    }
    QCOMPARE(spy.count(), 0);
}

void tst_QFunCodeDetailTable::readOnlyCodeOffersNoEditor()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.07"));
    QCOMPARE(dlg.noteText(), QStringLiteral("This function code is read only."));
    QCOMPARE(dlg.tableView()->model()->rowCount(), 3);
    QVERIFY(!(dlg.tableView()->model()->flags(editCell(dlg, 0)) & Qt::ItemIsEditable));
    QFunCodeDetailTable bits(QStringLiteral("P00.10"));
    QVERIFY(!(bits.tableView()->model()->flags(editCell(bits, 0)) & Qt::ItemIsEditable));
}

void tst_QFunCodeDetailTable::unknownCodeOrNoDrive_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("withDrive");
    QTest::addColumn<QString>("note");

    QTest::newRow("unknown code") << "P99.99" << true << "The drive drive has no function code P99.99.";
    QTest::newRow("empty number") << "" << true << "The drive drive has no function code .";
    QTest::newRow("no drive") << "P00.01" << false << "No drive is selected.";
}

void tst_QFunCodeDetailTable::unknownCodeOrNoDrive()
{
    QFETCH(QString, funIndex);
    QFETCH(bool, withDrive);
    QFETCH(QString, note);

    if (!withDrive) {
        QTestHost::select(QString());
    }
    QFunCodeDetailTable dlg(funIndex);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.noteText(), note);
    QCOMPARE(dlg.tableView()->model()->rowCount(), 0);
    QVERIFY(!dlg.tableView()->isVisible());
    dlg.disableModify(); // harmless without rows
}

void tst_QFunCodeDetailTable::valuesFollowTheDrive()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    QAbstractItemModel* model = dlg.tableView()->model();
    QAbstractItemModelTester tester(model);
    // The window asks for the code when it opens; that read must be answered first.
    QTRY_VERIFY(!m_device->isReadBusy());
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    m_link->setRawValue(QStringLiteral("P00.01"), 1, 1234);
    m_device->readFuncode({m_device->getFuncodePtrByFunIndex(QStringLiteral("P00.01"))});
    QTRY_COMPARE(model->index(1, QFunCodeAxisValueModel::COL_CUR_VALUE).data().toString(),
                 QStringLiteral("12.34"));
    QVERIFY(changed.count() >= 1);
    QCOMPARE(changed.last().at(0).toModelIndex().column(), int(QFunCodeAxisValueModel::COL_CUR_VALUE));
}

void tst_QFunCodeDetailTable::escapeCloses()
{
    QFunCodeDetailTable dlg(QStringLiteral("P00.01"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void tst_QFunCodeDetailTable::hostConnectsBySignature()
{
    m_received.clear();
    QFunCodeDetailTable dlg(QStringLiteral("P00.02"));
    QVERIFY(connect(&dlg, "2sigDataChanged(QString, QVariant, tagSubFuncodePtr_Servo, int)", this,
                    "1onModelSetData(QString, QVariant, tagSubFuncodePtr_Servo, int)"));
    QVERIFY(dlg.tableView()->model()->setData(editCell(dlg, 2), 1500.0));
    QCOMPARE(m_received, QStringList{QStringLiteral("3000|1500|P00.02|2")});
}

void tst_QFunCodeDetailTable::relatedFromGivenRecord()
{
    QFunCodeDetailTable dlg(QStringLiteral("2024-05-01 10:00:00"), QStringLiteral("P00.00"), true,
                            motorChange(QStringLiteral("2024-05-01 10:00:00")));
    QCOMPARE(dlg.title(), QStringLiteral("Related parameters"));
    QVERIFY(fieldText(dlg, "DETAIL_SUBTITLE").contains(QStringLiteral("2024-05-01 10:00:00")));
    // Enumerated values are recorded by position; the window names the items.
    QCOMPARE(fieldText(dlg, "DETAIL_CHANGE"), QStringLiteral("Axis Y: 1:Motor B 400W \u2192 3:Motor C 750W"));
    const QAbstractItemModel* model = dlg.tableView()->model();
    QCOMPARE(model->rowCount(), 2);
    const QStringList first{"P00.01", "Rated current", "2.80", "4.50", "A"};
    for (int column = 0; column < first.size(); ++column) {
        QCOMPARE(model->index(0, column).data().toString(), first.at(column));
    }
    QCOMPARE(model->index(1, QFunCodeRelateParamModel::COL_AFTER).data().toString(), QStringLiteral("2500"));
    QVERIFY(dlg.noteText().isEmpty());
}

void tst_QFunCodeDetailTable::relatedFromDatabaseWhenRecordEmpty()
{
    const QString time = QStringLiteral("2024-06-02 08:30:00");
    tagModifyFuncode_Servo stored = motorChange(time);
    stored.relateParamMap[QStringLiteral("P00.01")] =
        qMakePair(QStringLiteral("2.80"), QStringLiteral("6.00"));
    QVERIFY(QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode(QStringLiteral("drive"),
                                                                                     stored));

    QFunCodeDetailTable dlg(time, QStringLiteral("P00.00"), true, tagModifyFuncode_Servo());
    const QAbstractItemModel* model = dlg.tableView()->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(0, QFunCodeRelateParamModel::COL_AFTER).data().toString(), QStringLiteral("6.00"));
    QVERIFY(dlg.noteText().isEmpty());
}

void tst_QFunCodeDetailTable::relatedFallBackToCurrentValues()
{
    QFunCodeDetailTable dlg(QStringLiteral("1999-01-01 00:00:00"), QStringLiteral("P00.00"), true,
                            tagModifyFuncode_Servo());
    const QAbstractItemModel* model = dlg.tableView()->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(1, QFunCodeRelateParamModel::COL_NUMBER).data().toString(),
             QStringLiteral("P00.02"));
    QCOMPARE(model->index(1, QFunCodeRelateParamModel::COL_BEFORE).data().toString(), QStringLiteral("3000"));
    QCOMPARE(model->index(1, QFunCodeRelateParamModel::COL_AFTER).data().toString(), QStringLiteral("3000"));
    QCOMPARE(dlg.noteText(), QStringLiteral("No change of this function code is recorded for this time; "
                                            "the current values are shown."));

    QFunCodeDetailTable none(QStringLiteral("1999-01-01 00:00:00"), QStringLiteral("P00.01"), true,
                             tagModifyFuncode_Servo());
    QCOMPARE(none.tableView()->model()->rowCount(), 0);
    QCOMPARE(none.noteText(), QStringLiteral("This function code has no related parameters."));
}

void tst_QFunCodeDetailTable::relatedWithoutDriveDoesNotFail()
{
    QTestHost::select(QString());
    QFunCodeDetailTable empty(QStringLiteral("2024-05-01 10:00:00"), QStringLiteral("P00.00"), true,
                              tagModifyFuncode_Servo());
    QCOMPARE(empty.noteText(), QStringLiteral("No drive is selected."));
    // A given record is still shown, by number, without names.
    QFunCodeDetailTable given(QStringLiteral("2024-05-01 10:00:00"), QStringLiteral("P00.00"), true,
                              motorChange(QStringLiteral("2024-05-01 10:00:00")));
    QCOMPARE(given.tableView()->model()->rowCount(), 2);
    QCOMPARE(given.tableView()->model()->index(0, 0).data().toString(), QStringLiteral("P00.01"));
}

QTEST_MAIN(tst_QFunCodeDetailTable)
#include "tst_QFunCodeDetailTable.moc"
