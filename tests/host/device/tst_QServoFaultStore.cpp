#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFaultExportRows.h"
#include "QServoFaultStore.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QtTest>

Q_DECLARE_METATYPE(tagHistoryFaultList)

// What a drive keeps of its faults, when it announces changes, and the texts made of them.
class tst_QServoFaultStore : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

    static QDriveFaultRecord fault(const QString& code, qint64 time, int axis = 0)
    {
        QDriveFaultRecord r;
        r.code = code;
        r.time = time;
        r.axis = axis;
        return r;
    }

    static tagHistoryFaultList entry(const QStringList& faults, bool truncated = false)
    {
        tagHistoryFaultList e;
        for (const QString& f : faults) {
            e.faults.append({f.section(':', 0, 0), f.section(':', 1)});
        }
        e.truncated = truncated;
        return e;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addDrive("TST1", "drive");
        m_link = QTestHost::link("drive");
        QVERIFY(m_device && m_link);
        m_link->setFrozen(true);
    }

    void cleanup()
    {
        QTestHost::clearProject();
        QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901, {});
    }

    void currentFaultChanges_data()
    {
        QTest::addColumn<QDriveFaultList>("before");
        QTest::addColumn<QDriveFaultList>("after");
        QTest::addColumn<int>("change");
        const QDriveFaultList one{fault("E.101", 10)};
        const int changed = QServoFaultStore::FAULTS_CHANGED;
        QTest::newRow("same list") << one << one << int(QServoFaultStore::FAULTS_UNCHANGED);
        QTest::newRow("first fault") << QDriveFaultList() << one << (changed | QServoFaultStore::FAULTS_NEW);
        QTest::newRow("one of two cleared") << (one + QDriveFaultList{fault("E.201", 11)}) << one << changed;
        QTest::newRow("replaced by another")
            << one << QDriveFaultList{fault("E.201", 12)} << (changed | QServoFaultStore::FAULTS_NEW);
        QTest::newRow("raised again later")
            << one << QDriveFaultList{fault("E.101", 20)} << (changed | QServoFaultStore::FAULTS_NEW);
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

    void hubHearsOnlyChanges()
    {
        QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
        QSignalSpy changed(hub, &QSignalManager::SigDeviceFaultChanged);
        QSignalSpy arrived(hub, &QSignalManager::SigDeviceNewFaultArrived);
        QSignalSpy cleared(hub, &QSignalManager::SigCurFaultHasClear);
        QVERIFY(m_link->raiseFault("E.101"));
        QVERIFY(arrived.wait());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), QString("drive"));
        QSignalSpy answered(m_link, &QDriveLink::currentFaultsRead);
        m_device->OnReadFaultFuncode(0);
        QVERIFY(answered.wait());
        QCOMPARE(changed.count(), 1);
        m_link->clearAllFaults();
        QTRY_COMPARE(cleared.count(), 1);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(arrived.count(), 1);
    }

    void historyKeepsTheValuesOfTheMoment()
    {
        const qint64 bus = m_link->rawValue("U00.01", 0);
        QVERIFY(m_link->raiseFault("E.101"));
        QTRY_COMPARE(m_device->getHistoryFaultList(0).size(), 1);
        const tagHistoryFaultList record = m_device->getHistoryFaultList(0).first();
        QCOMPARE(record.faults.value(0).faultCode, QString("E.101"));
        QCOMPARE(record.params.size(), 1);
        QCOMPARE(record.params.first().rawValue, bus);
        QCOMPARE(record.params.first().statusFunIndex, QString("U00.01"));
    }

    void storedFormatIsUsedAndAnnounced()
    {
        QSignalSpy spy(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigHistoryFaultChanged);
        m_device->initHisFaultFormat(true);
        QCOMPARE(spy.count(), 0); // nothing stored: the model's own, unchanged
        QHisFaultFormatList_Servo format = m_device->getDevHisFaultFormat(true);
        format[1].name = "Bus";
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901,
                                                                                        format));
        m_device->initHisFaultFormat(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(m_device->getDevHisFaultFormat(false), format);
        QVERIFY(m_device->getDevHisFaultFormat(true) != format);
        m_device->initHisFaultFormat(false);
        QCOMPARE(m_device->getDevHisFaultFormat(false), m_device->getDevHisFaultFormat(true));
        QCOMPARE(spy.count(), 2);
    }

    void recordTexts_data()
    {
        QTest::addColumn<tagHistoryFaultList>("record");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("no fault") << entry({}) << "Fault record 3: no fault"
                                  << "";
        QTest::newRow("two faults") << entry({"E.1:A", "E.2:B"}) << "Fault record 3: E.1: A,E.2: B"
                                    << "E.1: A\nE.2: B";
        QTest::newRow("truncated") << entry({"E.1:A"}, true) << "Fault record 3: E.1: A (record ends early)"
                                   << "E.1: A";
    }

    void recordTexts()
    {
        QFETCH(tagHistoryFaultList, record);
        QFETCH(QString, label);
        QFETCH(QString, toolTip);
        QCOMPARE(QFaultExportRows::recordLabel(3, record), label);
        QCOMPARE(QFaultExportRows::recordToolTip(record), toolTip);
    }

    void parameterTexts_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("state code") << "U00.01" << false << QStringList{"DC bus voltage", "3.5", ""};
        QTest::newRow("missing value") << "U00.01" << true << QStringList{"DC bus voltage", "(missing)", ""};
        QTest::newRow("unknown code") << "X1" << false << QStringList{"", "35", ""};
    }

    void parameterTexts()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, missing);
        QFETCH(QStringList, texts);
        tagHistoryFaultParam param;
        param.statusFunIndex = funIndex;
        param.rawValue = 35;
        param.missing = missing;
        QCOMPARE(QFaultExportRows::paramTexts(m_device, param), texts);
    }

    void historyRowsHaveOneLinePerParameter()
    {
        QVERIFY(m_link->raiseFault("E.201"));
        QTRY_COMPARE(m_device->getHistoryFaultList(0).size(), 1);
        QHisFaultFormatList_Servo onlyFault{m_device->getDevHisFaultFormat(true).first()};
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 901,
                                                                                        onlyFault));
        m_device->initHisFaultFormat(true);
        // A record without parameters still gets its line.
        const QList<QStringList> rows = QFaultExportRows::historyRows(m_device, 0);
        QCOMPARE(rows, (QList<QStringList>{{"1", "E.201: Overvoltage", "", "", ""}}));
        QCOMPARE(QFaultExportRows::historyHeaders().size(), int(QFaultExportRows::HISTORY_COLUMNS));
        QCOMPARE(QFaultExportRows::curFaultRows(nullptr), QList<QStringList>());
    }
};

QTEST_MAIN(tst_QServoFaultStore)
#include "tst_QServoFaultStore.moc"
