#include "ModalAnswer.h"
#include "QButtonManager.h"
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
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QMenu>
#include <QTabWidget>
#include <QtTest>

// The value workspace inside the main widget, on simulated drives of the small test model.
class tst_QFunValueWidget_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFuncodeWidget_Servo> m_main;
    QDeviceServo* m_drive = nullptr;

    QFunValueWidget_Servo* workspace() const { return m_main->valueWidget(); }
    static QList<tagModifyFuncode_Servo> stored()
    {
        return QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("three");
    }

    void clickNode(const QString& alias, int subId, const QString& text = QString())
    {
        QTestHost::select(alias);
        QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
        tagTreeDataSet click;
        click.strText = text.isEmpty() ? QStringLiteral("page %1").arg(subId) : text;
        click.subId = subId;
        emit QSoftCore::getCore()->getSignalManager()->SigClickTree(
            device ? device->getDeviceInfoPtr() : nullptr, click);
    }

    QStringList tabTitles() const
    {
        QStringList titles;
        for (int i = 0; i < workspace()->tabWidget()->count(); ++i) {
            titles.append(workspace()->tabWidget()->tabText(i));
        }
        return titles;
    }

    // Opens the drive's code tables from the tree; the current table's model and the cell of one code in it.
    QFuncodeModel_Servo* openCodes(const QString& funIndex, int column, QModelIndex* cell)
    {
        clickNode("three", TREE_NODE_FUNCODE, "codes");
        QFuncodeView_Servo* view = workspace()->groupWidget()->getCurrentFuncodeView();
        *cell = view ? view->getModel()->index(view->getRowByValue(0, funIndex), column) : QModelIndex();
        return view ? view->getModel() : nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
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

    void cleanup()
    {
        QMyMessageBox::setTestHook(nullptr);
        m_main.reset();
        QTestHost::clearProject();
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
        QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes("three");
    }

    void clickOfAnotherTypeChangesNothing()
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

    void faultWindowOpensWithoutDevice()
    {
        clickNode(QString(), TREE_NODE_ALL_CUR_FAULTS);
        QVERIFY(workspace()->multiDevFaultWindow()->isVisible());
        QCOMPARE(workspace()->tabWidget()->count(), 0);
    }

    void sameNodeKeepsTabsAuthorityChangeReopensOnlyIt()
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

    void switchingDrivesClosesPagesAndRebuildsGroups()
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

    void monitoredPageShowsUpAndDownButtons()
    {
        QButtonGroup* group = m_main->toolWidget()->getButtonGroup();
        QVERIFY(group);
        QVERIFY(!group->button(QButtonManager::BTN_UP)->isVisible());
        clickNode("three", TREE_NODE_MONITORED, "monitored");
        QVERIFY(group->button(QButtonManager::BTN_UP)->isVisible());
        QVERIFY(group->button(QButtonManager::BTN_DOWN)->isVisible());
        clickNode("three", TREE_NODE_FUNCODE, "codes");
        QVERIFY(!group->button(QButtonManager::BTN_DOWN)->isVisible());
    }

    void closeTabOutsideTheTabsDoesNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("minus one") << -1;
        QTest::newRow("count") << 2;
        QTest::newRow("far") << 50;
    }

    void closeTabOutsideTheTabsDoesNothing()
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

    void closeOtherKeepsOnlyTheTabUnderTheCursor_data()
    {
        QTest::addColumn<int>("kept");
        for (int i = 0; i < 5; ++i) {
            QTest::newRow(qPrintable(QStringLiteral("tab %1").arg(i))) << i;
        }
    }

    void closeOtherKeepsOnlyTheTabUnderTheCursor()
    {
        QFETCH(int, kept);
        const QList<int> kinds{TREE_NODE_FUNCODE, TREE_NODE_STATISTICS, TREE_NODE_RECORDS,
                               TREE_NODE_MONITORED, TREE_NODE_DEFAULT_COMPARE};
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

    void changesAreRecorded_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<QStringList>(
            "texts"); // old and new as edited, as stored, the new one as the page shows it
        QTest::newRow("hexadecimal") << "P00.04" << QStringList{"FF", "100", "255", "256", "256"};
        QTest::newRow("hexadecimal with prefix")
            << "P00.04" << QStringList{"0x00FF", "0x0100", "255", "256", "256"};
        // Beyond the 32-bit signed range: still decimal, never the hexadecimal text.
        QTest::newRow("hexadecimal old value 0xFFFFFFFF")
            << "P00.04" << QStringList{"FFFFFFFF", "10", "4294967295", "16", "16"};
        QTest::newRow("hexadecimal old value 0x80000000")
            << "P00.04" << QStringList{"80000000", "7FFFFFFF", "2147483648", "2147483647", "2147483647"};
        QTest::newRow("enumerated by position")
            << "P00.00" << QStringList{"1:Motor B 400W", "5:Motor D 1kW", "1", "3", "5:Motor D 1kW"};
        QTest::newRow("decimal as shown") << "P00.01" << QStringList{"2.80", "3.10", "2.80", "3.10", "3.10"};
    }

    void changesAreRecorded()
    {
        QFETCH(QString, funIndex);
        QFETCH(QStringList, texts);
        QTestHost::link("three")->setOnline(false); // offline: the local time stamps the record
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        workspace()->OnDataChanged(texts.at(0), texts.at(1), m_drive->getFuncodePtrByFunIndex(funIndex), 2);
        QCOMPARE(stored().size(), 1);
        const tagModifyFuncode_Servo record = stored().first();
        QCOMPARE(record.funIndex, funIndex);
        QCOMPARE(record.axisIndex, 2);
        QCOMPARE(record.oldVal, texts.at(2));
        QCOMPARE(record.newVal, texts.at(3));
        const QDateTime stamped = QDateTime::fromString(record.strTime, "yyyy-MM-dd hh:mm:ss");
        QVERIFY(stamped.isValid() && stamped >= before.addSecs(-1) &&
                stamped <= QDateTime::currentDateTime().addSecs(1));
        // The record page shows it first, with enumerated values as texts.
        QCOMPARE(workspace()->recordModel()->rowCount(), 1);
        QCOMPARE(workspace()->recordModel()->index(0, 1).data().toString(), funIndex);
        QCOMPARE(workspace()->recordModel()->index(0, 4).data().toString(), texts.at(4));
    }

    void tableEditIsRecordedOnceAtTheTop()
    {
        QModelIndex axisY;
        QFuncodeModel_Servo* model = openCodes("P00.02", 5, &axisY);
        QVERIFY(model && axisY.isValid());
        workspace()->OnDataChanged("1", "2", m_drive->getFuncodePtrByFunIndex("P00.03"),
                                   0); // an older change
        QVERIFY(model->setData(axisY, 1500, Qt::EditRole));
        QCOMPARE(stored().size(), 2);
        const tagModifyFuncode_Servo record = stored().first();
        QCOMPARE(record.funIndex, QStringLiteral("P00.02"));
        QCOMPARE(record.oldVal, QStringLiteral("3000"));
        QCOMPARE(record.newVal, QStringLiteral("1500"));
        QCOMPARE(record.axisIndex, 1);
        QCOMPARE(workspace()->recordModel()->index(0, 1).data().toString(), QStringLiteral("P00.02"));
        // The drive's own clock stamped the change.
        QCOMPARE(
            record.strTime,
            QDateTime::fromSecsSinceEpoch(m_drive->getSortedModifyTime()).toString("yyyy-MM-dd hh:mm:ss"));
    }

    void relatedValuesAreRecorded()
    {
        QModelIndex axisX;
        QFuncodeModel_Servo* model = openCodes("P00.00", 4, &axisX);
        QVERIFY(model && model->setData(axisX, 3, Qt::EditRole));
        const tagModifyFuncode_Servo record = stored().value(0);
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

    void recordMenuOnlyWithRecords()
    {
        clickNode("three", TREE_NODE_RECORDS, "records");
        workspace()->rightMenuClicked();
        QVERIFY(!workspace()->recordMenu()->isVisible());
        workspace()->OnDataChanged("1", "2", m_drive->getFuncodePtrByFunIndex("P00.02"), 0);
        workspace()->rightMenuClicked();
        QVERIFY(workspace()->recordMenu()->isVisible());
        workspace()->recordMenu()->hide();
    }

    void clearingRecordsAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("accepted") << 1 << 0;
        QTest::newRow("refused") << 0 << 2;
    }

    void clearingRecordsAsksFirst()
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

    void axisBoxOnlyForSeveralAxes_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<bool>("shown");
        QTest::newRow("three axes") << "three" << true;
        QTest::newRow("one axis") << "one" << false;
    }

    void axisBoxOnlyForSeveralAxes()
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

    void detailWindowEditIsWrittenAndRecordedOnce()
    {
        QModelIndex value, name;
        QVERIFY(openCodes("P00.02", 6, &value));
        QVERIFY(openCodes("P00.02", 2, &name));
        // A value cell opens no window; a modal one would be found and closed here.
        bool opened = false;
        QTimer::singleShot(0, [&opened]() {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        emit workspace()->groupWidget()->doubleClicked(value);
        QCoreApplication::processEvents();
        QVERIFY(!opened);

        QPointer<QFunCodeDetailTable> seen;
        answerModal([&seen](QWidget* modal) {
            seen = qobject_cast<QFunCodeDetailTable*>(modal);
            // What the window does when the user commits 2000 on axis Z.
            if (seen) {
                emit seen->sigDataChanged(
                    "3000", QVariant(2000.0),
                    QProjectCore::self()->getDevMgr()->getSelectServo()->getFuncodePtrByFunIndex("P00.02"),
                    2);
            }
            modal->close();
        });
        emit workspace()->groupWidget()->doubleClicked(name);
        QVERIFY(seen.isNull() || !seen->isVisible());
        QCOMPARE(m_drive->getScaledCurValueStr("P00.02", 2), QStringLiteral("2000"));
        QCOMPARE(stored().size(), 1);
        QCOMPARE(stored().first().newVal, QStringLiteral("2000"));
        QCOMPARE(stored().first().axisIndex, 2);
        QVERIFY(m_drive->isParamUnsaved("P00.02", 2));
    }

    void removedCurrentDriveEmptiesTheWorkspace()
    {
        clickNode("three", TREE_NODE_FUNCODE, "codes");
        clickNode("three", TREE_NODE_RECORDS, "records");
        QPointer<QWidget> page = workspace()->tabWidget()->widget(0);
        QProjectCore::self()->getDevMgr()->removeDevice("one");
        QCOMPARE(workspace()->tabWidget()->count(), 2);
        QProjectCore::self()->getDevMgr()->removeDevice("three");
        QCOMPARE(workspace()->tabWidget()->count(), 0);
        QVERIFY(workspace()->currentAlias().isEmpty());
        // Closing a page only takes it out of the tab widget.
        QVERIFY(page);
    }

    void findDialogBringsACodeIntoView()
    {
        clickNode("three", TREE_NODE_RECORDS, "records");
        m_main->toolWidget()->setFindText("speed INTEGRAL");
        m_main->OnButtonClicked(QButtonManager::BTN_FIND);
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
};

QTEST_MAIN(tst_QFunValueWidget_Servo)
#include "tst_QFunValueWidget_Servo.moc"
