// Writing a map of records into one drive, reading it back and comparing: the verdict and what failed,
// progress, a drive that went away, notices of other drives or after the end, and stopping.

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QServoBatchTransfer.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

namespace {
tagExportFuncodePtr_Servo record(const QString& number, qint64 raw)
{
    auto r = tagExportFuncodePtr_Servo::create();
    r->funIndex = number;
    r->axisNum = 1;
    r->curValue = {{raw, raw, raw}};
    return r;
}

// P2.00 and every writable limit code of the test model (P10.00 - P10.119): two blocks, on X.
QMap<QString, tagExportFuncodePtr_Servo> limits(qint64 raw)
{
    QMap<QString, tagExportFuncodePtr_Servo> map{{"P2.00", record("P2.00", 300)}};
    for (int i = 0; i < 120; ++i) {
        const QString number = QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
        map.insert(number, record(number, raw));
    }
    return map;
}

} // namespace

class tst_QServoBatchTransfer : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QPointer<QSimulatedDriveLink> m_link; // gone with a removed drive
    std::unique_ptr<QServoBatchTransfer> m_transfer;

    // What happens to the drive once the first block is acknowledged.
    void afterTheFirstBlock(const QString& situation)
    {
        if (!QStringList{"changed", "gone", "removed", "back", "again"}.contains(situation)) {
            return;
        }
        auto replies = std::make_shared<int>(0);
        connect(QSignalManager::self(), &QSignalManager::sigWriteReply, m_link, [this, situation, replies]() {
            if (situation == "changed") {
                m_link->setRawValue("P10.07", 0, 1); // something inside the drive changes it
            } else if (++*replies > 1) {
                return;
            } else if (situation == "removed") {
                QTimer::singleShot(0, m_link, []() { QDeviceManager::self()->removeDevice("axis1"); });
            } else {
                m_link->setOnline(false);
                if (situation == "back") {
                    QTimer::singleShot(QServoBatchTransfer::vanishWaitMs() / 3, m_link,
                                       [this]() { m_link->setOnline(true); });
                }
            }
        });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QServoBatchTransfer::setVanishWaitMs(300);
    }

    void init()
    {
        m_device = QTestHost::addDrive("TST3", "axis1");
        m_link = QTestHost::link("axis1");
        QVERIFY(m_device && m_link);
        m_transfer = std::make_unique<QServoBatchTransfer>();
    }

    void cleanup()
    {
        m_transfer.reset();
        QTestHost::clearProject();
        QTRY_VERIFY(!QServoBatchTransfer::isVanishWaitPending());
    }

    void verdict_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<int>("failed");   // codes
        QTest::addColumn<QString>("sent"); // "" nothing, "w" written, "wr" written and read back
        QTest::newRow("every value arrives") << "" << true << 0 << "wr";
        QTest::newRow("a value reads back different") << "changed" << false << 1 << "wr";
        QTest::newRow("a code the drive cannot take") << "unknown" << false << 1 << "wr";
        QTest::newRow("nothing the drive can take") << "only unknown" << false << 1 << "";
        QTest::newRow("drive refuses writes") << "oscilloscope" << false << 121 << "";
        QTest::newRow("drive offline") << "offline" << false << 121 << "";
        // A drive that goes away is waited for; the wait is not started again when it is lost again.
        QTest::newRow("vanished drive stays offline") << "gone" << false << 121 << "w";
        QTest::newRow("vanished drive removed") << "removed" << false << 121 << "w";
        QTest::newRow("vanished drive back within the wait") << "back" << true << 0 << "wr";
        QTest::newRow("vanished drive lost again during the wait") << "again" << false << 121 << "w";
    }

    void verdict()
    {
        QFETCH(QString, situation);
        QFETCH(bool, succeeded);
        QFETCH(int, failed);
        QFETCH(QString, sent);
        QMap<QString, tagExportFuncodePtr_Servo> map =
            situation == "only unknown" ? QMap<QString, tagExportFuncodePtr_Servo>() : limits(400);
        if (situation.contains("unknown")) {
            map.insert("X9.99", record("X9.99", 1));
        }
        afterTheFirstBlock(situation);
        m_device->setOsciRunning(situation == "oscilloscope");
        m_link->setOnline(situation != "offline");
        m_link->resetCounters();
        QSignalSpy finished(m_transfer.get(), &QServoBatchTransfer::finished);
        QSignalSpy progress(m_transfer.get(), &QServoBatchTransfer::progressChanged);
        QVERIFY(m_transfer->start("axis1", map, true, 0));
        if (sent == "w") {
            QTRY_VERIFY(QServoBatchTransfer::isVanishWaitPending());
            QVERIFY(!m_transfer->isFinished());
        }
        if (situation == "again") {
            // A wait started now would last a minute.
            QServoBatchTransfer::setVanishWaitMs(60000);
            emit QSignalManager::self()->SigDevStatus("axis1", 1, QString());
            QServoBatchTransfer::setVanishWaitMs(300);
        }
        QVERIFY(finished.size() == 1 || finished.wait(5000));
        QCOMPARE(finished.first().first().toBool(), succeeded);
        QCOMPARE(m_transfer->failedFuncodes().size(), failed);
        QCOMPARE(m_transfer->errorText().isEmpty(), !sent.isEmpty() || situation.contains("unknown"));
        QVERIFY(!m_link || (m_link->writeRequestCount() > 0) == !sent.isEmpty());
        QVERIFY(!m_link || (m_link->readRequestCount() > 0) == (sent == "wr"));
        if (situation == "changed") {
            QCOMPARE(m_transfer->mismatches().size(), 1);
            const QServoBatchTransfer::Mismatch m = m_transfer->mismatches().first();
            QCOMPARE(m.funIndex, QString("P10.07"));
            QCOMPARE(m.written, qint64(400));
            QCOMPARE(m.current, qint64(1));
            QVERIFY(m.transferred);
        }
        if (sent == "wr") {
            // Every register written and read back, each acknowledged block counted once.
            const int total = m_transfer->total();
            QCOMPARE(progress.first(), (QVariantList{0, total}));
            QCOMPARE(progress.last(), (QVariantList{total, total}));
            QCOMPARE(m_device->getCurValue("P10.119", 0), qint64(400));
        }
    }

    void noticesOfAnotherDriveOrAfterTheEndChangeNothing_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<int>("notice");
        for (const QString& alias : {QString("axis2"), QString("axis1")}) {
            const QString when = alias == "axis2" ? "another drive: " : "after the end: ";
            QTest::addRow("%swrite reply", qPrintable(when)) << alias << 0;
            QTest::addRow("%swrite finished", qPrintable(when)) << alias << 1;
            QTest::addRow("%sread reply", qPrintable(when)) << alias << 2;
            QTest::addRow("%sread finished", qPrintable(when)) << alias << 3;
        }
        QTest::newRow("another drive: gone") << "axis2" << 4;
    }

    void noticesOfAnotherDriveOrAfterTheEndChangeNothing()
    {
        QFETCH(QString, alias);
        QFETCH(int, notice);
        QTestHost::addDrive("TST3", "axis2");
        QSignalSpy finished(m_transfer.get(), &QServoBatchTransfer::finished);
        m_transfer->start("axis1", limits(300), true, 0);
        QVERIFY(alias == "axis2" || finished.wait());
        QSignalSpy progress(m_transfer.get(), &QServoBatchTransfer::progressChanged);
        const QList<std::function<void()>> notices{
            [&]() { emit QSignalManager::self()->sigWriteReply(alias, 0, 50, true, 0); },
            [&]() { emit QSignalManager::self()->sigWriteFinished(alias, 0); },
            [&]() { emit QSignalManager::self()->sigReadReply(alias, 0, 50, true); },
            [&]() { emit QSignalManager::self()->sigReadFinished(alias, 0); },
            [&]() { emit QSignalManager::self()->SigDevStatus(alias, 1, QString()); }};
        notices.at(notice)();
        QCOMPARE(progress.size(), 0);
        QCOMPARE(finished.size(), alias == "axis1" ? 1 : 0);
        QVERIFY(!QServoBatchTransfer::isVanishWaitPending());
        QVERIFY(finished.size() == 1 || finished.wait());
        QCOMPARE(finished.first().first().toBool(), true);
    }

    // Every block after the first refused one would be refused too: the drive gets no more of them.
    void aDriveRefusingEveryWriteGetsNoMoreBlocks()
    {
        QMap<QString, tagExportFuncodePtr_Servo> map = limits(400);
        for (const tagExportFuncodePtr_Servo& r : qAsConst(map)) {
            r->axisNum = 3; // six blocks
        }
        connect(QSignalManager::self(), &QSignalManager::sigWriteReply, m_link, [this]() {
            QDriveFaultSwitches refusing;
            refusing.refuseWrites = true;
            refusing.refuseReason = "Servo enabled";
            m_link->setFaultSwitches(refusing);
        });
        m_link->resetCounters();
        QSignalSpy finished(m_transfer.get(), &QServoBatchTransfer::finished);
        QVERIFY(m_transfer->start("axis1", map, true, 0));
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(m_link->writeRequestCount(), 2);
        QCOMPARE(m_transfer->errorText(), QString("Servo enabled"));
        QCOMPARE(m_transfer->failedFuncodes().size(), 121);
    }

    void stopEndsTheRunWithoutAVerdict()
    {
        QSignalSpy finished(m_transfer.get(), &QServoBatchTransfer::finished);
        connect(QSignalManager::self(), &QSignalManager::sigWriteReply, m_transfer.get(),
                [this]() { m_transfer->stop(); });
        m_transfer->start("axis1", limits(300), true, 0);
        QTRY_VERIFY(m_transfer->isFinished());
        QVERIFY(!m_device->batchEngine()->isBusy());
        QCOMPARE(finished.size(), 0);
        // Nothing was read back: every value counts as not confirmed; what was written is recorded.
        QCOMPARE(m_transfer->mismatches().size(), 121);
        QVERIFY(!m_transfer->mismatches().first().transferred);
        const tagServoBufInfo first = m_device->getWriteTaskMap().first().first();
        QVERIFY(m_device->isParamUnsaved(first.funIndex, first.axis));
    }
};

QTEST_MAIN(tst_QServoBatchTransfer)
#include "tst_QServoBatchTransfer.moc"
