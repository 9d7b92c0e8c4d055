#include "QServoRequestWaiter.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const int kWaitMs = 2000;
const int kShortWaitMs = 40;
} // namespace

// Waiting for the answer of one request of a drive's link, as a write and its read-back do.
class tst_QServoRequestWaiter : public QObject
{
    Q_OBJECT

    QSimulatedDriveLink* m_link = nullptr;
    QServoRequestWaiter* m_waiter = nullptr;

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    // The device hands the waiter every answer; here the test does.
    void init()
    {
        m_link = new QSimulatedDriveLink(QTestHost::testModel(3));
        m_link->setTimeout(0);
        m_link->setFrozen(true);
        m_waiter = new QServoRequestWaiter(m_link, m_link);
        connect(m_link, &QDriveLink::readFinished, m_waiter,
                [this](quint32 id, const QDriveValueList& items) {
                    m_waiter->finish(id, items.isEmpty() ? QDriveLink::LINK_OK : items.first().error, items);
                });
        connect(
            m_link, &QDriveLink::writeFinished, m_waiter,
            [this](quint32 id, const QDriveValueList& items) { m_waiter->finish(id, items.first().error); });
        connect(m_link, &QDriveLink::commandFinished, m_waiter,
                [this](quint32 id, int error) { m_waiter->finish(id, error); });
    }

    void cleanup()
    {
        delete m_link;
        m_link = nullptr;
    }

    void waitGivesTheOutcomeOfItsRequest_data()
    {
        QTest::addColumn<int>("dropEvery");
        QTest::addColumn<int>("offlineAfter");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("values");
        QTest::newRow("answered") << 0 << -1 << int(QDriveLink::LINK_OK) << 2;
        QTest::newRow("answer lost") << 1 << -1 << int(QDriveLink::LINK_ERR_TIMEOUT) << 0;
        QTest::newRow("drive offline") << 0 << 0 << int(QDriveLink::LINK_ERR_OFFLINE) << 2;
    }

    void waitGivesTheOutcomeOfItsRequest()
    {
        QFETCH(int, dropEvery);
        QFETCH(int, offlineAfter);
        QFETCH(int, error);
        QFETCH(int, values);
        QDriveFaultSwitches switches;
        switches.dropEvery = dropEvery;
        switches.offlineAfter = offlineAfter;
        m_link->setFaultSwitches(switches);
        m_link->setRawValue("P00.02", 1, 1234);
        QDriveValueList answer;
        const int timeout = dropEvery > 0 ? kShortWaitMs : kWaitMs;
        QCOMPARE(
            m_waiter->read({QDriveValueItem("P00.01", 0), QDriveValueItem("P00.02", 1)}, timeout, &answer),
            error);
        QCOMPARE(answer.size(), values);
        if (error == QDriveLink::LINK_OK) {
            QCOMPARE(answer.at(1).value, 1234);
        }
        QCOMPARE(m_waiter->keptAnswerCount(), 0);
    }

    // Answers nobody waits for (no longer, or never) are not kept: they would pile up.
    void onlyAwaitedAnswersAreKept()
    {
        QDriveFaultSwitches switches;
        switches.lateEvery = 1;
        switches.lateByMs = 3 * kShortWaitMs;
        m_link->setFaultSwitches(switches);
        QSignalSpy answers(m_link, &QDriveLink::readFinished);
        QCOMPARE(m_waiter->read({QDriveValueItem("P00.01", 0)}, kShortWaitMs),
                 int(QDriveLink::LINK_ERR_TIMEOUT));
        m_link->requestRead({QDriveValueItem("P00.02", 0)}); // nobody waits for this one
        QTRY_COMPARE(answers.count(), 2);
        QCOMPARE(m_waiter->keptAnswerCount(), 0);

        m_link->setFaultSwitches(QDriveFaultSwitches());
        QCOMPARE(m_waiter->write({QDriveValueItem("P00.02", 0, 7)}, kWaitMs), int(QDriveLink::LINK_OK));
        QCOMPARE(m_waiter->wait(m_link->requestSaveAll(0), kWaitMs), int(QDriveLink::LINK_OK));
        QCOMPARE(m_waiter->keptAnswerCount(), 0);
        QCOMPARE(m_link->rawValue("P00.02", 0), 7);
    }
};

QTEST_MAIN(tst_QServoRequestWaiter)
#include "tst_QServoRequestWaiter.moc"
