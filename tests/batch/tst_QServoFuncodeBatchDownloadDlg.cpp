// Downloading into servo drives: only drives of the source's model are offered, a drive made to fail by
// its fault switches fails with its reason in the log, the motor type goes first, save and reset leave
// offline drives and drives whose save failed alone, and a succeeded drive compares equal with the
// source, a drive or a file. How the window runs drives and stops them is tst_QFuncodeBatchDownloadDlg's.
// What the window's helper adds to the batch transfer (whose rules its own suite proves): the values' texts
// turned into the drive's raw values, the caller's records left alone, the error text of a drive that is
// not there, and the transfer's progress and verdict as the helper's signals. Where the window takes its
// codes from: a function-code file as the export writes it (each axis keeps its own value), files that are
// refused before anything is loaded, and a source drive.

#include "FileFixtures.h"
#include "FuncodeRows.h"
#include "ModalAnswer.h"
#include "QBatchTargetModel.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QProjectCore.h"
#include "QServoBatchDownloadHelper.h"
#include "QServoFuncodeBatchDownloadDlg.h"
#include "QServoImportFunSelectorWgt.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"

#include <QtTest>

namespace {
const QStringList kTargets{"d1", "d2", "d3", "d4"};
const char* const kMark = "Used for import_9786345324_";
const char* const kDevice = "TST3_1.00,3,COM1,";
const char* const kHeading = "addr,usb,group,number,name,authority,type,axes,x,y,z,tx,ty,tz";

QString codeLine(const QString& number, int x, int y, int z)
{
    return QStringLiteral("0,0,P10 Limits,%1,Limit,0,4,3,%2,%3,%4,%2,%3,%4").arg(number).arg(x).arg(y).arg(z);
}

QMap<QString, tagExportFuncodePtr_Servo> oneRecord(qint64 raw, const QString& text = QString())
{
    auto record = FuncodeRows::row(QString(), "P00.01", {text});
    record->curValue = {{raw, raw, raw}};
    return {{"P00.01", record}};
}
} // namespace

class tst_QServoFuncodeBatchDownloadDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QVERIFY(m_dir.isValid());
        QServoBatchDownloadHelper::setVanishWaitMs(200);
    }

    void init()
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
        m_boxes.clear();
    }

    void cleanup()
    {
        delete m_dlg;
        m_dlg = nullptr;
        QTestHost::clearProject();
        QTRY_VERIFY(!QServoBatchDownloadHelper::isVanishWaitPending());
    }

    void aFailingDriveFailsAlone_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("logged"); // a text of the failed drive's log lines (empty: it succeeds)
        QTest::newRow("refuses writes") << QString("refuse") << QString("cabinet door open");
        QTest::newRow("one code fails") << QString("code") << QString("P10.05 (X, Y, Z)");
        QTest::newRow("offline after two requests")
            << QString("offline") << QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_DEVICE_LOST");
        // A lost reply to a write is settled by the read-back: the drive still gets every value.
        QTest::newRow("drops every third reply") << QString("drop") << QString();
    }

    void aFailingDriveFailsAlone()
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
            QCOMPARE(logCount("P10.05"), 1);
        }
    }

    // The motor type is written first into every drive; a drive that refuses it gets none of the other codes.
    void motorTypeGoesFirst()
    {
        QTestHost::link("src")->setRawValue("P00.00", 0, 3);
        loadSourceDrive();
        QDriveFaultSwitches switches;
        switches.failCode = "P00.00";
        QTestHost::link("d2")->setFaultSwitches(switches);
        runBatch();
        QCOMPARE(logCount(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_MOTOR_TYPE_FIRST").arg("P00.00")),
                 1);
        QCOMPARE(logCount(QServoFuncodeBatchDownloadDlg::tr("STR_MOTOR_TYPE_CHANGED_FAILED")), 1);
        for (const QString& alias : kTargets) {
            const bool refused = alias == "d2";
            QCOMPARE(QTestHost::link(alias)->rawValue("P00.00", 0), qint64(refused ? 1 : 3));
            QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 0), qint64(refused ? 5 : 77));
            QCOMPARE(m_dlg->targetModel()->runState(alias),
                     int(refused ? QBatchTargetModel::RUN_FAILED : QBatchTargetModel::RUN_SUCCEEDED));
        }
    }

    // An offline drive is neither saved nor reset; a drive whose save went unanswered is not reset, since a
    // reset would throw away what was downloaded.
    void saveAndResetLeaveOfflineAndUnsavedDrivesAlone()
    {
        loadSourceDrive();
        runBatch();
        QTestHost::link("d3")->setOnline(false);
        QTRY_VERIFY(!QProjectCore::self()->getDevMgr()->getDeviceServo("d3")->isDeviceOnline());
        QDriveFaultSwitches lost;
        lost.dropEvery = 1;
        QTestHost::link("d2")->setFaultSwitches(lost);
        QTestHost::link("d2")->setTimeout(50);
        const int before = m_dlg->logLines().size();
        m_dlg->onBatchSaveAndReset(kTargets);
        const int axes = QProjectCore::self()->getDevMgr()->getDeviceServo("d2")->getAxisNum();
        QCOMPARE(QTestHost::link("d2")->core()->requestCount(), axes);
        const QStringList d2Lines = m_dlg->logLines().mid(before).filter(QRegularExpression("\\bd2\\b"));
        QCOMPARE(d2Lines.size(), 1);
        QVERIFY(d2Lines.first().contains(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_SAVE_FAILED")));
        QCOMPARE(QTestHost::link("d1")->storedValue("P10.05", 0), qint64(77));
        QCOMPARE(QTestHost::link("d4")->storedValue("P10.06", 1), qint64(66));
        QCOMPARE(QTestHost::link("d3")->storedValue("P10.05", 0), qint64(5));
        // Not reset either: a reset would have brought back the stored value.
        QCOMPARE(QTestHost::link("d3")->rawValue("P10.05", 0), qint64(77));
        QCOMPARE(logCount(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_NOT_SAVED").arg("d3")), 1);
        QCOMPARE(logCount(QServoFuncodeBatchDownloadDlg::tr("STR_BATCH_LOG_SAVED_AND_RESET").arg("d1")), 1);
    }

    void succeededDrivesCompareEqualWithTheSource_data()
    {
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("a source drive") << false;
        QTest::newRow("a function-code file written from it") << true;
    }

    // Every drive gets the value of each axis, and a succeeded drive then compares equal with the source. The
    // drive read from is a target of its own file, not of itself.
    void succeededDrivesCompareEqualWithTheSource()
    {
        QFETCH(bool, fromFile);
        QSimulatedDriveLink* src = QTestHost::link("src");
        src->setRawValue("P10.05", 1, 22);
        src->setRawValue("P10.05", 2, 33);
        QTemporaryDir dir;
        if (fromFile) {
            QVERIFY(QTestHost::readAll(QProjectCore::self()->getDevMgr()->getDeviceServo("src")));
            const QString path = dir.filePath("line.funcodeservo");
            QVERIFY(QFuncodeHelper_Servo::writeFuncodeDatabaseFile(
                path, QFuncodeHelper_Servo::collectDeviceFuncodes()));
            QVERIFY(m_dlg->funcodeSelectorWidget()->loadFile(path));
            QCOMPARE(m_dlg->targetModel()->checkedAliases(), kTargets + QStringList{"src"});
        } else {
            loadSourceDrive();
        }
        runBatch();
        for (const QString& alias : kTargets) {
            QCOMPARE(m_dlg->targetModel()->runState(alias), int(QBatchTargetModel::RUN_SUCCEEDED));
            QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 0), qint64(77));
            QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 1), qint64(22));
            QCOMPARE(QTestHost::link(alias)->rawValue("P10.05", 2), qint64(33));
            QCOMPARE(QTestHost::link(alias)->rawValue("P10.06", 1), qint64(66));
        }
        int all = -1;
        int differing = -1;
        answerModalOfType<QFuncodeCompareDialog_Servo>([&](QFuncodeCompareDialog_Servo* compare) {
            all = compare->allRecords().size();
            differing = compare->differingRecords().size();
            compare->reject();
        });
        m_dlg->onShowCompareFuncode("d3");
        QVERIFY(all > 100);
        QCOMPARE(differing, 0);
    }

    void rawValuesOrRecomputedTexts_data()
    {
        QTest::addColumn<bool>("recompute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        // P00.01 shows two decimals: the text "3.50" is raw 350; the raw value given is 280.
        QTest::newRow("recompute off: raw sent as given") << false << "3.50" << qint64(280);
        QTest::newRow("recompute on: text decides") << true << "3.50" << qint64(350);
        QTest::newRow("recompute on, text unreadable: raw kept") << true << "abc" << qint64(280);
    }

    void rawValuesOrRecomputedTexts()
    {
        QFETCH(bool, recompute);
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        const QMap<QString, tagExportFuncodePtr_Servo> map = oneRecord(280, text);
        QServoBatchDownloadHelper helper;
        QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
        QSignalSpy progress(&helper, &QServoBatchDownloadHelper::sigProgressValue);
        helper.startWrite("d1", map, recompute);
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(helper.total() > 0);
        QCOMPARE(progress.last(), (QVariantList{helper.total(), helper.total()}));
        QCOMPARE(QTestHost::link("d1")->rawValue("P00.01", 0), expected);
        QCOMPARE(helper.records().value("P00.01")->curValue[0], expected);
        QCOMPARE(map.value("P00.01")->curValue[0], qint64(280)); // the caller's records stay as they were
    }

    // A drive that refuses writes: tst_QServoBatchTransfer::verdict ("drive refuses writes").
    void unknownDrive()
    {
        QServoBatchDownloadHelper helper;
        QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
        helper.startWrite("nobody", oneRecord(280), false);
        QVERIFY(!helper.errorText().isEmpty());
        QCOMPARE(finished.size(), 0);
    }

    // A file the export wrote from the selected drive is a file source of its model and version, each axis
    // with its own value, and nothing in it stands out against the selected drive.
    void eachAxisKeepsItsValueThroughAFile()
    {
        for (int axis = 0; axis < 3; ++axis) {
            QTestHost::link("src")->setRawValue("P10.05", axis, 11 * (axis + 1));
        }
        QVERIFY(QTestHost::readAll(QProjectCore::self()->getDevMgr()->getDeviceServo("src")));
        const QString path = m_dir.filePath("written.csv");
        QVERIFY(QFuncodeHelper_Servo::writeFuncodeCsvFile(
            path, QFuncodeHelper_Servo::collectDeviceFuncodes().value(0)));
        QVERIFY(selector()->loadFile(path));
        QCOMPARE(selector()->sourceKind(), int(QImportFuncodeSelectorWidget::SOURCE_FILE));
        QCOMPARE(selector()->devName() + ' ' + selector()->devVersion(), QString("TST3 1.00"));
        const FunOperationDataUnitPtr unit = unitOf("P10.05");
        QVERIFY(unit);
        QCOMPARE(unit->values, (QList<qint64>{11, 22, 33}));
        QCOMPARE(unit->valueTexts, (QStringList{"11", "22", "33"}));
        QVERIFY(unit->isCurDevValueEqual());
        QVERIFY(unit->isMultiValueEqual(2));
    }

    void refusedFilesLoadNothing_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        const QString format = QServoImportFunSelectorWgt::tr("STR_FILE_FORMAT_FAILED");
        const QString missing = QServoImportFunSelectorWgt::tr("STR_FILE_DEVICE_INFORMATION_MISSING");
        const QString code = codeLine("P10.05", 1, 2, 3);
        QTest::newRow("no import mark") << QStringList{"Used for import", kDevice, kHeading, code} << format;
        QTest::newRow("empty device") << QStringList{kMark, ",3,COM1,", kHeading, code} << missing;
        QTest::newRow("empty axis count")
            << QStringList{kMark, "TST3_1.00,,COM1,", kHeading, code} << missing;
        QTest::newRow("empty third field") << QStringList{kMark, "TST3_1.00,3,,", kHeading, code} << missing;
        QTest::newRow("short device line") << QStringList{kMark, "TST3_1.00,3"} << missing;
    }

    void refusedFilesLoadNothing()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        QVERIFY(selector()->loadFile(writeLines({kMark, kDevice, kHeading, codeLine("P10.01", 1, 1, 1)})));
        m_boxes.clear();
        QVERIFY(!selector()->loadFile(writeLines(lines)));
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.calls().first().text, message);
        // The source read before stays.
        QCOMPARE(selector()->sourceUnits().size(), 1);
        QCOMPARE(selector()->sourceUnits().first()->funIndex, QString("P10.01"));
    }

    void sourceDriveGivesItsReadCodes()
    {
        QTestHost::link("src")->setRawValue("P10.07", 2, 700);
        QVERIFY(selector()->loadDevice("src"));
        QCOMPARE(selector()->sourceKind(), int(QImportFuncodeSelectorWidget::SOURCE_DEVICE));
        QCOMPARE(selector()->sourceKey(), QString("src"));
        QVERIFY(unitOf("P10.07"));
        QCOMPARE(unitOf("P10.07")->values.value(2), qint64(700));
        QTestHost::link("src")->setOnline(false);
        QTRY_VERIFY(!QProjectCore::self()->getDevMgr()->getDeviceServo("src")->isDeviceOnline());
        QVERIFY(!selector()->loadDevice("src"));
        QCOMPARE(m_boxes.count(), 1);
    }

private:
    QTestMessageBoxes m_boxes;
    QTemporaryDir m_dir;

    QImportFuncodeSelectorWidget* selector() const { return m_dlg->funcodeSelectorWidget(); }

    FunOperationDataUnitPtr unitOf(const QString& number) const
    {
        for (const FunOperationDataUnitPtr& u : selector()->sourceUnits()) {
            if (u->funIndex == number) {
                return u;
            }
        }
        return {};
    }

    QString writeLines(const QStringList& lines)
    {
        static int count = 0;
        const QString path = m_dir.filePath(QStringLiteral("codes%1.csv").arg(++count));
        return FileFixtures::writeBytes(path, (lines.join('\n') + '\n').toUtf8()) ? path : QString();
    }

    // Reads the source drive "src" (values set apart from the targets') and checks the targets.
    void loadSourceDrive()
    {
        QVERIFY(m_dlg->funcodeSelectorWidget()->loadDevice("src"));
        // The source drive itself is offered but not checked.
        QBatchTargetModel* targets = m_dlg->targetModel();
        QCOMPARE(targets->checkedAliases(), kTargets);
    }

    // How many lines of the log hold the text.
    int logCount(const QString& text) const { return m_dlg->logLines().filter(text).size(); }

    void runBatch()
    {
        QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
        m_dlg->onStart();
        QVERIFY(done.wait(20000));
        QCOMPARE(done.size(), 1);
    }

    QServoFuncodeBatchDownloadDlg* m_dlg = nullptr;
};

QTEST_MAIN(tst_QServoFuncodeBatchDownloadDlg)
#include "tst_QServoFuncodeBatchDownloadDlg.moc"
