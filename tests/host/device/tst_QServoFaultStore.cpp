#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QServoFaultStore.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

// What a drive keeps of its faults and when it announces changes. The texts made of them:
// tst_QFuncodeHelper_Servo::faultTexts.
class tst_QServoFaultStore : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

    static bool saveFormat(const QHisFaultFormatList_Servo& format)
    {
        return QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 903,
                                                                                       format);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addDrive("TST3", "drive");
        m_link = QTestHost::link("drive");
        QVERIFY(m_device && m_link);
        m_link->setFrozen(true);
    }

    void cleanup()
    {
        QTestHost::clearProject();
        saveFormat({});
    }

    void currentFaultChanges_data()
    {
        QTest::addColumn<QDriveFaultList>("before");
        QTest::addColumn<QDriveFaultList>("after");
        QTest::addColumn<int>("change");
        const QDriveFaultList one{{"E.101", 0, 10}};
        const int changed = QServoFaultStore::FAULTS_CHANGED;
        const int added = changed | QServoFaultStore::FAULTS_NEW;
        QTest::newRow("same list") << one << one << int(QServoFaultStore::FAULTS_UNCHANGED);
        QTest::newRow("first fault") << QDriveFaultList() << one << added;
        QTest::newRow("one of two cleared") << (one + QDriveFaultList{{"E.201", 0, 11}}) << one << changed;
        QTest::newRow("replaced by another") << one << QDriveFaultList{{"E.201", 0, 12}} << added;
        QTest::newRow("raised again later") << one << QDriveFaultList{{"E.101", 0, 20}} << added;
        QTest::newRow("all cleared") << one << QDriveFaultList()
                                     << (changed | QServoFaultStore::FAULTS_ALL_CLEARED);
    }

    void currentFaultChanges()
    {
        QFETCH(QDriveFaultList, before);
        QFETCH(QDriveFaultList, after);
        QFETCH(int, change);
        QServoFaultStore store(QTestHost::testModel(1));
        store.setCurFaults(before);
        QCOMPARE(store.setCurFaults(after), change);
        QCOMPARE(store.curFaults().size(), after.size());
    }

    // A fault the drive raises reaches the hub once, with the drive's values of the moment in its
    // history record; reading the same faults again is no change; clearing them is announced.
    void driveFaultsReachTheHubOnce()
    {
        QSignalManager* hub = QSignalManager::self();
        QSignalSpy changed(hub, &QSignalManager::SigDeviceFaultChanged);
        QSignalSpy arrived(hub, &QSignalManager::SigDeviceNewFaultArrived);
        QSignalSpy cleared(hub, &QSignalManager::SigCurFaultHasClear);
        const qint64 bus = m_link->rawValue("U00.01", 1);
        QVERIFY(m_link->raiseFault("E.101", 1));
        QVERIFY(!m_link->raiseFault("E.999", 0));
        QVERIFY(arrived.wait());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), QString("drive"));
        QCOMPARE(m_device->getCurFaultList().size(), 1);
        QCOMPARE(m_device->getCurFaultList().first()->faultName, QString("Overcurrent"));
        QCOMPARE(m_device->getCurFaultList().first()->axisIndex, 1);
        QTRY_COMPARE(m_device->getHistoryFaultList(1).size(), 1);
        const tagHistoryFaultList record = m_device->getHistoryFaultList(1).first();
        QCOMPARE(record.faults.value(0).faultCode, QString("E.101"));
        QCOMPARE(record.params.size(), 1);
        QCOMPARE(record.params.first().statusFunIndex, QString("U00.01"));
        QCOMPARE(record.params.first().rawValue, bus);

        QSignalSpy answered(m_link, &QDriveLink::currentFaultsRead);
        m_device->OnReadFaultFuncode(1);
        QVERIFY(answered.wait());
        QCOMPARE(changed.count(), 1);
        QVERIFY(m_device->clearCurFaults());
        QTRY_COMPARE(cleared.count(), 1);
        QVERIFY(m_device->getCurFaultList().isEmpty());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(arrived.count(), 1);
    }

    void storedFormatIsUsedAndAnnounced()
    {
        QSignalSpy spy(QSignalManager::self(), &QSignalManager::SigHistoryFaultChanged);
        m_device->initHisFaultFormat(true);
        QCOMPARE(spy.count(), 0); // nothing stored: the model's own, unchanged
        QHisFaultFormatList_Servo format = m_device->getDevHisFaultFormat(true);
        format[1].name = "Bus";
        QVERIFY(saveFormat(format));
        m_device->initHisFaultFormat(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(m_device->getDevHisFaultFormat(false), format);
        QVERIFY(m_device->getDevHisFaultFormat(true) != format);
        m_device->initHisFaultFormat(false);
        QCOMPARE(m_device->getDevHisFaultFormat(false), m_device->getDevHisFaultFormat(true));
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(tst_QServoFaultStore)
#include "tst_QServoFaultStore.moc"
