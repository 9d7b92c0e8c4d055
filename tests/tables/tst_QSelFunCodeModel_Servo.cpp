#include "QDeviceServo.h"
#include "QSelFunCodeModel_Servo.h"
#include "QTestHost.h"

#include <QTest>

// The monitored list as rows: the device's order, unknown numbers left out, moves through the device.
class tst_QSelFunCodeModel_Servo : public QObject
{
    Q_OBJECT

    static QStringList rows(const QSelFunCodeModel_Servo& model)
    {
        QStringList numbers;
        for (int row = 0; row < model.rowCount(); ++row) {
            numbers << model.index(row, 0).data().toString();
        }
        return numbers;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void rowsFollowDeviceList()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(device);
        QSelFunCodeModel_Servo model;
        QTestHost::checkModel(&model);
        device->setSelSubFuncodeList({"P2.01", "P00.00", "X99.99", "U00.01", "P10.07"});
        model.reloadRows();
        QCOMPARE(rows(model), QStringList({"P2.01", "P00.00", "U00.01", "P10.07"}));
        QCOMPARE(model.rowOfFuncode("U00.01", "A"), 2);
        // A window running past the end is clipped to the rows there are.
        QCOMPARE(model.funcodesBetween(2, 3).size(), 2);
        QCOMPARE(model.funcodesBetween(1, 1).first()->funIndex, QStringLiteral("P00.00"));
        QCOMPARE(model.funcodesInModel({"P10.07", "P2.01", "P99.00"}, "A"), QStringList({"P2.01", "P10.07"}));

        // Which moves change the list is the device list's matter; the rows follow the device.
        model.moveRowUp("P00.00");
        QCOMPARE(rows(model), QStringList({"P00.00", "P2.01", "U00.01", "P10.07"}));
        model.moveRowDown("U00.01");
        QCOMPARE(rows(model), QStringList({"P00.00", "P2.01", "P10.07", "U00.01"}));
        QTestHost::clearProject();
    }
};

QTEST_MAIN(tst_QSelFunCodeModel_Servo)
#include "tst_QSelFunCodeModel_Servo.moc"
