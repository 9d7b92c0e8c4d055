// The target drives of a batch download: only drives of the source's model, check marks and run states
// kept while the project changes, no changes while locked, and the online column following the drives.

#include "QBatchTargetModel.h"
#include "QDeviceManager.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

class tst_QBatchTargetModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QTestHost::addDrive("TST3", "c");
        QTestHost::addDrive("TST1", "b");
        QTestHost::addDrive("TST3", "a");
        m_model = new QBatchTargetModel(this);
        QTestHost::checkModel(m_model);
    }

    void cleanup() { QTestHost::clearProject(); }

    void offersOnlyDrivesOfTheModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("aliases");
        QTest::newRow("three axes") << "TST3" << QStringList{"a", "c"};
        QTest::newRow("one axis") << "TST1" << QStringList{"b"};
        QTest::newRow("unknown model") << "XYZ" << QStringList{};
        QTest::newRow("no source yet") << "" << QStringList{};
    }

    void offersOnlyDrivesOfTheModel()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, aliases);
        m_model->setModelFilter(model);
        QCOMPARE(m_model->aliases(), aliases);
        QCOMPARE(m_model->checkedAliases(), aliases); // offered drives start checked
        for (int row = 0; row < aliases.size(); ++row) {
            QCOMPARE(m_model->index(row, QBatchTargetModel::COL_MODEL).data().toString(), model);
        }
    }

    void keepsChecksAndStatesWhileTheProjectChanges()
    {
        m_model->setModelFilter("TST3");
        QVERIFY(m_model->setData(m_model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole)); // "c"
        m_model->setRunState("a", QBatchTargetModel::RUN_FAILED);
        QTestHost::addDrive("TST3", "d");
        QCOMPARE(m_model->aliases(), (QStringList{"a", "c", "d"}));
        QCOMPARE(m_model->checkedAliases(), (QStringList{"a", "d"}));
        QCOMPARE(m_model->runState("a"), int(QBatchTargetModel::RUN_FAILED));
        QCOMPARE(m_model->index(0, QBatchTargetModel::COL_STATE).data().toString(),
                 QBatchTargetModel::runStateText(QBatchTargetModel::RUN_FAILED));
        QProjectCore::self()->getDevMgr()->removeDevice("a");
        QCOMPARE(m_model->aliases(), (QStringList{"c", "d"}));
        QCOMPARE(m_model->aliasesInState(QBatchTargetModel::RUN_FAILED), QStringList());
    }

    void lockedChecksDoNotChange()
    {
        m_model->setModelFilter("TST3");
        m_model->setLocked(true);
        QVERIFY(!(m_model->flags(m_model->index(0, 0)) & Qt::ItemIsUserCheckable));
        QVERIFY(!m_model->setData(m_model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
        m_model->setAllChecked(false);
        QCOMPARE(m_model->checkedAliases().size(), 2);
        m_model->setLocked(false);
        m_model->setAllChecked(false);
        QCOMPARE(m_model->checkedAliases().size(), 0);
    }

    void onlineColumnFollowsTheDrive()
    {
        m_model->setModelFilter("TST3");
        QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
        const QModelIndex online = m_model->index(1, QBatchTargetModel::COL_ONLINE);
        const QString onlineText = online.data().toString();
        QTestHost::link("c")->setOnline(false);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).toModelIndex(), online);
        QVERIFY(online.data().toString() != onlineText);
    }

private:
    QBatchTargetModel* m_model = nullptr;
};

QTEST_MAIN(tst_QBatchTargetModel)
#include "tst_QBatchTargetModel.moc"
