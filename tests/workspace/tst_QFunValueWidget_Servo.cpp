#include "QBaseTableView.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QFunCodeDetailTable.h"
#include "QFunToolWidget_Servo.h"
#include "QFunValueWidget_Servo.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QFuncodeWidget_Servo.h"
#include "QLibSetting.h"
#include "QModifyFunModel_Servo.h"
#include "QMultiDevCurFaultDlg.h"
#include "QMyMessageBox.h"
#include "QNodeID.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

// The value workspace inside the main widget, on simulated drives of the small test model.
class tst_QFunValueWidget_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void clickOfAnotherTypeChangesNothing();
    void faultWindowOpensWithoutDevice();
    void sameNodeKeepsTabsAuthorityChangeReopensOnlyIt();
    void switchingDrivesClosesPagesAndRebuildsGroups();
    void closeTabOutsideTheTabsDoesNothing_data();
    void closeTabOutsideTheTabsDoesNothing();
    void closeOtherKeepsOnlyTheTabUnderTheCursor_data();
    void closeOtherKeepsOnlyTheTabUnderTheCursor();
    void changesAreRecorded_data();
    void changesAreRecorded();
    void tableEditIsRecordedOnceAtTheTop();
    void relatedValuesAreRecorded();
    void recordMenuOnlyWithRecords();
    void clearingRecordsAsksFirst_data();
    void clearingRecordsAsksFirst();
    void axisBoxOnlyForSeveralAxes_data();
    void axisBoxOnlyForSeveralAxes();
    void doubleClickOnValueCellOpensNoWindow();
    void detailWindowEditIsWrittenAndRecordedOnce();
    void removedCurrentDriveEmptiesTheWorkspace();
    void findDialogBringsACodeIntoView();

private:
    void clickNode(const QString& alias, int subId, const QString& text = QString());
    QStringList tabTitles() const;
    QFunValueWidget_Servo* workspace() const { return m_main->valueWidget(); }
    void answerNextModal(int delayMs = 0);

    std::unique_ptr<QFuncodeWidget_Servo> m_main;
    QDeviceServo* m_drive = nullptr;
};

void tst_QFunValueWidget_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFunValueWidget_Servo::init()
{
    m_drive = QTestHost::addDrive("TST3", "three");
    QTestHost::addDrive("TST1", "one");
    QTestHost::link("three")->setFrozen(true);
    QTestHost::select("three");
    QVERIFY(QTestHost::readAll(m_drive));
    m_main = std::make_unique<QFuncodeWidget_Servo>();
    m_main->resize(1200, 800);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void tst_QFunValueWidget_Servo::cleanup()
{
    QMyMessageBox::setTestHook(nullptr);
    m_main.reset();
    QTestHost::clearProject();
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes("three");
}

void tst_QFunValueWidget_Servo::clickNode(const QString& alias, int subId, const QString& text)
{
    QTestHost::select(alias);
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    tagTreeDataSet click;
    click.strText = text.isEmpty() ? QStringLiteral("page %1").arg(subId) : text;
    click.subId = subId;
    emit QSoftCore::getCore()->getSignalManager()->SigClickTree(device ? device->getDeviceInfoPtr() : nullptr,
                                                                click);
}

QStringList tst_QFunValueWidget_Servo::tabTitles() const
{
    QStringList titles;
    for (int i = 0; i < workspace()->tabWidget()->count(); ++i) {
        titles.append(workspace()->tabWidget()->tabText(i));
    }
    return titles;
}

void tst_QFunValueWidget_Servo::answerNextModal(int delayMs)
{
    QTimer::singleShot(delayMs, []() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
}

void tst_QFunValueWidget_Servo::clickOfAnotherTypeChangesNothing()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    tagTreeDataSet click;
    click.type = 1;
    click.subId = TREE_NODE_RECORDS;
    QDeviceServo* other = QProjectCore::self()->getDevMgr()->getDeviceServo("one");
    emit QSoftCore::getCore()->getSignalManager()->SigClickTree(other->getDeviceInfoPtr(), click);
    QCOMPARE(workspace()->currentAlias(), QStringLiteral("three"));
    QCOMPARE(tabTitles(), QStringList{"codes"});
}

void tst_QFunValueWidget_Servo::faultWindowOpensWithoutDevice()
{
    QTestHost::select(QString());
    tagTreeDataSet click;
    click.subId = TREE_NODE_ALL_CUR_FAULTS;
    emit QSoftCore::getCore()->getSignalManager()->SigClickTree(nullptr, click);
    QVERIFY(workspace()->multiDevFaultWindow()->isVisible());
    QCOMPARE(workspace()->tabWidget()->count(), 0);
}

void tst_QFunValueWidget_Servo::sameNodeKeepsTabsAuthorityChangeReopensOnlyIt()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    clickNode("three", TREE_NODE_MONITORED, "monitored");
    clickNode("three", TREE_NODE_RECORDS, "records");
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    QCOMPARE(tabTitles(), (QStringList{"codes", "monitored", "records"}));
    QCOMPARE(workspace()->tabWidget()->currentWidget(), workspace()->groupWidget());
    const QNodeID node(workspace()->groupWidget()->property("tab_widget_type").toInt());
    QCOMPARE(node.subId(), int(TREE_NODE_FUNCODE));

    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    QCOMPARE(tabTitles(), QStringList{"codes"});
    // The tables now hold the codes of the higher authority.
    QFuncodeView_Servo* basic = workspace()->groupWidget()->getCurrentFuncodeView();
    QVERIFY(basic);
    QCOMPARE(basic->getFunGroup(), QStringLiteral("P00 Basic"));
    QVERIFY(basic->getRowByValue(0, "P00.09") >= 0);
}

void tst_QFunValueWidget_Servo::switchingDrivesClosesPagesAndRebuildsGroups()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    clickNode("three", TREE_NODE_RECORDS, "records");
    QTestHost::link("one")->setFrozen(true);
    clickNode("one", TREE_NODE_MONITORED, "monitored of one");
    QCOMPARE(workspace()->currentAlias(), QStringLiteral("one"));
    QCOMPARE(tabTitles(), QStringList{"monitored of one"});
    // The drive node only changes the current drive.
    clickNode("three", TREE_NODE_DRIVE);
    QCOMPARE(workspace()->currentAlias(), QStringLiteral("three"));
    QCOMPARE(tabTitles(), QStringList{"monitored of one"});
}

void tst_QFunValueWidget_Servo::closeTabOutsideTheTabsDoesNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("minus one") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("far") << 50;
}

void tst_QFunValueWidget_Servo::closeTabOutsideTheTabsDoesNothing()
{
    QFETCH(int, index);
    clickNode("three", TREE_NODE_FUNCODE, "a");
    clickNode("three", TREE_NODE_RECORDS, "b");
    workspace()->OnCloseTab(index);
    QCOMPARE(tabTitles(), (QStringList{"a", "b"}));
    // "Close" from the tab menu with no tab under the cursor closes nothing either.
    workspace()->OnRightMenuClicked(QPoint(-100, -100));
    workspace()->tabMenu()->actions().at(0)->trigger();
    workspace()->tabMenu()->hide();
    QCOMPARE(tabTitles(), (QStringList{"a", "b"}));
}

void tst_QFunValueWidget_Servo::closeOtherKeepsOnlyTheTabUnderTheCursor_data()
{
    QTest::addColumn<int>("kept");
    for (int i = 0; i < 5; ++i) {
        QTest::newRow(qPrintable(QStringLiteral("tab %1").arg(i))) << i;
    }
}

void tst_QFunValueWidget_Servo::closeOtherKeepsOnlyTheTabUnderTheCursor()
{
    QFETCH(int, kept);
    const QList<int> kinds{TREE_NODE_FUNCODE, TREE_NODE_STATISTICS, TREE_NODE_RECORDS, TREE_NODE_MONITORED,
                           TREE_NODE_DEFAULT_COMPARE};
    for (int kind : kinds) {
        clickNode("three", kind, QString::number(kind));
    }
    QCOMPARE(workspace()->tabWidget()->count(), 5);
    const QRect tab = workspace()->tabWidget()->tabBar()->tabRect(kept);
    workspace()->OnRightMenuClicked(tab.center());
    workspace()->tabMenu()->actions().at(2)->trigger();
    workspace()->tabMenu()->hide();
    QCOMPARE(tabTitles(), QStringList{QString::number(kinds.at(kept))});
}

void tst_QFunValueWidget_Servo::changesAreRecorded_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("storedOld");
    QTest::addColumn<QString>("storedNew");
    QTest::addColumn<QString>("shownNew");

    QTest::newRow("hexadecimal") << "P00.04"
                                 << "FF"
                                 << "100"
                                 << "255"
                                 << "256"
                                 << "256";
    QTest::newRow("hexadecimal with prefix") << "P00.04"
                                             << "0x00FF"
                                             << "0x0100"
                                             << "255"
                                             << "256"
                                             << "256";
    QTest::newRow("enumerated by position") << "P00.00"
                                            << "1:Motor B 400W"
                                            << "5:Motor D 1kW"
                                            << "1"
                                            << "3"
                                            << "5:Motor D 1kW";
    QTest::newRow("decimal as shown") << "P00.01"
                                      << "2.80"
                                      << "3.10"
                                      << "2.80"
                                      << "3.10"
                                      << "3.10";
}

void tst_QFunValueWidget_Servo::changesAreRecorded()
{
    QFETCH(QString, funIndex);
    QFETCH(QString, oldText);
    QFETCH(QString, newText);
    QFETCH(QString, storedOld);
    QFETCH(QString, storedNew);
    QFETCH(QString, shownNew);

    QTestHost::link("three")->setOnline(false); // offline: the local time stamps the record
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    workspace()->OnDataChanged(oldText, newText, m_drive->getFuncodePtrByFunIndex(funIndex), 2);
    const QList<tagModifyFuncode_Servo> stored =
        QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("three");
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().funIndex, funIndex);
    QCOMPARE(stored.first().axisIndex, 2);
    QCOMPARE(stored.first().oldVal, storedOld);
    QCOMPARE(stored.first().newVal, storedNew);
    const QDateTime stamped = QDateTime::fromString(stored.first().strTime, "yyyy-MM-dd hh:mm:ss");
    QVERIFY(stamped.isValid() && stamped >= before.addSecs(-1) &&
            stamped <= QDateTime::currentDateTime().addSecs(1));
    // The record page shows it first, with enumerated values as texts.
    QCOMPARE(workspace()->recordModel()->rowCount(), 1);
    QCOMPARE(workspace()->recordModel()->index(0, 1).data().toString(), funIndex);
    QCOMPARE(workspace()->recordModel()->index(0, 4).data().toString(), shownNew);
}

void tst_QFunValueWidget_Servo::tableEditIsRecordedOnceAtTheTop()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
    QVERIFY(view);
    const int row = view->getRowByValue(0, "P00.02");
    QVERIFY(row >= 0);
    workspace()->OnDataChanged("1", "2", m_drive->getFuncodePtrByFunIndex("P00.03"), 0); // an older change
    QVERIFY(view->getModel()->setData(view->getModel()->index(row, 5), 1500, Qt::EditRole));
    const QList<tagModifyFuncode_Servo> stored =
        QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("three");
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.first().funIndex, QStringLiteral("P00.02"));
    QCOMPARE(stored.first().oldVal, QStringLiteral("3000"));
    QCOMPARE(stored.first().newVal, QStringLiteral("1500"));
    QCOMPARE(stored.first().axisIndex, 1);
    QCOMPARE(workspace()->recordModel()->index(0, 1).data().toString(), QStringLiteral("P00.02"));
    // The drive's own clock stamped the change.
    QCOMPARE(stored.first().strTime,
             QDateTime::fromSecsSinceEpoch(m_drive->getSortedModifyTime()).toString("yyyy-MM-dd hh:mm:ss"));
}

void tst_QFunValueWidget_Servo::relatedValuesAreRecorded()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
    const int row = view->getRowByValue(0, "P00.00");
    QVERIFY(view->getModel()->setData(view->getModel()->index(row, 4), 3, Qt::EditRole));
    const tagModifyFuncode_Servo record =
        QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("three").value(0);
    QCOMPARE(record.relateParamMap.value("P00.01"),
             qMakePair(QStringLiteral("2.80"), QStringLiteral("4.50")));
    QCOMPARE(record.relateParamMap.value("P00.02"),
             qMakePair(QStringLiteral("3000"), QStringLiteral("2500")));
    QVERIFY(workspace()->hasRelateParam("P00.00"));
    QVERIFY(!workspace()->hasRelateParam("P00.01"));
    const tagModifyFuncode_Servo now = workspace()->currentRelateRecord("P2.00");
    QCOMPARE(now.axisIndex, 3);
    QCOMPARE(now.relateParamMap.value("P2.01").second, QStringLiteral("21.75"));
}

void tst_QFunValueWidget_Servo::recordMenuOnlyWithRecords()
{
    clickNode("three", TREE_NODE_RECORDS, "records");
    workspace()->rightMenuClicked();
    QVERIFY(!workspace()->recordMenu()->isVisible());
    workspace()->OnDataChanged("1", "2", m_drive->getFuncodePtrByFunIndex("P00.02"), 0);
    workspace()->rightMenuClicked();
    QVERIFY(workspace()->recordMenu()->isVisible());
    workspace()->recordMenu()->hide();
}

void tst_QFunValueWidget_Servo::clearingRecordsAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("accepted") << 1 << 0;
    QTest::newRow("refused") << 0 << 2;
}

void tst_QFunValueWidget_Servo::clearingRecordsAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(int, left);
    clickNode("three", TREE_NODE_RECORDS, "records");
    workspace()->OnDataChanged("1", "2", m_drive->getFuncodePtrByFunIndex("P00.02"), 0);
    workspace()->OnDataChanged("2", "3", m_drive->getFuncodePtrByFunIndex("P00.02"), 0);
    QList<QMyMessageBox::Call> asked;
    QMyMessageBox::setTestHook([&](const QMyMessageBox::Call& call) {
        asked.append(call);
        return answer;
    });
    workspace()->OnClearRecord();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().kind, QMyMessageBox::Question);
    QCOMPARE(QDatabaseManager::self()->getRecordDatabase_Servo()->recordCount("three"), left);
    QCOMPARE(workspace()->recordModel()->rowCount(), left);
}

void tst_QFunValueWidget_Servo::axisBoxOnlyForSeveralAxes_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<bool>("shown");
    QTest::newRow("three axes") << "three" << true;
    QTest::newRow("one axis") << "one" << false;
}

void tst_QFunValueWidget_Servo::axisBoxOnlyForSeveralAxes()
{
    QFETCH(QString, alias);
    QFETCH(bool, shown);
    clickNode(alias, TREE_NODE_FUNCODE);
    QVERIFY(!workspace()->axisBox()->isVisible());
    workspace()->onShowAxis();
    QCOMPARE(workspace()->axisBox()->isVisible(), shown);
    workspace()->axisBox()->setCurrentIndex(shown ? 2 : 0);
    QCOMPARE(workspace()->currentAxis(), shown ? 2 : 0);
    workspace()->onHideAxis();
    QVERIFY(!workspace()->axisBox()->isVisible());
}

void tst_QFunValueWidget_Servo::doubleClickOnValueCellOpensNoWindow()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
    const QModelIndex value = view->getModel()->index(view->getRowByValue(0, "P00.02"), 6);
    bool opened = false;
    QTimer::singleShot(0, [&opened]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    emit workspace()->groupWidget()->doubleClicked(value);
    QTest::qWait(1);
    QVERIFY(!opened);
}

void tst_QFunValueWidget_Servo::detailWindowEditIsWrittenAndRecordedOnce()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
    const QModelIndex name = view->getModel()->index(view->getRowByValue(0, "P00.02"), 2);
    QPointer<QFunCodeDetailTable> seen;
    QTimer::singleShot(0, [&seen]() {
        auto* detail = qobject_cast<QFunCodeDetailTable*>(QApplication::activeModalWidget());
        seen = detail;
        if (!detail) {
            return;
        }
        // What the window does when the user commits 2000 on axis Z.
        emit detail->sigDataChanged(
            "3000", QVariant(2000.0),
            QProjectCore::self()->getDevMgr()->getSelectServo()->getFuncodePtrByFunIndex("P00.02"), 2);
        detail->close();
    });
    emit workspace()->groupWidget()->doubleClicked(name);
    QVERIFY(seen.isNull() || !seen->isVisible());
    QCOMPARE(m_drive->getScaledCurValueStr("P00.02", 2), QStringLiteral("2000"));
    const QList<tagModifyFuncode_Servo> stored =
        QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("three");
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().newVal, QStringLiteral("2000"));
    QCOMPARE(stored.first().axisIndex, 2);
    QVERIFY(m_drive->isParamUnsaved("P00.02", 2));
}

void tst_QFunValueWidget_Servo::removedCurrentDriveEmptiesTheWorkspace()
{
    clickNode("three", TREE_NODE_FUNCODE, "codes");
    clickNode("three", TREE_NODE_RECORDS, "records");
    QProjectCore::self()->getDevMgr()->removeDevice("one");
    QCOMPARE(workspace()->tabWidget()->count(), 2);
    QProjectCore::self()->getDevMgr()->removeDevice("three");
    QCOMPARE(workspace()->tabWidget()->count(), 0);
    QVERIFY(workspace()->currentAlias().isEmpty());
}

void tst_QFunValueWidget_Servo::findDialogBringsACodeIntoView()
{
    clickNode("three", TREE_NODE_RECORDS, "records");
    m_main->toolWidget()->setFindText("speed INTEGRAL");
    m_main->OnButtonClicked(63);
    QFindFuncodeDialog_Servo* find = m_main->findDialog();
    QVERIFY(find);
    QCOMPARE(find->getModel()->rowCount(), 1);
    find->OnSelectRow(find->getModel()->index(0, 0));
    // The group tables came to the front with the code's group and row.
    QCOMPARE(workspace()->tabWidget()->currentWidget(), workspace()->groupWidget());
    QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
    QCOMPARE(view->getFunGroup(), QStringLiteral("P2 Gains"));
    QCOMPARE(view->currentIndex().sibling(view->currentIndex().row(), 0).data().toString(),
             QStringLiteral("P2.01"));
    QCOMPARE(m_main->toolWidget()->getFindText(), QStringLiteral("P2.01"));
    // Another drive drops the dialog; the next find builds a new one.
    QTestHost::select("one");
    QVERIFY(!m_main->findDialog());
}

QTEST_MAIN(tst_QFunValueWidget_Servo)
#include "tst_QFunValueWidget_Servo.moc"
