// The batch-download window's run: drives one after another, each ending in the list and the log, a
// failed drive never stopping the others, Stop ending the running drive and starting no other, save and
// reset only of the succeeded drives when asked, and a second outcome of a drive ignored.

#include "QBatchTargetModel.h"
#include "QFunOperationModel.h"
#include "QFuncodeBatchDownloadDlg.h"
#include "QImportFuncodeSelectorWidget.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"

#include <QSignalSpy>
#include <QTimer>
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
        QList<FunOperationDataUnitPtr> units;
        for (const char* number : {"P10.01", "P10.02"}) {
            auto u = FunOperationDataUnitPtr::create();
            u->groupName = "P10 Limits";
            u->funIndex = number;
            u->axisNum = 1;
            u->values = {5};
            u->valueTexts = QStringList{"5"};
            units << u;
        }
        setSourceData(SOURCE_FILE, path, "TST3", "1.00", units);
        return true;
    }
};

// Each drive's outcome as the test decides it: "ok" and "fail" arrive later from the event loop,
// "refuse" cannot start, "twice" reports success twice, "hang" never answers.
class FakeDlg : public QFuncodeBatchDownloadDlg
{
public:
    QMap<QString, QString> plan;
    QStringList started;
    QStringList stopped;
    QStringList savedAndReset;

protected:
    bool prepareWriteOneDevice(const QString& alias) override
    {
        started << alias;
        const QString how = plan.value(alias, "ok");
        if (how == "refuse") {
            return false;
        }
        if (how == "hang") {
            return true;
        }
        QTimer::singleShot(5, this, [this, how]() {
            onUpdateProgress(10, 10);
            onFinishWriteOneDevice(how != "fail");
            if (how == "twice") {
                onFinishWriteOneDevice(false);
            }
        });
        return true;
    }
    void stopWriteOneDevice(const QString& alias) override { stopped << alias; }
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
            QTestHost::addDrive("TST3", alias);
        }
        QTestHost::addDrive("TST1", "other");
        m_dlg = new FakeDlg;
        m_dlg->setFuncodeSelectorWidget(new FakeSelector);
        QVERIFY(m_dlg->funcodeSelectorWidget()->loadFile("/any/file.csv"));
        m_boxes.clear();
    }

    void cleanup()
    {
        delete m_dlg;
        QTestHost::clearProject();
    }

    // Each drive ends in the list whatever the others do; save and reset, when asked, take the succeeded
    // ones.
    void drivesRunOneAfterAnother_data()
    {
        QTest::addColumn<QStringList>("outcomes"); // for d1..d4
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<bool>("saveAndReset");
        QTest::addColumn<QStringList>("savedAndReset");
        const int ok = QBatchTargetModel::RUN_SUCCEEDED;
        const int failed = QBatchTargetModel::RUN_FAILED;
        QTest::newRow("all succeed, save and reset not asked")
            << QStringList{"ok", "ok", "ok", "ok"} << QList<int>{ok, ok, ok, ok} << false << QStringList();
        QTest::newRow("a failed drive does not stop the others, nor is it saved")
            << QStringList{"ok", "fail", "ok", "ok"} << QList<int>{ok, failed, ok, ok} << true
            << QStringList{"d1", "d3", "d4"};
        QTest::newRow("a drive that cannot start")
            << QStringList{"refuse", "ok", "refuse", "ok"} << QList<int>{failed, ok, failed, ok} << true
            << QStringList{"d2", "d4"};
        QTest::newRow("a second outcome is ignored")
            << QStringList{"twice", "ok", "ok", "fail"} << QList<int>{ok, ok, ok, failed} << false
            << QStringList();
    }

    void drivesRunOneAfterAnother()
    {
        QFETCH(QStringList, outcomes);
        QFETCH(QList<int>, states);
        QFETCH(bool, saveAndReset);
        QFETCH(QStringList, savedAndReset);
        const QStringList drives{"d1", "d2", "d3", "d4"};
        for (int i = 0; i < drives.size(); ++i) {
            m_dlg->plan.insert(drives.at(i), outcomes.at(i));
        }
        // The targets are the drives of the source's model ("other" is of another model).
        QCOMPARE(m_dlg->targetModel()->aliases(), drives);
        m_dlg->setSaveAndResetChecked(saveAndReset);
        QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
        m_dlg->onStart();
        // Only the first drive has started; the others wait for it.
        QVERIFY(m_dlg->isRunning());
        QCOMPARE(m_dlg->started, QStringList{"d1"});
        QCOMPARE(m_dlg->targetModel()->runState("d2"), int(QBatchTargetModel::RUN_WAITING));
        QVERIFY(done.wait());
        QCOMPARE(m_dlg->started, drives);
        for (int i = 0; i < drives.size(); ++i) {
            QCOMPARE(m_dlg->targetModel()->runState(drives.at(i)), states.at(i));
        }
        QVERIFY(!m_dlg->isRunning());
        QCOMPARE(done.size(), 1);
        QCOMPARE(m_dlg->savedAndReset, savedAndReset);
    }

    void stopEndsTheRunningDriveAndStartsNoOther()
    {
        m_dlg->plan.insert("d2", "hang");
        QSignalSpy done(m_dlg, &QFuncodeBatchDownloadDlg::sigBatchFinished);
        m_dlg->setSaveAndResetChecked(true);
        m_dlg->onStart();
        QTRY_COMPARE(m_dlg->started, (QStringList{"d1", "d2"}));
        m_dlg->onStop();
        QCOMPARE(m_dlg->stopped, QStringList{"d2"});
        QCOMPARE(m_dlg->targetModel()->runState("d1"), int(QBatchTargetModel::RUN_SUCCEEDED));
        QCOMPARE(m_dlg->targetModel()->runState("d2"), int(QBatchTargetModel::RUN_STOPPED));
        QCOMPARE(m_dlg->targetModel()->runState("d3"), int(QBatchTargetModel::RUN_IDLE));
        QCOMPARE(done.size(), 1);
        QTest::qWait(30);
        QCOMPARE(m_dlg->started, (QStringList{"d1", "d2"}));
        QCOMPARE(m_dlg->savedAndReset, QStringList()); // a stopped batch saves nothing
        // A late outcome of the stopped drive changes nothing.
        m_dlg->onFinishWriteOneDevice(true);
        QCOMPARE(m_dlg->targetModel()->runState("d2"), int(QBatchTargetModel::RUN_STOPPED));
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
        QVERIFY(m_dlg->started.isEmpty());
    }

private:
    QTestMessageBoxes m_boxes;
    FakeDlg* m_dlg = nullptr;
};

QTEST_MAIN(tst_QFuncodeBatchDownloadDlg)
#include "tst_QFuncodeBatchDownloadDlg.moc"
