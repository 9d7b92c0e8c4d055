#include "QDefaultCompareFuncodeModel.h"
#include "QDeviceServo.h"
#include "QTestHost.h"

#include <QIcon>
#include <QtTest>

using M = QDefaultCompareFuncodeModel;

// The rows of the "comparison with defaults" page: the right's icon by code (the rows themselves are
// tst_QDefaultValueComparer_Servo's, their showing tst_QDefaultCompareFuncodeView's).
class tst_QDefaultCompareFuncodeModel : public QObject
{
    Q_OBJECT

    static QList<QStringList> rows()
    {
        return {{"P00.01", "Rated current", "X", "3.15", "2.80"},
                {"P00.07", "Read only value", "Y", "10", "9"},
                {"P99.99", "Gone", "Z", "1", "0"}};
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup() { QTestHost::clearProject(); }

    void axisColumnShowsTheRightIcon_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("icon");
        QTest::newRow("known code") << true << 0 << int(M::COL_AXIS) << true;
        QTest::newRow("read only code") << true << 1 << int(M::COL_AXIS) << true;
        QTest::newRow("number the drive does not know") << true << 2 << int(M::COL_AXIS) << false;
        QTest::newRow("other column") << true << 0 << int(M::COL_NAME) << false;
        QTest::newRow("no drive selected") << false << 0 << int(M::COL_AXIS) << false;
    }

    void axisColumnShowsTheRightIcon()
    {
        QFETCH(bool, selected);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, icon);
        if (selected) {
            QVERIFY(QTestHost::addSelectedDrive("TST3", "drive"));
        }
        M model;
        QTestHost::checkModel(&model);
        model.setModelData(rows());
        const QVariant decoration = model.index(row, column).data(Qt::DecorationRole);
        QVERIFY(decoration.canConvert<QIcon>());
        QCOMPARE(!decoration.value<QIcon>().isNull(), icon);
    }
};

QTEST_MAIN(tst_QDefaultCompareFuncodeModel)
#include "tst_QDefaultCompareFuncodeModel.moc"
