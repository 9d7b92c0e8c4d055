#include "QDeviceServo.h"
#include "QSelFunCodeModel_Servo.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QTest>

// The monitored list as rows: the device's order, unknown numbers left out, reordering at the ends.
class tst_QSelFunCodeModel_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QSelFunCodeModel_Servo* m_model = nullptr;

    void load(const QStringList& monitored)
    {
        m_device->setSelSubFuncodeList(monitored);
        m_model->reloadRows();
    }

    QStringList rows() const
    {
        QStringList numbers;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            numbers << m_model->index(row, 0).data().toString();
        }
        return numbers;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(m_device);
        m_model = new QSelFunCodeModel_Servo(this);
        QTestHost::checkModel(m_model);
    }

    void cleanup()
    {
        delete m_model;
        m_model = nullptr;
        QTestHost::clearProject();
    }

    void rowsFollowDeviceList()
    {
        load({"P2.01", "P00.00", "X99.99", "U00.01", "P10.07"});
        QCOMPARE(rows(), QStringList({"P2.01", "P00.00", "U00.01", "P10.07"}));
        QCOMPARE(m_model->rowOfFuncode("U00.01", "A"), 2);
        // A window running past the end is clipped to the rows there are.
        QCOMPARE(m_model->funcodesBetween(2, 3).size(), 2);
        QCOMPARE(m_model->funcodesBetween(1, 1).first()->funIndex, QStringLiteral("P00.00"));
        QCOMPARE(m_model->funcodesInModel({"P10.07", "P2.01", "P99.00"}, "A"),
                 QStringList({"P2.01", "P10.07"}));
    }

    void moving_data()
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

    void moving()
    {
        QFETCH(QString, number);
        QFETCH(bool, up);
        QFETCH(QStringList, expected);
        load({"P00.01", "P00.02", "P00.03"});
        up ? m_model->moveRowUp(number) : m_model->moveRowDown(number);
        QCOMPARE(m_device->getSelSubFuncodeList(), expected);
        QCOMPARE(rows(), expected);
    }
};

QTEST_MAIN(tst_QSelFunCodeModel_Servo)
#include "tst_QSelFunCodeModel_Servo.moc"
