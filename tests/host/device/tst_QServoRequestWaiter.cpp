#include "QServoRequestWaiter.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

const int kWaitMs = 2000;
const int kShortWaitMs = 40;

// Sending a request on a drive's link and waiting for its own answer, as a write, its read-back, saving,
// clearing faults and a batch read do.
class tst_QServoRequestWaiter : public QObject
{
    Q_OBJECT

    QPointer<QSimulatedDriveLink> m_link;
    QPointer<QServoRequestWaiter> m_waiter;

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_link = new QSimulatedDriveLink(QTestHost::testModel(3));
        m_link->setTimeout(0);
        m_link->setFrozen(true);
        m_link->setRawValue("P00.02", 1, 1234);
        m_waiter = new QServoRequestWaiter(m_link);
    }

    void cleanup()
    {
        delete m_waiter;
        delete m_link;
    }

    void waitGivesTheOutcomeOfItsRequest_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("values");
        QTest::newRow("answered") << "" << int(QDriveLink::LINK_OK) << 2;
        QTest::newRow("answered inside the request call") << "inside" << int(QDriveLink::LINK_OK) << 2;
        QTest::newRow("answer lost") << "drop" << int(QDriveLink::LINK_ERR_TIMEOUT) << 0;
        QTest::newRow("drive offline") << "offline" << int(QDriveLink::LINK_ERR_OFFLINE) << 2;
        QTest::newRow("aborted") << "abort" << int(QDriveLink::LINK_ERR_OFFLINE) << 0;
        QTest::newRow("link deleted") << "delete link" << int(QDriveLink::LINK_ERR_OFFLINE) << 0;
        QTest::newRow("waiter deleted") << "delete waiter" << int(QDriveLink::LINK_ERR_OFFLINE) << 0;
    }

    void waitGivesTheOutcomeOfItsRequest()
    {
        QFETCH(QString, event);
        QFETCH(int, error);
        QFETCH(int, values);
        QDriveFaultSwitches switches;
        switches.dropEvery = event == "drop" || event == "inside" ? 1 : 0; // inside: only the early answer
        switches.offlineAfter = event == "offline" ? 0 : -1;
        m_link->setFaultSwitches(switches);
        m_link->setReplyDelay(event.startsWith("delete") || event == "abort" ? kWaitMs : 0);
        QTimer::singleShot(0, this, [this, event]() {
            if (event == "abort") {
                m_waiter->abort();
            } else if (event.startsWith("delete")) {
                delete (event == "delete link" ? static_cast<QObject*>(m_link) : m_waiter);
            }
        });
        const QDriveValueList items{QDriveValueItem("P00.01", 0), QDriveValueItem("P00.02", 1)};
        // A link may answer inside the request call, before the waiter knows the request's id.
        const auto send = [this, &items, event]() {
            const quint32 id = m_link->requestRead(items);
            if (event == "inside") {
                emit m_link->readFinished(id, {items.first(), QDriveValueItem("P00.02", 1, 1234)});
            }
            return id;
        };
        QDriveValueList answer;
        QCOMPARE(
            m_waiter->request(send, event == "drop" || event == "inside" ? kShortWaitMs : kWaitMs, &answer),
            error);
        QCOMPARE(answer.size(), values);
        QVERIFY(error != QDriveLink::LINK_OK || answer.at(1).value == 1234);
        QVERIFY(!m_waiter || m_waiter->keptAnswerCount() == 0);
    }

    // An answer that comes after its wait timed out is never taken for a later request, and is not kept.
    void lateAnswerIsNotTakenForALaterRequest()
    {
        QDriveFaultSwitches switches;
        switches.lateEvery = 1;
        switches.lateByMs = 3 * kShortWaitMs;
        m_link->setFaultSwitches(switches);
        QCOMPARE(m_waiter->read({QDriveValueItem("P00.01", 0)}, kShortWaitMs),
                 int(QDriveLink::LINK_ERR_TIMEOUT));
        m_link->setFaultSwitches(QDriveFaultSwitches());
        m_link->setReplyDelay(6 * kShortWaitMs); // the late answer comes during the next wait
        QDriveValueList answer;
        QCOMPARE(m_waiter->read({QDriveValueItem("P00.02", 1)}, kWaitMs, &answer), int(QDriveLink::LINK_OK));
        QCOMPARE(answer.size(), 1);
        QCOMPARE(answer.first().funIndex, QString("P00.02"));
        QCOMPARE(m_waiter->keptAnswerCount(), 0);
    }

    // A wait started while another runs: each ends with its own answer.
    void nestedWaitsEachGetTheirAnswer()
    {
        m_link->setReplyDelay(20);
        int inner = -1;
        QTimer::singleShot(0, this, [this, &inner]() {
            inner = m_waiter->request([this]() { return m_link->requestSaveAll(0); }, kWaitMs);
        });
        QDriveValueList answer;
        QCOMPARE(m_waiter->write({QDriveValueItem("P00.02", 0, 7)}, kWaitMs, &answer),
                 int(QDriveLink::LINK_OK));
        QCOMPARE(answer.first().funIndex, QString("P00.02"));
        QCOMPARE(inner, int(QDriveLink::LINK_OK));
        QCOMPARE(m_link->rawValue("P00.02", 0), 7);
        QCOMPARE(m_waiter->keptAnswerCount(), 0);
    }
};

QTEST_MAIN(tst_QServoRequestWaiter)
#include "tst_QServoRequestWaiter.moc"
