#include "QDeviceServo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QtTest>

// The cells of a search result: the code's texts and the drive's values per axis.
class tst_QFindFuncodeModel_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void cellsComeFromDrive()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "drive");
        QVERIFY(device);
        QTestHost::link("drive")->setRawValue("P00.01", 2, 315);
        QVERIFY(QTestHost::readAll(device));
        QFindFuncodeModel_Servo model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setFuncodeList(device, {device->getNormalFuncodePtrByFunIndex("P00.01")});
        QStringList texts;
        for (int column = 0; column < model.columnCount(); ++column) {
            texts << model.index(0, column).data().toString();
        }
        QCOMPARE(texts, (QStringList{"P00.01", "Rated current", "2.80", "2.80", "3.15", "0.10", "30.00",
                                     "2.80", "A"}));
        QCOMPARE(model.getFunIndex(0), QStringLiteral("P00.01"));
        QCOMPARE(model.getFunIndex(1), QString());
    }
};

QTEST_MAIN(tst_QFindFuncodeModel_Servo)
#include "tst_QFindFuncodeModel_Servo.moc"
