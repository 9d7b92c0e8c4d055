#include "ModbusLoopback.h"
#include "QTestHost.h"

#include <QtTest>

typedef QList<QStringList> CodeSets;
Q_DECLARE_METATYPE(CodeSets)

class tst_QModbusDriveLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void init();
    void cleanup() { m_bus.reset(); }

    void everyTypeRoundTripsOnEveryAxis_data();
    void everyTypeRoundTripsOnEveryAxis();
    void readsUseTheFewestRequests_data();
    void readsUseTheFewestRequests();
    void writesAreCheckedByTheDrive_data();
    void writesAreCheckedByTheDrive();
    void refusedWriteBringsTheReason();
    void lostDriveGoesOfflineAndComesBack_data();
    void lostDriveGoesOfflineAndComesBack();
    void lateReplyIsNotTakenForTheNext();
    void faultsHistoryAndCommands();
    void unknownCodesAreNotSent();
    void driveTellsWhichModelAnswers();

private:
    QDriveValueList items(const QStringList& codes, int axis, qint64 value = 0) const
    {
        QDriveValueList list;
        for (const QString& code : codes) {
            list.append(QDriveValueItem(code, axis, value));
        }
        return list;
    }

    std::unique_ptr<ModbusLoopback> m_bus;
    QString m_error;
};

void tst_QModbusDriveLink::init()
{
    m_bus = std::make_unique<ModbusLoopback>(QTestHost::testModel(3), 5);
    m_bus->core->setFrozen(true);
    QVERIFY(m_bus->waitOnline());
}

void tst_QModbusDriveLink::everyTypeRoundTripsOnEveryAxis_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<qint64>("value");
    QTest::newRow("uint16") << "P00.02" << qint64(5999);
    QTest::newRow("uint16 hexadecimal top") << "P00.04" << qint64(65535);
    QTest::newRow("int16 negative") << "P00.11" << qint64(-1000);
    QTest::newRow("int16 positive") << "P00.11" << qint64(999);
    QTest::newRow("uint32 top") << "P00.12" << qint64(4294967295LL);
    QTest::newRow("int64 negative") << "P00.13" << qint64(-1000000000000LL);
    QTest::newRow("int64 positive") << "P00.13" << qint64(987654321012LL);
    QTest::newRow("enumerated") << "P00.03" << qint64(2);
}

void tst_QModbusDriveLink::everyTypeRoundTripsOnEveryAxis()
{
    QFETCH(QString, code);
    QFETCH(qint64, value);
    for (int axis = 0; axis < 3; ++axis) {
        const qint64 other = m_bus->core->rawValue(code, (axis + 1) % 3);
        const QDriveValueList written = m_bus->write({QDriveValueItem(code, axis, value)});
        QCOMPARE(written.size(), 1);
        QCOMPARE(written.first().error, int(QDriveLink::LINK_OK));
        QCOMPARE(m_bus->core->rawValue(code, axis), value);
        QCOMPARE(m_bus->core->rawValue(code, (axis + 1) % 3), other); // only its own axis
        m_bus->core->setRawValue(code, axis, value);                  // and back through a read
        const QDriveValueList read = m_bus->read({QDriveValueItem(code, axis)});
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().error, int(QDriveLink::LINK_OK));
        QCOMPARE(read.first().value, value);
    }
}

void tst_QModbusDriveLink::readsUseTheFewestRequests_data()
{
    QTest::addColumn<CodeSets>("reads"); // link requests sent at once
    QTest::addColumn<int>("axes");
    QTest::addColumn<int>("requests"); // read requests the drive receives
    QStringList limits;
    for (int i = 0; i < 120; ++i) {
        limits << QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    QTest::newRow("neighbours") << CodeSets{{"P00.00", "P00.01", "P00.02"}} << 1 << 1;
    QTest::newRow("small gap read through") << CodeSets{{"P00.00", "P00.10", "P00.16"}} << 1 << 1;
    QTest::newRow("wide gap") << CodeSets{{"P00.00", "P00.16"}} << 1 << 2;
    QTest::newRow("whole long group") << CodeSets{limits} << 1 << 1;
    QTest::newRow("ends of a long group") << CodeSets{{"P10.00", "P10.119"}} << 1 << 2;
    QTest::newRow("three groups") << CodeSets{{"P2.01", "P00.03", "P10.50"}} << 1 << 3;
    QTest::newRow("every axis") << CodeSets{{"P00.00", "P00.13", "P2.00"}} << 3 << 6;
    QTest::newRow("tables waiting together share")
        << CodeSets{{"P00.01", "P00.02"}, {"P00.02", "P00.03"}, {"P00.04"}} << 1 << 1;
}

void tst_QModbusDriveLink::readsUseTheFewestRequests()
{
    QFETCH(CodeSets, reads);
    QFETCH(int, axes);
    QFETCH(int, requests);
    QSignalSpy spy(m_bus->link.get(), &QDriveLink::readFinished);
    QList<quint32> ids;
    for (const QStringList& codes : reads) {
        QDriveValueList list;
        for (int axis = 0; axis < axes; ++axis) {
            list += items(codes, axis);
        }
        ids.append(m_bus->link->requestRead(list));
    }
    QTRY_COMPARE(spy.count(), reads.size());
    for (int i = 0; i < reads.size(); ++i) {
        QCOMPARE(spy.at(i).at(0).toUInt(), ids.at(i));
        const QDriveValueList answer = spy.at(i).at(1).value<QDriveValueList>();
        QCOMPARE(answer.size(), reads.at(i).size() * axes);
        for (const QDriveValueItem& item : answer) {
            QCOMPARE(item.error, int(QDriveLink::LINK_OK));
            QCOMPARE(item.value, m_bus->core->rawValue(item.funIndex, item.axis));
        }
    }
    QCOMPARE(m_bus->drives.readRequestCount(), requests);
}

void tst_QModbusDriveLink::writesAreCheckedByTheDrive_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QList<int>>("errors");
    const int ok = QDriveLink::LINK_OK;
    QTest::newRow("out of range") << QStringList{"P00.02"} << qint64(6001)
                                  << QList<int>{QDriveLink::LINK_ERR_RANGE};
    QTest::newRow("read only") << QStringList{"P00.07"} << qint64(1)
                               << QList<int>{QDriveLink::LINK_ERR_READ_ONLY};
    QTest::newRow("state code") << QStringList{"U00.01"} << qint64(1)
                                << QList<int>{QDriveLink::LINK_ERR_READ_ONLY};
    QTest::newRow("one bad in a block")
        << QStringList{"P10.00", "P10.01", "P10.02"} << qint64(1000) << QList<int>{ok, ok, ok};
    QTest::newRow("range in a block stays with its code")
        << QStringList{"P00.01", "P00.02", "P00.03"} << qint64(2)
        << QList<int>{QDriveLink::LINK_ERR_RANGE, ok, ok};
}

void tst_QModbusDriveLink::writesAreCheckedByTheDrive()
{
    QFETCH(QStringList, codes);
    QFETCH(qint64, value);
    QFETCH(QList<int>, errors);
    QList<qint64> before;
    for (const QString& code : codes) {
        before << m_bus->core->rawValue(code, 1);
    }
    const QDriveValueList answer = m_bus->write(items(codes, 1, value));
    QCOMPARE(answer.size(), codes.size());
    for (int i = 0; i < codes.size(); ++i) {
        QCOMPARE(answer.at(i).error, errors.at(i));
        const qint64 expected = errors.at(i) == QDriveLink::LINK_OK ? value : before.at(i);
        QCOMPARE(m_bus->core->rawValue(codes.at(i), 1), expected);
    }
}

void tst_QModbusDriveLink::refusedWriteBringsTheReason()
{
    QDriveFaultSwitches switches;
    switches.refuseWrites = true;
    switches.refuseReason = QStringLiteral("Servo enabled: parameters locked");
    m_bus->core->setFaultSwitches(switches);
    QCOMPARE(m_bus->write({QDriveValueItem("P00.02", 0, 100)}).value(0).error,
             int(QDriveLink::LINK_ERR_REFUSED));
    QTRY_COMPARE(m_bus->link->refusalReason(), switches.refuseReason);
    QCOMPARE(m_bus->core->rawValue("P00.02", 0), qint64(3000));
    m_bus->core->setFaultSwitches(QDriveFaultSwitches());
    QCOMPARE(m_bus->write({QDriveValueItem("P00.02", 0, 100)}).value(0).error, int(QDriveLink::LINK_OK));
    QVERIFY(m_bus->link->refusalReason().isEmpty());
}

void tst_QModbusDriveLink::lostDriveGoesOfflineAndComesBack_data()
{
    QTest::addColumn<bool>("closeServer");
    QTest::newRow("drive falls silent") << false;
    QTest::newRow("server stops") << true;
}

void tst_QModbusDriveLink::lostDriveGoesOfflineAndComesBack()
{
    QFETCH(bool, closeServer);
    QSignalSpy online(m_bus->link.get(), &QDriveLink::onlineChanged);
    QSignalSpy reads(m_bus->link.get(), &QDriveLink::readFinished);
    if (closeServer) {
        m_bus->tcp->close();
    } else {
        m_bus->core->setOnline(false);
    }
    // Three groups on three axes: nine requests, so the drive is lost in the middle of them.
    for (int axis = 0; axis < 3; ++axis) {
        m_bus->link->requestRead(items({"P00.00", "P2.00", "P10.00"}, axis));
    }
    QTRY_COMPARE_WITH_TIMEOUT(reads.count(), 3, 5000);
    QCOMPARE(online.count(), 1);
    QCOMPARE(online.at(0).at(0).toBool(), false);
    QList<int> errors;
    for (const QList<QVariant>& answer : qAsConst(reads)) {
        for (const QDriveValueItem& item : answer.at(1).value<QDriveValueList>()) {
            errors << item.error;
        }
    }
    QVERIFY(!errors.contains(QDriveLink::LINK_OK));
    if (!closeServer) {
        QCOMPARE(errors.count(QDriveLink::LINK_ERR_TIMEOUT), QModbusDriveLink::kTimeoutsBeforeOffline);
    }
    QVERIFY(errors.contains(QDriveLink::LINK_ERR_OFFLINE));

    // While offline a request is answered at once, and never in the call itself.
    reads.clear();
    m_bus->link->requestRead(items({"P00.00"}, 0));
    QCOMPARE(reads.count(), 0);
    QTRY_COMPARE(reads.count(), 1);
    QCOMPARE(reads.at(0).at(1).value<QDriveValueList>().first().error, int(QDriveLink::LINK_ERR_OFFLINE));

    if (closeServer) {
        QVERIFY(m_bus->tcp->listen(QHostAddress::LocalHost, m_bus->port));
    } else {
        m_bus->core->setOnline(true);
    }
    QTRY_VERIFY_WITH_TIMEOUT(m_bus->link->isOnline(), 10000);
    QCOMPARE(online.count(), 2);
    QCOMPARE(m_bus->read(items({"P00.02"}, 2)).value(0).value, qint64(3000));
}

void tst_QModbusDriveLink::lateReplyIsNotTakenForTheNext()
{
    // Every second request is answered after the link gave up on it (at 400 ms); the next request asks
    // for a register block of the same size and waits for its answer when the late one comes (500 ms),
    // so only the transaction tells the answers apart.
    m_bus = std::make_unique<ModbusLoopback>(QTestHost::testModel(3), 5, 400);
    QVERIFY(m_bus->waitOnline());
    m_bus->core->setRawValue("P00.02", 0, 1111);
    m_bus->core->setRawValue("P00.03", 0, 2);
    QDriveFaultSwitches switches;
    switches.lateEvery = 2;
    switches.lateByMs = 500;
    m_bus->core->setFaultSwitches(switches);
    QCOMPARE(m_bus->read(items({"P00.01"}, 0)).value(0).error, int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->read(items({"P00.02"}, 0)).value(0).error, int(QDriveLink::LINK_ERR_TIMEOUT));
    m_bus->drives.setReplyDelay(200); // the late answer arrives while this one waits
    const QDriveValueItem next = m_bus->read(items({"P00.03"}, 0)).value(0);
    QCOMPARE(next.error, int(QDriveLink::LINK_OK));
    QCOMPARE(next.funIndex, QString("P00.03"));
    QCOMPARE(next.value, qint64(2));
    QVERIFY(m_bus->link->isOnline());
}

void tst_QModbusDriveLink::faultsHistoryAndCommands()
{
    QVERIFY(m_bus->core->raiseFault("E.101", 1));
    QVERIFY(m_bus->core->raiseFault("E.201", 2));
    QSignalSpy faults(m_bus->link.get(), &QDriveLink::currentFaultsRead);
    m_bus->link->requestCurrentFaults();
    QVERIFY(faults.wait());
    const QDriveFaultList list = faults.at(0).at(1).value<QDriveFaultList>();
    QCOMPARE(faults.at(0).at(2).toInt(), int(QDriveLink::LINK_OK));
    QCOMPARE(list.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(list.at(i).code, m_bus->core->currentFaults().at(i).code);
        QCOMPARE(list.at(i).axis, m_bus->core->currentFaults().at(i).axis);
        QCOMPARE(list.at(i).time, m_bus->core->currentFaults().at(i).time);
    }
    QSignalSpy history(m_bus->link.get(), &QDriveLink::historyRecordsRead);
    m_bus->link->requestHistoryRecords(1);
    QVERIFY(history.wait());
    QList<QByteArray> expected;
    m_bus->core->historyRecords(1, &expected);
    QCOMPARE(history.at(0).at(3).toInt(), int(QDriveLink::LINK_OK));
    QCOMPARE(history.at(0).at(2).value<QList<QByteArray>>(), expected);

    QCOMPARE(m_bus->command(m_bus->link->requestClearFaults()), int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->core->currentFaults().size(), 1); // E.201 cannot be cleared
    QCOMPARE(m_bus->command(m_bus->link->requestClearHistory(1)), int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->core->historyCount(1), 0);
    QCOMPARE(m_bus->core->historyCount(2), 1);

    QCOMPARE(m_bus->write({QDriveValueItem("P00.02", 2, 1234)}).value(0).error, int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->command(m_bus->link->requestSaveAll(2)), int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->core->storedValue("P00.02", 2), qint64(1234));
    QCOMPARE(m_bus->write({QDriveValueItem("P00.02", 2, 4321)}).value(0).error, int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->command(m_bus->link->requestReset(2)), int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->core->rawValue("P00.02", 2), qint64(1234));
}

void tst_QModbusDriveLink::unknownCodesAreNotSent()
{
    const QDriveValueList answer = m_bus->read(
        {QDriveValueItem("P99.99", 0), QDriveValueItem("P00.02", 3), QDriveValueItem("P00.02", 0)});
    QCOMPARE(answer.size(), 3);
    QCOMPARE(answer.at(0).error, int(QDriveLink::LINK_ERR_UNKNOWN));
    QCOMPARE(answer.at(1).error, int(QDriveLink::LINK_ERR_UNKNOWN));
    QCOMPARE(answer.at(2).error, int(QDriveLink::LINK_OK));
    QCOMPARE(m_bus->drives.readRequestCount(), 1);
}

void tst_QModbusDriveLink::driveTellsWhichModelAnswers()
{
    QCOMPARE(m_bus->link->identityNumber(), QTestHost::testModel(3)->identNumber);
}

QTEST_MAIN(tst_QModbusDriveLink)
#include "tst_QModbusDriveLink.moc"
