#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QTestHost.h"

#include <QtTest>

class tst_QDeviceManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void cleanup() { QTestHost::clearProject(); }

    void selectionSignalsAndUniqueAliases()
    {
        QCOMPARE(QTestHost::addDrive("TST1")->getAliasName(), QString("TST1"));
        QCOMPARE(QTestHost::addDrive("TST2")->getAliasName(), QString("TST2"));
        QCOMPARE(QTestHost::addDrive("TST1")->getAliasName(), QString("TST1_2"));
        QSignalSpy spy(mgr(), &QDeviceManager::SigDevChange);
        QVERIFY(!mgr()->getSelectServo());
        QVERIFY(mgr()->setSelect("TST1"));
        QVERIFY(mgr()->setSelect("TST1")); // no change, no signal
        QVERIFY(!mgr()->setSelect("nobody"));
        QVERIFY(mgr()->setSelect("TST2"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toString(), QString("TST2"));
        QCOMPARE(mgr()->getSelectServo()->getAxisNum(), 2);
    }

    void removingTheSelectedDevice()
    {
        QTestHost::addDrive("TST1", "a");
        QTestHost::addDrive("TST1", "b");
        mgr()->setSelect("a");
        QSignalSpy deleted(mgr(), &QDeviceManager::SigDelDev);
        QSignalSpy changed(mgr(), &QDeviceManager::SigDevChange);
        QSignalSpy removed(QSignalManager::self(), &QSignalManager::SigRemoveDevice);
        QVERIFY(mgr()->removeDevice("b"));
        QCOMPARE(changed.count(), 0);
        QVERIFY(mgr()->removeDevice("a"));
        QVERIFY(!mgr()->removeDevice("a"));
        QCOMPARE(deleted.count(), 2);
        QCOMPARE(deleted.at(1).at(0).toString(), QString("a"));
        QCOMPARE(removed.count(), 1); // only the selected drive empties the pages
        QCOMPARE(changed.count(), 1);
        QVERIFY(changed.at(0).at(0).toString().isEmpty());
        QVERIFY(!mgr()->getSelectServo());
    }

    void enumeratedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("whole item") << "3:Slow" << 1;
        QTest::newRow("label") << "Fast" << 2;
        QTest::newRow("value") << "0" << 0;
        QTest::newRow("value with wide colon") << QString::fromUtf8("5\xEF\xBC\x9A Fast") << 2;
        QTest::newRow("missing value") << "4" << -1;
        QTest::newRow("nothing") << "" << -1;
    }

    void enumeratedTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        const QString items = "0:Off\n3:Slow\n5:Fast";
        QCOMPARE(QDeviceManager::getRefIndex(items, text), position);
        if (position >= 0) {
            QCOMPARE(QDeviceManager::getRefIndex(items, QDeviceManager::getRefStr(items, position)),
                     position);
        }
        QVERIFY(QDeviceManager::getRefStr(items, 3).isEmpty());
    }

private:
    static QDeviceManager* mgr() { return QProjectCore::self()->getDevMgr(); }
    QString m_error;
};

QTEST_MAIN(tst_QDeviceManager)
#include "tst_QDeviceManager.moc"
