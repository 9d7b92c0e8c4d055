#include "QDeviceServo.h"
#include "QFuncodeDetailInfoWidget.h"
#include "QLibSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

namespace {
QLabel* label(const QWidget& widget, const char* objectName)
{
    return widget.findChild<QLabel*>(QLatin1String(objectName));
}

QString text(const QWidget& widget, const char* objectName)
{
    const QLabel* found = label(widget, objectName);
    return found ? found->text() : QStringLiteral("<missing>");
}

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}
} // namespace

class tst_QFuncodeDetailInfoWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsAKnownCode();
    void showsOnlyTheDrivesAxes();
    void emptyState_data();
    void emptyState();
    void followsValueChanges();
    void staysOnScreen_data();
    void staysOnScreen();
    void placementOfOversizedCard();

private:
    QDeviceServo* m_device = nullptr;
};

void tst_QFuncodeDetailInfoWidget::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    QVERIFY(QLibSetting::self()->loadLanguage(QStringLiteral("en")));
}

void tst_QFuncodeDetailInfoWidget::init()
{
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("drive"));
    QVERIFY(m_device);
    QTestHost::select(QStringLiteral("drive"));
    QVERIFY(QTestHost::readAll(m_device));
}

void tst_QFuncodeDetailInfoWidget::cleanup()
{
    QTestHost::clearProject();
}

void tst_QFuncodeDetailInfoWidget::showsAKnownCode()
{
    QFuncodeDetailInfoWidget info(nullptr, Qt::WindowStaysOnTopHint);
    QVERIFY(info.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(info.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(info.windowType(), Qt::Tool);
    info.setCurServoFuncode(QStringLiteral("P00.01"));
    QVERIFY(info.hasFuncodeInfo());
    QCOMPARE(info.aliasName(), QStringLiteral("drive"));
    QCOMPARE(text(info, "INFO_TITLE"), QStringLiteral("P00.01  Rated current"));
    QCOMPARE(text(info, "INFO_VALUE_0"), QStringLiteral("2.80"));
    QCOMPARE(text(info, "INFO_VALUE_2"), QStringLiteral("2.80"));
    QCOMPARE(text(info, "INFO_RANGE"), QStringLiteral("0.10 to 30.00"));
    QCOMPARE(text(info, "INFO_DEFAULT"), QStringLiteral("2.80"));
    QCOMPARE(text(info, "INFO_UNIT"), QStringLiteral("A"));
    QCOMPARE(text(info, "INFO_RIGHT"), QStringLiteral("Read and write"));
    QCOMPARE(text(info, "INFO_EFFECT"), QDeviceServo::getEffectStr(0));
    QVERIFY(label(info, "INFO_EMPTY")->isHidden());
    QVERIFY(label(info, "INFO_REMARK")->isHidden()); // no remark, no empty line

    info.setCurServoFuncode(QStringLiteral("P00.00"));
    QCOMPARE(text(info, "INFO_VALUE_1"), QStringLiteral("1:Motor B 400W"));
    QCOMPARE(text(info, "INFO_REMARK"), QStringLiteral("Choose the motor on the name plate."));
    QVERIFY(!label(info, "INFO_REMARK")->isHidden());
    QVERIFY(label(info, "INFO_REMARK")->wordWrap());
}

void tst_QFuncodeDetailInfoWidget::showsOnlyTheDrivesAxes()
{
    QDeviceServo* single = QTestHost::addDrive(QStringLiteral("TST1"), QStringLiteral("single"));
    QVERIFY(single);
    QTestHost::select(QStringLiteral("single"));
    QFuncodeDetailInfoWidget info;
    info.setCurServoFuncode(QStringLiteral("P00.02"));
    QVERIFY(!label(info, "INFO_VALUE_0")->isHidden());
    QVERIFY(label(info, "INFO_VALUE_1")->isHidden());
    QVERIFY(label(info, "INFO_VALUE_2")->isHidden());
}

void tst_QFuncodeDetailInfoWidget::emptyState_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("withDrive");
    QTest::newRow("empty number") << "" << true;
    QTest::newRow("blank number") << "   " << true;
    QTest::newRow("unknown number") << "P99.99" << true;
    QTest::newRow("no drive") << "P00.01" << false;
}

void tst_QFuncodeDetailInfoWidget::emptyState()
{
    QFETCH(QString, funIndex);
    QFETCH(bool, withDrive);

    QFuncodeDetailInfoWidget info;
    info.setCurServoFuncode(QStringLiteral("P00.01")); // a previous code must not linger
    if (!withDrive) {
        QTestHost::select(QString());
    }
    info.setCurServoFuncode(funIndex);
    QVERIFY(!info.hasFuncodeInfo());
    QVERIFY(!label(info, "INFO_EMPTY")->isHidden());
    QCOMPARE(text(info, "INFO_EMPTY"), QStringLiteral("No information about this function code."));
    QVERIFY(label(info, "INFO_TITLE")->isHidden());
    QVERIFY(label(info, "INFO_RANGE")->isHidden() || !label(info, "INFO_RANGE")->isVisibleTo(&info));
}

void tst_QFuncodeDetailInfoWidget::followsValueChanges()
{
    QFuncodeDetailInfoWidget info;
    info.setCurServoFuncode(QStringLiteral("P00.02"));
    QTestHost::link(QStringLiteral("drive"))->setRawValue(QStringLiteral("P00.02"), 1, 4321);
    m_device->readFuncode({m_device->getFuncodePtrByFunIndex(QStringLiteral("P00.02"))});
    QTRY_COMPARE(text(info, "INFO_VALUE_1"), QStringLiteral("4321"));
    QCOMPARE(text(info, "INFO_VALUE_0"), QStringLiteral("3000"));
}

void tst_QFuncodeDetailInfoWidget::staysOnScreen_data()
{
    QTest::addColumn<QPointF>("where"); // position as a fraction of the screen's area
    QTest::addColumn<bool>("leftOfPoint");
    QTest::addColumn<bool>("abovePoint");

    QTest::newRow("middle") << QPointF(0.5, 0.5) << false << false;
    QTest::newRow("top left corner") << QPointF(0.0, 0.0) << false << false;
    QTest::newRow("right edge") << QPointF(1.0, 0.3) << true << false;
    QTest::newRow("bottom edge") << QPointF(0.3, 1.0) << false << true;
    QTest::newRow("bottom right corner") << QPointF(1.0, 1.0) << true << true;
    QTest::newRow("top right corner") << QPointF(1.0, 0.0) << true << false;
    QTest::newRow("bottom left corner") << QPointF(0.0, 1.0) << false << true;
}

void tst_QFuncodeDetailInfoWidget::staysOnScreen()
{
    QFETCH(QPointF, where);
    QFETCH(bool, leftOfPoint);
    QFETCH(bool, abovePoint);

    const QRect area = screenArea();
    const QPoint point(area.left() + qMin(int(where.x() * area.width()), area.width() - 1),
                       area.top() + qMin(int(where.y() * area.height()), area.height() - 1));
    QFuncodeDetailInfoWidget info;
    info.setCurServoFuncode(QStringLiteral("P00.00"));
    info.show();
    info.moveFunDetailInfoWidget(point);
    const QRect card = info.frameGeometry();
    QVERIFY2(area.contains(card), qPrintable(QStringLiteral("card %1,%2 %3x%4")
                                                 .arg(card.x())
                                                 .arg(card.y())
                                                 .arg(card.width())
                                                 .arg(card.height())));
    QVERIFY(!card.contains(point)); // never under the cursor
    QCOMPARE(card.right() < point.x(), leftOfPoint);
    QCOMPARE(card.bottom() < point.y(), abovePoint);
}

void tst_QFuncodeDetailInfoWidget::placementOfOversizedCard()
{
    const QRect area(100, 50, 400, 300);
    QCOMPARE(QFuncodeDetailInfoWidget::placeFor(QPoint(300, 200), QSize(600, 500), area), area.topLeft());
    QCOMPARE(QFuncodeDetailInfoWidget::placeFor(QPoint(-40, -40), QSize(50, 50), area), area.topLeft());
    QCOMPARE(QFuncodeDetailInfoWidget::placeFor(QPoint(900, 900), QSize(50, 50), area), QPoint(450, 300));
    QCOMPARE(QFuncodeDetailInfoWidget::placeFor(QPoint(200, 100), QSize(50, 50), area), QPoint(212, 112));
}

QTEST_MAIN(tst_QFuncodeDetailInfoWidget)
#include "tst_QFuncodeDetailInfoWidget.moc"
