#include "GarblingProxy.h"
#include "ModbusLoopback.h"
#include "QTestHost.h"

#include <QtTest>

// A drive that sends garbage, or stops answering, behind a proxy: every request still ends with an
// error of its own, the drive goes offline with a reason a person can read, and comes back online when
// its replies make sense again.
class tst_ModbusGarbledReplies : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void garbageEndsInErrorsOfflineAndRecovery_data();
    void garbageEndsInErrorsOfflineAndRecovery();
    void failedConnectionSaysWhy();
};

void tst_ModbusGarbledReplies::garbageEndsInErrorsOfflineAndRecovery_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("reasonKey");
    // Bytes that are no answer to anything look like no answer at all.
    QTest::newRow("noise") << int(GarblingProxy::Noise) << "STR_LINK_OFFLINE_NO_ANSWER";
    QTest::newRow("header whose frame never ends")
        << int(GarblingProxy::StalledHeader) << "STR_LINK_OFFLINE_NO_ANSWER";
    QTest::newRow("no registers") << int(GarblingProxy::NoRegisters) << "STR_LINK_OFFLINE_GARBLED";
    QTest::newRow("silence") << int(GarblingProxy::Silence) << "STR_LINK_OFFLINE_NO_ANSWER";
}

void tst_ModbusGarbledReplies::garbageEndsInErrorsOfflineAndRecovery()
{
    QFETCH(int, mode);
    QFETCH(QString, reasonKey);
    ModbusLoopback bus(QTestHost::testModel(3), 5);
    bus.core->setFrozen(true);
    GarblingProxy proxy(bus.port);
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), proxy.port(), 5);
    settings.timeoutMs = 150;
    QModbusDriveLink link(QTestHost::testModel(3), settings);
    QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 5000);
    QVERIFY(link.offlineReason().isEmpty());

    proxy.setMode(GarblingProxy::Mode(mode));
    QSignalSpy reads(&link, &QDriveLink::readFinished);
    QSignalSpy online(&link, &QDriveLink::onlineChanged);
    for (int axis = 0; axis < 3; ++axis) {
        link.requestRead({QDriveValueItem("P00.02", axis), QDriveValueItem("P10.00", axis)});
    }
    QTRY_COMPARE_WITH_TIMEOUT(reads.count(), 3, 10000);
    for (const QList<QVariant>& answer : qAsConst(reads)) {
        for (const QDriveValueItem& item : answer.at(1).value<QDriveValueList>()) {
            QVERIFY2(item.error != QDriveLink::LINK_OK, qPrintable(item.funIndex));
        }
    }
    QCOMPARE(online.count(), 1);
    QVERIFY(!link.isOnline());
    const QString expected = QCoreApplication::translate("Strings", qPrintable(reasonKey))
                                 .arg(QModbusDriveLink::kTimeoutsBeforeOffline);
    QCOMPARE(link.offlineReason(), expected);

    proxy.setMode(GarblingProxy::Pass);
    QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 15000);
    QVERIFY(link.offlineReason().isEmpty());
    QSignalSpy again(&link, &QDriveLink::readFinished);
    link.requestRead({QDriveValueItem("P00.02", 2)});
    QVERIFY(again.wait(5000));
    const QDriveValueItem item = again.at(0).at(1).value<QDriveValueList>().value(0);
    QCOMPARE(item.error, int(QDriveLink::LINK_OK));
    QCOMPARE(item.value, bus.core->rawValue("P00.02", 2));
    if (mode != GarblingProxy::Silence) {
        QVERIFY(proxy.connections() >= 2); // what the confused drive sent went with the old connection
    }
}

void tst_ModbusGarbledReplies::failedConnectionSaysWhy()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close(); // nobody listens there any more
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), port, 1);
    QModbusDriveLink link(QTestHost::testModel(3), settings);
    const QString connecting = link.offlineReason();
    QVERIFY(!connecting.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(link.offlineReason() != connecting, 5000);
    QVERIFY(!link.isOnline());
    QVERIFY2(link.offlineReason().contains(QStringLiteral("refused"), Qt::CaseInsensitive),
             qPrintable(link.offlineReason()));
}

QTEST_MAIN(tst_ModbusGarbledReplies)
#include "tst_ModbusGarbledReplies.moc"
