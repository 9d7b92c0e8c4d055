#include "ModalAnswer.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunCodeAxisValueModel.h"
#include "QFunCodeDetailTable.h"
#include "QFunCodeRelateParamModel.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QDoubleSpinBox>
#include <QTableView>
#include <QtTest>

using A = QFunCodeAxisValueModel;

namespace {
QModelIndex editCell(const QFunCodeDetailTable& dlg, int axis)
{
    return dlg.tableView()->model()->index(axis, QFunCodeAxisValueModel::COL_EDIT);
}

QStringList rowTexts(const QFunCodeDetailTable& dlg, int row)
{
    QStringList texts;
    for (int column = 0; column < dlg.tableView()->model()->columnCount(); ++column) {
        texts << dlg.tableView()->model()->index(row, column).data().toString();
    }
    return texts;
}

// Only a related value that the change moved stands out.
bool standsOut(const QFunCodeDetailTable& dlg, int row)
{
    const QModelIndex after = dlg.tableView()->model()->index(row, QFunCodeRelateParamModel::COL_AFTER);
    return after.data(Qt::ForegroundRole).isValid();
}

tagModifyFuncode_Servo motorChange(const QString& time, const QString& newRatedCurrent = "4.50")
{
    const QMap<QString, QPair<QString, QString>> related{{"P00.02", {"3000", "2500"}},
                                                         {"P00.01", {"2.80", newRatedCurrent}}};
    return {time, "P00.00", 1, "1", "2", related};
}
} // namespace

// The detail window of one code: its texts, its editors and what it reports, the related parameters of a
// change, and the model of its values per axis.
class tst_QFunCodeDetailTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addSelectedDrive("TST3", "drive");
        QVERIFY(QTestHost::readAll(m_device));
        QVERIFY(QTestHost::addDrive("TST1", "one"));
    }

    void cleanup()
    {
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
        QTestHost::clearProject();
    }

    // The rows of an unknown code or drive: ::axisValueModelRowsFollowTheDrive.
    void describesTheCodeOrWhatIsMissing()
    {
        QFunCodeDetailTable dlg("P00.01");
        QCOMPARE(QTestUi::labelText(&dlg, "DETAIL_RANGE"), QString("0.10 to 30.00"));
        QFunCodeDetailTable enumerated("P00.00");
        QVERIFY(QTestUi::labelText(&enumerated, "DETAIL_VALUE_LIST").contains("3:Motor C 750W"));
        QCOMPARE(QTestUi::labelText(&enumerated, "DETAIL_RELATED"),
                 QString("P00.01 Rated current, P00.02 Rated speed"));
        QFunCodeDetailTable unknown("P99.99");
        QCOMPARE(unknown.noteText(), QString("The drive drive has no function code P99.99."));
        QTestHost::select(QString());
        QFunCodeDetailTable noDrive("P00.01");
        QCOMPARE(noDrive.noteText(), QString("No drive is selected."));
    }

    // What becomes of a value typed into a cell: Return reports it, leaving the editor reports it only with
    // modify type 1, and however the window goes away with the editor still open (modify type 1: the one
    // that could leak it) nobody hears of it. The window leaves writing to whoever opened it. Each editor's
    // own value: tst_QFuncodeEditorFactory::editorOfEveryShowType.
    void typedValueIsReportedOnlyWhenConfirmed_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("modifyType");
        QTest::addColumn<QString>("then");
        QTest::newRow("Return") << 1 << 0 << "Return";
        QTest::newRow("focus out, modify type 0") << 0 << 0 << "focus out";
        QTest::newRow("focus out, modify type 1") << 2 << 1 << "focus out";
        for (const char* how : {"destroyed", "destroyed while hidden", "rejected", "accepted"}) {
            QTest::newRow(how) << 0 << 1 << QString(how);
        }
    }

    void typedValueIsReportedOnlyWhenConfirmed()
    {
        QFETCH(int, axis);
        QFETCH(int, modifyType);
        QFETCH(QString, then);
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
        auto dlg = std::make_unique<QFunCodeDetailTable>("P00.01");
        QSignalSpy spy(dlg.get(), &QFunCodeDetailTable::sigDataChanged);
        QVERIFY(QTestUi::show(dlg.get(), dlg->size()));
        dlg->tableView()->edit(editCell(*dlg, axis));
        auto* spin = dlg->tableView()->viewport()->findChild<QDoubleSpinBox*>();
        QVERIFY(spin);
        spin->setValue(12.5);
        if (then == "Return") {
            QTest::keyClick(spin, Qt::Key_Return);
        } else if (then == "focus out") {
            // What the view does when the editor loses the focus.
            emit dlg->tableView()->itemDelegateForColumn(QFunCodeAxisValueModel::COL_EDIT)->commitData(spin);
        } else if (then == "destroyed while hidden") {
            dlg->hide();
        } else if (then != "destroyed") {
            then == "rejected" ? dlg->reject() : dlg->accept();
            QTest::qWait(0);
        }
        const bool reported = then == "Return" || (then == "focus out" && modifyType == 1);
        QTRY_COMPARE(spy.count(), reported ? 1 : 0);
        if (reported) {
            const QList<QVariant> args = spy.takeFirst();
            QCOMPARE(args.at(0).toString(), QString("2.80"));
            QCOMPARE(args.at(1), QVariant(12.5));
            QCOMPARE(args.at(2).value<tagSubFuncodePtr_Servo>(), m_device->getFuncodePtrByFunIndex("P00.01"));
            QCOMPARE(args.at(3).toInt(), axis);
        }
        dlg.reset();
        QTest::qWait(0);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(QTestHost::link("drive")->rawValue("P00.01", axis), qint64(280));
    }

    void hexDialogReportsOnlyWhenAccepted()
    {
        QFunCodeDetailTable dlg("P00.04");
        QSignalSpy spy(&dlg, &QFunCodeDetailTable::sigDataChanged);
        QVERIFY(QTestUi::show(&dlg, dlg.size()));
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
        QCOMPARE(spy.at(0).at(0).toString(), m_device->getScaledCurValueStr("P00.04", 0));
        QCOMPARE(spy.at(0).at(1).toLongLong(), qint64(255));
    }

    // The cells' flags are the model's (::axisValueModelEditCellFlags): locked, every axis is.
    void valuesFollowTheDriveAndLock()
    {
        QFunCodeDetailTable dlg("P00.01");
        // The window asks for the code when it opens; readCodes waits for that read first.
        QTestHost::link("drive")->setRawValue("P00.01", 1, 1234);
        QVERIFY(QTestHost::readCodes(m_device, {"P00.01"}));
        QCOMPARE(rowTexts(dlg, 1).at(QFunCodeAxisValueModel::COL_CUR_VALUE), QString("12.34"));
        dlg.disableModify();
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(!(editCell(dlg, axis).flags() & Qt::ItemIsEditable));
        }
    }

    void relatedParameters()
    {
        const QString time = "2024-05-01 10:00:00";
        QFunCodeDetailTable given(time, "P00.00", true, motorChange(time));
        // Enumerated values are recorded by position; the window names the items.
        QCOMPARE(QTestUi::labelText(&given, "DETAIL_CHANGE"),
                 QString("Axis Y: 1:Motor B 400W \u2192 3:Motor C 750W"));
        QAbstractItemModelTester tester(given.tableView()->model());
        QCOMPARE(rowTexts(given, 0), (QStringList{"P00.01", "Rated current", "2.80", "4.50", "A"}));
        QCOMPARE(rowTexts(given, 1).at(QFunCodeRelateParamModel::COL_AFTER), QString("2500"));
        QVERIFY(standsOut(given, 0));

        // Without a record given, the database's record of that time is shown.
        const QString stored = "2024-06-02 08:30:00";
        QVERIFY(QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode(
            "drive", motorChange(stored, "6.00")));
        QFunCodeDetailTable fromDatabase(stored, "P00.00", true, tagModifyFuncode_Servo());
        QCOMPARE(rowTexts(fromDatabase, 0).at(QFunCodeRelateParamModel::COL_AFTER), QString("6.00"));
        QVERIFY(fromDatabase.noteText().isEmpty());

        // Without either, the current values are shown with a note.
        QFunCodeDetailTable current("1999-01-01 00:00:00", "P00.00", true, tagModifyFuncode_Servo());
        QCOMPARE(rowTexts(current, 1), (QStringList{"P00.02", "Rated speed", "3000", "3000", "rpm"}));
        QVERIFY(!current.noteText().isEmpty());
        QVERIFY(!standsOut(current, 1));
        QFunCodeDetailTable none(time, "P00.01", true, tagModifyFuncode_Servo());
        QCOMPARE(none.noteText(), QString("This function code has no related parameters."));

        // Without a drive a given record is still shown, by number.
        QTestHost::select(QString());
        QFunCodeDetailTable noDrive(time, "P00.00", true, motorChange(time));
        QCOMPARE(rowTexts(noDrive, 1).at(0), QString("P00.02"));
    }

    // One row per axis of the drive; none for an unknown drive or code.
    void axisValueModelRowsFollowTheDrive()
    {
        A model;
        QTestHost::checkModel(&model);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        const QStringList cases{"drive P00.01 3", "one P00.01 1", "drive P99.99 0", "nobody P00.01 0"};
        for (const QString& c : cases) {
            model.setFuncode(c.section(' ', 0, 0), c.section(' ', 1, 1));
            QCOMPARE(model.rowCount(), c.section(' ', 2).toInt());
        }
        QCOMPARE(reset.count(), cases.size());
        model.setFuncode("drive", "P00.01");
        QCOMPARE(model.index(0, A::COL_AXIS).data().toString(), QString("X"));
        QCOMPARE(model.index(2, A::COL_DEFAULT).data().toString(), QString("2.80"));
        // Never read: a dash, no number; stale: the last value, dim, its tooltip saying how old it is.
        model.setFuncode("one", "P00.01");
        QCOMPARE(model.index(0, A::COL_CUR_VALUE).data().toString(), QStringLiteral("\u2014"));
        QTestHost::link("drive")->setOnline(false);
        model.setFuncode("drive", "P00.01");
        QTRY_VERIFY(model.index(0, A::COL_CUR_VALUE).data(Qt::ForegroundRole).value<QBrush>().color() ==
                    Qt::gray);
        QCOMPARE(model.index(0, A::COL_CUR_VALUE).data().toString(), QString("2.80"));
        QVERIFY(model.index(0, A::COL_CUR_VALUE).data(Qt::ToolTipRole).toString() != QString("2.80"));
    }

    // Only the edit column of a code that may be written and has an editor (which rights allow a write:
    // tst_QDeviceServo::writeEditability).
    void axisValueModelEditCellFlags_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("editable");
        QTest::newRow("decimal") << "P00.01" << true << true;
        QTest::newRow("read only") << "P00.07" << true << false;
        QTest::newRow("bits, no editor") << "P00.10" << true << false;
        QTest::newRow("modifying switched off") << "P00.01" << false << false;
    }

    void axisValueModelEditCellFlags()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, enabled);
        QFETCH(bool, editable);
        A model;
        model.setFuncode("drive", funIndex);
        model.setModifyEnabled(enabled);
        for (int column = 0; column < model.columnCount(); ++column) {
            const bool cellEditable = model.flags(model.index(0, column)) & Qt::ItemIsEditable;
            QCOMPARE(cellEditable, editable && column == A::COL_EDIT);
        }
        QCOMPARE(model.setData(model.index(0, A::COL_EDIT), 5.0), editable);
    }

    void axisValueModelRefreshAnnouncesARangeOfCells()
    {
        for (const char* alias : {"drive", "one"}) {
            A model;
            QTestHost::checkModel(&model);
            model.setFuncode(QLatin1String(alias), "P00.01");
            QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
            model.refreshValues();
            QCOMPARE(changed.count(), 1);
            // Never a single cell, even with one axis: a view would then refill an editor open on it.
            QVERIFY(changed.at(0).at(0).toModelIndex() != changed.at(0).at(1).toModelIndex());
            QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(model.rowCount() - 1, A::COL_EDIT));
        }
    }

    void axisValueModelOfARemovedDriveIsEmpty()
    {
        A model;
        QTestHost::checkModel(&model);
        model.setFuncode("drive", "P00.01");
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("drive"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!model.device() && !model.funcode());
        QCOMPARE(model.index(0, A::COL_CUR_VALUE).data().toString(), QString());
        QVERIFY(!(model.flags(model.index(0, A::COL_EDIT)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, A::COL_EDIT), 1.0));
    }

private:
    QDeviceServo* m_device = nullptr;
};

QTEST_MAIN(tst_QFunCodeDetailTable)
#include "tst_QFunCodeDetailTable.moc"
