// Writing one map of records into one drive: the two phases, the verdict after reading back, replies of
// other drives, a second finish, raw values sent as they are or recomputed from the texts, refusals,
// and the wait for a drive that went away.

#include "QDeviceServo.h"
#include "QServoBatchDownloadHelper.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {
tagExportFuncodePtr_Servo record(const QString& number, qint64 raw, const QString& text = QString())
{
    auto r = tagExportFuncodePtr_Servo::create();
    r->funIndex = number;
    r->axisNum = 1;
    r->curValue = {{raw, raw, raw}};
    if (!text.isEmpty()) {
        r->valueTexts = QStringList{text};
    }
    return r;
}

// Every writable limit code of the test model (P10.00 - P10.119) set to the same raw value, on X.
QMap<QString, tagExportFuncodePtr_Servo> limits(qint64 raw)
{
    QMap<QString, tagExportFuncodePtr_Servo> map;
    for (int i = 0; i < 120; ++i) {
        const QString number = QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
        map.insert(number, record(number, raw));
    }
    return map;
}

QSignalManager* hub()
{
    return QSoftCore::getCore()->getSignalManager();
}
} // namespace

class tst_QServoBatchDownloadHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void writesReadsBackAndSucceeds();
    void repliesOfAnotherDriveChangeNothing_data();
    void repliesOfAnotherDriveChangeNothing();
    void secondReadFinishedIsIgnored();
    void rawValuesOrRecomputedTexts_data();
    void rawValuesOrRecomputedTexts();
    void valueReadingBackDifferentFails();
    void refusedOrUnknownDrive();
    void vanishedDriveFailsAfterTheWait();
    void secondLossDuringTheWaitStartsNoTimer();
    void driveBackWithinTheWaitSucceeds();

private:
    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
    QString m_error;
};

void tst_QServoBatchDownloadHelper::initTestCase()
{
    QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error));
    QServoBatchDownloadHelper::setVanishWaitMs(300);
}

void tst_QServoBatchDownloadHelper::init()
{
    m_device = QTestHost::addDrive("TST3", "axis1");
    m_link = QTestHost::link("axis1");
    QVERIFY(m_device && m_link);
    QVERIFY(!QServoBatchDownloadHelper::isVanishWaitPending());
}

void tst_QServoBatchDownloadHelper::cleanup()
{
    QTestHost::clearProject();
    QTRY_VERIFY(!QServoBatchDownloadHelper::isVanishWaitPending());
}

void tst_QServoBatchDownloadHelper::writesReadsBackAndSucceeds()
{
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    QSignalSpy progress(&helper, &QServoBatchDownloadHelper::sigProgressValue);
    helper.startWrite("axis1", limits(500), false);
    QVERIFY(helper.errorText().isEmpty());
    QCOMPARE(progress.first(), (QVariantList{0, 240})); // 120 registers written and read back
    QVERIFY(finished.wait());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(progress.last(), (QVariantList{240, 240}));
    QVERIFY(helper.mismatches().isEmpty());
    QCOMPARE(m_link->rawValue("P10.119", 0), qint64(500));
    QCOMPARE(m_device->getCurValue("P10.119", 0), qint64(500));
    QVERIFY(!m_device->batchEngine()->isBusy());
}

void tst_QServoBatchDownloadHelper::repliesOfAnotherDriveChangeNothing_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("write reply") << 0;
    QTest::newRow("write finished") << 1;
    QTest::newRow("read reply") << 2;
    QTest::newRow("read finished") << 3;
    QTest::newRow("drive gone") << 4;
}

void tst_QServoBatchDownloadHelper::repliesOfAnotherDriveChangeNothing()
{
    QFETCH(int, signal);
    QTestHost::addDrive("TST3", "axis2");
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    QSignalSpy progress(&helper, &QServoBatchDownloadHelper::sigProgressValue);
    helper.startWrite("axis1", limits(300), false);
    switch (signal) {
    case 0:
        emit hub()->sigWriteReply("axis2", 0, 50, true, 0);
        break;
    case 1:
        emit hub()->sigWriteFinished("axis2", 0);
        break;
    case 2:
        emit hub()->sigReadReply("axis2", 0, 50, true);
        break;
    case 3:
        emit hub()->sigReadFinished("axis2", 0);
        break;
    default:
        emit hub()->SigDevStatus("axis2", 1, QString());
        break;
    }
    QCOMPARE(progress.size(), 1);
    QCOMPARE(helper.progress(), 0);
    QCOMPARE(finished.size(), 0);
    QVERIFY(!QServoBatchDownloadHelper::isVanishWaitPending());
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(helper.progress(), helper.total());
}

void tst_QServoBatchDownloadHelper::secondReadFinishedIsIgnored()
{
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    helper.startWrite("axis1", limits(200), false);
    QVERIFY(finished.wait());
    emit hub()->sigReadFinished("axis1", 0);
    emit hub()->sigReadFinished("axis1", 3);
    helper.slotReadFinished("axis1");
    QCOMPARE(finished.size(), 1);
}

void tst_QServoBatchDownloadHelper::rawValuesOrRecomputedTexts_data()
{
    QTest::addColumn<bool>("recompute");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");

    // P00.01 shows two decimals: the text "3.50" is raw 350; the raw value given is 280.
    QTest::newRow("recompute off: raw sent as given") << false << "3.50" << qint64(280);
    QTest::newRow("recompute on: text decides") << true << "3.50" << qint64(350);
    QTest::newRow("recompute on, text unreadable: raw kept") << true << "abc" << qint64(280);
}

void tst_QServoBatchDownloadHelper::rawValuesOrRecomputedTexts()
{
    QFETCH(bool, recompute);
    QFETCH(QString, text);
    QFETCH(qint64, expected);

    QMap<QString, tagExportFuncodePtr_Servo> map{{"P00.01", record("P00.01", 280, text)}};
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    helper.startWrite("axis1", map, recompute);
    QVERIFY(finished.wait());
    QCOMPARE(m_link->rawValue("P00.01", 0), expected);
    QCOMPARE(map.value("P00.01")->curValue[0], qint64(280)); // the caller's records stay as they were
}

void tst_QServoBatchDownloadHelper::valueReadingBackDifferentFails()
{
    // Between writing and reading back, something inside the drive changes P10.07.
    connect(hub(), &QSignalManager::sigWriteFinished, m_link,
            [this]() { m_link->setRawValue("P10.07", 0, 1); });
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    helper.startWrite("axis1", limits(400), false);
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(helper.mismatches().size(), 1);
    const QServoBatchDownloadHelper::Mismatch m = helper.mismatches().first();
    QCOMPARE(m.funIndex, QString("P10.07"));
    QCOMPARE(m.written, qint64(400));
    QCOMPARE(m.current, qint64(1));
    QVERIFY(m.transferred);
}

void tst_QServoBatchDownloadHelper::refusedOrUnknownDrive()
{
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    helper.startWrite("nobody", limits(1), false);
    QVERIFY(!helper.errorText().isEmpty());
    QCOMPARE(finished.size(), 0);

    // The oscilloscope holds the drive: writing is refused at once, nothing is sent.
    m_device->setOsciRunning(true);
    m_link->resetCounters();
    helper.startWrite("axis1", limits(1), false);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(!helper.errorText().isEmpty());
    QCOMPARE(m_link->writeRequestCount(), 0);
    m_device->setOsciRunning(false);
}

void tst_QServoBatchDownloadHelper::vanishedDriveFailsAfterTheWait()
{
    // The drive goes off the bus after the first block and stays away.
    connect(hub(), &QSignalManager::sigWriteReply, m_link, [this]() { m_link->setOnline(false); });
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    QElapsedTimer clock;
    clock.start();
    auto map = limits(100);
    map.insert("P2.00", record("P2.00", 300));
    helper.startWrite("axis1", map, false);
    QTRY_VERIFY(QServoBatchDownloadHelper::isVanishWaitPending());
    QVERIFY(finished.wait(5000));
    QVERIFY(clock.elapsed() >= QServoBatchDownloadHelper::vanishWaitMs());
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(!helper.mismatches().isEmpty());
    QVERIFY(!QServoBatchDownloadHelper::isVanishWaitPending());
    QVERIFY(!m_device->batchEngine()->isBusy());
}

void tst_QServoBatchDownloadHelper::secondLossDuringTheWaitStartsNoTimer()
{
    connect(hub(), &QSignalManager::sigWriteReply, m_link, [this]() { m_link->setOnline(false); });
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    QElapsedTimer clock;
    helper.startWrite("axis1", limits(100), false);
    QTRY_VERIFY(QServoBatchDownloadHelper::isVanishWaitPending());
    clock.start();
    // Half-way through the wait the drive is reported lost again: the wait is not restarted.
    QTest::qWait(QServoBatchDownloadHelper::vanishWaitMs() / 2);
    emit hub()->SigDevStatus("axis1", 1, QString());
    QVERIFY(finished.wait(5000));
    QVERIFY2(clock.elapsed() < QServoBatchDownloadHelper::vanishWaitMs() * 3 / 2 - 20,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(finished.size(), 1);
}

void tst_QServoBatchDownloadHelper::driveBackWithinTheWaitSucceeds()
{
    int replies = 0;
    connect(hub(), &QSignalManager::sigWriteReply, m_link, [this, &replies]() {
        if (++replies == 1) {
            m_link->setOnline(false);
            QTimer::singleShot(QServoBatchDownloadHelper::vanishWaitMs() / 3, m_link,
                               [this]() { m_link->setOnline(true); });
        }
    });
    auto map = limits(100);
    map.insert("P2.00", record("P2.00", 300));
    QServoBatchDownloadHelper helper;
    QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
    helper.startWrite("axis1", map, false);
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.first().first().toBool(), true);
}

QTEST_MAIN(tst_QServoBatchDownloadHelper)
#include "tst_QServoBatchDownloadHelper.moc"
