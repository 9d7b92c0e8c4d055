#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QDateTime>
#include <QLayout>
#include <QSignalSpy>
#include <QtTest>
#include <ctime>

namespace {
// The text a key is shown with (the host installs the English texts).
QString english(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

QStringList english(const QStringList& keys)
{
    QStringList texts;
    for (const QString& key : keys) {
        texts << english(qPrintable(key));
    }
    return texts;
}

tagFuncodeModifyData modifyEvent(int timeStamp, double oldValue, double newValue, int axis)
{
    tagFuncodeModifyData e;
    e.timeStamp = timeStamp;
    e.oldValue = oldValue;
    e.newValue = newValue;
    e.axisIndex = axis;
    return e;
}

// Switches the process's local time zone for the life of the object.
class TimeZone
{
public:
    explicit TimeZone(const QByteArray& tz) : m_old(qgetenv("TZ")), m_hadOld(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", tz);
        tzset();
    }
    ~TimeZone()
    {
        if (m_hadOld) {
            qputenv("TZ", m_old);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }

private:
    QByteArray m_old;
    bool m_hadOld;
};
} // namespace

class tst_QSortedModifyFunDetailDlg_Servo : public QObject
{
    Q_OBJECT

private slots:
    void valuesUseCodeDecimals_data();
    void valuesUseCodeDecimals();
    void timeIsLocal_data();
    void timeIsLocal();
    void oneRowPerEvent();
    void rolesAndHeaders();
    void dialogLayout();
};

void tst_QSortedModifyFunDetailDlg_Servo::valuesUseCodeDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("no decimals") << 12.0 << 0 << "12";
    QTest::newRow("two decimals") << 12.0 << 2 << "12.00";
    QTest::newRow("rounded to the code's step") << 2.856 << 2 << "2.86";
    QTest::newRow("negative") << -5.5 << 1 << "-5.5";
    // Enumerated codes are counted by value: no list texts here.
    QTest::newRow("enumerated value") << 3.0 << 0 << "3";
}

void tst_QSortedModifyFunDetailDlg_Servo::valuesUseCodeDecimals()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QSortedModifyFunDetailModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setModifyData({modifyEvent(100, value, value, 0)}, decimals);
    QCOMPARE(model.index(0, QSortedModifyFunDetailModel_Servo::COL_OLD_VAL).data().toString(), text);
    QCOMPARE(model.index(0, QSortedModifyFunDetailModel_Servo::COL_NEW_VAL).data().toString(), text);
}

void tst_QSortedModifyFunDetailDlg_Servo::timeIsLocal_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("timeStamp");
    QTest::addColumn<QString>("text");
    QTest::newRow("epoch, UTC") << QByteArray("UTC0") << 0 << "1970-01-01 00:00:00";
    QTest::newRow("epoch, three hours east") << QByteArray("XST-3") << 0 << "1970-01-01 03:00:00";
    QTest::newRow("afternoon, two hours west") << QByteArray("YST2") << 1700000000 << "2023-11-14 20:13:20";
}

void tst_QSortedModifyFunDetailDlg_Servo::timeIsLocal()
{
    QFETCH(QByteArray, zone);
    QFETCH(int, timeStamp);
    QFETCH(QString, text);
    TimeZone local(zone);
    QSortedModifyFunDetailModel_Servo model;
    model.setModifyData({modifyEvent(timeStamp, 1, 2, 0)}, 0);
    QCOMPARE(model.index(0, QSortedModifyFunDetailModel_Servo::COL_TIME).data().toString(), text);
}

void tst_QSortedModifyFunDetailDlg_Servo::oneRowPerEvent()
{
    QSortedModifyFunDetailModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setModifyData({modifyEvent(30, 1, 2, 2)}, 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, QSortedModifyFunDetailModel_Servo::COL_AXIS).data().toString(),
             QStringLiteral("2"));

    model.setModifyData({modifyEvent(30, 1, 2, 0), modifyEvent(20, 3, 1, 1), modifyEvent(10, 0, 3, 2)}, 0);
    QCOMPARE(model.rowCount(), 3);
    // The order given is kept.
    QCOMPARE(model.index(2, QSortedModifyFunDetailModel_Servo::COL_NEW_VAL).data().toString(),
             QStringLiteral("3"));
    QCOMPARE(model.index(1, QSortedModifyFunDetailModel_Servo::COL_AXIS).data().toString(),
             QStringLiteral("1"));
    QVERIFY(!model.index(3, 0).data().isValid());

    model.setModifyData({}, 0);
    QCOMPARE(model.rowCount(), 0);
}

void tst_QSortedModifyFunDetailDlg_Servo::rolesAndHeaders()
{
    QSortedModifyFunDetailModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setModifyData({modifyEvent(1, 1, 2, 0), modifyEvent(2, 2, 3, 0)}, 0);
    const QStringList headers =
        english(QStringList{"STR_MODIFICATION_DATETIME", "STR_OLD_VAL", "STR_NEW_VAL", "STR_AXIS_INDEX"});
    QCOMPARE(model.getHeadList(), headers);
    for (int column = 0; column < model.columnCount(); ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
    }
    for (int row = 0; row < 2; ++row) {
        const QModelIndex index = model.index(row, 1);
        QCOMPARE(index.data(Qt::BackgroundRole).value<QBrush>().color(),
                 QBaseTableModel::getBGColorByRow(row));
        QCOMPARE(index.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(!index.data(Qt::ToolTipRole).isValid());
    }
}

void tst_QSortedModifyFunDetailDlg_Servo::dialogLayout()
{
    QSortedModifyFunDetailDlg_Servo dialog;
    QCOMPARE(dialog.size(), QSize(450, 400));
    QCOMPARE(dialog.layout()->contentsMargins(), QMargins(2, 40, 2, 2));
    QSortedModifyFunDetailView_Servo* view = dialog.getView();
    QCOMPARE(view->columnWidth(0), 160);
    QCOMPARE(view->columnWidth(1), 120);
    QCOMPARE(view->columnWidth(2), 120);
    QCOMPARE(view->columnWidth(3), 40);
    QCOMPARE(view->model(), view->getModel());

    dialog.setData({modifyEvent(5, 1.5, 2.5, 1)}, 1);
    QCOMPARE(view->getModel()->rowCount(), 1);
    QCOMPARE(view->getModel()->index(0, 2).data().toString(), QStringLiteral("2.5"));
}

QTEST_MAIN(tst_QSortedModifyFunDetailDlg_Servo)
#include "tst_QSortedModifyFunDetailDlg_Servo.moc"
