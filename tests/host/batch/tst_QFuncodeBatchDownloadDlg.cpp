// The batch-download window's run on its batch line: each drive ends in the list and the log, the number
// of drives at once is the person's and is kept, Stop ends the running drives as stopped and starts no
// other, and save and reset take only the succeeded drives. Which drives run when, and that a failed
// drive never stops the others, is the line's (tst_QServoBatchLine).

#include "BatchUnits.h"
#include "QBatchTargetModel.h"
#include "QFunOperationModel.h"
#include "QFuncodeBatchDownloadDlg.h"
#include "QImportFuncodeSelectorWidget.h"
#include "QServoBatchLine.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"

#include <QtTest>

namespace {
// A source of two codes of the test model, "read" from any path.
class FakeSelector : public QImportFuncodeSelectorWidget
{
public:
    using QImportFuncodeSelectorWidget::QImportFuncodeSelectorWidget;

protected:
    bool readFileData(const QString& path) override
    {
        setSourceData(SOURCE_FILE, path, "TST3", "1.00",
                      {batchUnit("P10 Limits", "P10.01", {5}), batchUnit("P10 Limits", "P10.02", {5})});
        return true;
    }
};

// The drives named in refused cannot be readied; the most drives seen running at once.
class FakeDlg : public QFuncodeBatchDownloadDlg
{
public:
    QStringList refused;
    QStringList savedAndReset;
    int most = 0;

protected:
    bool prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>*, QString* error) override
    {
        most = qMax(most, line()->runningCount());
        *error = refused.contains(alias) ? QStringLiteral("refused") : QString();
        return error->isEmpty();
    }
    void batchSaveAndReset(const QStringList& aliases) override { savedAndReset = aliases; }
    void showCompareFuncode(const QString&) override {}
};
} // namespace

class tst_QFuncodeBatchDownloadDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        for (const char* alias : {"d1", "d2", "d3", "d4"}) {
            QTestHost::addDrive("TST3", alias, 20);
        }
        QTestHost::addDrive("TST1", "other");
        m_dlg = newDialog();
        m_boxes.clear();
    }

    void cleanup()
    {
        delete m_dlg;
        QTestHost::clearProject();
    }

    void drivesEndInTheList_data()
    {
        QTest::addColumn<int>("atOnce");
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<bool>("saveAndReset");
        QTest::addColumn<QStringList>("savedAndReset");
        QTest::newRow("one at a time, save and reset not asked")
            << 1 << QStringList() << false << QStringList();
        QTest::newRow("two at once, a failed drive is not saved")
            << 2 << QStringList{"d2"} << true << QStringList{"d1", "d3", "d4"};
    }

    void drivesEndInTheList()
    {
        QFETCH(int, atOnce);
        QFETCH(QStringList, refused);
        QFETCH(bool, saveAndReset);
        QFETCH(QStringList, savedAndReset);
        const QStringList drives{"d1", "d2", "d3", "d4"};
        // The targets are the drives of the source's model ("other" is of another model).
        QCOMPARE(m_dlg->targetModel()->aliases(), drives);
        m_dlg->refused = refused;
        m_dlg->setDrivesAtOnce(atOnce);
        m_dlg->setSaveAndResetChecked(saveAndReset);
        QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
        m_dlg->onStart();
        QVERIFY(m_dlg->isRunning());
        QVERIFY(done.wait());
        QCOMPARE(m_dlg->most, atOnce);
        for (const QString& alias : drives) {
            QCOMPARE(m_dlg->targetModel()->runState(alias),
                     int(refused.contains(alias) ? QBatchTargetModel::RUN_FAILED
                                                 : QBatchTargetModel::RUN_SUCCEEDED));
            QCOMPARE(QTestHost::link(alias)->rawValue("P10.01", 0) == 5, !refused.contains(alias));
        }
        QVERIFY(!m_dlg->isRunning());
        QCOMPARE(done.size(), 1);
        QCOMPARE(m_dlg->savedAndReset, savedAndReset);
        // The number of drives at once is kept for the next window.
        delete m_dlg;
        m_dlg = newDialog();
        QCOMPARE(m_dlg->drivesAtOnce(), atOnce);
    }

    void stopEndsTheRunningDrivesAndStartsNoOther()
    {
        for (const char* alias : {"d1", "d2", "d3", "d4"}) {
            QTestHost::link(alias)->setReplyDelay(200);
        }
        QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
        m_dlg->setDrivesAtOnce(2);
        m_dlg->setSaveAndResetChecked(true);
        m_dlg->onStart();
        // Both drives are being written when Stop comes.
        QTRY_VERIFY(m_dlg->line()->transferOf("d1") && m_dlg->line()->transferOf("d2"));
        m_dlg->onStop();
        const QStringList stopped{"d1", "d2"};
        QCOMPARE(m_dlg->targetModel()->aliasesInState(QBatchTargetModel::RUN_STOPPED), stopped);
        QCOMPARE(m_dlg->targetModel()->aliasesInState(QBatchTargetModel::RUN_IDLE),
                 (QStringList{"d3", "d4"}));
        QCOMPARE(done.size(), 1);
        QTest::qWait(400);
        QCOMPARE(m_dlg->targetModel()->aliasesInState(QBatchTargetModel::RUN_STOPPED), stopped);
        QCOMPARE(QTestHost::link("d3")->rawValue("P10.01", 0) == 5, false);
        QCOMPARE(m_dlg->savedAndReset, QStringList()); // a stopped batch saves nothing
    }

    void nothingToDownloadIsRefused()
    {
        m_dlg->funcodeSelectorWidget()->model()->setAllChecked(false);
        m_dlg->onStart();
        QVERIFY(!m_dlg->isRunning());
        QCOMPARE(m_boxes.count(), 1);
        m_dlg->funcodeSelectorWidget()->model()->setAllChecked(true);
        m_dlg->targetModel()->setAllChecked(false);
        m_dlg->onStart();
        QVERIFY(!m_dlg->isRunning());
        QCOMPARE(m_boxes.count(), 2);
    }

private:
    FakeDlg* newDialog()
    {
        auto* dlg = new FakeDlg;
        dlg->setFuncodeSelectorWidget(new FakeSelector);
        dlg->funcodeSelectorWidget()->loadFile("/any/file.csv");
        return dlg;
    }

    QTestMessageBoxes m_boxes;
    FakeDlg* m_dlg = nullptr;
};

QTEST_MAIN(tst_QFuncodeBatchDownloadDlg)
#include "tst_QFuncodeBatchDownloadDlg.moc"
