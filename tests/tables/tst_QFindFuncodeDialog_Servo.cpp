#include "QBaseTableView.h"
#include "QDeviceServo.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QCompleter>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using M = QFindFuncodeModel_Servo;

// Finding codes of the selected drive by part of a number or name, and handing a result to the host.
class tst_QFindFuncodeDialog_Servo : public QObject
{
    Q_OBJECT

    static QStringList resultNumbers(const QFindFuncodeDialog_Servo& dialog)
    {
        return QTestUi::columnTexts(dialog.getModel(), M::COL_INDEX);
    }

    static QBaseTableView* resultTable(const QFindFuncodeDialog_Servo& dialog)
    {
        return dialog.findChild<QBaseTableView*>("TAB_WIDGET");
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init() { QVERIFY(QTestHost::addSelectedDrive("TST3", "drive")); }

    void cleanup() { QTestHost::clearProject(); }

    void completionWords()
    {
        QFindFuncodeDialog_Servo dialog;
        QCompleter* completer = dialog.findChild<QLineEdit*>("SEARCHEDIT")->completer();
        QVERIFY(completer);
        // Every code as "number name": normal codes in the drive's group order, then state codes.
        const QStringList words = qobject_cast<QStringListModel*>(completer->model())->stringList();
        QCOMPARE(words.first(), QStringLiteral("P00.00 Motor type"));
        QVERIFY(words.indexOf("P2.00 Speed gain") < words.indexOf("P10.00 Limit 0"));
        QCOMPARE(words.last(), QStringLiteral("U00.01 DC bus voltage"));
        QVERIFY(!words.contains("P00.09 Manufacturer setting"));

        dialog.OnCompleterClicked("P00.03 Control mode");
        QCOMPARE(resultNumbers(dialog), QStringList{"P00.03"});
    }

    void searchRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("part of a name") << "rated" << QStringList{"P00.01", "P00.02"};
        QTest::newRow("part of a name in capitals") << "RATED SP" << QStringList{"P00.02"};
        QTest::newRow("part of a number, state code") << "u00.0" << QStringList{"U00.00", "U00.01"};
        // The text contains a whole name: a sentence around the name still finds it.
        QTest::newRow("text around a name") << "set the speed gain now" << QStringList{"P2.00"};
        QTest::newRow("blanks around") << "  firmware  " << QStringList{"P00.14"};
        QTest::newRow("nothing") << "no such code" << QStringList{};
    }

    void searchRules()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        QFindFuncodeDialog_Servo dialog;
        QTestHost::checkModel(dialog.getModel());
        QSignalSpy reset(dialog.getModel(), &QAbstractItemModel::modelReset);
        dialog.SlotlineEditFindServoFun(text);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(resultNumbers(dialog), numbers);
    }

    void shownDialogSearchesAndHandsResultToHub()
    {
        QFindFuncodeDialog_Servo dialog;
        QVERIFY(QTestUi::show(&dialog, {725, 450}));
        auto* edit = dialog.findChild<QLineEdit*>("SEARCHEDIT");
        auto* button = dialog.findChild<QToolButton*>("toolButtonFindServo");
        edit->setText("integral");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(resultNumbers(dialog), QStringList{"P2.01"});
        edit->setText("rated");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(resultNumbers(dialog), QStringList({"P00.01", "P00.02"}));
        // An empty or blank text keeps the results.
        QSignalSpy reset(dialog.getModel(), &QAbstractItemModel::modelReset);
        edit->clear();
        QTest::mouseClick(button, Qt::LeftButton);
        edit->setText("   ");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(reset.count(), 0);

        QSignalSpy hub(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelectCode);
        QSignalSpy own(&dialog, &QFindFuncodeDialog_Servo::SigSelectCode);
        const QRect cell = resultTable(dialog)->visualRect(dialog.getModel()->index(1, M::COL_NAME));
        QTest::mouseClick(resultTable(dialog)->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(resultTable(dialog)->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QCOMPARE(hub.count(), 1);
        QCOMPARE(hub.takeFirst(), QVariantList({"drive", "TST3", "1.00", "P00.02"}));
        dialog.OnSelectRow(QModelIndex());
        // Without a selected drive a result does nothing.
        QTestHost::select(QString());
        dialog.OnSelectRow(dialog.getModel()->index(0, 0));
        QCOMPARE(hub.count(), 0);
        QCOMPARE(own.count(), 1);
    }

    void readsOnlyTheResultsInView()
    {
        // A model with more codes than a page: "P" matches nearly all of them.
        QDeviceServo* device = QTestHost::addSelectedDrive("SD330", "large");
        QVERIFY(device);
        QFindFuncodeDialog_Servo dialog;
        dialog.SlotlineEditFindServoFun("P");
        const int rows = dialog.getModel()->rowCount();
        QVERIFY(rows > 100);
        const QString first = dialog.getModel()->getFunIndex(0);
        const QString last = dialog.getModel()->getFunIndex(rows - 1);
        QVERIFY(!device->isReadBusy()); // hidden: nothing in view, nothing read

        QVERIFY(QTestUi::show(&dialog, {725, 450}));
        QTRY_VERIFY(device->hasValue(first, 0));
        QVERIFY(QTestHost::waitForReads(device));
        QVERIFY(!device->hasValue(last, 0));
        int read = 0;
        for (int row = 0; row < rows; ++row) {
            read += device->hasValue(dialog.getModel()->getFunIndex(row), 0) ? 1 : 0;
        }
        QVERIFY2(read < 40, qPrintable(QString::number(read)));

        resultTable(dialog)->scrollToBottom();
        QTRY_VERIFY(device->hasValue(last, 0));
    }

    // Which axis columns a drive has: tst_QBaseTableView::axisColumns.
    void axisColumnsFollowDrive()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST2", "two"));
        QFindFuncodeDialog_Servo dialog;
        QVERIFY(!resultTable(dialog)->isColumnHidden(M::COL_AXIS_Y));
        QVERIFY(resultTable(dialog)->isColumnHidden(M::COL_AXIS_Z));
    }

    // The cells of a result are the code's texts and the drive's values per axis; a removed drive leaves
    // empty cells, and searching again keeps the rows.
    void resultCellsComeFromDrive()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "values");
        QTestHost::link("values")->setRawValue("P00.01", 2, 315);
        QVERIFY(QTestHost::readAll(device));
        QFindFuncodeDialog_Servo dialog;
        QTestHost::checkModel(dialog.getModel());
        dialog.SlotlineEditFindServoFun("rated current");
        QStringList texts;
        for (int column = 0; column < dialog.getModel()->columnCount(); ++column) {
            texts << dialog.getModel()->index(0, column).data().toString();
        }
        QCOMPARE(texts, (QStringList{"P00.01", "Rated current", "2.80", "2.80", "3.15", "0.10", "30.00",
                                     "2.80", "A"}));
        QTestHost::clearProject();
        QVERIFY(!dialog.getModel()->index(0, M::COL_NAME).data().isValid());
        QCOMPARE(dialog.getModel()->getFunIndex(0), QString());
        dialog.SlotlineEditFindServoFun("speed");
        QCOMPARE(dialog.getModel()->rowCount(), 1);
    }
};

QTEST_MAIN(tst_QFindFuncodeDialog_Servo)
#include "tst_QFindFuncodeDialog_Servo.moc"
