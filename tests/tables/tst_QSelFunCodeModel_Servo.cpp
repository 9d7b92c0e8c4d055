#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSelFunCodeModel_Servo.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

// The monitored list as rows: the device's order, unknown numbers left out, reordering at the ends.
class tst_QSelFunCodeModel_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsFollowDeviceList();
    void unknownNumbersLeftOut();
    void moving_data();
    void moving();
    void funcodesBetween();
    void uncheckingRemovesRow();
    void noDeviceNoRows();

private:
    QDeviceServo* m_device = nullptr;
};

void tst_QSelFunCodeModel_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QSelFunCodeModel_Servo::init()
{
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("A"));
    QTestHost::select(QStringLiteral("A"));
    QVERIFY(m_device);
}

void tst_QSelFunCodeModel_Servo::cleanup()
{
    QTestHost::clearProject();
    m_device = nullptr;
}

static QStringList numbersOf(const QSelFunCodeModel_Servo& model)
{
    QStringList numbers;
    for (int row = 0; row < model.rowCount(); ++row) {
        numbers << model.index(row, 0).data().toString();
    }
    return numbers;
}

void tst_QSelFunCodeModel_Servo::rowsFollowDeviceList()
{
    QSelFunCodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_device->setSelSubFuncodeList({"P2.01", "P00.00", "U00.01", "P10.07"});
    model.reloadRows();
    QCOMPARE(numbersOf(model), QStringList({"P2.01", "P00.00", "U00.01", "P10.07"}));
    QCOMPARE(model.rowOfFuncode(QStringLiteral("U00.01"), QStringLiteral("A")), 2);
    QCOMPARE(model.funcodesInModel({"P10.07", "P2.01", "P99.00"}, QStringLiteral("A")),
             QStringList({"P2.01", "P10.07"}));
}

void tst_QSelFunCodeModel_Servo::unknownNumbersLeftOut()
{
    QSelFunCodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_device->setSelSubFuncodeList({"P00.01", "X99.99", "P00.02"});
    model.reloadRows();
    QCOMPARE(numbersOf(model), QStringList({"P00.01", "P00.02"}));
}

void tst_QSelFunCodeModel_Servo::moving_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QStringList>("expected");
    const QStringList list{"P00.01", "P00.02", "P00.03"};
    QTest::newRow("first up") << "P00.01" << true << list;
    QTest::newRow("last down") << "P00.03" << false << list;
    QTest::newRow("second up") << "P00.02" << true << QStringList({"P00.02", "P00.01", "P00.03"});
    QTest::newRow("second down") << "P00.02" << false << QStringList({"P00.01", "P00.03", "P00.02"});
    QTest::newRow("not in the list") << "P00.05" << true << list;
}

void tst_QSelFunCodeModel_Servo::moving()
{
    QFETCH(QString, number);
    QFETCH(bool, up);
    QFETCH(QStringList, expected);
    QSelFunCodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_device->setSelSubFuncodeList({"P00.01", "P00.02", "P00.03"});
    model.reloadRows();
    if (up) {
        model.moveRowUp(number);
    } else {
        model.moveRowDown(number);
    }
    QCOMPARE(m_device->getSelSubFuncodeList(), expected);
    QCOMPARE(numbersOf(model), expected);
}

void tst_QSelFunCodeModel_Servo::funcodesBetween()
{
    QSelFunCodeModel_Servo model;
    QStringList list;
    for (int i = 0; i < 30; ++i) {
        list << QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    m_device->setSelSubFuncodeList(list);
    model.reloadRows();
    QCOMPARE(model.funcodesBetween(5, 30).size(), 30);
    const QList<tagSubFuncode_Servo*> window = model.funcodesBetween(5, 10);
    QCOMPARE(window.size(), 11);
    QCOMPARE(window.first()->funIndex, QStringLiteral("P10.05"));
    QCOMPARE(window.last()->funIndex, QStringLiteral("P10.15"));
    QCOMPARE(model.funcodesBetween(25, 8).size(), 5);
}

void tst_QSelFunCodeModel_Servo::uncheckingRemovesRow()
{
    QSelFunCodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_device->setSelSubFuncodeList({"P00.01", "P00.02"});
    model.reloadRows();
    QSignalSpy changed(&model, &QFuncodeModelBase_Servo::SigSelChanged);
    QVERIFY(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(numbersOf(model), QStringList{"P00.02"});
}

void tst_QSelFunCodeModel_Servo::noDeviceNoRows()
{
    QSelFunCodeModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_device->setSelSubFuncodeList({"P00.01", "P00.02"});
    model.reloadRows();
    QCOMPARE(model.rowCount(), 2);
    QTestHost::select(QString());
    model.reloadRows();
    QCOMPARE(model.rowCount(), 0);
    model.moveRowDown(QStringLiteral("P00.01"));
    QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({"P00.01", "P00.02"}));
}

QTEST_MAIN(tst_QSelFunCodeModel_Servo)
#include "tst_QSelFunCodeModel_Servo.moc"
