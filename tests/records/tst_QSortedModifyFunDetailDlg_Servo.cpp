#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>
#include <ctime>

using M = QSortedModifyFunDetailModel_Servo;

// The history of one code: one row per modification event, values with the code's decimals, local times.
class tst_QSortedModifyFunDetailDlg_Servo : public QObject
{
    Q_OBJECT

    QByteArray m_zone;
    bool m_hadZone = false;

    static tagFuncodeModifyData event(int timeStamp, double oldValue, double newValue, int axis)
    {
        tagFuncodeModifyData e;
        e.timeStamp = timeStamp;
        e.oldValue = oldValue;
        e.newValue = newValue;
        e.axisIndex = axis;
        return e;
    }

private slots:
    void initTestCase()
    {
        m_zone = qgetenv("TZ");
        m_hadZone = qEnvironmentVariableIsSet("TZ");
    }

    void cleanup()
    {
        m_hadZone ? qputenv("TZ", m_zone) : qunsetenv("TZ");
        tzset();
    }

    void valuesUseCodeDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("no decimals") << 12.0 << 0 << "12";
        QTest::newRow("two decimals") << 12.0 << 2 << "12.00";
        QTest::newRow("rounded to the code's step") << 2.856 << 2 << "2.86";
    }

    void valuesUseCodeDecimals()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QSortedModifyFunDetailDlg_Servo dialog;
        dialog.setData({event(100, value, value + 1, 0)}, decimals);
        const M* model = dialog.getView()->getModel();
        QCOMPARE(model->index(0, M::COL_OLD_VAL).data().toString(), text);
        QCOMPARE(model->index(0, M::COL_NEW_VAL).data().toString(),
                 QString::number(value + 1, 'f', decimals));
    }

    void timeIsLocal_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("text");
        QTest::newRow("epoch, UTC") << QByteArray("UTC0") << "1970-01-01 00:00:00";
        QTest::newRow("epoch, three hours east") << QByteArray("XST-3") << "1970-01-01 03:00:00";
    }

    void timeIsLocal()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, text);
        qputenv("TZ", zone);
        tzset();
        M model;
        model.setModifyData({event(0, 1, 2, 0)}, 0);
        QCOMPARE(model.index(0, M::COL_TIME).data().toString(), text);
    }

    void oneRowPerEvent()
    {
        QSortedModifyFunDetailDlg_Servo dialog;
        M* model = dialog.getView()->getModel();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        dialog.setData({event(30, 1, 2, 2)}, 1);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, M::COL_AXIS).data().toString(), QStringLiteral("2"));

        // The order given is kept; values are numbers, never texts of a value list.
        dialog.setData({event(30, 1, 2, 0), event(20, 3, 1, 1), event(10, 0, 3, 2)}, 0);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(2, M::COL_NEW_VAL).data().toString(), QStringLiteral("3"));
        QCOMPARE(model->index(1, M::COL_AXIS).data().toString(), QStringLiteral("1"));
        QVERIFY(!model->index(3, 0).data().isValid());
        dialog.setData({}, 0);
        QCOMPARE(model->rowCount(), 0);
    }
};

QTEST_MAIN(tst_QSortedModifyFunDetailDlg_Servo)
#include "tst_QSortedModifyFunDetailDlg_Servo.moc"
