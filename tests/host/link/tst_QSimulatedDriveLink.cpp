#include "LinkAnswer.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

typedef QList<int> Errors;
Q_DECLARE_METATYPE(Errors)

const int kTimeoutMs = 60;
const int kLateByMs = 200;

class tst_QSimulatedDriveLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        m_link = std::make_unique<QSimulatedDriveLink>(QTestHost::testModel(3));
        m_link->setReplyDelay(0);
        m_link->setTimeout(kTimeoutMs);
        m_link->setFrozen(true);
    }

    void switchesShapeReplies_data()
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

    void switchesShapeReplies()
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
            // The answer must be this read's own.
            const QString code = QStringLiteral("P00.0%1").arg(i);
            const QDriveValueList items = LinkAnswer::ask(m_link.get(), {QDriveValueItem(code, 1)});
            seen.append(items.size() == 1 && items.first().funIndex == code ? items.first().error : -1);
        }
        QCOMPARE(seen, errors);
        // Late answers that come now are thrown away.
        QSignalSpy spy(m_link.get(), &QDriveLink::readFinished);
        QTest::qWait(kLateByMs);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(m_link->pendingRequestCount(), 0);
    }

    // A failing code fails alone, in reads and writes; a drive that refuses writes says why and still answers
    // reads. (How the reason reaches the person: the batch-download suite.)
    void refusalsKeepTheValue_data()
    {
        QTest::addColumn<bool>("refuseWrites");
        QTest::addColumn<bool>("write");
        QTest::addColumn<Errors>("errors");
        const int ok = QDriveLink::LINK_OK;
        const int refused = QDriveLink::LINK_ERR_REFUSED;
        QTest::newRow("failing code, read") << false << false << Errors{ok, refused, ok};
        QTest::newRow("failing code, write") << false << true << Errors{ok, refused, ok};
        QTest::newRow("refused writes") << true << true << Errors{refused, refused, refused};
        QTest::newRow("reads of a drive refusing writes") << true << false << Errors{ok, ok, ok};
    }

    void refusalsKeepTheValue()
    {
        QFETCH(bool, refuseWrites);
        QFETCH(bool, write);
        QFETCH(Errors, errors);
        QDriveFaultSwitches switches;
        switches.failCode = refuseWrites ? QString() : QStringLiteral("P00.02");
        switches.refuseWrites = refuseWrites;
        switches.refuseReason = QStringLiteral("Servo enabled");
        m_link->setFaultSwitches(switches);
        const QDriveValueList answer =
            LinkAnswer::ask(m_link.get(),
                            {QDriveValueItem("P00.01", 0, 300), QDriveValueItem("P00.02", 0, 1500),
                             QDriveValueItem("P00.03", 0, 1)},
                            write);
        Errors seen;
        for (const QDriveValueItem& item : answer) {
            seen << item.error;
        }
        QCOMPARE(seen, errors);
        QCOMPARE(m_link->rawValue("P00.02", 0), qint64(3000)); // untouched
        QCOMPARE(m_link->refusalReason(), refuseWrites ? switches.refuseReason : QString());
    }

    void coreChecksWrites_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("axis");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("in range") << "P00.02" << 2 << qint64(6000) << int(QDriveLink::LINK_OK);
        QTest::newRow("above maximum") << "P00.02" << 0 << qint64(6001) << int(QDriveLink::LINK_ERR_RANGE);
        QTest::newRow("below signed minimum")
            << "P00.11" << 0 << qint64(-1001) << int(QDriveLink::LINK_ERR_RANGE);
        QTest::newRow("64-bit in range")
            << "P00.13" << 1 << qint64(-1000000000000) << int(QDriveLink::LINK_OK);
        QTest::newRow("read only") << "P00.07" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_READ_ONLY);
        QTest::newRow("set in the factory")
            << "P00.06" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_READ_ONLY);
        QTest::newRow("write only") << "P00.08" << 0 << qint64(1) << int(QDriveLink::LINK_OK);
        QTest::newRow("state code") << "U00.01" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_READ_ONLY);
        QTest::newRow("unknown code") << "P99.01" << 0 << qint64(1) << int(QDriveLink::LINK_ERR_UNKNOWN);
        QTest::newRow("axis the drive lacks")
            << "P00.02" << 3 << qint64(1) << int(QDriveLink::LINK_ERR_UNKNOWN);
    }

    void coreChecksWrites()
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

private:
    std::unique_ptr<QSimulatedDriveLink> m_link;
};

QTEST_MAIN(tst_QSimulatedDriveLink)
#include "tst_QSimulatedDriveLink.moc"
