#include "QDeviceServo.h"
#include "QFuncodeExportRecords_Servo.h"
#include "QParameterFingerprint_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>
#include <algorithm>

// The fingerprint of a parameter set: the same from a drive and from its file, whatever the order of the
// file's lines; another value or version gives another one; an unknown value gives none.
class tst_QParameterFingerprint_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void fileOfTheDrive_data()
    {
        QTest::addColumn<QString>("change"); // what is done to the file after it was made from the drive
        QTest::addColumn<bool>("same");
        QTest::newRow("as written") << "" << true;
        QTest::newRow("lines in another order") << "reverse" << true;
        QTest::newRow("a code written twice, the first counts") << "repeat" << true;
        QTest::newRow("another raw value") << "value" << false;
        QTest::newRow("another axis value") << "axisY" << false;
        QTest::newRow("another configuration version") << "version" << false;
        QTest::newRow("a value that was not read") << "null" << false;
    }

    void fileOfTheDrive()
    {
        QFETCH(QString, change);
        QFETCH(bool, same);
        QDeviceServo* device = QTestHost::addDrive("TST3", "A");
        QVERIFY(QTestHost::readAll(device));
        const QParameterFingerprint_Servo::Result ofDrive = QParameterFingerprint_Servo::ofDevice(*device);
        QVERIFY2(ofDrive.available, qPrintable(ofDrive.reason));
        QCOMPARE(ofDrive.hex.size(), 64);

        tagExportDevInfo_Servo file = QFuncodeExportRecords_Servo::collectDeviceFuncodes(device).first();
        tagExportFuncodeList_Servo& codes = file.funcodes;
        if (change == QLatin1String("reverse")) {
            std::reverse(codes.begin(), codes.end());
        } else if (change == QLatin1String("repeat")) {
            auto copy = tagExportFuncodePtr_Servo::create(*codes.first());
            copy->curValue[0] += 1;
            codes.append(copy);
        } else if (change == QLatin1String("value")) {
            codes[1]->curValue[0] += 1;
        } else if (change == QLatin1String("axisY")) {
            codes[1]->curValue[1] += 1;
        } else if (change == QLatin1String("version")) {
            file.devText = QStringLiteral("TST3_9.99");
        } else if (change == QLatin1String("null")) {
            codes[2]->valueTexts[1] = QStringLiteral("null");
        }
        const QParameterFingerprint_Servo::Result ofFile = QParameterFingerprint_Servo::ofFile(file);
        QCOMPARE(ofFile.available && ofFile.hex == ofDrive.hex, same);
        QCOMPARE(ofFile.available, change != QLatin1String("null"));
    }

    void unknownValueGivesNone()
    {
        QDeviceServo* device = QTestHost::addDrive("TST3", "A");
        QVERIFY(QTestHost::readAll(device));
        const QString code = device->getAllNormalFuncodes().at(3)->funIndex;
        QTestHost::link("A")->setFaultSwitches([&code]() {
            QDriveFaultSwitches switches;
            switches.failCode = code;
            return switches;
        }());
        device->readAllFuncode();
        QTRY_VERIFY(!device->isReadBusy());
        const QParameterFingerprint_Servo::Result result = QParameterFingerprint_Servo::ofDevice(*device);
        QVERIFY(!result.available);
        QVERIFY(result.hex.isEmpty());
        QVERIFY2(result.reason.contains(code), qPrintable(result.reason));
    }
};

QTEST_MAIN(tst_QParameterFingerprint_Servo)
#include "tst_QParameterFingerprint_Servo.moc"
