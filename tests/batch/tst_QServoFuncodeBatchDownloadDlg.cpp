// Downloading into servo drives: only drives of the source's model are offered, a drive made to fail by
// its fault switches fails alone while the others succeed, Stop ends the running drive and starts no
// other, the motor type goes first, save and reset leave offline drives alone, and a succeeded drive
// compares equal with the source.

#include "ModalAnswer.h"
#include "QBatchTargetModel.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QServoBatchDownloadHelper.h"
#include "QServoFuncodeBatchDownloadDlg.h"
#include "QServoImportFunSelectorWgt.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QStringList kTargets{"d1", "d2", "d3", "d4"};
} // namespace

class tst_QServoFuncodeBatchDownloadDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void onlyDrivesOfTheSourceModelAreOffered();
    void aFailingDriveFailsAlone_data();
    void aFailingDriveFailsAlone();
    void stopEndsTheRunningDriveAndStartsNoOther();
    void motorTypeGoesFirst_data();
    void motorTypeGoesFirst();
    void saveAndResetLeaveOfflineDrivesAlone();
    void succeededDriveComparesEqualWithTheSource();
    void aFileKeepsEachAxis_data();
    void aFileKeepsEachAxis();

private:
    // Reads the source drive "src" (values set apart from the targets') and checks the targets.
    void loadSourceDrive();
    void runBatch();

    QServoFuncodeBatchDownloadDlg* m_dlg = nullptr;
    QString m_error;
};

void tst_QServoFuncodeBatchDownloadDlg::initTestCase()
{
    QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error));
    QServoBatchDownloadHelper::setVanishWaitMs(200);
    QMyMessageBox::setTestHook([](const QMyMessageBox::Call&) { return 1; });
}

void tst_QServoFuncodeBatchDownloadDlg::init()
{
    QTestHost::addSelectedDrive("TST3", "src");
    for (const QString& alias : kTargets) {
        QTestHost::addDrive("TST3", alias);
    }
    QTestHost::addDrive("TST1", "other");
    QSimulatedDriveLink* src = QTestHost::link("src");
    src->setRawValue("P10.05", 0, 77);
    src->setRawValue("P10.06", 1, 66);
    m_dlg = new QServoFuncodeBatchDownloadDlg;
    QMyMessageBox::clearRecordedCalls();
}

void tst_QServoFuncodeBatchDownloadDlg::cleanup()
{
    delete m_dlg;
    m_dlg = nullptr;
    QTestHost::clearProject();
    QTRY_VERIFY(!QServoBatchDownloadHelper::isVanishWaitPending());
}

void tst_QServoFuncodeBatchDownloadDlg::loadSourceDrive()
{
    QVERIFY(m_dlg->funcodeSelectorWidget()->loadDevice("src"));
    // The source drive itself is offered but not checked.
    QBatchTargetModel* targets = m_dlg->targetModel();
    QCOMPARE(targets->checkedAliases(), kTargets);
}

void tst_QServoFuncodeBatchDownloadDlg::runBatch()
{
    QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
    m_dlg->onStart();
    QVERIFY(done.wait(20000));
    QCOMPARE(done.size(), 1);
}

void tst_QServoFuncodeBatchDownloadDlg::onlyDrivesOfTheSourceModelAreOffered()
{
    loadSourceDrive();
    QCOMPARE(m_dlg->targetModel()->aliases(), (QStringList{"d1", "d2", "d3", "d4", "src"}));
    QVERIFY(m_dlg->funcodeSelectorWidget()->loadDevice("other"));
    QCOMPARE(m_dlg->targetModel()->aliases(), QStringList{"other"});
}

void tst_QServoFuncodeBatchDownloadDlg::aFailingDriveFailsAlone_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("logged"); // a text of the failed drive's log lines (empty: it succeeds)
    QTest::newRow("refuses writes") << QString("refuse") << QString("cabinet door open");
    QTest::newRow("one code fails") << QString("code") << QString("P10.05 (X, Y, Z)");
    QTest::newRow("offline after two requests")
        << QString("offline") << QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_DEVICE_LOST");
    // Lost replies are asked again: the drive still gets every value.
    QTest::newRow("drops every third reply") << QString("drop") << QString();
}

void tst_QServoFuncodeBatchDownloadDlg::aFailingDriveFailsAlone()
{
    QFETCH(QString, fault);
    QFETCH(QString, logged);
    loadSourceDrive();
    QDriveFaultSwitches switches;
    switches.refuseWrites = fault == "refuse";
    switches.refuseReason = "cabinet door open";
    switches.failCode = fault == "code" ? "P10.05" : QString();
    switches.offlineAfter = fault == "offline" ? 2 : -1;
    switches.dropEvery = fault == "drop" ? 3 : 0;
    QTestHost::link("d2")->setFaultSwitches(switches);
    QTestHost::link("d2")->setTimeout(100); // a lost reply is given up soon
    runBatch();

    for (const QString& alias : kTargets) {
        const bool fails = alias == "d2" && !logged.isEmpty();
        const int expected = fails ? QBatchTargetModel::RUN_FAILED : QBatchTargetModel::RUN_SUCCEEDED;
        QCOMPARE(m_dlg->targetModel()->runState(alias), expected);
    }
    QCOMPARE(QTestHost::link("d3")->rawValue("P10.05", 0), qint64(77));
    QCOMPARE(QTestHost::link("d4")->rawValue("P10.06", 1), qint64(66));
    const QStringList d2Lines = m_dlg->logLines().filter(QRegularExpression(" d2 "));
    if (logged.isEmpty()) {
        QVERIFY2(d2Lines.isEmpty(), qPrintable(d2Lines.join('\n')));
    } else {
        QVERIFY2(!d2Lines.filter(logged).isEmpty(), qPrintable(d2Lines.join('\n')));
    }
    if (fault == "code") {
        QCOMPARE(m_dlg->logLines().filter("P10.05").size(), 1);
    }
}

void tst_QServoFuncodeBatchDownloadDlg::stopEndsTheRunningDriveAndStartsNoOther()
{
    QTestHost::link("d2")->setReplyDelay(40);
    loadSourceDrive();
    QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
    m_dlg->onStart();
    QTRY_COMPARE_WITH_TIMEOUT(m_dlg->runningAlias(), QString("d2"), 10000);
    m_dlg->onStop();
    QCOMPARE(done.size(), 1);
    QCOMPARE(m_dlg->targetModel()->runState("d1"), int(QBatchTargetModel::RUN_SUCCEEDED));
    QCOMPARE(m_dlg->targetModel()->runState("d2"), int(QBatchTargetModel::RUN_STOPPED));
    QCOMPARE(m_dlg->targetModel()->runState("d3"), int(QBatchTargetModel::RUN_IDLE));
    QDeviceServo* d2 = QProjectCore::self()->getDevMgr()->getDeviceServo("d2");
    QVERIFY(!d2->batchEngine()->isBusy());
    QCOMPARE(m_dlg->helper()->aliasName(), QString("d2"));
    // Nothing is written into the drives after the stopped one.
    QTest::qWait(100);
    QCOMPARE(QTestHost::link("d3")->rawValue("P10.05", 0), qint64(5));
    QCOMPARE(m_dlg->targetModel()->runState("d2"), int(QBatchTargetModel::RUN_STOPPED));
}

void tst_QServoFuncodeBatchDownloadDlg::motorTypeGoesFirst_data()
{
    QTest::addColumn<bool>("d2Refuses");
    QTest::newRow("written first into every drive") << false;
    QTest::newRow("a drive that refuses it is not written") << true;
}

void tst_QServoFuncodeBatchDownloadDlg::motorTypeGoesFirst()
{
    QFETCH(bool, d2Refuses);
    QTestHost::link("src")->setRawValue("P00.00", 0, 3);
    loadSourceDrive();
    if (d2Refuses) {
        QDriveFaultSwitches switches;
        switches.failCode = "P00.00";
        QTestHost::link("d2")->setFaultSwitches(switches);
    }
    runBatch();
    const QStringList lines = m_dlg->logLines();
    QCOMPARE(lines.filter(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_MOTOR_TYPE_FIRST").arg("P00.00"))
                 .size(),
             1);
    QCOMPARE(QTestHost::link("d1")->rawValue("P00.00", 0), qint64(3));
    QCOMPARE(m_dlg->targetModel()->runState("d1"), int(QBatchTargetModel::RUN_SUCCEEDED));
    const QString refused = QServoFuncodeBatchDownloadDlg::tr("STR_MOTOR_TYPE_CHANGED_FAILED");
    QCOMPARE(lines.filter(refused).size(), d2Refuses ? 1 : 0);
    QCOMPARE(m_dlg->targetModel()->runState("d2"),
             int(d2Refuses ? QBatchTargetModel::RUN_FAILED : QBatchTargetModel::RUN_SUCCEEDED));
    // A drive whose motor type could not be set gets none of the other codes.
    QCOMPARE(QTestHost::link("d2")->rawValue("P10.05", 0), qint64(d2Refuses ? 5 : 77));
    QCOMPARE(m_dlg->targetModel()->runState("d3"), int(QBatchTargetModel::RUN_SUCCEEDED));
}

void tst_QServoFuncodeBatchDownloadDlg::saveAndResetLeaveOfflineDrivesAlone()
{
    loadSourceDrive();
    runBatch();
    QTestHost::link("d3")->setOnline(false);
    QTRY_VERIFY(!QProjectCore::self()->getDevMgr()->getDeviceServo("d3")->isDeviceOnline());
    m_dlg->onBatchSaveAndReset(kTargets);
    QCOMPARE(QTestHost::link("d1")->storedValue("P10.05", 0), qint64(77));
    QCOMPARE(QTestHost::link("d4")->storedValue("P10.06", 1), qint64(66));
    QCOMPARE(QTestHost::link("d3")->storedValue("P10.05", 0), qint64(5));
    // Not reset either: a reset would have brought back the stored value.
    QCOMPARE(QTestHost::link("d3")->rawValue("P10.05", 0), qint64(77));
    QCOMPARE(m_dlg->logLines()
                 .filter(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_NOT_SAVED").arg("d3"))
                 .size(),
             1);
    QCOMPARE(m_dlg->logLines()
                 .filter(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_SAVED_AND_RESET").arg("d1"))
                 .size(),
             1);
}

void tst_QServoFuncodeBatchDownloadDlg::succeededDriveComparesEqualWithTheSource()
{
    loadSourceDrive();
    runBatch();
    QCOMPARE(m_dlg->targetModel()->runState("d1"), int(QBatchTargetModel::RUN_SUCCEEDED));
    int all = -1;
    int differing = -1;
    answerModalDialog([&](QDialog* dialog) {
        auto* compare = qobject_cast<QFuncodeCompareDialog_Servo*>(dialog);
        if (compare) {
            all = compare->allRecords().size();
            differing = compare->differingRecords().size();
        }
        dialog->reject();
    });
    m_dlg->onShowCompareFuncode("d1");
    QVERIFY(all > 100);
    QCOMPARE(differing, 0);
}

// A file the export wrote from a three-axis drive (comma-separated or database form) hands every drive
// the value of each axis, and a succeeded drive then compares equal with the file.
void tst_QServoFuncodeBatchDownloadDlg::aFileKeepsEachAxis_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("compare");
    QTest::newRow("comma-separated") << QString("line.csv") << false;
    QTest::newRow("database") << QString("line.funcodeservo") << true;
}

void tst_QServoFuncodeBatchDownloadDlg::aFileKeepsEachAxis()
{
    QFETCH(QString, fileName);
    QFETCH(bool, compare);
    QSimulatedDriveLink* src = QTestHost::link("src");
    src->setRawValue("P10.05", 1, 22);
    src->setRawValue("P10.05", 2, 33);
    QVERIFY(QTestHost::readAll(QProjectCore::self()->getDevMgr()->getDeviceServo("src")));
    const QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
    QCOMPARE(devices.size(), 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QString error;
    const bool written = fileName.endsWith(".csv")
                             ? QFuncodeHelper_Servo::writeFuncodeCsvFile(path, devices.first(), &error)
                             : QFuncodeHelper_Servo::writeFuncodeDatabaseFile(path, devices, &error);
    QVERIFY2(written, qPrintable(error));
    QVERIFY(m_dlg->funcodeSelectorWidget()->loadFile(path));
    // Every drive of the model is a target of a file, the drive it was read from too.
    QCOMPARE(m_dlg->targetModel()->checkedAliases(), (QStringList{"d1", "d2", "d3", "d4", "src"}));
    runBatch();
    for (const QString& alias : kTargets) {
        QCOMPARE(m_dlg->targetModel()->runState(alias), int(QBatchTargetModel::RUN_SUCCEEDED));
        QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 0), qint64(77));
        QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 1), qint64(22));
        QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 2), qint64(33));
        QCOMPARE(QTestHost::link(alias)->rawValue("P10.06", 1), qint64(66));
    }
    if (!compare) {
        return;
    }
    int all = -1;
    int differing = -1;
    answerModalDialog([&](QDialog* dialog) {
        if (auto* compareDialog = qobject_cast<QFuncodeCompareDialog_Servo*>(dialog)) {
            all = compareDialog->allRecords().size();
            differing = compareDialog->differingRecords().size();
        }
        dialog->reject();
    });
    m_dlg->onShowCompareFuncode("d3");
    QVERIFY(all > 100);
    QCOMPARE(differing, 0);
}

QTEST_MAIN(tst_QServoFuncodeBatchDownloadDlg)
#include "tst_QServoFuncodeBatchDownloadDlg.moc"
