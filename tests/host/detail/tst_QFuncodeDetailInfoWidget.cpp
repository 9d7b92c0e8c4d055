#include "QDeviceServo.h"
#include "QFuncodeDetailInfoWidget.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QLabel>
#include <QtTest>

class tst_QFuncodeDetailInfoWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_device = QTestHost::addSelectedDrive("TST3", "drive");
        QVERIFY(QTestHost::readAll(m_device));
    }

    void cleanup() { QTestHost::clearProject(); }

    void showsTheCodeAndFollowsItsValues()
    {
        QFuncodeDetailInfoWidget info;
        info.setCurServoFuncode("P00.00");
        QCOMPARE(QTestUi::child<QLabel>(&info, "INFO_VALUE_1")->text(), QString("1:Motor B 400W"));
        info.setCurServoFuncode("P00.02");
        QVERIFY(info.hasFuncodeInfo());
        QTestHost::link("drive")->setRawValue("P00.02", 1, 4321);
        QVERIFY(QTestHost::readCodes(m_device, {"P00.02"}));
        QCOMPARE(QTestUi::child<QLabel>(&info, "INFO_VALUE_1")->text(), "4321");
        QCOMPARE(QTestUi::child<QLabel>(&info, "INFO_VALUE_0")->text(), QString("3000"));

        // A drive with one axis shows one value.
        QVERIFY(QTestHost::addSelectedDrive("TST1", "single"));
        info.setCurServoFuncode("P00.02");
        QVERIFY(!QTestUi::child<QLabel>(&info, "INFO_VALUE_0")->isHidden());
        QVERIFY(QTestUi::child<QLabel>(&info, "INFO_VALUE_1")->isHidden() &&
                QTestUi::child<QLabel>(&info, "INFO_VALUE_2")->isHidden());
    }

    void emptyState_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("withDrive");
        QTest::newRow("blank number") << "   " << true;
        QTest::newRow("unknown number") << "P99.99" << true;
        QTest::newRow("no drive") << "P00.01" << false;
    }

    void emptyState()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, withDrive);

        QFuncodeDetailInfoWidget info;
        info.setCurServoFuncode("P00.01"); // a previous code must not linger
        if (!withDrive) {
            QTestHost::select(QString());
        }
        info.setCurServoFuncode(funIndex);
        QVERIFY(!info.hasFuncodeInfo());
        QVERIFY(!QTestUi::child<QLabel>(&info, "INFO_EMPTY")->isHidden());
        QVERIFY(!QTestUi::child<QLabel>(&info, "INFO_RANGE")->isVisibleTo(&info));
    }

    void placement_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");

        // The screen is 400 x 300 at (100, 50); the card keeps a gap of 12 from the cursor.
        QTest::newRow("below right") << QPoint(200, 100) << QSize(50, 50) << QPoint(212, 112);
        QTest::newRow("right edge: left of it") << QPoint(490, 100) << QSize(50, 50) << QPoint(428, 112);
        QTest::newRow("bottom edge: above it") << QPoint(200, 340) << QSize(50, 50) << QPoint(212, 278);
        QTest::newRow("card larger than the screen")
            << QPoint(300, 200) << QSize(600, 500) << QPoint(100, 50);
        QTest::newRow("cursor before the screen") << QPoint(-40, -40) << QSize(50, 50) << QPoint(100, 50);
        QTest::newRow("cursor beyond the screen") << QPoint(900, 900) << QSize(50, 50) << QPoint(450, 300);
    }

    void placement()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        QCOMPARE(QFuncodeDetailInfoWidget::placeFor(cursor, size, QRect(100, 50, 400, 300)), expected);
    }

private:
    QDeviceServo* m_device = nullptr;
};

QTEST_MAIN(tst_QFuncodeDetailInfoWidget)
#include "tst_QFuncodeDetailInfoWidget.moc"
