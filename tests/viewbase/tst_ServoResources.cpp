#include "ServoResources.h"

#include <QFile>
#include <QImage>
#include <QtTest>

class tst_ServoResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void imageExists_data();
    void imageExists();
};

void tst_ServoResources::initTestCase()
{
    initServoResources();
    initServoResources();
}

void tst_ServoResources::imageExists_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");

    const QStringList small = {"Funcode/rw_0",
                               "Funcode/rw_1",
                               "Funcode/rw_2",
                               "Funcode/rw_3",
                               "Funcode/rw_4",
                               "Servo/Effect_0",
                               "Servo/Effect_1",
                               "Servo/Effect_2",
                               "Servo/clear",
                               "Funcode/check_on",
                               "Funcode/check_off",
                               "Funcode/status_read_ok",
                               "Funcode/status_read_failed",
                               "Funcode/status_write_ok",
                               "Funcode/status_write_failed",
                               "topWidgetImge/checked",
                               "commonImge/search",
                               "commonImge/branch-closed",
                               "commonImge/branch-open",
                               "app/online",
                               "app/offline",
                               "dialog/close",
                               "dialog/maximize",
                               "dialog/restore"};
    const QStringList large = {"toolbar/up",      "toolbar/down",     "toolbar/batch_download",
                               "toolbar/import",  "toolbar/export",   "toolbar/print",
                               "toolbar/refresh", "toolbar/read_all", "toolbar/compare",
                               "toolbar/find",    "toolbar/help",     "app/logo",
                               "app/drive",       "app/funcode",      "app/statistics",
                               "app/records",     "app/monitored",    "app/compare",
                               "app/alarm",       "app/faults"};
    const QStringList boxes = {"dialog/information", "dialog/question", "dialog/warning", "dialog/success"};
    for (const QString& name : boxes) {
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/img/") + name << 32;
    }
    for (const QString& name : small) {
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/img/") + name << 16;
    }
    for (const QString& name : large) {
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/img/") + name << 24;
    }
}

void tst_ServoResources::imageExists()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    const QImage doubled(path + QStringLiteral("@2x"));
    QCOMPARE(doubled.size(), QSize(2 * size, 2 * size));
}

QTEST_MAIN(tst_ServoResources)
#include "tst_ServoResources.moc"
