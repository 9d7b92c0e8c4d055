// Batch reading and writing of a simulated drive: every run reports its failures once, in the order they
// were asked for, and Cancel in the progress dialog ends the run. What a write refuses, reads back and
// compares is the batch transfer's (its own suite); here one write shows the wiring.

#include "FuncodeRows.h"
#include "ModalAnswer.h"
#include "QBatchProgress_Servo.h"
#include "QBatchReadWrite_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QRecordDB_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QAbstractButton>
#include <QDialog>
#include <QProgressDialog>
#include <QtTest>

namespace {
tagExportFuncodePtr_Servo record(const QString& number, qint64 x, qint64 y, qint64 z)
{
    tagExportFuncodePtr_Servo funcode = FuncodeRows::row(QString(), number, {"", "", ""});
    funcode->curValue = {{x, y, z}};
    return funcode;
}
} // namespace

class tst_QBatchReadWrite_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QTestHost::clearProject();
        m_device = QTestHost::addSelectedDrive("TST3", "BATCH");
        QVERIFY(m_device);
        m_link = QTestHost::link("BATCH");
    }

    void readReportsFailuresOnce_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<bool>("online");
        QTest::addColumn<QStringList>("failed");
        QTest::newRow("every code") << QStringList() << true << QStringList();
        QTest::newRow("one unknown") << QStringList{"P2.00", "X9.99", "U00.01"} << true
                                     << QStringList{"X9.99"};
        QTest::newRow("offline") << QStringList{"P2.00", "P10.03"} << false << QStringList{"P2.00", "P10.03"};
    }

    void readReportsFailuresOnce()
    {
        QFETCH(QStringList, numbers);
        QFETCH(bool, online);
        QFETCH(QStringList, failed);
        m_link->setOnline(online);
        m_link->setRawValue("P2.00", 2, 444);
        QBatchReadWrite_Servo reader("BATCH", "read", nullptr, 1);
        reader.setBlockSize(16);
        QSignalSpy spy(&reader, &QBatchReadWrite_Servo::sigFailedFuncodes);
        QCOMPARE(reader.batchReadFuncode(numbers), failed.isEmpty());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0).toString(), QString("BATCH"));
        QCOMPARE(spy.first().at(1).toStringList(), failed);
        QVERIFY(!online || m_device->getCurValue("P2.00", 2) == 444);
        for (const tagSubFuncode_Servo* fun : m_device->getAllNormalFuncodes()) {
            QVERIFY2(!numbers.isEmpty() || m_device->hasValue(fun->funIndex, 2), qPrintable(fun->funIndex));
        }
    }

    // The write goes through the batch transfer: refused codes are failed and listed once with those
    // that did not arrive, the others are written, and each changed value is recorded exactly once (what a
    // record holds and the statistics: tst_QServoBatchEngine::recordsWrittenValuesLikeAnyWrite).
    void writeListsEveryFailedCodeOnce()
    {
        QVERIFY(QTestHost::readAll(m_device));
        QMap<QString, tagExportFuncodePtr_Servo> map;
        map.insert("P2.00", record("P2.00", 301, 302, 303));
        map.insert("P00.06", record("P00.06", 5, 5, 5));    // set in the factory
        map.insert("P10.05", record("P10.05", 5000, 6, 7)); // axis X beyond the range
        map.insert("P10.06", record("P10.06", 8, 9, 10));
        map.insert("X9.99", record("X9.99", 1, 1, 1));
        QRecordDB_Servo* records = QDatabaseManager::self()->getRecordDatabase_Servo();
        const int modifications = records->recordCount("BATCH");
        QBatchReadWrite_Servo writer("BATCH", "write", nullptr, 1);
        QSignalSpy spy(&writer, &QBatchReadWrite_Servo::sigFailedFuncodes);
        QVERIFY(!writer.batchWriteFuncode(map, true, 1));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(1).toStringList(), (QStringList{"P00.06", "P10.05", "X9.99"}));
        QCOMPARE(m_link->rawValue("P2.00", 1), qint64(302));
        QCOMPARE(m_link->rawValue("P10.05", 1), qint64(6));
        QCOMPARE(m_device->getCurValue("P10.06", 2), qint64(10));
        QCOMPARE(records->recordCount("BATCH"), modifications + 3 + 2 + 3);
    }

    void cancelEndsTheRun_data()
    {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }

    void cancelEndsTheRun()
    {
        QFETCH(bool, write);
        m_link->setReplyDelay(20);
        QBatchProgress_Servo::setMinimumDuration(0);
        QWidget window;
        window.show();
        QString shownTitle;
        answerModal([&shownTitle](QWidget* modal) {
            if (auto* dialog = qobject_cast<QProgressDialog*>(modal)) {
                shownTitle = dialog->windowTitle();
                QTest::mouseClick(dialog->findChild<QAbstractButton*>(), Qt::LeftButton);
            }
        });
        QMap<QString, tagExportFuncodePtr_Servo> map;
        QStringList numbers;
        for (int i = 0; i < 100; ++i) {
            const QString number = QString("P10.%1").arg(i, 2, 10, QChar('0'));
            numbers.append(number);
            map.insert(number, record(number, i + 100, i + 100, i + 100));
        }
        QBatchReadWrite_Servo batch("BATCH", "Title of the run", &window, 0);
        batch.setBlockSize(3);
        QSignalSpy spy(&batch, &QBatchReadWrite_Servo::sigFailedFuncodes);
        QVERIFY(!(write ? batch.batchWriteFuncode(map, true, 0) : batch.batchReadFuncode(numbers)));
        QBatchProgress_Servo::setMinimumDuration(250);
        QVERIFY(batch.wasCancelled());
        QCOMPARE(shownTitle, QString("Title of the run"));
        QCOMPARE(spy.count(), 1);
        const QStringList failed = spy.first().at(1).toStringList();
        QVERIFY2(failed.size() > 50, qPrintable(QString::number(failed.size())));
        QVERIFY(failed.contains("P10.99"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        // The default of P10.99 is 99: the cancelled run never reached it.
        QCOMPARE(m_link->rawValue("P10.99", 2), qint64(99));
    }

    // With the real minimum duration: a run quicker than it never shows its progress dialog, not even over
    // the next modal dialog (both run from a handler of the event loop, as a command does).
    void aQuickRunLeavesNoDialogBehind()
    {
        QWidget window;
        window.show();
        bool progressShown = false;
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            QBatchReadWrite_Servo("BATCH", "read", &window, 0).batchReadFuncode({"P2.00"});
            QDialog next(&window);
            QTimer::singleShot(600, &next, [&] {
                for (const QProgressDialog* progress : window.findChildren<QProgressDialog*>()) {
                    progressShown = progressShown || progress->isVisible();
                }
                next.accept();
            });
            next.exec();
            loop.quit();
        });
        loop.exec();
        QVERIFY(!progressShown);
    }
};

QTEST_MAIN(tst_QBatchReadWrite_Servo)
#include "tst_QBatchReadWrite_Servo.moc"
