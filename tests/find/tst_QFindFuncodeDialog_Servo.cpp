#include "QBaseTableView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringListModel>
#include <QToolButton>
#include <QtTest>

namespace {
// The text a key is shown with (the host installs the English texts).
QString english(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

QStringList english(const QStringList& keys)
{
    QStringList texts;
    for (const QString& key : keys) {
        texts << english(qPrintable(key));
    }
    return texts;
}

QStringList resultNumbers(const QFindFuncodeDialog_Servo& dialog)
{
    QStringList numbers;
    const QFindFuncodeModel_Servo* model = dialog.getModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        numbers << model->index(row, QFindFuncodeModel_Servo::COL_INDEX).data().toString();
    }
    return numbers;
}

QBaseTableView* resultTable(const QFindFuncodeDialog_Servo& dialog)
{
    return dialog.findChild<QBaseTableView*>(QStringLiteral("TAB_WIDGET"));
}
} // namespace

class tst_QFindFuncodeDialog_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void construction();
    void searchRules_data();
    void searchRules();
    void completionWordFindsItsCode();
    void emptySearchKeepsResults();
    void returnSearchesWithoutClosing();
    void axisColumnsFollowDrive_data();
    void axisColumnsFollowDrive();
    void doubleClickWithoutDriveEmitsNothing();
    void doubleClickHandsCodeToHub();
    void removedDriveLeavesEmptyResults();

private:
    QDeviceServo* m_device = nullptr;
};

void tst_QFindFuncodeDialog_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFindFuncodeDialog_Servo::init()
{
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("drive"));
    QVERIFY(m_device);
    QTestHost::select(QStringLiteral("drive"));
}

void tst_QFindFuncodeDialog_Servo::cleanup()
{
    QTestHost::clearProject();
    m_device = nullptr;
}

void tst_QFindFuncodeDialog_Servo::construction()
{
    QFindFuncodeDialog_Servo dialog;
    QCOMPARE(dialog.size(), QSize(725, 450));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.title(), english("STR_FIND_FUNCODE"));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("SEARCHEDIT"));
    QVERIFY(edit);
    QCOMPARE(edit->placeholderText(), english("STR_FUNCODE_NAME_INDEX"));
    QCompleter* completer = edit->completer();
    QVERIFY(completer);
    QCOMPARE(completer->caseSensitivity(), Qt::CaseInsensitive);
    QCOMPARE(completer->filterMode(), Qt::MatchContains);
    QCOMPARE(completer->popup()->styleSheet(), QStringLiteral("background: white"));
    // Every code as "number name": normal codes in the drive's group order, then state codes.
    auto* words = qobject_cast<QStringListModel*>(completer->model());
    QVERIFY(words);
    const QStringList list = words->stringList();
    QCOMPARE(list.size(), m_device->getAllNormalFuncodes().size() + 2);
    QCOMPARE(list.first(), QStringLiteral("P00.00 Motor type"));
    QVERIFY(list.indexOf(QStringLiteral("P2.00 Speed gain")) <
            list.indexOf(QStringLiteral("P10.00 Limit 0")));
    QCOMPARE(list.last(), QStringLiteral("U00.01 DC bus voltage"));
    QVERIFY(!list.contains(QStringLiteral("P00.09 Manufacturer setting")));

    auto* button = dialog.findChild<QToolButton*>();
    QVERIFY(button);
    QCOMPARE(button->toolTip(), english("STR_FIND_FUNCODE"));
    QVERIFY(!button->icon().isNull());
    QBaseTableView* table = resultTable(dialog);
    QVERIFY(table);
    QCOMPARE(table->model(), dialog.getModel());
    QCOMPARE(dialog.getModel()->getHeadList(),
             english(QStringList{"STR_INDEX", "STR_FUNCODE_NAME", "STR_AXIS_X", "STR_AXIS_Y", "STR_AXIS_Z",
                                 "STR_MIN_VAL", "STR_MAX_VAL", "STR_DEFAULT_VAL", "STR_UNIT"}));
    QCOMPARE(dialog.getModel()->rowCount(), 0);
}

void tst_QFindFuncodeDialog_Servo::searchRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("part of a name") << "rated" << QStringList{"P00.01", "P00.02"};
    QTest::newRow("part of a name in capitals") << "RATED SP" << QStringList{"P00.02"};
    QTest::newRow("mixed case") << "cOnTrOl" << QStringList{"P00.03"};
    QTest::newRow("part of a number") << "p2." << QStringList{"P2.00", "P2.01", "P2.02", "P2.03"};
    QTest::newRow("state code") << "bus volt" << QStringList{"U00.01"};
    QTest::newRow("whole number") << "P00.13" << QStringList{"P00.13"};
    // The text contains a whole name: a sentence around the name still finds it.
    QTest::newRow("text around a name") << "set the speed gain now" << QStringList{"P2.00"};
    QTest::newRow("blanks around") << "  firmware  " << QStringList{"P00.14"};
    QTest::newRow("nothing") << "no such code" << QStringList{};
}

void tst_QFindFuncodeDialog_Servo::searchRules()
{
    QFETCH(QString, text);
    QFETCH(QStringList, numbers);
    QFindFuncodeDialog_Servo dialog;
    QAbstractItemModelTester tester(dialog.getModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(dialog.getModel(), &QAbstractItemModel::modelReset);
    dialog.SlotlineEditFindServoFun(text);
    QCOMPARE(dialog.searchText(), text);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(resultNumbers(dialog), numbers);
}

void tst_QFindFuncodeDialog_Servo::completionWordFindsItsCode()
{
    QFindFuncodeDialog_Servo dialog;
    dialog.OnCompleterClicked(QStringLiteral("P00.03 Control mode"));
    QCOMPARE(resultNumbers(dialog), QStringList{"P00.03"});

    // Numbers and names that are part of the word are found with it.
    dialog.OnCompleterClicked(QStringLiteral("P10.11 Limit 11"));
    const QStringList found = resultNumbers(dialog);
    QVERIFY(found.contains(QStringLiteral("P10.11")));
    QVERIFY(found.contains(QStringLiteral("P10.01"))); // "Limit 1"
    QVERIFY(!found.contains(QStringLiteral("P10.12")));
}

void tst_QFindFuncodeDialog_Servo::emptySearchKeepsResults()
{
    QFindFuncodeDialog_Servo dialog;
    dialog.SlotlineEditFindServoFun(QStringLiteral("gain"));
    QCOMPARE(resultNumbers(dialog), QStringList{"P2.00"});
    QSignalSpy reset(dialog.getModel(), &QAbstractItemModel::modelReset);
    dialog.SlotlineEditFindServoFun(QString());
    dialog.SlotlineEditFindServoFun(QStringLiteral("   "));
    dialog.on_toolButtonFindServo_clicked();
    QCOMPARE(reset.count(), 0);
    QCOMPARE(resultNumbers(dialog), QStringList{"P2.00"});
}

void tst_QFindFuncodeDialog_Servo::returnSearchesWithoutClosing()
{
    QFindFuncodeDialog_Servo dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("SEARCHEDIT"));
    edit->setText(QStringLiteral("integral"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(resultNumbers(dialog), QStringList{"P2.01"});

    edit->setText(QStringLiteral("mask"));
    QTest::keyClick(&dialog, Qt::Key_Enter);
    QVERIFY(dialog.isVisible());
    QCOMPARE(resultNumbers(dialog), QStringList{"P00.12"});

    edit->setText(QStringLiteral("offset"));
    QTest::mouseClick(dialog.findChild<QToolButton*>(QStringLiteral("toolButtonFindServo")), Qt::LeftButton);
    QCOMPARE(resultNumbers(dialog), QStringList{"P00.11"});
}

void tst_QFindFuncodeDialog_Servo::axisColumnsFollowDrive_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("one axis") << "TST1" << true;
    QTest::newRow("two axes") << "TST2" << false;
    QTest::newRow("three axes") << "TST3" << false;
}

void tst_QFindFuncodeDialog_Servo::axisColumnsFollowDrive()
{
    QFETCH(QString, model);
    QFETCH(bool, hidden);
    QVERIFY(QTestHost::addDrive(model, QStringLiteral("axes")));
    QTestHost::select(QStringLiteral("axes"));
    QFindFuncodeDialog_Servo dialog;
    QBaseTableView* table = resultTable(dialog);
    QVERIFY(!table->isColumnHidden(QFindFuncodeModel_Servo::COL_AXIS_X));
    QCOMPARE(table->isColumnHidden(QFindFuncodeModel_Servo::COL_AXIS_Y), hidden);
    QCOMPARE(table->isColumnHidden(QFindFuncodeModel_Servo::COL_AXIS_Z), hidden);
}

void tst_QFindFuncodeDialog_Servo::doubleClickWithoutDriveEmitsNothing()
{
    QFindFuncodeDialog_Servo dialog;
    dialog.SlotlineEditFindServoFun(QStringLiteral("rated"));
    QSignalSpy own(&dialog, &QFindFuncodeDialog_Servo::SigSelectCode);
    QSignalSpy hub(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelectCode);
    QTestHost::select(QString());
    dialog.OnSelectRow(dialog.getModel()->index(0, 0));
    QCOMPARE(own.count(), 0);
    QCOMPARE(hub.count(), 0);
}

void tst_QFindFuncodeDialog_Servo::doubleClickHandsCodeToHub()
{
    QFindFuncodeDialog_Servo dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.SlotlineEditFindServoFun(QStringLiteral("rated"));
    QSignalSpy hub(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigSelectCode);

    QBaseTableView* table = resultTable(dialog);
    const QRect cell = table->visualRect(dialog.getModel()->index(1, QFindFuncodeModel_Servo::COL_NAME));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(hub.count(), 1);
    const QList<QVariant> args = hub.takeFirst();
    QCOMPARE(args.at(0).toString(), QStringLiteral("drive"));
    QCOMPARE(args.at(1).toString(), m_device->getDevName());
    QCOMPARE(args.at(1).toString(), QStringLiteral("TST3"));
    QCOMPARE(args.at(2).toString(), QStringLiteral("1.00"));
    QCOMPARE(args.at(3).toString(), QStringLiteral("P00.02"));

    dialog.OnSelectRow(QModelIndex());
    QCOMPARE(hub.count(), 0);
}

void tst_QFindFuncodeDialog_Servo::removedDriveLeavesEmptyResults()
{
    QFindFuncodeDialog_Servo dialog;
    QAbstractItemModelTester tester(dialog.getModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    dialog.SlotlineEditFindServoFun(QStringLiteral("rated"));
    QCOMPARE(dialog.getModel()->rowCount(), 2);
    QTestHost::clearProject();
    QVERIFY(!dialog.getModel()->index(0, QFindFuncodeModel_Servo::COL_NAME).data().isValid());
    QCOMPARE(dialog.getModel()->getFunIndex(0), QString());
    // Searching again finds nothing to show and keeps the rows as they are.
    dialog.SlotlineEditFindServoFun(QStringLiteral("speed"));
    QCOMPARE(dialog.getModel()->rowCount(), 2);
}

QTEST_MAIN(tst_QFindFuncodeDialog_Servo)
#include "tst_QFindFuncodeDialog_Servo.moc"
