#include "QDefaultCompareFuncodeModel.h"
#include "QDefaultCompareFuncodeView.h"
#include "QDeviceServo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QIcon>
#include <QMenu>
#include <QtTest>

// The "comparison with defaults" page: refreshed on every show and on demand, reading an online drive
// first, keeping its rows without a drive; the axis cell shows the selected drive's right of the code.
class tst_QDefaultCompareFuncodeView : public QObject
{
    Q_OBJECT

    static QStringList numbersOf(const QDefaultCompareFuncodeView& view)
    {
        QStringList numbers;
        for (const QStringList& row : view.getModel()->getModelData()) {
            numbers << row.at(QDefaultCompareFuncodeModel::COL_INDEX) + '/' +
                           row.at(QDefaultCompareFuncodeModel::COL_AXIS);
        }
        return numbers;
    }

    static QIcon axisIcon(const QDefaultCompareFuncodeView& view)
    {
        const QModelIndex cell = view.getModel()->index(0, QDefaultCompareFuncodeModel::COL_AXIS);
        return cell.data(Qt::DecorationRole).value<QIcon>();
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup() { QTestHost::clearProject(); }

    void showingReadsAnOnlineDriveFirst_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("online: read before the table fills") << true << QStringList{"P10.03/Y"};
        QTest::newRow("offline: the values already held") << false << QStringList{"P10.02/Z"};
    }

    void showingReadsAnOnlineDriveFirst()
    {
        QFETCH(bool, online);
        QFETCH(QStringList, expected);
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "drive", 5);
        QVERIFY(QTestHost::readAll(device));
        QSimulatedDriveLink* link = QTestHost::link("drive");
        link->setRawValue("P10.02", 2, 99);
        QVERIFY(QTestHost::readAll(device));
        link->setRawValue("P10.02", 2, 2); // back to its default, but not read again
        link->setRawValue("P10.03", 1, 99);
        link->setOnline(online);

        QDefaultCompareFuncodeView view;
        view.show();
        QCOMPARE(numbersOf(view), expected);
        QCOMPARE(view.currentIndex().row(), 0);
    }

    // Without a drive, neither a refresh nor a show takes the rows away.
    void refreshFollowsTheDriveOnlyWhenAsked()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "drive");
        QVERIFY(QTestHost::readAll(device));
        QDefaultCompareFuncodeView view;
        QTestHost::checkModel(view.getModel());
        view.show();
        QCOMPARE(numbersOf(view), QStringList());

        QVERIFY(device->modifyFuncodeValueWithRecord("P10.04", 40, 0));
        QCOMPARE(numbersOf(view), QStringList()); // no update between refreshes
        // The context menu's only command refreshes.
        const QList<QMenu*> menus = view.findChildren<QMenu*>();
        QCOMPARE(menus.size(), 1);
        menus.first()->actions().value(0)->trigger();
        QCOMPARE(numbersOf(view), QStringList{"P10.04/X"});
        QVERIFY(!axisIcon(view).isNull());

        QTestHost::select(QString());
        view.OnRefresh();
        view.hide();
        view.show();
        QCOMPARE(numbersOf(view), QStringList{"P10.04/X"});
        QVERIFY(axisIcon(view).isNull());
    }
};

QTEST_MAIN(tst_QDefaultCompareFuncodeView)
#include "tst_QDefaultCompareFuncodeView.moc"
