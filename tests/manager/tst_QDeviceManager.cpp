#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QNodeID.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

class tst_QDeviceManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void selectionSignals();
    void removingTheSelectedDevice();
    void aliasesAreUnique();
    void enumeratedTexts_data();
    void enumeratedTexts();
    void nodeIdRoundTrips_data();
    void nodeIdRoundTrips();
};

void tst_QDeviceManager::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QDeviceManager::cleanup()
{
    QTestHost::clearProject();
}

void tst_QDeviceManager::selectionSignals()
{
    QDeviceManager* mgr = QProjectCore::self()->getDevMgr();
    QTestHost::addDrive("TST1", "a");
    QTestHost::addDrive("TST2", "b");
    QSignalSpy spy(mgr, &QDeviceManager::SigDevChange);
    QVERIFY(!mgr->getSelectServo());
    QVERIFY(mgr->setSelect("a"));
    QVERIFY(mgr->setSelect("a")); // no change, no signal
    QVERIFY(!mgr->setSelect("nobody"));
    QVERIFY(mgr->setSelect("b"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("b"));
    QCOMPARE(mgr->getSelectServo()->getAxisNum(), 2);
    QCOMPARE(mgr->getSelect()->getAliasName(), QStringLiteral("b"));
}

void tst_QDeviceManager::removingTheSelectedDevice()
{
    QDeviceManager* mgr = QProjectCore::self()->getDevMgr();
    QTestHost::addDrive("TST1", "a");
    QTestHost::addDrive("TST1", "b");
    mgr->setSelect("a");
    QSignalSpy deleted(mgr, &QDeviceManager::SigDelDev);
    QSignalSpy changed(mgr, &QDeviceManager::SigDevChange);
    QSignalSpy removed(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigRemoveDevice);
    QVERIFY(mgr->removeDevice("b"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(mgr->removeDevice("a"));
    QVERIFY(!mgr->removeDevice("a"));
    QCOMPARE(deleted.count(), 2);
    QCOMPARE(deleted.at(1).at(0).toString(), QStringLiteral("a"));
    QCOMPARE(removed.count(), 1); // only the selected drive empties the pages
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.at(0).at(0).toString().isEmpty());
    QVERIFY(!mgr->getSelectServo());
}

void tst_QDeviceManager::aliasesAreUnique()
{
    QDeviceServo* first = QTestHost::addDrive("TST1");
    QDeviceServo* second = QTestHost::addDrive("TST1");
    QCOMPARE(first->getAliasName(), QStringLiteral("TST1"));
    QCOMPARE(second->getAliasName(), QStringLiteral("TST1_2"));
}

void tst_QDeviceManager::enumeratedTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    const QString items = "0:Off\n3:Slow\n5:Fast";
    QTest::newRow("whole item") << "3:Slow" << 1;
    QTest::newRow("label") << "Fast" << 2;
    QTest::newRow("value") << "0" << 0;
    QTest::newRow("value with wide colon") << QString::fromUtf8("5\xEF\xBC\x9A Fast") << 2;
    QTest::newRow("missing value") << "4" << -1;
    QTest::newRow("nothing") << "" << -1;
}

void tst_QDeviceManager::enumeratedTexts()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    const QString items = "0:Off\n3:Slow\n5:Fast";
    QCOMPARE(QDeviceManager::getRefIndex(items, text), position);
    if (position >= 0) {
        QCOMPARE(QDeviceManager::getRefIndex(items, QDeviceManager::getRefStr(items, position)), position);
    }
    QVERIFY(QDeviceManager::getRefStr(items, 3).isEmpty());
}

void tst_QDeviceManager::nodeIdRoundTrips_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("subId");
    QTest::addColumn<int>("seq");
    QTest::newRow("function codes") << 0 << 321 << 0;
    QTest::newRow("faults of all") << 0 << 403 << -1;
    QTest::newRow("other type") << 3 << 402 << 17;
}

void tst_QDeviceManager::nodeIdRoundTrips()
{
    QFETCH(int, type);
    QFETCH(int, subId);
    QFETCH(int, seq);
    const QNodeID id(QNodeID(type, subId, seq).toInt());
    QCOMPARE(id.type(), type);
    QCOMPARE(id.subId(), subId);
    QCOMPARE(id.sequentialIndex(), seq);
}

QTEST_MAIN(tst_QDeviceManager)
#include "tst_QDeviceManager.moc"
