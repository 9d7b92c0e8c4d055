#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QServoFaultStore.h"
#include "QServoMonitoredList.h"
#include "QServoReadQueue.h"
#include "QServoUnsavedParams.h"
#include "QServoValueStates.h"
#include "QServoWriteRules.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QtTest>

// The device as a facade: reads queued and announced, value and drive states, writes sent and read back,
// and the descriptions it answers from; and the rules of the parts it owns (value states, read queue,
// monitored list, unsaved codes, fault store, write rules, comparison with the defaults), each on the part
// itself. Those of an edit (checked, compared, recorded) are the write road's.
class tst_QDeviceServo : public QObject
{
    Q_OBJECT

    QList<tagSubFuncode_Servo*> codes(const QStringList& numbers) const
    {
        QList<tagSubFuncode_Servo*> list;
        for (const QString& number : numbers) {
            list << m_device->getFuncodePtrByFunIndex(number);
        }
        return list;
    }

    static bool saveFormat(const QHisFaultFormatList_Servo& format)
    {
        return QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("TST", "T1", 903,
                                                                                       format);
    }

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addSelectedDrive("TST3", "drive");
        m_link = QTestHost::link("drive");
        QVERIFY(m_device && m_link);
        m_link->setFrozen(true);
    }

    void cleanup()
    {
        QTestHost::clearProject();
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
        saveFormat({});
    }

    // The state of one value through what happens to it, and its age from the stored read time.
    // Events, separated by blanks: r<n> a read answered n, s a read got no answer, f the drive answered a
    // read with an error, w<n> a write of n was sent, g the drive went offline or stopped answering.
    void valueStateTransitions_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("known");
        QTest::addColumn<qint64>("lastGood");
        QTest::addColumn<int>("stale");
        QTest::addColumn<bool>("lastChanged"); // whether the last event changed anything to announce
        const int notRead = QServoValue::NOT_READ;
        const int read = QServoValue::READ;
        const int stale = QServoValue::STALE;
        const int written = QServoValue::WRITTEN;
        QTest::newRow("never read") << "" << notRead << false << qint64(0) << 0 << false;
        QTest::newRow("read") << "r5" << read << true << qint64(5) << 0 << true;
        QTest::newRow("the same value again") << "r5 r5" << read << true << qint64(5) << 0 << false;
        QTest::newRow("no answer keeps the last value") << "r5 s" << stale << true << qint64(5) << 1 << true;
        QTest::newRow("no answer before any read") << "s" << notRead << false << qint64(0) << 0 << false;
        QTest::newRow("failed read is unknown") << "r5 f" << stale << false << qint64(5) << 1 << true;
        QTest::newRow("failed first read") << "f" << stale << false << qint64(0) << 1 << true;
        QTest::newRow("drive gone") << "r5 g" << stale << true << qint64(5) << 1 << true;
        QTest::newRow("gone leaves an unread value") << "g" << notRead << false << qint64(0) << 0 << false;
        QTest::newRow("fresh again") << "r5 g r6" << read << true << qint64(6) << 0 << true;
        QTest::newRow("written is not known") << "r5 w7" << written << false << qint64(5) << 0 << true;
        QTest::newRow("read back") << "r5 w7 r7" << read << true << qint64(7) << 0 << true;
        QTest::newRow("silence settles no write") << "r5 w7 s" << written << false << qint64(5) << 0 << false;
        QTest::newRow("gone settles no write") << "r5 w7 g" << written << false << qint64(5) << 0 << false;
    }

    void valueStateTransitions()
    {
        QFETCH(QString, events);
        QFETCH(int, state);
        QFETCH(bool, known);
        QFETCH(qint64, lastGood);
        QFETCH(int, stale);
        QFETCH(bool, lastChanged);
        QServoValueStates states;
        states.reset(2);
        const QMap<QChar, std::function<bool(qint64)>> apply{
            {'r', [&](qint64 n) { return states.setRead(1, 2, n); }},
            {'s', [&](qint64) { return states.setNoAnswer(1, 2); }},
            {'f', [&](qint64) { return states.setReadFailed(1, 2); }},
            {'w', [&](qint64 n) { return states.setWritten(1, 2, n); }},
            {'g', [&](qint64) { return !states.setAllStale(3).isEmpty(); }}};
        bool changed = false;
        for (const QString& event : events.split(' ', Qt::SkipEmptyParts)) {
            changed = apply.value(event.at(0))(event.mid(1).toLongLong());
        }
        const QServoValue v = states.value(1, 2);
        QCOMPARE(int(v.state), state);
        QCOMPARE(v.isKnown(), known);
        QCOMPARE(v.raw, lastGood);
        QCOMPARE(states.staleCount(), stale);
        QCOMPARE(changed, lastChanged);
        QCOMPARE(int(states.value(0, 2).state), int(QServoValue::NOT_READ)); // the other code is untouched
    }

    void valueAgeComesFromTheReadTime()
    {
        QServoValueStates states;
        states.reset(1);
        qint64 now = 1000000;
        states.setClock([&now] { return now; });
        QCOMPARE(states.value(0, 0).ageMs, qint64(-1));
        states.setRead(0, 0, 5, now - 300); // a queued read sent 300 ms ago
        now += 12000;
        QCOMPARE(states.value(0, 0).ageMs, qint64(12300));
        QVERIFY(states.isReadSince(0, 0, now - 12300));
        QVERIFY(!states.isReadSince(0, 0, now - 12299));
        states.setAllStale(1);
        now += 1000;
        QCOMPARE(states.value(0, 0).ageMs, qint64(13300)); // a stale value keeps aging from its read
        QVERIFY(!states.isReadSince(0, 0, 0));
    }

    // The queue of reads a device sends without waiting: each read once, requests cut where groups end.
    void readQueueBatchEndsWhereAGroupEnds_data()
    {
        QTest::addColumn<QStringList>("queued");
        QTest::addColumn<int>("maxItems");
        QTest::addColumn<int>("taken");
        QTest::newRow("everything fits") << QStringList{"P00.01", "P00.02", "P01.01"} << 5 << 3;
        QTest::newRow("exactly fits") << QStringList{"P00.01", "P00.02", "P01.01"} << 3 << 3;
        QTest::newRow("cut back to the group end")
            << QStringList{"P00.01", "P00.02", "P01.01", "P01.02", "P01.03"} << 4 << 2;
        QTest::newRow("cut falls on the group end")
            << QStringList{"P00.01", "P00.02", "P01.01", "P01.02"} << 2 << 2;
        QTest::newRow("one long group is cut where it must")
            << QStringList{"P00.01", "P00.02", "P00.03", "P00.04"} << 3 << 3;
        QTest::newRow("a first group longer than a request")
            << QStringList{"P00.01", "P00.02", "P00.03", "P01.01"} << 2 << 2;
        QTest::newRow("numbers without a dot form their own group")
            << QStringList{"A", "A", "B", "B"} << 3 << 2;
        QTest::newRow("a request takes one read at least") << QStringList{"P00.01", "P00.02"} << 0 << 1;
    }

    void readQueueBatchEndsWhereAGroupEnds()
    {
        QFETCH(QStringList, queued);
        QFETCH(int, maxItems);
        QFETCH(int, taken);
        QServoReadQueue queue;
        for (int i = 0; i < queued.size(); ++i) {
            queue.enqueue(queued.at(i), i); // same number twice on different axes is two reads
        }
        const QDriveValueList batch = queue.takeBatch(maxItems);
        QCOMPARE(batch.size(), taken);
        QCOMPARE(queue.pendingCount(), queued.size() - taken);
        for (int i = 0; i < batch.size(); ++i) {
            QCOMPARE(batch.at(i).funIndex, queued.at(i)); // in queue order
        }
    }

    // A read that waits or is with the drive is not queued again; once answered, dropped, forgotten (the
    // link came back: those answers will not come) or cleared it may be.
    void readQueueTakesEachReadOnce()
    {
        QServoReadQueue queue;
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(queue.enqueue("P00.01", axis)); // the same number on another axis is another read
        }
        QVERIFY(!queue.enqueue("P00.01", 0));
        QCOMPARE(queue.dropQueued([](const QServoReadQueue::Entry& e) { return e.axis == 1; }), 1);
        QVERIFY(queue.enqueue("P00.01", 1));
        const QDriveValueList batch = queue.takeBatch(10);
        queue.setInFlight(7);
        QVERIFY(!queue.enqueue("P00.01", 0)); // with the drive
        QVERIFY(queue.enqueue("P00.02", 0));
        queue.answered(6, {}); // an older request's answer changes nothing
        QVERIFY(queue.hasInFlight());
        queue.answered(7, batch);
        QVERIFY(!queue.hasInFlight());
        QVERIFY(queue.enqueue("P00.01", 0));
        const QDriveValueList next = queue.takeBatch(10);
        QCOMPARE(next.size(), 2);
        QVERIFY(next.at(0).funIndex == "P00.02" && next.at(1).funIndex == "P00.01");
        QVERIFY(next.at(0).axis == 0 && next.at(1).axis == 0);
        queue.setInFlight(8);
        queue.forgetInFlight();
        QVERIFY(queue.enqueue("P00.01", 0));
        queue.clearQueued();
        QVERIFY(!queue.isBusy());
        QVERIFY(queue.enqueue("P00.01", 0));
    }

    void queuedReadReportsOnlyChangedNumbers()
    {
        QSignalSpy spy(QSignalManager::self(), &QSignalManager::SigFuncodeChanged_Servo);
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

    // A read with the drive is not sent again; queued reads are dropped by code or by group and axis.
    void readsGoThroughTheQueue()
    {
        m_link->setReplyDelay(20);
        m_link->resetCounters();
        for (int i = 0; i < 3; ++i) {
            m_device->readFuncode(codes({"P00.01"})); // the first goes to the drive at once
        }
        m_device->readFuncode(codes({"P00.02"})); // waits in the queue
        QCOMPARE(m_device->pendingReadCount(), 3);
        m_device->stopReadValue(codes({"P00.02"}), 0);
        m_device->stopReadValue(codes({"P00.02"}), 1);
        QCOMPARE(m_device->pendingReadCount(), 1);
        m_device->stopReadFuncode("P00 Basic", 2);
        QCOMPARE(m_device->pendingReadCount(), 0);
        QTRY_VERIFY(!m_device->isReadBusy());
        QCOMPARE(m_link->readRequestCount(), 1);
        QCOMPARE(m_link->readItemCount(), 3); // three axes, once each
        QVERIFY(m_device->hasValue("P00.01", 0));
        QVERIFY(!m_device->hasValue("P00.02", 0));
    }

    // Going offline and coming back are announced; meanwhile nothing is read and the shown values are
    // stale (the last one kept); back, the drive is read whole in the background and fresh again.
    void offlineDriveReadsNothingAndIsReadWholeWhenBack()
    {
        QVERIFY(QTestHost::readCodes(m_device, {"P00.01"}));
        QSignalSpy status(QSignalManager::self(), &QSignalManager::SigDevStatus);
        QSignalSpy changed(QSignalManager::self(), &QSignalManager::SigFuncodeChanged_Servo);
        m_link->setOnline(false);
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).mid(0, 2), (QVariantList{"drive", int(QDeviceServo::DEVICE_OFFLINE)}));
        QCOMPARE(changed.at(0).at(1).toStringList(), QStringList{"P00.01"});
        QVERIFY(m_device->valueInfo("P00.01", 0).isStale());
        QCOMPARE(m_device->lastGoodValueStr("P00.01", 0), QString("2.80"));
        QCOMPARE(m_device->staleValueCount(), 3);
        m_link->resetCounters();
        m_device->readFuncode(codes({"P00.01"}));
        m_device->readAllFuncode();
        QCOMPARE(m_link->readRequestCount(), 0);
        QVERIFY(!m_device->isReadBusy());
        m_link->setOnline(true);
        QCOMPARE(status.at(1).at(1).toInt(), int(QDeviceServo::DEVICE_ONLINE));
        QVERIFY(m_device->isWholeReadRunning());
        QVERIFY(QTestHost::waitForReads(m_device));
        QVERIFY(m_device->hasValue("U00.01", 0) && m_device->hasValue("P10.30", 2));
        QCOMPARE(int(m_device->valueInfo("P00.01", 0).state), int(QServoValue::READ));
        QCOMPARE(m_device->staleValueCount(), 0);
    }

    // Requests in a row without an answer: online but not answering, the values stale; an answer ends it.
    void silentDriveIsNotAnswering()
    {
        QVERIFY(QTestHost::readCodes(m_device, {"P00.01"}));
        QSignalSpy status(QSignalManager::self(), &QSignalManager::SigDevStatus);
        m_link->setTimeout(20);
        QDriveFaultSwitches lost;
        lost.dropEvery = 1;
        m_link->setFaultSwitches(lost);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m_device->deviceStatus(), int(QDeviceServo::DEVICE_ONLINE));
            m_device->readFuncode(codes({"P00.02"}));
            QVERIFY(QTestHost::waitForReads(m_device));
        }
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(1).toInt(), int(QDeviceServo::DEVICE_NOT_ANSWERING));
        QVERIFY(m_device->valueInfo("P00.01", 1).isStale());
        m_link->setFaultSwitches(QDriveFaultSwitches());
        QVERIFY(QTestHost::readCodes(m_device, {"P00.02"}));
        QCOMPARE(status.last().at(1).toInt(), int(QDeviceServo::DEVICE_ONLINE));
    }

    // A link that has not been online yet: what the drive is asked to read is kept and sent first when
    // it comes online, then a whole read asked for meanwhile reads every code in the background, in chunks
    // between which a shown table's periodic read keeps going.
    void readsAskedWhileConnectingAreSentOnline()
    {
        auto* link = new QSimulatedDriveLink(QTestHost::testModel(2));
        link->setOnline(false);
        QDeviceServo device(QTestHost::testModel(2), link, "connecting");
        QCOMPARE(device.deviceStatus(), int(QDeviceServo::DEVICE_CONNECTING));
        device.readAllFuncode();
        device.readFuncode({device.getFuncodePtrByFunIndex("P2.00")});
        QCOMPARE(link->readRequestCount(), 0);
        QSignalSpy progress(&device, &QDeviceServo::wholeReadProgress);
        QString kinds; // per answer: 's' the shown table's read, 'c' a chunk of the whole read
        connect(link, &QDriveLink::readFinished, this, [&kinds](quint32, const QDriveValueList& items) {
            kinds += items.size() == 2 && items.first().funIndex == "P10.60" ? 's' : 'c';
        });
        link->setOnline(true);
        QCOMPARE(link->readItemCount(), 2); // the kept read went first, alone
        QTimer table;
        connect(&table, &QTimer::timeout, this,
                [&device]() { device.readFuncode({device.getFuncodePtrByFunIndex("P10.60")}); });
        table.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(!device.isWholeReadRunning(), 10000);
        table.stop();
        for (const tagSubFuncode_Servo& fun : device.getDriveModel()->codes) {
            QVERIFY2(device.hasValue(fun.funIndex, 0) && device.hasValue(fun.funIndex, 1),
                     qPrintable(fun.funIndex));
        }
        const int all = device.getDriveModel()->codes.size();
        QVERIFY(progress.count() > 2);
        QCOMPARE(progress.last(), (QVariantList{all, all}));
        const QString whole = kinds.mid(kinds.indexOf('c'), kinds.lastIndexOf('c') - kinds.indexOf('c'));
        QVERIFY2(whole.count('s') >= 2, qPrintable(kinds));
    }

    void writeChangesRelatedCodesAndKeepsOldValues()
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
        QCOMPARE(m_device->getScaledCurValueStr("P00.01", 1), QString("2.80")); // axis Y kept its motor
    }

    // The drive is removed from the project while a synchronous write waits for its answer: the write
    // returns without touching the removed device (the sanitizer run sees any use of it).
    void synchronousWriteOutlivesRemovedDrive()
    {
        QVERIFY(QTestHost::readAll(m_device));
        const qint64 raw = m_device->getCurValue("P00.01", 0);
        m_link->setReplyDelay(50);
        QTimer::singleShot(10, [] { QProjectCore::self()->getDevMgr()->removeDevice("drive"); });
        QPointer<QDeviceServo> device(m_device);
        m_device->writeOneFuncode_Synch("P00.01", raw, 1000, true);
        QTRY_VERIFY(!device);
    }

    void descriptionsFollowAuthority()
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
        QCOMPARE(m_device->getOsciFirstFuncodeIndex().funIndex, QString("P2.02"));
        QCOMPARE(m_device->getOsciNoEditFuncodes(), QStringList{"P2.03"});
    }

    void groupOrder_data()
    {
        QTest::addColumn<QString>("names"); // separated by commas
        QTest::addColumn<QString>("ordered");
        QTest::newRow("by number") << "P10 Limits,P2 Gains,P00 Basic"
                                   << QString("P00 Basic,P2 Gains,P10 Limits");
        QTest::newRow("points last") << "PtP Points,P10 Limits,P2 Gains"
                                     << QString("P2 Gains,P10 Limits,PtP Points");
        QTest::newRow("equal numbers by text") << "H02 b,P02 a,P2x c" << QString("H02 b,P02 a,P2x c");
        QTest::newRow("last digit run counts") << "A9B3 x,A1B12 y" << QString("A9B3 x,A1B12 y");
        QTest::newRow("digits after the blank do not count") << "P3 x 1,P2 y 9" << QString("P2 y 9,P3 x 1");
        QTest::newRow("no digits first") << "P1 a,Misc b" << QString("Misc b,P1 a");
    }

    void groupOrder()
    {
        QFETCH(QString, names);
        QFETCH(QString, ordered);
        QCOMPARE(QDeviceServo::orderGroupName(names.split(',')), ordered.split(','));
    }

    // Each change of the monitored list (its rules: monitoredListChangesSayWhetherTheyChanged) is announced
    // once; an unknown code is not taken.
    void monitoredListChangesAreAnnounced()
    {
        QSignalSpy changed(m_device, &QDeviceBase::projectDataChanged);
        for (const char* number : {"P2.00", "P00.01", "P10.05", "P00.01", "P77.77"}) {
            m_device->appendSelSubFuncode(number);
        }
        m_device->upSelSubFuncodeList("P10.05");
        m_device->downSelSubFuncodeList("P2.00");
        m_device->removeSelSubFuncode("P00.01");
        QCOMPARE(m_device->getSelSubFuncodeList(), (QStringList{"P10.05", "P2.00"}));
        QVERIFY(!m_device->isSubFuncodeSelected("P00.01"));
        QCOMPARE(changed.count(), 6);
        m_device->removeAllSelSubFuncode();
        QVERIFY(m_device->getSelSubFuncodeList().isEmpty());
    }

    // The monitored codes: each once, in the user's order, and every change says whether it changed.
    void monitoredListChangesSayWhetherTheyChanged_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<QStringList>("after");
        const QStringList start{"P00.01", "P00.02", "P00.03"};
        QTest::newRow("append new") << "append" << true << "P00.04" << (start + QStringList{"P00.04"});
        QTest::newRow("append again") << "append" << false << "P00.02" << start;
        QTest::newRow("append empty") << "append" << false << "" << start;
        QTest::newRow("up the middle")
            << "up" << true << "P00.02" << QStringList{"P00.02", "P00.01", "P00.03"};
        QTest::newRow("up the first") << "up" << false << "P00.01" << start;
        QTest::newRow("up an absent one") << "up" << false << "P09.09" << start;
        QTest::newRow("down the middle")
            << "down" << true << "P00.02" << QStringList{"P00.01", "P00.03", "P00.02"};
        QTest::newRow("down the last") << "down" << false << "P00.03" << start;
        QTest::newRow("down an absent one") << "down" << false << "P09.09" << start;
        QTest::newRow("remove") << "remove" << true << "P00.01" << QStringList{"P00.02", "P00.03"};
        QTest::newRow("remove an absent one") << "remove" << false << "P09.09" << start;
        // A list from a project file keeps the first of repeated codes; the same list again is no change.
        QTest::newRow("assign with repeats") << "assign" << true << "P00.02,P00.01,P00.02,P00.03,P00.01"
                                             << QStringList{"P00.02", "P00.01", "P00.03"};
        QTest::newRow("assign the same") << "assign" << false << "P00.01,P00.02,P00.03,P00.03" << start;
        QTest::newRow("clear") << "clear" << true << "" << QStringList();
    }

    void monitoredListChangesSayWhetherTheyChanged()
    {
        QFETCH(QString, operation);
        QFETCH(bool, changed);
        QFETCH(QString, funIndex);
        QFETCH(QStringList, after);
        QServoMonitoredList list;
        QVERIFY(list.assign({"P00.01", "P00.02", "P00.03"}));
        const QMap<QString, std::function<bool()>> operations{
            {"append", [&] { return list.append(funIndex); }},
            {"up", [&] { return list.moveUp(funIndex); }},
            {"down", [&] { return list.moveDown(funIndex); }},
            {"remove", [&] { return list.remove(funIndex); }},
            {"assign", [&] { return list.assign(funIndex.split(',')); }},
            {"clear", [&] { return list.clear(); }}};
        QCOMPARE(operations.value(operation)(), changed);
        QCOMPARE(list.list(), after);
        QVERIFY(operation != "clear" || !list.clear());
    }

    // Which codes of which axis wait to be stored through power-off, and how the tables show it.
    void unsavedCodesShownOverTheDrivesAxes_data()
    {
        QTest::addColumn<QList<int>>("unsavedAxes");
        QTest::addColumn<int>("axisNum");
        QTest::addColumn<bool>("unsaved");
        QTest::newRow("nothing written") << QList<int>{} << 3 << false;
        QTest::newRow("axis X of one") << QList<int>{0} << 1 << true;
        QTest::newRow("axis Z of three") << QList<int>{2} << 3 << true;
        QTest::newRow("axis Z beyond a one-axis drive") << QList<int>{2} << 1 << false;
        QTest::newRow("axes outside 0..2 are ignored") << QList<int>{-1, 3} << 3 << false;
        QTest::newRow("more axes than there are") << QList<int>{1} << 9 << true;
    }

    void unsavedCodesShownOverTheDrivesAxes()
    {
        QFETCH(QList<int>, unsavedAxes);
        QFETCH(int, axisNum);
        QFETCH(bool, unsaved);
        QServoUnsavedParams params;
        for (int axis : unsavedAxes) {
            params.setUnsaved("P00.01", axis);
        }
        QCOMPARE(params.isUnsavedOnAnyAxis("P00.01", axisNum), unsaved);
        QCOMPARE(params.savedText("P00.01", axisNum),
                 QCoreApplication::translate("QDeviceServo", unsaved ? "STR_UNSAVED" : "STR_SAVED"));
        QCOMPARE(params.saveColor("P00.01", axisNum) == QColor(Qt::white), !unsaved);
        QVERIFY(!params.isUnsavedOnAnyAxis("P00.02", 3));
    }

    // Saving one axis leaves what waits on the other axes; a code forgotten (gone with a reload) is saved.
    void clearingUnsavedAxisOrCodeKeepsTheOthers()
    {
        QServoUnsavedParams params;
        for (int axis = 0; axis < 3; ++axis) {
            params.setUnsaved("P00.01", axis);
            params.setUnsaved("P00.02", axis);
        }
        params.clearAxis(0);
        params.clearAxis(7); // no such axis: nothing happens
        QVERIFY(!params.isUnsaved("P00.01", 0));
        QVERIFY(!params.isUnsaved("P00.02", 0));
        QVERIFY(params.isUnsaved("P00.01", 1));
        params.forgetIf([](const QString& funIndex) { return funIndex == "P00.01"; });
        QVERIFY(!params.isUnsavedOnAnyAxis("P00.01", 3));
        QVERIFY(params.isUnsaved("P00.02", 2));
    }

    // What a drive keeps of its faults and when it announces changes. The texts made of them:
    // tst_QFuncodeHelper_Servo::faultTexts.
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

    // Every reason a value may not be written, decided before anything is sent: the code, its right, the
    // authority, the axis, the oscilloscope, the drive's state and the value's range.
    void writeRefusals_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<double>("value"); // in shown units
        QTest::addColumn<int>("axis");
        QTest::addColumn<QString>("state"); // "", "oscilloscope", "offline" or "manufacturer"
        QTest::addColumn<int>("error");
        const int range = QDeviceServo::WRITE_ERR_RANGE;
        const int readOnly = QDeviceServo::WRITE_ERR_READ_ONLY;
        const int osci = QDeviceServo::WRITE_ERR_OSCI;
        // Where a range ends for each kind of code: tst_QFuncodeScaling::rangeFollowsDescriptionAndDataType.
        QTest::newRow("decimal in range") << "P00.01" << 3.25 << 2 << "" << 0;
        QTest::newRow("decimal above maximum") << "P00.01" << 30.01 << 0 << "" << range;
        QTest::newRow("enumerated value") << "P00.03" << 2.0 << 0 << "" << 0;
        QTest::newRow("enumerated gap") << "P00.00" << 2.0 << 0 << "" << range;
        QTest::newRow("menu digits") << "P00.05" << 12.0 << 0 << "" << 0;
        QTest::newRow("menu digit out of options") << "P00.05" << 3.0 << 0 << "" << range;
        QTest::newRow("read only") << "P00.07" << 10.0 << 0 << "" << readOnly;
        QTest::newRow("factory") << "P00.06" << 10.0 << 0 << "" << readOnly;
        QTest::newRow("write only") << "P00.08" << 10.0 << 0 << "" << 0;
        QTest::newRow("state code") << "U00.01" << 10.0 << 0 << "" << readOnly;
        QTest::newRow("unknown code")
            << "P99.99" << 5.0 << 0 << "" << int(QDeviceServo::WRITE_ERR_UNKNOWN_CODE);
        QTest::newRow("no such axis") << "P00.01" << 3.0 << 3 << "" << int(QDeviceServo::WRITE_ERR_AXIS);
        QTest::newRow("above authority")
            << "P00.09" << 5.0 << 0 << "" << int(QDeviceServo::WRITE_ERR_AUTHORITY);
        QTest::newRow("at the manufacturer's authority") << "P00.09" << 5.0 << 0 << "manufacturer" << 0;
        QTest::newRow("oscilloscope's first code") << "P2.02" << 3.0 << 0 << "oscilloscope" << osci;
        QTest::newRow("oscilloscope's other code") << "P2.03" << 3.0 << 0 << "oscilloscope" << osci;
        QTest::newRow("oscilloscope's code, stopped") << "P2.02" << 3.0 << 0 << "" << 0;
        QTest::newRow("free code while the oscilloscope runs")
            << "P00.02" << 100.0 << 0 << "oscilloscope" << 0;
        QTest::newRow("offline") << "P00.02" << 100.0 << 0 << "offline"
                                 << int(QDeviceServo::WRITE_ERR_OFFLINE);
    }

    // The raw value is checked (converted once, where an edit begins); a refusal comes with a reason, and
    // while the oscilloscope runs or the drive is offline the drive takes no write at all.
    void writeRefusals()
    {
        QFETCH(QString, funIndex);
        QFETCH(double, value);
        QFETCH(int, axis);
        QFETCH(QString, state);
        QFETCH(int, error);
        if (state == "manufacturer") {
            QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
        }
        m_device->setOsciRunning(state == "oscilloscope");
        QTestHost::link("drive")->setOnline(state != "offline");
        const QServoWriteRules rules(*m_device);
        QString reason;
        const tagSubFuncode_Servo* fun = m_device->getFuncodePtrByFunIndex(funIndex);
        const qint64 raw = fun ? m_device->scaledToRaw(fun, value) : 0;
        QCOMPARE(rules.checkRawValue(funIndex, raw, axis, &reason), error);
        QCOMPARE(reason.isEmpty(), error == 0);
        const bool permitted = state != "oscilloscope" && state != "offline";
        QCOMPARE(rules.isWritePermitted(&reason), permitted);
        QCOMPARE(reason.isEmpty(), permitted);
    }

    void writeEditability_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<int>("rwLevel");  // -1: the code's own
        QTest::addColumn<bool>("running"); // the oscilloscope
        QTest::addColumn<bool>("editable");
        QTest::newRow("write only") << "P00.08" << -1 << false << true;
        QTest::newRow("read only") << "P00.07" << -1 << false << false;
        QTest::newRow("factory") << "P00.06" << -1 << false << false;
        QTest::newRow("oscilloscope's first code, running") << "P2.02" << -1 << true << false;
        QTest::newRow("read-only oscilloscope's first code, stopped") << "P2.02" << 0 << false << true;
        QTest::newRow("oscilloscope's other code, stopped") << "P2.03" << -1 << false << false;
        QTest::newRow("free code while the oscilloscope runs") << "P2.01" << -1 << true << true;
    }

    // Whether a table lets an edit begin: the oscilloscope's first code follows the oscilloscope alone, its
    // other codes are never edited there; the drive's state is left to the write.
    void writeEditability()
    {
        QFETCH(QString, funIndex);
        QFETCH(int, rwLevel);
        QFETCH(bool, running);
        QFETCH(bool, editable);
        tagSubFuncode_Servo fun = *m_device->getFuncodePtrByFunIndex(funIndex);
        fun.rwLevel = rwLevel < 0 ? fun.rwLevel : rwLevel;
        m_device->setOsciRunning(running);
        QTestHost::link("drive")->setOnline(false);
        QCOMPARE(QServoWriteRules(*m_device).isEditable(fun), editable);
    }

    // The drive's own list of settings that differ from their defaults (getCompareFuncodeDefault).
    void defaultComparisonListsWhatDiffers_data()
    {
        QTest::addColumn<QString>("funIndex"); // empty: nothing is changed
        QTest::addColumn<int>("axis");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<bool>("readAfter");   // the changed value is read into the device
        QTest::addColumn<QString>("axisName"); // empty: the code is not listed
        // A new drive holds its defaults: every kind of default text must equal its value.
        QTest::newRow("new drive") << "" << 0 << qint64(0) << true << "";
        QTest::newRow("decimal on Z") << "P10.05" << 2 << qint64(42) << true << "Z";
        QTest::newRow("two decimals on Y") << "P00.01" << 1 << qint64(315) << true << "Y";
        QTest::newRow("enumerated on X") << "P00.03" << 0 << qint64(2) << true << "X";
        QTest::newRow("hexadecimal on X") << "P00.04" << 0 << qint64(256) << true << "X";
        // A value changed in the drive but not read since is not known to differ.
        QTest::newRow("not read since") << "P10.07" << 0 << qint64(77) << false << "";
        // Above the present authority the code is not shown anywhere, here neither (which codes the
        // authority shows: tst_QDeviceServo::descriptionsFollowAuthority).
        QTest::newRow("above authority") << "P00.09" << 0 << qint64(77) << true << "";
        // The monitoring values of the state group move all the time; none of them is a setting.
        QTest::newRow("state code") << "U00.01" << 0 << qint64(77) << true << "";
    }

    void defaultComparisonListsWhatDiffers()
    {
        QFETCH(QString, funIndex);
        QFETCH(int, axis);
        QFETCH(qint64, raw);
        QFETCH(bool, readAfter);
        QFETCH(QString, axisName);
        QVERIFY(m_device->getCompareFuncodeDefault().isEmpty()); // nothing read yet
        if (!readAfter) {
            QVERIFY(QTestHost::readAll(m_device));
        }
        if (!funIndex.isEmpty()) {
            m_link->setRawValue(funIndex, axis, raw);
        }
        if (readAfter) {
            QVERIFY(QTestHost::readAll(m_device));
        }
        const QList<QStringList> rows = m_device->getCompareFuncodeDefault();
        if (axisName.isEmpty()) {
            QCOMPARE(rows, QList<QStringList>());
            return;
        }
        QCOMPARE(rows.size(), 1);
        const QString name = m_device->getFuncodePtrByFunIndex(funIndex)->funName;
        QCOMPARE(rows.first().mid(0, 3), (QStringList{funIndex, name, axisName}));
        QCOMPARE(rows.first().at(3), m_device->getScaledCurValueStr(funIndex, axis));
        QCOMPARE(rows.first().at(4), m_device->getScaledDefaultValueStr(funIndex, axis));
        QVERIFY(rows.first().at(3) != rows.first().at(4));
    }

    void saveAndResetKeepOnlySavedValues()
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

    // A reloaded description with another identity keeps its history-record format under that identity.
    void reloadTakesTheNewIdentity()
    {
        auto model = qSharedPointerConstCast<QDriveModel>(QTestHost::testModel(3, "TST3"));
        model->identFirmware = QStringLiteral("T9");
        model->identNumber = 4242;
        m_device->reloadDeviceConfig(model);
        QCOMPARE(m_device->getDeviceInfoPtr()->identText2, QString("T9"));
        QCOMPARE(m_device->getDeviceInfoPtr()->identNumber, 4242);
    }
};

QTEST_MAIN(tst_QDeviceServo)
#include "tst_QDeviceServo.moc"
