#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"
#include "tagTreeDataSet.h"

#include <QtTest>

class tst_QProjectTreeWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<const DeviceInfo*>();
        qRegisterMetaType<tagTreeDataSet>();
        QVERIFY(QTestHost::setUp());
    }

    void init()
    {
        QTestHost::clearProject();
        QVERIFY(QTestHost::addDrive("TST1", "A"));
        m_tree = std::make_unique<QProjectTreeWidget>();
    }

    void cleanup() { m_tree.reset(); }

    void treeFollowsTheDrivesOfTheProject()
    {
        QCOMPARE(m_tree->topLevelItemCount(), 2);
        QVERIFY(m_tree->findNode(QString(), TREE_NODE_ALL_CUR_FAULTS));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QCOMPARE(m_tree->topLevelItemCount(), 3);
        for (const QString alias : {"A", "B"}) {
            QTreeWidgetItem* drive = m_tree->findNode(alias, TREE_NODE_DRIVE);
            QVERIFY(drive);
            QCOMPARE(drive->text(0), alias);
            const QList<int> expected{321, 322, 323, 324, 325, 402};
            QCOMPARE(drive->childCount(), expected.size());
            for (int i = 0; i < drive->childCount(); ++i) {
                QCOMPARE(drive->child(i)->data(0, QProjectTreeWidget::KindRole).toInt(), expected.at(i));
            }
        }
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("A"));
        QCOMPARE(m_tree->topLevelItemCount(), 2);
        QVERIFY(!m_tree->findNode("A", TREE_NODE_FUNCODE));
        QVERIFY(m_tree->findNode("B", TREE_NODE_FUNCODE));
    }

    void activatingANodeSelectsItsDriveThenAnnouncesIt_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<int>("kind");
        for (int kind : QProjectTreeWidget::pageKinds() + QList<int>{TREE_NODE_DRIVE}) {
            QTest::addRow("%d", kind) << "B" << kind;
        }
        // The faults of all drives belong to no drive: the selection stays.
        QTest::newRow("all faults") << "" << int(TREE_NODE_ALL_CUR_FAULTS);
    }

    void activatingANodeSelectsItsDriveThenAnnouncesIt()
    {
        QFETCH(QString, alias);
        QFETCH(int, kind);
        QDeviceServo* b = QTestHost::addDrive("TST3", "B");
        QTestHost::select("A");

        QString selectedWhenAnnounced;
        connect(hub(), &QSignalManager::SigClickTree, m_tree.get(),
                [&](const DeviceInfo*, const tagTreeDataSet&) { selectedWhenAnnounced = selectedAlias(); });
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QVERIFY(m_tree->activateNode(alias, kind));

        QCOMPARE(clicks.count(), 1);
        const QString expectedSelection = alias.isEmpty() ? "A" : alias;
        QCOMPARE(selectedWhenAnnounced, expectedSelection);
        QCOMPARE(selectedAlias(), expectedSelection);
        QCOMPARE(clicks.at(0).at(0).value<const DeviceInfo*>(),
                 alias.isEmpty() ? nullptr : b->getDeviceInfoPtr());
        const tagTreeDataSet node = clicks.at(0).at(1).value<tagTreeDataSet>();
        QCOMPARE(node.subId, kind);
        QCOMPARE(node.strText, m_tree->findNode(alias, kind)->text(0));
        QCOMPARE(m_tree->currentItem(), m_tree->findNode(alias, kind));
    }

    void mouseClickAnnouncesTheNode()
    {
        QVERIFY(QTestUi::show(m_tree.get(), {300, 400}));
        QTreeWidgetItem* records = m_tree->findNode("A", TREE_NODE_RECORDS);
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, {}, m_tree->visualItemRect(records).center());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_RECORDS));
        QCOMPARE(selectedAlias(), QString("A"));
    }

    void onlyExistingNodesAreAnnounced()
    {
        QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
        QVERIFY(!m_tree->reemitCurrentNode());
        QVERIFY(!m_tree->activateNode("Nobody", TREE_NODE_FUNCODE));
        QVERIFY(!m_tree->activateNode("A", 999));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(selectedAlias().isEmpty());

        QVERIFY(m_tree->activateNode("A", TREE_NODE_MONITORED));
        QVERIFY(m_tree->reemitCurrentNode());
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(1).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_MONITORED));
    }

    // Online, offline, or in the fault colour while the drive has a current fault.
    void driveIconFollowsTheOnlineState()
    {
        QTreeWidgetItem* drive = m_tree->findNode("A", TREE_NODE_DRIVE);
        const QString offline = QTestUi::text("STR_OFFLINE");
        const QImage onlineImage = drive->icon(0).pixmap(12, 12).toImage();

        QTestHost::link("A")->setOnline(false);
        QTRY_VERIFY(drive->toolTip(0).contains(offline));
        QVERIFY(drive->icon(0).pixmap(12, 12).toImage() != onlineImage);
        QTestHost::link("A")->setOnline(true);
        QTRY_VERIFY(!drive->toolTip(0).contains(offline));
        QCOMPARE(drive->icon(0).pixmap(12, 12).toImage(), onlineImage);
        QVERIFY(QTestHost::link("A")->raiseFault("E.101", 0));
        QTRY_VERIFY(drive->icon(0).pixmap(12, 12).toImage() != onlineImage);
    }

private:
    static QSignalManager* hub() { return QSoftCore::getCore()->getSignalManager(); }
    static QString selectedAlias() { return QProjectCore::self()->getDevMgr()->getSelectAlias(); }

    std::unique_ptr<QProjectTreeWidget> m_tree;
};

QTEST_MAIN(tst_QProjectTreeWidget)
#include "tst_QProjectTreeWidget.moc"
