#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

class tst_QDeviceServo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void init();
    void cleanup();

    void queuedReadReportsOnlyChangedNumbers();
    void repeatedReadWhileInFlightIsSentOnce();
    void stopReadValueDropsQueuedReads();
    void offlineDriveReadsAndWritesNothing();
    void writeIsCheckedAndReadBack_data();
    void writeIsCheckedAndReadBack();
    void writeCountsStatisticsOnlyForChange();
    void writeChangesRelatedCodesAndKeepsOldValues();
    void synchronousWriteOutlivesRemovedDrive();
    void oscilloscopeHoldsItsCodes();
    void groupMapsFollowAuthority();
    void groupOrder_data();
    void groupOrder();
    void monitoredListKeepsOrder();
    void saveAndResetKeepOnlySavedValues();
    void faultsAreReportedAndCleared();

private:
    QList<tagSubFuncode_Servo*> codes(const QStringList& numbers) const
    {
        QList<tagSubFuncode_Servo*> list;
        for (const QString& number : numbers) {
            list << m_device->getFuncodePtrByFunIndex(number);
        }
        return list;
    }

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QString m_error;
};

void tst_QDeviceServo::init()
{
    m_device = QTestHost::addDrive("TST3", "drive");
    m_link = QTestHost::link("drive");
    QVERIFY(m_device && m_link);
    m_link->setFrozen(true);
    QTestHost::select("drive");
}

void tst_QDeviceServo::cleanup()
{
    QTestHost::clearProject();
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
}

void tst_QDeviceServo::queuedReadReportsOnlyChangedNumbers()
{
    QSignalSpy spy(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeChanged_Servo);
    m_device->readFuncode(codes({"P00.01", "P00.02"}));
    QVERIFY(m_device->getScaledCurValueStr("P00.01", 0).isEmpty()); // nothing until the drive answers
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0), (QVariantList{"drive", QStringList{"P00.01", "P00.02"}}));
    QCOMPARE(m_device->getScaledCurValueStr("P00.01", 0), QString("2.80"));

    // Only P00.02 of axis Y changes inside the drive: the next read names only it.
    m_link->setRawValue("P00.02", 1, 1234);
    spy.clear();
    m_device->readFuncode(codes({"P00.01", "P00.02"}));
    QVERIFY(spy.wait());
    QCOMPARE(spy.at(0).at(1).toStringList(), QStringList{"P00.02"});
    QCOMPARE(m_device->getScaledCurValueStr("P00.02", 1), QString("1234"));

    // Nothing changed: no notice at all.
    spy.clear();
    m_device->readFuncode(codes({"P00.01", "P00.02"}));
    QTRY_VERIFY(!m_device->isReadBusy());
    QCOMPARE(spy.count(), 0);
}

void tst_QDeviceServo::repeatedReadWhileInFlightIsSentOnce()
{
    m_link->setReplyDelay(20);
    m_link->resetCounters();
    for (int i = 0; i < 3; ++i) {
        m_device->readFuncode(codes({"P00.01"}));
    }
    QTRY_VERIFY(!m_device->isReadBusy());
    QCOMPARE(m_link->readRequestCount(), 1);
    QCOMPARE(m_link->readItemCount(), 3); // three axes, once each
}

void tst_QDeviceServo::stopReadValueDropsQueuedReads()
{
    m_link->setReplyDelay(20);
    m_device->readFuncode(codes({"P00.01"})); // goes to the drive at once
    m_device->readFuncode(codes({"P00.02"})); // waits in the queue
    QCOMPARE(m_device->pendingReadCount(), 3);
    m_device->stopReadValue(codes({"P00.02"}), 0);
    m_device->stopReadValue(codes({"P00.02"}), 1);
    QCOMPARE(m_device->pendingReadCount(), 1);
    m_device->stopReadFuncode("P00 Basic", 2);
    QCOMPARE(m_device->pendingReadCount(), 0);
    QTRY_VERIFY(!m_device->isReadBusy());
    QVERIFY(m_device->hasValue("P00.01", 0));
    QVERIFY(!m_device->hasValue("P00.02", 0));
}

// Going offline and coming back are announced; meanwhile nothing is read or written.
void tst_QDeviceServo::offlineDriveReadsAndWritesNothing()
{
    QSignalSpy status(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigDevStatus);
    m_link->setOnline(false);
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(0).toString(), QString("drive"));
    QCOMPARE(status.at(0).at(1).toInt(), 1);
    QVERIFY(!m_device->isDeviceOnline());
    m_link->resetCounters();
    m_device->readFuncode(codes({"P00.01"}));
    m_device->readAllFuncode();
    QCOMPARE(m_link->readRequestCount(), 0);
    QVERIFY(!m_device->isReadBusy());
    QVERIFY(!m_device->modifyFuncodeValueWithRecord("P00.02", 100, 0));
    QCOMPARE(m_device->getLastWriteError(), int(QDeviceServo::WRITE_ERR_OFFLINE));
    QCOMPARE(m_link->writeRequestCount(), 0);
    m_link->setOnline(true);
    QCOMPARE(status.count(), 2);
    QCOMPARE(status.at(1).at(1).toInt(), 0);
}

void tst_QDeviceServo::writeIsCheckedAndReadBack_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("shown");
    const int range = QDeviceServo::WRITE_ERR_RANGE;
    const int readOnly = QDeviceServo::WRITE_ERR_READ_ONLY;
    QTest::newRow("decimal in range") << "P00.01" << 3.25 << 0 << 0 << "3.25";
    QTest::newRow("decimal at maximum") << "P00.01" << 30.0 << 2 << 0 << "30.00";
    QTest::newRow("decimal above maximum") << "P00.01" << 30.01 << 0 << range << "2.80";
    QTest::newRow("decimal below minimum") << "P00.01" << 0.0 << 0 << range << "2.80";
    QTest::newRow("signed negative") << "P00.11" << -1000.0 << 0 << 0 << "-1000";
    QTest::newRow("hexadecimal") << "P00.04" << 256.0 << 0 << 0 << "0x0100";
    QTest::newRow("enumerated value") << "P00.03" << 2.0 << 0 << 0 << "2:Torque";
    QTest::newRow("enumerated gap") << "P00.00" << 2.0 << 0 << range << "1:Motor B 400W";
    QTest::newRow("menu digits") << "P00.05" << 12.0 << 0 << 0 << "12";
    QTest::newRow("menu digit out of options") << "P00.05" << 3.0 << 0 << range << "00";
    QTest::newRow("read only") << "P00.07" << 10.0 << 0 << readOnly << "9";
    QTest::newRow("factory") << "P00.06" << 10.0 << 0 << readOnly << "7";
    QTest::newRow("write only") << "P00.08" << 10.0 << 0 << 0 << "10";
    QTest::newRow("state code") << "U00.01" << 10.0 << 0 << readOnly << "310.5";
    QTest::newRow("above authority") << "P00.09" << 5.0 << 0 << int(QDeviceServo::WRITE_ERR_AUTHORITY) << "1";
    QTest::newRow("unknown code") << "P99.99" << 5.0 << 0 << int(QDeviceServo::WRITE_ERR_UNKNOWN_CODE) << "";
}

void tst_QDeviceServo::writeIsCheckedAndReadBack()
{
    QFETCH(QString, funIndex);
    QFETCH(double, value);
    QFETCH(int, axis);
    QFETCH(int, error);
    QFETCH(QString, shown);
    QVERIFY(QTestHost::readAll(m_device));
    const qint64 before = m_link->rawValue(funIndex, axis);
    m_link->resetCounters();
    QCOMPARE(m_device->modifyFuncodeValueWithRecord(funIndex, value, axis), error == 0);
    QCOMPARE(m_device->getLastWriteError(), error);
    QCOMPARE(m_device->getScaledCurValueStr(funIndex, axis), shown);
    if (error != 0) {
        QCOMPARE(m_link->writeRequestCount(), 0); // refused before anything was sent
        QCOMPARE(m_link->rawValue(funIndex, axis), before);
    }
}

void tst_QDeviceServo::writeCountsStatisticsOnlyForChange()
{
    QStatistics* statistics = QDatabaseManager::self()->getStatisticsDatabase();
    statistics->clearDevice("drive");
    QVERIFY(QTestHost::readAll(m_device));
    m_link->setClockOffset(-3600);
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P00.02", 1500, 1));
    const int changedAt = m_device->getSortedModifyTime();
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P00.02", 1500, 1)); // the same value again
    QCOMPARE(statistics->eventCount("drive", "P00.02"), 1);
    const tagFuncodeModifyData event =
        statistics->getSortedFuncodeModifyData("drive", true).value(0).second.value(0);
    QCOMPARE(event.oldValue, 3000.0);
    QCOMPARE(event.newValue, 1500.0);
    QCOMPARE(event.axisIndex, 1);
    // The drive's own clock stamps the change.
    QVERIFY(qAbs(event.timeStamp - (QDateTime::currentSecsSinceEpoch() - 3600)) < 5);
    // Stamped at the write that changed it (the second write may fall into the next second).
    QCOMPARE(event.timeStamp, changedAt);
}

void tst_QDeviceServo::writeChangesRelatedCodesAndKeepsOldValues()
{
    QVERIFY(QTestHost::readAll(m_device));
    QCOMPARE(m_device->getReleParamListByFunIndex("P00.00"), (QStringList{"P00.01", "P00.02"}));
    QVERIFY(m_device->getReleParamListByFunIndex("P00.01").isEmpty());
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P00.00", 5, 0));
    // The drive changed rated current and speed with the motor; the device read them back at once.
    QCOMPARE(m_device->getScaledCurValueStr("P00.01", 0), QString("6.00"));
    QCOMPARE(m_device->getScaledCurValueStr("P00.02", 0), QString("2000"));
    QCOMPARE(m_device->getReleParamOldValMapByFunIndex("P00.00"),
             (QMap<QString, QString>{{"P00.01", "2.80"}, {"P00.02", "3000"}}));
    // Axis Y kept its motor.
    QCOMPARE(m_device->getScaledCurValueStr("P00.01", 1), QString("2.80"));
}

// The drive is removed from the project while a synchronous write waits for its answer: the write
// returns without touching the removed device (the sanitizer run sees any use of it).
void tst_QDeviceServo::synchronousWriteOutlivesRemovedDrive()
{
    QVERIFY(QTestHost::readAll(m_device));
    const qint64 raw = m_device->getCurValue("P00.01", 0);
    m_link->setReplyDelay(50);
    QTimer::singleShot(10, [] { QProjectCore::self()->getDevMgr()->removeDevice("drive"); });
    QPointer<QDeviceServo> device(m_device);
    m_device->writeOneFuncode_Synch("P00.01", raw, 1000, true);
    QTRY_VERIFY(!device);
    m_device = nullptr;
    m_link = nullptr;
}

void tst_QDeviceServo::oscilloscopeHoldsItsCodes()
{
    QVERIFY(QTestHost::readAll(m_device));
    QCOMPARE(m_device->getOsciFirstFuncodeIndex().funIndex, QString("P2.02"));
    QCOMPARE(m_device->getOsciNoEditFuncodes(), QStringList{"P2.03"});
    m_device->setOsciRunning(true);
    QVERIFY(!m_device->modifyFuncodeValueWithRecord("P2.02", 3, 0));
    QCOMPARE(m_device->getLastWriteError(), int(QDeviceServo::WRITE_ERR_OSCI));
    m_device->setOsciRunning(false);
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P2.02", 3, 0));
}

void tst_QDeviceServo::groupMapsFollowAuthority()
{
    auto basic = [this]() { return m_device->getNormalFuncodeGroupMap().value("P00 Basic"); };
    QVERIFY(!basic().contains(m_device->getFuncodePtrByFunIndex("P00.09")));
    QVERIFY(!m_device->getNormalFuncodePtrByFunIndexAuth("P00.09"));
    QVERIFY(m_device->getNormalFuncodePtrByFunIndex("P00.09", false));
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
    QVERIFY(basic().contains(m_device->getFuncodePtrByFunIndex("P00.09")));
    QVERIFY(m_device->getNormalFuncodePtrByFunIndexAuth("P00.09"));
    QVERIFY(!m_device->getNormalFuncodeGroupMap().contains("U00 Monitor"));
    QVERIFY(m_device->getStateFuncodeGroupMap().contains("U00 Monitor"));
}

void tst_QDeviceServo::groupOrder_data()
{
    QTest::addColumn<QString>("names"); // separated by commas
    QTest::addColumn<QString>("ordered");
    QTest::newRow("by number") << "P10 Limits,P2 Gains,P00 Basic" << QString("P00 Basic,P2 Gains,P10 Limits");
    QTest::newRow("points last") << "PtP Points,P10 Limits,P2 Gains"
                                 << QString("P2 Gains,P10 Limits,PtP Points");
    QTest::newRow("equal numbers by text") << "H02 b,P02 a,P2x c" << QString("H02 b,P02 a,P2x c");
    QTest::newRow("last digit run counts") << "A9B3 x,A1B12 y" << QString("A9B3 x,A1B12 y");
    QTest::newRow("no digits first") << "P1 a,Misc b" << QString("Misc b,P1 a");
}

void tst_QDeviceServo::groupOrder()
{
    QFETCH(QString, names);
    QFETCH(QString, ordered);
    QCOMPARE(QDeviceServo::orderGroupName(names.split(',')), ordered.split(','));
}

void tst_QDeviceServo::monitoredListKeepsOrder()
{
    QSignalSpy changed(m_device, &QDeviceBase::projectDataChanged);
    // P00.01 twice is kept once; the unknown P77.77 is ignored.
    for (const char* number : {"P2.00", "P00.01", "P10.05", "P00.01", "P77.77"}) {
        m_device->appendSelSubFuncode(number);
    }
    QCOMPARE(m_device->getSelSubFuncodeList(), (QStringList{"P2.00", "P00.01", "P10.05"}));
    m_device->upSelSubFuncodeList("P10.05");
    m_device->upSelSubFuncodeList("P2.00");    // first stays first
    m_device->downSelSubFuncodeList("P00.01"); // last stays last
    QCOMPARE(m_device->getSelSubFuncodeList(), (QStringList{"P2.00", "P10.05", "P00.01"}));
    m_device->removeSelSubFuncode("P10.05");
    QVERIFY(!m_device->isSubFuncodeSelected("P10.05"));
    QCOMPARE(changed.count(), 5);
    m_device->removeAllSelSubFuncode();
    QVERIFY(m_device->getSelSubFuncodeList().isEmpty());
}

void tst_QDeviceServo::saveAndResetKeepOnlySavedValues()
{
    QVERIFY(QTestHost::readAll(m_device));
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P00.02", 1000, 0));
    m_device->setParamUnsaved(0, "P00.02");
    QVERIFY(m_device->isParamUnsaved("P00.02", 0));
    QCOMPARE(m_device->getSavedStr("P00.02"), QCoreApplication::translate("QDeviceServo", "STR_UNSAVED"));
    QVERIFY(m_device->saveAllFuncode(0));
    QVERIFY(!m_device->isParamUnsaved("P00.02", 0));
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P00.02", 2000, 0));
    QVERIFY(m_device->resetDevice(0));
    QTRY_COMPARE(m_device->getScaledCurValueStr("P00.02", 0), QString("1000"));
}

void tst_QDeviceServo::faultsAreReportedAndCleared()
{
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    QSignalSpy arrived(hub, &QSignalManager::SigDeviceNewFaultArrived);
    QSignalSpy cleared(hub, &QSignalManager::SigCurFaultHasClear);
    QVERIFY(m_link->raiseFault("E.101", 1));
    QVERIFY(!m_link->raiseFault("E.999", 0));
    QVERIFY(arrived.wait());
    QCOMPARE(m_device->getCurFaultList().size(), 1);
    QCOMPARE(m_device->getCurFaultList().first()->faultName, QString("Overcurrent"));
    QCOMPARE(m_device->getCurFaultList().first()->axisIndex, 1);
    QTRY_COMPARE(m_device->getHistoryFaultRecords(1).size(), 1);
    const QByteArray record = m_device->getHistoryFaultRecords(1).first();
    QCOMPARE(record.size(), 8);
    QCOMPARE(quint8(record.at(3)), quint8(101)); // fault code, big-endian words
    QVERIFY(m_device->clearCurFaults());
    QTRY_COMPARE(cleared.count(), 1);
    QVERIFY(m_device->getCurFaultList().isEmpty());
}

QTEST_MAIN(tst_QDeviceServo)
#include "tst_QDeviceServo.moc"
