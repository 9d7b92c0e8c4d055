#include "ModalAnswer.h"
#include "QCommToolButton.h"
#include "QCurFaultView.h"
#include "QDevAlarmWidget.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHistoryFaultTreeWidget_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSingleServoDeviceFaultModel.h"
#include "QTestHost.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

// The alarm page: current faults and history of the selected drive, the history clear, the exports.
class tst_QDevAlarmWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDevAlarmWidget> m_page;
    QDeviceServo* m_drive = nullptr;
    int m_answer = 1;

    static QString text(const char* key) { return QCoreApplication::translate("x", key); }

    static QStringList exportTo(const QString& path, const std::function<void()>& command)
    {
        answerModalDialog([path](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            if (files) {
                files->selectFile(path);
            }
            dialog->accept();
        });
        command();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return {};
        }
        return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_drive = QTestHost::addSelectedDrive("TST1", "t");
        QVERIFY(m_drive);
        m_answer = 1;
        QMyMessageBox::setTestHook([this](const QMyMessageBox::Call&) { return m_answer; });
        QMyMessageBox::clearRecordedCalls();
        m_page = std::make_unique<QDevAlarmWidget>();
        m_page->setClearRefreshInterval(5);
        QTestHost::checkModel(m_page->curFaultView()->faultModel());
    }

    void cleanup()
    {
        m_page.reset();
        QMyMessageBox::setTestHook(nullptr);
        QTestHost::clearProject();
    }

    void followsTheSelectedDrive()
    {
        QVERIFY(QTestHost::link("t")->raiseFault("E.101"));
        QTRY_COMPARE(m_drive->getHistoryFaultRecords(0).size(), 1);
        QTestHost::addSelectedDrive("TST1", "u");
        QCOMPARE(m_page->windowTitle(), m_page->getWindowTitleFormatText().arg("u"));
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), 0);
        QTestHost::select("t");
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), 1);
        QCOMPARE(m_page->curFaultView()->faultModel()->rowCount(), 1);
    }

    void clearAsksThenRefreshesThreeTimes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("online");
        QTest::addColumn<int>("recordsLeft");
        QTest::newRow("declined") << 0 << true << 1;
        QTest::newRow("confirmed") << 1 << true << 0;
        QTest::newRow("offline drive") << 1 << false << 1;
    }

    void clearAsksThenRefreshesThreeTimes()
    {
        QFETCH(int, answer);
        QFETCH(bool, online);
        QFETCH(int, recordsLeft);
        QVERIFY(QTestHost::link("t")->raiseFault("E.101"));
        QTRY_COMPARE(m_drive->getHistoryFaultRecords(0).size(), 1);
        m_page->historyTree()->OnRefresh();
        QTestHost::link("t")->setOnline(online);
        m_answer = answer;
        m_page->clearButton()->click();
        QCOMPARE(QMyMessageBox::recordedCalls().value(0).text, text("STR_SURE_TO_CLEAR_FUNCODE"));
        QCOMPARE(m_page->pendingClearRefreshes(), answer == 1 ? 3 : 0);
        QTRY_COMPARE(m_page->pendingClearRefreshes(), 0);
        QCOMPARE(QTestHost::link("t")->historyCount(0), recordsLeft);
        QCOMPARE(m_page->historyTree()->topLevelItemCount(), recordsLeft);
    }

    void treeMenuClearGoesThroughThePage()
    {
        m_answer = 0;
        m_page->historyTree()->menuActions().at(1)->trigger();
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
    }

    void currentFaultExportWritesTenColumnsPerFault()
    {
        QVERIFY(QTestHost::link("t")->raiseFault("E.101"));
        QVERIFY(QTestHost::link("t")->raiseFault("E.201"));
        QTRY_COMPARE(m_drive->getCurFaultList().size(), 2);
        QTemporaryDir dir;
        const QStringList lines =
            exportTo(dir.filePath("current.csv"), [this]() { m_page->curFaultView()->exportFaultInfo(); });
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), text("STR_CURRENT_FAULT"));
        QCOMPARE(lines.at(1).split(',').size(), 10);
        QVERIFY(lines.at(2).startsWith("t,1,E.101,Overcurrent,"));
        QVERIFY(lines.at(2).endsWith(",Short circuit,Check the motor cable,Yes,Yes,Yes"));
        QVERIFY(lines.at(3).endsWith(",No,No"));
        QCOMPARE(QMyMessageBox::recordedCalls().value(0).detail, dir.filePath("current.csv"));
    }

    void exportFailuresAreReported_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("message");
        QTest::newRow("no drive") << false << "STR_NOTSELECT_DEVICE";
        QTest::newRow("unwritable place") << true << "STR_OPEN_FILE_FAILED";
    }

    void exportFailuresAreReported()
    {
        QFETCH(bool, selected);
        QFETCH(QString, message);
        if (selected) {
            const QStringList lines =
                exportTo("/proc/no/such/dir/x.csv", [this]() { m_page->curFaultView()->exportFaultInfo(); });
            QVERIFY(lines.isEmpty());
        } else {
            QTestHost::select(QString());
            m_page->curFaultView()->exportFaultInfo(); // asks for no file
        }
        QCOMPARE(QMyMessageBox::recordedCalls().value(0).text, text(qPrintable(message)));
    }

    void refreshIsOfferedOnlyOnline()
    {
        QTestHost::link("t")->setOnline(false);
        m_page->curFaultView()->rightMenuClicked(QPoint());
        QVERIFY(!m_page->curFaultView()->refreshAction()->isEnabled());
        QVERIFY(!m_page->curFaultView()->exportAction()->isEnabled());
        m_page->curFaultView()->contextMenu()->hide();
    }
};

QTEST_MAIN(tst_QDevAlarmWidget)
#include "tst_QDevAlarmWidget.moc"
