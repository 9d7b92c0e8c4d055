#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QServoWriteRules.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QtTest>

// Every reason a value may not be written, decided before anything is sent: the code, its right, the
// authority, the axis, the oscilloscope, the drive's state and the value's range.
class tst_QServoWriteRules : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addDrive("TST3", "drive");
        QVERIFY(m_device);
    }

    void cleanup()
    {
        QTestHost::clearProject();
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<double>("value"); // in shown units
        QTest::addColumn<int>("axis");
        QTest::addColumn<QString>("state"); // "", "oscilloscope", "offline" or "manufacturer"
        QTest::addColumn<int>("error");
        const int range = QDeviceServo::WRITE_ERR_RANGE;
        const int readOnly = QDeviceServo::WRITE_ERR_READ_ONLY;
        const int osci = QDeviceServo::WRITE_ERR_OSCI;
        // Where a range ends for each kind of code: tst_QFuncodeScaling::rangeFollowsDescriptionAndDataType.
        QTest::newRow("decimal in range") << "P00.01" << 3.25 << 2 << "" << 0;
        QTest::newRow("decimal above maximum") << "P00.01" << 30.01 << 0 << "" << range;
        QTest::newRow("enumerated value") << "P00.03" << 2.0 << 0 << "" << 0;
        QTest::newRow("enumerated gap") << "P00.00" << 2.0 << 0 << "" << range;
        QTest::newRow("menu digits") << "P00.05" << 12.0 << 0 << "" << 0;
        QTest::newRow("menu digit out of options") << "P00.05" << 3.0 << 0 << "" << range;
        QTest::newRow("read only") << "P00.07" << 10.0 << 0 << "" << readOnly;
        QTest::newRow("factory") << "P00.06" << 10.0 << 0 << "" << readOnly;
        QTest::newRow("write only") << "P00.08" << 10.0 << 0 << "" << 0;
        QTest::newRow("state code") << "U00.01" << 10.0 << 0 << "" << readOnly;
        QTest::newRow("unknown code")
            << "P99.99" << 5.0 << 0 << "" << int(QDeviceServo::WRITE_ERR_UNKNOWN_CODE);
        QTest::newRow("no such axis") << "P00.01" << 3.0 << 3 << "" << int(QDeviceServo::WRITE_ERR_AXIS);
        QTest::newRow("above authority")
            << "P00.09" << 5.0 << 0 << "" << int(QDeviceServo::WRITE_ERR_AUTHORITY);
        QTest::newRow("at the manufacturer's authority") << "P00.09" << 5.0 << 0 << "manufacturer" << 0;
        QTest::newRow("oscilloscope's first code") << "P2.02" << 3.0 << 0 << "oscilloscope" << osci;
        QTest::newRow("oscilloscope's other code") << "P2.03" << 3.0 << 0 << "oscilloscope" << osci;
        QTest::newRow("oscilloscope's code, stopped") << "P2.02" << 3.0 << 0 << "" << 0;
        QTest::newRow("free code while the oscilloscope runs")
            << "P00.02" << 100.0 << 0 << "oscilloscope" << 0;
        QTest::newRow("offline") << "P00.02" << 100.0 << 0 << "offline"
                                 << int(QDeviceServo::WRITE_ERR_OFFLINE);
    }

    // The raw value is checked (converted once, where an edit begins); a refusal comes with a reason, and
    // while the oscilloscope runs or the drive is offline the drive takes no write at all.
    void refusals()
    {
        QFETCH(QString, funIndex);
        QFETCH(double, value);
        QFETCH(int, axis);
        QFETCH(QString, state);
        QFETCH(int, error);
        if (state == "manufacturer") {
            QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
        }
        m_device->setOsciRunning(state == "oscilloscope");
        QTestHost::link("drive")->setOnline(state != "offline");
        const QServoWriteRules rules(*m_device);
        QString reason;
        const tagSubFuncode_Servo* fun = m_device->getFuncodePtrByFunIndex(funIndex);
        const qint64 raw = fun ? m_device->scaledToRaw(fun, value) : 0;
        QCOMPARE(rules.checkRawValue(funIndex, raw, axis, &reason), error);
        QCOMPARE(reason.isEmpty(), error == 0);
        const bool permitted = state != "oscilloscope" && state != "offline";
        QCOMPARE(rules.isWritePermitted(&reason), permitted);
        QCOMPARE(reason.isEmpty(), permitted);
    }

    void editability_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<int>("rwLevel");  // -1: the code's own
        QTest::addColumn<bool>("running"); // the oscilloscope
        QTest::addColumn<bool>("editable");
        QTest::newRow("write only") << "P00.08" << -1 << false << true;
        QTest::newRow("read only") << "P00.07" << -1 << false << false;
        QTest::newRow("factory") << "P00.06" << -1 << false << false;
        QTest::newRow("oscilloscope's first code, running") << "P2.02" << -1 << true << false;
        QTest::newRow("read-only oscilloscope's first code, stopped") << "P2.02" << 0 << false << true;
        QTest::newRow("oscilloscope's other code, stopped") << "P2.03" << -1 << false << false;
        QTest::newRow("free code while the oscilloscope runs") << "P2.01" << -1 << true << true;
    }

    // Whether a table lets an edit begin: the oscilloscope's first code follows the oscilloscope alone, its
    // other codes are never edited there; the drive's state is left to the write.
    void editability()
    {
        QFETCH(QString, funIndex);
        QFETCH(int, rwLevel);
        QFETCH(bool, running);
        QFETCH(bool, editable);
        tagSubFuncode_Servo fun = *m_device->getFuncodePtrByFunIndex(funIndex);
        fun.rwLevel = rwLevel < 0 ? fun.rwLevel : rwLevel;
        m_device->setOsciRunning(running);
        QTestHost::link("drive")->setOnline(false);
        QCOMPARE(QServoWriteRules(*m_device).isEditable(fun), editable);
    }
};

QTEST_MAIN(tst_QServoWriteRules)
#include "tst_QServoWriteRules.moc"
