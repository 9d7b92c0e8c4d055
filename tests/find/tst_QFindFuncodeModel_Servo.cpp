#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QProjectCore.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class tst_QFindFuncodeModel_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cellsComeFromDrive();

private:
    QDeviceServo* m_device = nullptr;
};

void tst_QFindFuncodeModel_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QFindFuncodeModel_Servo::init()
{
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("drive"));
    QVERIFY(m_device);
    QTestHost::select(QStringLiteral("drive"));
}

void tst_QFindFuncodeModel_Servo::cleanup()
{
    QTestHost::clearProject();
    m_device = nullptr;
}

void tst_QFindFuncodeModel_Servo::cellsComeFromDrive()
{
    QTestHost::link(QStringLiteral("drive"))->setRawValue(QStringLiteral("P00.01"), 2, 315);
    QVERIFY(QTestHost::readAll(m_device));
    QFindFuncodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setFuncodeList(m_device, {m_device->getNormalFuncodePtrByFunIndex(QStringLiteral("P00.01"))});
    QCOMPARE(model.columnCount(), int(QFindFuncodeModel_Servo::COL_COUNT));
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column) {
        texts << model.index(0, column).data().toString();
    }
    QCOMPARE(texts,
             (QStringList{"P00.01", "Rated current", "2.80", "2.80", "3.15", "0.10", "30.00", "2.80", "A"}));
    QCOMPARE(model.index(0, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("Rated current"));
    QCOMPARE(model.getFunIndex(0), QStringLiteral("P00.01"));
    QCOMPARE(model.getFunIndex(1), QString());
}

QTEST_MAIN(tst_QFindFuncodeModel_Servo)
#include "tst_QFindFuncodeModel_Servo.moc"
