#include "QDeviceServo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

// The drive's own list of settings that differ from their defaults (getCompareFuncodeDefault).
class tst_QDefaultValueComparer_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup() { QTestHost::clearProject(); }

    void listsWhatDiffers_data()
    {
        QTest::addColumn<QString>("funIndex"); // empty: nothing is changed
        QTest::addColumn<int>("axis");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<bool>("readAfter");   // the changed value is read into the device
        QTest::addColumn<QString>("axisName"); // empty: the code is not listed
        // A new drive holds its defaults: every kind of default text must equal its value.
        QTest::newRow("new drive") << "" << 0 << qint64(0) << true << "";
        QTest::newRow("decimal on Z") << "P10.05" << 2 << qint64(42) << true << "Z";
        QTest::newRow("two decimals on Y") << "P00.01" << 1 << qint64(315) << true << "Y";
        QTest::newRow("enumerated on X") << "P00.03" << 0 << qint64(2) << true << "X";
        QTest::newRow("hexadecimal on X") << "P00.04" << 0 << qint64(256) << true << "X";
        // A value changed in the drive but not read since is not known to differ.
        QTest::newRow("not read since") << "P10.07" << 0 << qint64(77) << false << "";
        // Above the present authority the code is not shown anywhere, here neither (which codes the
        // authority shows: tst_QDeviceServo::descriptionsFollowAuthority).
        QTest::newRow("above authority") << "P00.09" << 0 << qint64(77) << true << "";
        // The monitoring values of the state group move all the time; none of them is a setting.
        QTest::newRow("state code") << "U00.01" << 0 << qint64(77) << true << "";
    }

    void listsWhatDiffers()
    {
        QFETCH(QString, funIndex);
        QFETCH(int, axis);
        QFETCH(qint64, raw);
        QFETCH(bool, readAfter);
        QFETCH(QString, axisName);
        QDeviceServo* device = QTestHost::addDrive("TST3", "drive");
        QVERIFY(device);
        QVERIFY(device->getCompareFuncodeDefault().isEmpty()); // nothing read yet
        if (!readAfter) {
            QVERIFY(QTestHost::readAll(device));
        }
        if (!funIndex.isEmpty()) {
            QTestHost::link("drive")->setRawValue(funIndex, axis, raw);
        }
        if (readAfter) {
            QVERIFY(QTestHost::readAll(device));
        }
        const QList<QStringList> rows = device->getCompareFuncodeDefault();
        if (axisName.isEmpty()) {
            QCOMPARE(rows, QList<QStringList>());
            return;
        }
        QCOMPARE(rows.size(), 1);
        const QString name = device->getFuncodePtrByFunIndex(funIndex)->funName;
        QCOMPARE(rows.first().mid(0, 3), (QStringList{funIndex, name, axisName}));
        QCOMPARE(rows.first().at(3), device->getScaledCurValueStr(funIndex, axis));
        QCOMPARE(rows.first().at(4), device->getScaledDefaultValueStr(funIndex, axis));
        QVERIFY(rows.first().at(3) != rows.first().at(4));
    }
};

QTEST_MAIN(tst_QDefaultValueComparer_Servo)
#include "tst_QDefaultValueComparer_Servo.moc"
