#include "QDefaultCompareFuncodeModel.h"
#include "QDeviceServo.h"
#include "QTestHost.h"

#include <QColor>
#include <QIcon>
#include <QtTest>

using M = QDefaultCompareFuncodeModel;

// The rows of the "comparison with defaults" page: host texts by position, coloured values, right icons.
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

    void cellsAreTheHostTextsByPosition()
    {
        M model;
        QTestHost::checkModel(&model);
        QCOMPARE(model.columnCount(), int(M::COL_COUNT));
        model.setModelData(rows());
        QCOMPARE(model.rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < M::COL_COUNT; ++column) {
                QCOMPARE(model.index(row, column).data().toString(), rows().at(row).at(column));
                QCOMPARE(model.index(row, column).data(Qt::ToolTipRole).toString(),
                         rows().at(row).at(column));
            }
        }
        QVERIFY(!model.data(QModelIndex()).isValid());
        model.setModelData({});
        QCOMPARE(model.rowCount(), 0);
    }

    void valuesAreColoured_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("colour");
        QTest::newRow("number") << int(M::COL_INDEX) << QVariant();
        QTest::newRow("axis") << int(M::COL_AXIS) << QVariant();
        QTest::newRow("current") << int(M::COL_CUR_VAL) << QVariant(QColor(Qt::red));
        QTest::newRow("default") << int(M::COL_DEFAULT_VAL) << QVariant(QColor(Qt::darkGreen));
    }

    void valuesAreColoured()
    {
        QFETCH(int, column);
        QFETCH(QVariant, colour);
        M model;
        model.setModelData(rows());
        for (int row = 0; row < model.rowCount(); ++row) {
            QCOMPARE(model.index(row, column).data(Qt::ForegroundRole), colour);
            QCOMPARE(model.index(row, column).data(Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignLeft | Qt::AlignVCenter));
        }
    }

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
        model.setModelData(rows());
        const QVariant decoration = model.index(row, column).data(Qt::DecorationRole);
        QVERIFY(decoration.canConvert<QIcon>());
        QCOMPARE(!decoration.value<QIcon>().isNull(), icon);
        // Texts stay even without an icon.
        QCOMPARE(model.index(row, M::COL_INDEX).data().toString(), rows().at(row).at(0));
    }
};

QTEST_MAIN(tst_QDefaultCompareFuncodeModel)
#include "tst_QDefaultCompareFuncodeModel.moc"
