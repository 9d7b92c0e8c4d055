#include "QDeviceServo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

typedef QList<int> Errors;
Q_DECLARE_METATYPE(Errors)

namespace {
const int kTimeoutMs = 60;
const int kLateByMs = 200;
} // namespace

class tst_QSimulatedDriveLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void init();
    void cleanup();

    void switchesShapeReplies_data();
    void switchesShapeReplies();
    void failCodeFailsOnlyThatCode_data();
    void failCodeFailsOnlyThatCode();
    void refusedWritesCarryTheReason();
    void coreChecksWrites_data();
    void coreChecksWrites();

private:
    // Sends one read and returns the error of its answer, after checking the answer is its own.
    int readOnce(const QString& funIndex);

    QSimulatedDriveLink* m_link = nullptr;
    QString m_error;
};

void tst_QSimulatedDriveLink::init()
{
    m_link = new QSimulatedDriveLink(QTestHost::testModel(3));
    m_link->setReplyDelay(0);
    m_link->setTimeout(kTimeoutMs);
    m_link->setFrozen(true);
}

void tst_QSimulatedDriveLink::cleanup()
{
    delete m_link;
    m_link = nullptr;
    QTestHost::clearProject();
}

int tst_QSimulatedDriveLink::readOnce(const QString& funIndex)
{
    QSignalSpy spy(m_link, &QDriveLink::readFinished);
    const quint32 id = m_link->requestRead({QDriveValueItem(funIndex, 1)});
    if (!spy.wait(2000)) {
        return -1;
    }
    const QDriveValueList items = spy.at(0).at(1).value<QDriveValueList>();
    if (spy.at(0).at(0).toUInt() != id || items.size() != 1 || items.first().funIndex != funIndex) {
        return -2;
    }
    return items.first().error;
}

void tst_QSimulatedDriveLink::switchesShapeReplies_data()
{
    QTest::addColumn<int>("dropEvery");
    QTest::addColumn<int>("lateEvery");
    QTest::addColumn<int>("offlineAfter");
    QTest::addColumn<Errors>("errors");
    const int ok = QDriveLink::LINK_OK;
    const int timeout = QDriveLink::LINK_ERR_TIMEOUT;
    const int offline = QDriveLink::LINK_ERR_OFFLINE;
    QTest::newRow("every second reply lost") << 2 << 0 << -1 << Errors{ok, timeout, ok, timeout};
    QTest::newRow("every third answer late") << 0 << 3 << -1 << Errors{ok, ok, timeout, ok};
    QTest::newRow("offline after two") << 0 << 0 << 2 << Errors{ok, ok, offline, offline};
    QTest::newRow("offline at once") << 0 << 0 << 0 << Errors{offline, offline};
    QTest::newRow("lost wins over late") << 2 << 2 << -1 << Errors{ok, timeout, ok, timeout};
}

void tst_QSimulatedDriveLink::switchesShapeReplies()
{
    QFETCH(int, dropEvery);
    QFETCH(int, lateEvery);
    QFETCH(int, offlineAfter);
    QFETCH(Errors, errors);
    QDriveFaultSwitches switches;
    switches.dropEvery = dropEvery;
    switches.lateEvery = lateEvery;
    switches.lateByMs = kLateByMs;
    switches.offlineAfter = offlineAfter;
    m_link->setFaultSwitches(switches);
    Errors seen;
    for (int i = 0; i < errors.size(); ++i) {
        seen.append(readOnce(QStringLiteral("P00.0%1").arg(i)));
    }
    QCOMPARE(seen, errors);
    // Late answers that come now are thrown away.
    QSignalSpy spy(m_link, &QDriveLink::readFinished);
    QTest::qWait(kLateByMs);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_link->pendingRequestCount(), 0);
}

void tst_QSimulatedDriveLink::failCodeFailsOnlyThatCode_data()
{
    QTest::addColumn<bool>("write");
    QTest::newRow("read") << false;
    QTest::newRow("write") << true;
}

void tst_QSimulatedDriveLink::failCodeFailsOnlyThatCode()
{
    QFETCH(bool, write);
    QDriveFaultSwitches switches;
    switches.failCode = "P00.02";
    m_link->setFaultSwitches(switches);
    const QDriveValueList items{QDriveValueItem("P00.01", 0, 300), QDriveValueItem("P00.02", 0, 1500),
                                QDriveValueItem("P00.03", 0, 1)};
    QSignalSpy spy(m_link, write ? SIGNAL(writeFinished(quint32, QDriveValueList, qint64))
                                 : SIGNAL(readFinished(quint32, QDriveValueList)));
    write ? m_link->requestWrite(items) : m_link->requestRead(items);
    QVERIFY(spy.wait(1000));
    const QDriveValueList answer = spy.at(0).at(1).value<QDriveValueList>();
    QCOMPARE(answer.at(0).error, int(QDriveLink::LINK_OK));
    QCOMPARE(answer.at(1).error, int(QDriveLink::LINK_ERR_REFUSED));
    QCOMPARE(answer.at(2).error, int(QDriveLink::LINK_OK));
    QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000)); // untouched
}

void tst_QSimulatedDriveLink::refusedWritesCarryTheReason()
{
    QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "drive");
    QSimulatedDriveLink* link = QTestHost::link("drive");
    QDriveFaultSwitches switches;
    switches.refuseWrites = true;
    switches.refuseReason = "Servo enabled";
    link->setFaultSwitches(switches);
    QString reason;
    QVERIFY(!device->isWritePermitted(&reason));
    QCOMPARE(reason, QString("Servo enabled"));
    QVERIFY(!device->modifyFuncodeValueWithRecord("P00.02", 2000, 0));
    QCOMPARE(device->getLastWriteError(), int(QDeviceServo::WRITE_ERR_REFUSED));
    QVERIFY(device->getErrorReasonStr(device->getLastWriteError()).contains("Servo enabled"));
    QCOMPARE(link->rawValue("P00.02", 0), qint64(3000));

    link->setFaultSwitches(QDriveFaultSwitches());
    QVERIFY(device->isWritePermitted(&reason));
    QVERIFY(device->modifyFuncodeValueWithRecord("P00.02", 2000, 0));
    QCOMPARE(link->rawValue("P00.02", 0), qint64(2000));
}

void tst_QSimulatedDriveLink::coreChecksWrites_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("axis");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("error");
    QTest::newRow("in range") << "P00.02" << 2 << qint64(6000) << int(QDriveLink::LINK_OK);
    QTest::newRow("above maximum") << "P00.02" << 0 << qint64(6001) << int(QDriveLink::LINK_ERR_RANGE);
    QTest::newRow("below signed minimum")
        << "P00.11" << 0 << qint64(-1001) << int(QDriveLink::LINK_ERR_RANGE);
    QTest::newRow("64-bit in range") << "P00.13" << 1 << qint64(-1000000000000) << int(QDriveLink::LINK_OK);
    QTest::newRow("read only") << "P00.07" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_READ_ONLY);
    QTest::newRow("set in the factory") << "P00.06" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_READ_ONLY);
    QTest::newRow("write only") << "P00.08" << 0 << qint64(1) << int(QDriveLink::LINK_OK);
    QTest::newRow("state code") << "U00.01" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_READ_ONLY);
    QTest::newRow("unknown code") << "P99.01" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_UNKNOWN);
    QTest::newRow("axis the drive lacks") << "P00.02" << 3 << qint64(1) << int(QDriveLink::LINK_ERR_UNKNOWN);
}

void tst_QSimulatedDriveLink::coreChecksWrites()
{
    QFETCH(QString, code);
    QFETCH(int, axis);
    QFETCH(qint64, value);
    QFETCH(int, error);
    QSimulatedDriveCore* core = m_link->core();
    const qint64 before = core->rawValue(code, axis);
    QDriveValueItem item(code, axis, value);
    core->writeItem(&item);
    QCOMPARE(item.error, error);
    QCOMPARE(core->rawValue(code, axis), error == QDriveLink::LINK_OK ? value : before);
}

QTEST_MAIN(tst_QSimulatedDriveLink)
#include "tst_QSimulatedDriveLink.moc"
