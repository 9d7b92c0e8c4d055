#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QImportMotorType_Servo.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QTest>

using T = QImportMotorType_Servo;

// The motor type goes ahead of an import: written alone when the file's differs from the drive's, and
// checked afterwards. The import dialog and the batch download only show that they use it.
class tst_QImportMotorType_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void writtenAloneWhenItDiffers_data()
    {
        QTest::addColumn<QString>("number"); // the file's one record
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused"); // the drive fails writes of the motor type
        QTest::addColumn<int>("result");
        QTest::addColumn<qint64>("motorType"); // the drive's afterwards (1 before)
        QTest::newRow("differs") << "P00.00" << QString("3") << false << int(T::Written) << qint64(3);
        QTest::newRow("equal") << "P00.00" << QString("1") << false << int(T::NotNeeded) << qint64(1);
        QTest::newRow("no motor-type record")
            << "P00.02" << QString("2500") << false << int(T::NotNeeded) << qint64(1);
        QTest::newRow("refused by the drive")
            << "P00.00" << QString("3") << true << int(T::Failed) << qint64(1);
    }

    void writtenAloneWhenItDiffers()
    {
        QFETCH(QString, number);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QFETCH(int, result);
        QFETCH(qint64, motorType);
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "M");
        QVERIFY(QTestHost::readAll(device));
        QSimulatedDriveLink* link = QTestHost::link("M");
        QDriveFaultSwitches switches;
        switches.failCode = refused ? QStringLiteral("P00.00") : QString();
        link->setFaultSwitches(switches);
        link->resetCounters();
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = number;
        record->valueTexts = QStringList{text, text, text};
        record->curValue.fill(device->getRawValueByScaledValStr(number, text));
        QString reason;
        QCOMPARE(int(T::writeAhead(device, {{number, record}}, &reason)), result);
        QCOMPARE(device->getMotorType(), motorType);
        QCOMPARE(reason.isEmpty(), result != T::Failed);
        QCOMPARE(link->writeRequestCount(), result == T::NotNeeded ? 0 : 1); // alone, in one request
        QCOMPARE(int(T::writeAhead(nullptr, {{number, record}}, nullptr)), int(T::NotNeeded));
    }

    // The drive is removed from the project while its answer is awaited: the step fails and says why.
    void aDriveRemovedMeanwhileFails()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "M", 30);
        auto record = tagExportFuncodePtr_Servo::create();
        record->funIndex = "P00.00";
        record->curValue.fill(3);
        QTimer::singleShot(5, [] { QProjectCore::self()->getDevMgr()->removeDevice("M"); });
        QString reason;
        QCOMPARE(int(T::writeAhead(device, {{"P00.00", record}}, &reason)), int(T::Failed));
        QCOMPARE(reason, QTestUi::text("STR_NO_EXIST_DEVICE"));
    }
};

QTEST_MAIN(tst_QImportMotorType_Servo)
#include "tst_QImportMotorType_Servo.moc"
