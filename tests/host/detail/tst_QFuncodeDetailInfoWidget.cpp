#include "QDeviceServo.h"
#include "QFuncodeDetailInfoWidget.h"
#include "QLibSetting.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QLabel>
#include <QtTest>

namespace {
QLabel* label(const QWidget& widget, const char* objectName)
{
    return widget.findChild<QLabel*>(QLatin1String(objectName));
}
} // namespace

class tst_QFuncodeDetailInfoWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void init();
    void cleanup() { QTestHost::clearProject(); }
    void showsTheCodeAndFollowsItsValues();
    void emptyState_data();
    void emptyState();
    void placement_data();
    void placement();

private:
    QDeviceServo* m_device = nullptr;
    QString m_error;
};

void tst_QFuncodeDetailInfoWidget::init()
{
    QVERIFY(QLibSetting::self()->loadLanguage("en"));
    m_device = QTestHost::addDrive("TST3", "drive");
    QTestHost::select("drive");
    QVERIFY(QTestHost::readAll(m_device));
}

void tst_QFuncodeDetailInfoWidget::showsTheCodeAndFollowsItsValues()
{
    QFuncodeDetailInfoWidget info;
    info.setCurServoFuncode("P00.00");
    QCOMPARE(label(info, "INFO_VALUE_1")->text(), QString("1:Motor B 400W"));
    QVERIFY(!label(info, "INFO_REMARK")->isHidden());
    info.setCurServoFuncode("P00.02");
    QVERIFY(label(info, "INFO_EMPTY")->isHidden());
    QVERIFY(label(info, "INFO_REMARK")->isHidden()); // no remark, no empty line
    QTestHost::link("drive")->setRawValue("P00.02", 1, 4321);
    m_device->readFuncode({m_device->getFuncodePtrByFunIndex("P00.02")});
    QTRY_COMPARE(label(info, "INFO_VALUE_1")->text(), "4321");
    QCOMPARE(label(info, "INFO_VALUE_0")->text(), QString("3000"));

    // A drive with one axis shows one value.
    QVERIFY(QTestHost::addSelectedDrive("TST1", "single"));
    info.setCurServoFuncode("P00.02");
    QVERIFY(!label(info, "INFO_VALUE_0")->isHidden());
    QVERIFY(label(info, "INFO_VALUE_1")->isHidden() && label(info, "INFO_VALUE_2")->isHidden());
}

void tst_QFuncodeDetailInfoWidget::emptyState_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("withDrive");
    QTest::newRow("blank number") << "   " << true;
    QTest::newRow("unknown number") << "P99.99" << true;
    QTest::newRow("no drive") << "P00.01" << false;
}

void tst_QFuncodeDetailInfoWidget::emptyState()
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
    QVERIFY(!label(info, "INFO_EMPTY")->isHidden());
    QVERIFY(label(info, "INFO_TITLE")->isHidden());
    QVERIFY(!label(info, "INFO_RANGE")->isVisibleTo(&info));
}

void tst_QFuncodeDetailInfoWidget::placement_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("expected");

    // The screen is 400 x 300 at (100, 50); the card keeps a gap of 12 from the cursor.
    QTest::newRow("below right") << QPoint(200, 100) << QSize(50, 50) << QPoint(212, 112);
    QTest::newRow("right edge: left of it") << QPoint(490, 100) << QSize(50, 50) << QPoint(428, 112);
    QTest::newRow("bottom edge: above it") << QPoint(200, 340) << QSize(50, 50) << QPoint(212, 278);
    QTest::newRow("bottom right corner") << QPoint(490, 340) << QSize(50, 50) << QPoint(428, 278);
    QTest::newRow("card larger than the screen") << QPoint(300, 200) << QSize(600, 500) << QPoint(100, 50);
    QTest::newRow("cursor before the screen") << QPoint(-40, -40) << QSize(50, 50) << QPoint(100, 50);
    QTest::newRow("cursor beyond the screen") << QPoint(900, 900) << QSize(50, 50) << QPoint(450, 300);
}

void tst_QFuncodeDetailInfoWidget::placement()
{
    QFETCH(QPoint, cursor);
    QFETCH(QSize, size);
    QFETCH(QPoint, expected);
    QCOMPARE(QFuncodeDetailInfoWidget::placeFor(cursor, size, QRect(100, 50, 400, 300)), expected);
}

QTEST_MAIN(tst_QFuncodeDetailInfoWidget)
#include "tst_QFuncodeDetailInfoWidget.moc"
