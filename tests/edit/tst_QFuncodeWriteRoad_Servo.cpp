#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "QRecordDB_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QStatistics.h"
#include "QTestHost.h"

#include <QtTest>

using Road = QFuncodeWriteRoad_Servo;

// The one road of every edit: rules on the raw value, the write and its read-back, the comparison with
// what was asked, and the bookkeeping (record, statistics event, unsaved mark, reason of a refusal),
// against a simulated drive that refuses, answers late or is offline.
class tst_QFuncodeWriteRoad_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

    static QList<tagModifyFuncode_Servo> records()
    {
        return QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("drive");
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addSelectedDrive("TST3", "drive");
        m_link = QTestHost::link("drive");
        QVERIFY(m_device && m_link && QTestHost::readAll(m_device));
        QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes("drive");
        QDatabaseManager::self()->getStatisticsDatabase()->clearDevice("drive");
        m_link->resetCounters();
    }

    void cleanup() { QTestHost::clearProject(); }

    void edit_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("drive"); // "", "refuses", "offline"
        QTest::addColumn<int>("outcome");   // anything but a refusal is sent
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("reason"); // part of it; empty: none
        const auto row = [](const char* name, const QString& funIndex, const QVariant& value,
                            const QString& drive, int outcome, const QString& shown,
                            const QString& reason = QString()) {
            QTest::newRow(name) << funIndex << value << drive << outcome << shown << reason;
        };
        row("taken", "P00.02", 1500.0, "", Road::OUTCOME_DONE, "1500");
        row("decimal, converted once", "P00.01", 3.25, "", Road::OUTCOME_DONE, "3.25");
        row("the value it holds", "P00.02", 3000, "", Road::OUTCOME_DONE, "3000");
        // Which values the rules refuse: tst_QDeviceServo::writeRefusals; one refusal shows the road's way.
        row("out of range", "P00.01", 30.01, "", Road::OUTCOME_REFUSED, "2.80", "range");
        row("not a number", "P00.02", "fast", "", Road::OUTCOME_REFUSED, "3000", "range");
        row("offline", "P00.02", 1500, "offline", Road::OUTCOME_REFUSED, "3000", "offline");
        row("the drive refuses", "P00.02", 1500, "refuses", Road::OUTCOME_FAILED, "3000",
            "Servo enabled: parameters are locked");
    }

    // A change the drive holds is recorded once (record, statistics event, unsaved mark); anything else
    // leaves no trace but its reason, said on the hub.
    void edit()
    {
        QFETCH(QString, funIndex);
        QFETCH(QVariant, value);
        QFETCH(QString, drive);
        QFETCH(int, outcome);
        QFETCH(QString, shown);
        QFETCH(QString, reason);
        QDriveFaultSwitches switches;
        switches.refuseWrites = drive == "refuses";
        switches.refuseReason = "Servo enabled: parameters are locked";
        m_link->setFaultSwitches(switches);
        m_link->setOnline(drive != "offline");
        m_link->resetCounters();
        QSignalSpy failed(QSignalManager::self(), &QSignalManager::SigFuncodeWriteFailed);
        const Road::Result result = Road::self()->writeEditorValue(m_device, funIndex, 1, value);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(m_link->writeRequestCount(), outcome == Road::OUTCOME_REFUSED ? 0 : 1);
        QCOMPARE(m_device->lastGoodValueStr(funIndex, 1), shown);
        const bool changed =
            outcome == Road::OUTCOME_DONE && shown != m_device->getScaledDefaultValueStr(funIndex, 1);
        QCOMPARE(result.changed, changed);
        QCOMPARE(records().size(), changed ? 1 : 0);
        QCOMPARE(QDatabaseManager::self()->getStatisticsDatabase()->eventCount("drive", funIndex),
                 changed ? 1 : 0);
        QCOMPARE(m_device->isParamUnsaved(funIndex, 1), changed);
        QCOMPARE(failed.count(), reason.isEmpty() ? 0 : 1);
        QVERIFY2(result.reason.contains(reason, Qt::CaseInsensitive), qPrintable(result.reason));
        if (!reason.isEmpty()) {
            QCOMPARE(failed.first().at(3).toString(), result.reason);
        }
    }

    void recordChange_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("online");
        QTest::addColumn<QStringList>("texts"); // old and new as a page saw them, then as stored
        QTest::newRow("hexadecimal") << "P00.04" << false << QStringList{"FF", "100", "255", "256"};
        QTest::newRow("hexadecimal with prefix")
            << "P00.04" << false << QStringList{"0x00FF", "0x0100", "255", "256"};
        // Beyond the 32-bit signed range: still decimal, never the hexadecimal text.
        QTest::newRow("hexadecimal old value 0xFFFFFFFF")
            << "P00.04" << false << QStringList{"FFFFFFFF", "10", "4294967295", "16"};
        QTest::newRow("enumerated by position")
            << "P00.00" << false << QStringList{"1:Motor B 400W", "5:Motor D 1kW", "1", "3"};
        QTest::newRow("decimal as shown") << "P00.01" << false << QStringList{"2.80", "3.10", "2.80", "3.10"};
        QTest::newRow("online drive") << "P00.01" << true << QStringList{"2.80", "3.10", "2.80", "3.10"};
    }

    // A change as a page saw it is stored with hexadecimal and enumerated values as numbers, stamped by
    // the drive's clock, or by the local one while the drive is offline.
    void recordChange()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, online);
        QFETCH(QStringList, texts);
        m_link->setOnline(online);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QSignalSpy recorded(Road::self(), &Road::sigChangeRecorded);
        Road::self()->recordChange(m_device, m_device->getFuncodePtrByFunIndex(funIndex), 2, texts.at(0),
                                   texts.at(1));
        QCOMPARE(records().size(), 1);
        QCOMPARE(recorded.count(), 1);
        const tagModifyFuncode_Servo record = records().first();
        QCOMPARE(record.funIndex, funIndex);
        QCOMPARE(record.axisIndex, 2);
        QCOMPARE(QStringList({record.oldVal, record.newVal}), texts.mid(2));
        const QDateTime stamped = QDateTime::fromString(record.strTime, "yyyy-MM-dd hh:mm:ss");
        if (online) {
            QCOMPARE(stamped.toSecsSinceEpoch(), qint64(m_device->getSortedModifyTime()));
        } else {
            QVERIFY(stamped >= before.addSecs(-1) && stamped <= QDateTime::currentDateTime().addSecs(1));
        }
    }

    // An edit that moves related codes stores their values before and after with the change.
    void relatedValuesAreRecorded()
    {
        QVERIFY(Road::self()->writeEditorValue(m_device, "P00.00", 0, 3).changed);
        const tagModifyFuncode_Servo record = records().value(0);
        QCOMPARE(record.relateParamMap.value("P00.01"),
                 qMakePair(QStringLiteral("2.80"), QStringLiteral("4.50")));
        QCOMPARE(record.relateParamMap.value("P00.02"),
                 qMakePair(QStringLiteral("3000"), QStringLiteral("2500")));
    }

    void restore_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<QString>("oldText"); // as the records page shows it
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("reason"); // empty: restored
        QTest::newRow("restored") << "P00.02" << QString("1200") << true << "";
        QTest::newRow("the drive holds it") << "P00.02" << QString("3000") << true << "already holds";
        QTest::newRow("out of range now") << "P00.01" << QString("45.00") << true << "outside the range";
        QTest::newRow("offline") << "P00.02" << QString("1200") << false << "offline";
        QTest::newRow("no old value") << "P00.02" << QString("null") << true << "no old value";
    }

    // The old value of a record goes back into the drive as a new change, or is refused with the reason.
    void restore()
    {
        QFETCH(QString, funIndex);
        QFETCH(QString, oldText);
        QFETCH(bool, online);
        QFETCH(QString, reason);
        m_link->setOnline(online);
        const Road::Result result = Road::self()->restoreShown(m_device, funIndex, 2, oldText);
        QCOMPARE(result.isDone(), reason.isEmpty());
        QVERIFY2(result.reason.contains(reason, Qt::CaseInsensitive), qPrintable(result.reason));
        QCOMPARE(m_link->writeRequestCount(), reason.isEmpty() ? 1 : 0);
        QCOMPARE(records().size(), reason.isEmpty() ? 1 : 0);
    }

    // The answer of the write does not come in time: the edit is not known, the road reads the code
    // again, and once the drive answers, the change it took is recorded and marked unsaved. Meanwhile the
    // drive shows as not answering.
    void lateWriteIsSettledWhenTheDriveAnswers()
    {
        m_device->setCommuParams([this] {
            QCommuParams p = m_device->getCommuParams();
            p.timeoutMs = 30;
            return p;
        }());
        m_link->setTimeout(30);
        m_link->setReplyDelay(200);
        Road::self()->setRetryInterval(50);
        QSignalSpy settled(Road::self(), &Road::sigWriteSettled);
        const Road::Result result = Road::self()->writeEditorValue(m_device, "P00.02", 0, 1500.0);
        QCOMPARE(result.outcome, int(Road::OUTCOME_NOT_KNOWN));
        QCOMPARE(m_link->rawValue("P00.02", 0), 1500); // it did reach the drive
        QCOMPARE(records().size(), 0);
        QTRY_COMPARE(m_device->deviceStatus(), int(QDeviceServo::DEVICE_NOT_ANSWERING));
        m_link->setReplyDelay(0);
        QTRY_COMPARE(settled.count(), 1);
        QCOMPARE(settled.first().at(3).toInt(), int(Road::OUTCOME_DONE));
        QCOMPARE(records().size(), 1);
        QVERIFY(m_device->isParamUnsaved("P00.02", 0));
        QCOMPARE(m_device->deviceStatus(), int(QDeviceServo::DEVICE_ONLINE));
        QCOMPARE(Road::self()->unsettledCount(), 0);
    }
};

QTEST_MAIN(tst_QFuncodeWriteRoad_Servo)
#include "tst_QFuncodeWriteRoad_Servo.moc"
