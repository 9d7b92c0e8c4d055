#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"
#include "tagTreeDataSet.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

class tst_QProjectTreeWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void treeShowsDrivesAlreadyInTheProject();
    void treeFollowsAddedAndRemovedDrives();
    void activatingANodeSelectsItsDriveThenAnnouncesIt_data();
    void activatingANodeSelectsItsDriveThenAnnouncesIt();
    void faultsOfAllDrivesAnnounceWithoutDevice();
    void mouseClickAnnouncesTheNode();
    void currentNodeCanBeAnnouncedAgain();
    void unknownNodeIsNotActivated();
    void driveIconFollowsTheOnlineState();

private:
    static QSignalManager* hub() { return QSoftCore::getCore()->getSignalManager(); }
    static QString selectedAlias() { return QProjectCore::self()->getDevMgr()->getSelectAlias(); }

    std::unique_ptr<QProjectTreeWidget> m_tree;
};

void tst_QProjectTreeWidget::initTestCase()
{
    qRegisterMetaType<const DeviceInfo*>();
    qRegisterMetaType<tagTreeDataSet>();
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QProjectTreeWidget::init()
{
    QTestHost::clearProject();
    m_tree = std::make_unique<QProjectTreeWidget>();
}

void tst_QProjectTreeWidget::cleanup()
{
    m_tree.reset();
    QTestHost::clearProject();
}

void tst_QProjectTreeWidget::treeShowsDrivesAlreadyInTheProject()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST2"), QStringLiteral("Early")));
    QProjectTreeWidget tree;
    QVERIFY(tree.findNode(QStringLiteral("Early"), TREE_NODE_DRIVE));
    QVERIFY(tree.findNode(QString(), TREE_NODE_ALL_CUR_FAULTS));
    QCOMPARE(tree.topLevelItemCount(), 2);
}

void tst_QProjectTreeWidget::treeFollowsAddedAndRemovedDrives()
{
    QCOMPARE(m_tree->topLevelItemCount(), 1);
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("B")));
    QCOMPARE(m_tree->topLevelItemCount(), 3);
    for (const QString& alias : {QStringLiteral("A"), QStringLiteral("B")}) {
        QTreeWidgetItem* drive = m_tree->findNode(alias, TREE_NODE_DRIVE);
        QVERIFY(drive);
        QCOMPARE(drive->text(0), alias);
        QCOMPARE(drive->childCount(), 6);
        const QList<int> expected{321, 322, 323, 324, 325, 402};
        for (int i = 0; i < drive->childCount(); ++i) {
            QCOMPARE(drive->child(i)->data(0, QProjectTreeWidget::KindRole).toInt(), expected.at(i));
            QVERIFY(!drive->child(i)->text(0).startsWith(QLatin1String("STR_")));
        }
    }
    QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("A")));
    QCOMPARE(m_tree->topLevelItemCount(), 2);
    QVERIFY(!m_tree->findNode(QStringLiteral("A"), TREE_NODE_DRIVE));
    QVERIFY(!m_tree->findNode(QStringLiteral("A"), TREE_NODE_FUNCODE));
    QVERIFY(m_tree->findNode(QStringLiteral("B"), TREE_NODE_FUNCODE));
}

void tst_QProjectTreeWidget::activatingANodeSelectsItsDriveThenAnnouncesIt_data()
{
    QTest::addColumn<int>("kind");
    const QList<int> kinds{TREE_NODE_DRIVE,   TREE_NODE_FUNCODE,   TREE_NODE_STATISTICS,
                           TREE_NODE_RECORDS, TREE_NODE_MONITORED, TREE_NODE_DEFAULT_COMPARE,
                           TREE_NODE_ALARM};
    for (int kind : kinds) {
        QTest::newRow(qPrintable(QString::number(kind))) << kind;
    }
}

void tst_QProjectTreeWidget::activatingANodeSelectsItsDriveThenAnnouncesIt()
{
    QFETCH(int, kind);
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QDeviceServo* b = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("B"));
    QVERIFY(b);
    QTestHost::select(QStringLiteral("A"));

    QString selectedWhenAnnounced;
    connect(hub(), &QSignalManager::SigClickTree, m_tree.get(),
            [&selectedWhenAnnounced](const DeviceInfo*, const tagTreeDataSet&) {
                selectedWhenAnnounced = selectedAlias();
            });
    QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
    QVERIFY(m_tree->activateNode(QStringLiteral("B"), kind));

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(selectedWhenAnnounced, QStringLiteral("B"));
    QCOMPARE(clicks.at(0).at(0).value<const DeviceInfo*>(), b->getDeviceInfoPtr());
    const tagTreeDataSet node = clicks.at(0).at(1).value<tagTreeDataSet>();
    QCOMPARE(node.type, 0);
    QCOMPARE(node.subId, kind);
    QCOMPARE(node.nodeData, -1);
    QCOMPARE(node.sequentialIndex, 0);
    QCOMPARE(node.strText, m_tree->findNode(QStringLiteral("B"), kind)->text(0));
    QCOMPARE(m_tree->currentItem(), m_tree->findNode(QStringLiteral("B"), kind));
}

void tst_QProjectTreeWidget::faultsOfAllDrivesAnnounceWithoutDevice()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QTestHost::select(QStringLiteral("A"));
    QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
    QVERIFY(m_tree->activateNode(QString(), TREE_NODE_ALL_CUR_FAULTS));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!clicks.at(0).at(0).value<const DeviceInfo*>());
    QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_ALL_CUR_FAULTS));
    QCOMPARE(selectedAlias(), QStringLiteral("A"));
}

void tst_QProjectTreeWidget::mouseClickAnnouncesTheNode()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    m_tree->resize(300, 400);
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    QTreeWidgetItem* records = m_tree->findNode(QStringLiteral("A"), TREE_NODE_RECORDS);
    QVERIFY(records);
    QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
    QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, {}, m_tree->visualItemRect(records).center());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_RECORDS));
    QCOMPARE(selectedAlias(), QStringLiteral("A"));
}

void tst_QProjectTreeWidget::currentNodeCanBeAnnouncedAgain()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
    QVERIFY(!m_tree->reemitCurrentNode());
    QCOMPARE(clicks.count(), 0);
    QVERIFY(m_tree->activateNode(QStringLiteral("A"), TREE_NODE_MONITORED));
    QVERIFY(m_tree->reemitCurrentNode());
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(1).at(1).value<tagTreeDataSet>().subId, int(TREE_NODE_MONITORED));
}

void tst_QProjectTreeWidget::unknownNodeIsNotActivated()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QSignalSpy clicks(hub(), &QSignalManager::SigClickTree);
    QVERIFY(!m_tree->activateNode(QStringLiteral("Nobody"), TREE_NODE_FUNCODE));
    QVERIFY(!m_tree->activateNode(QStringLiteral("A"), 999));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(selectedAlias().isEmpty());
}

void tst_QProjectTreeWidget::driveIconFollowsTheOnlineState()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("A")));
    QTreeWidgetItem* drive = m_tree->findNode(QStringLiteral("A"), TREE_NODE_DRIVE);
    QVERIFY(drive);
    const QString offline = QCoreApplication::translate("Strings", "STR_OFFLINE");
    const QImage onlineImage = drive->icon(0).pixmap(12, 12).toImage();
    QVERIFY(!drive->toolTip(0).contains(offline));

    QTestHost::link(QStringLiteral("A"))->setOnline(false);
    QTRY_VERIFY(drive->toolTip(0).contains(offline));
    QVERIFY(drive->icon(0).pixmap(12, 12).toImage() != onlineImage);

    QTestHost::link(QStringLiteral("A"))->setOnline(true);
    QTRY_VERIFY(!drive->toolTip(0).contains(offline));
    QCOMPARE(drive->icon(0).pixmap(12, 12).toImage(), onlineImage);
}

QTEST_MAIN(tst_QProjectTreeWidget)
#include "tst_QProjectTreeWidget.moc"
