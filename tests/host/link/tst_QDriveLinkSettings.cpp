#include "QDriveLinkFactory.h"
#include "QModbusDriveLink.h"
#include "QTestHost.h"

#include <QJsonDocument>
#include <QtTest>

class tst_QDriveLinkSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void settingsSurviveTheProjectFile_data();
    void settingsSurviveTheProjectFile();
    void unusableSettingsAreRefused_data();
    void unusableSettingsAreRefused();
};

void tst_QDriveLinkSettings::settingsSurviveTheProjectFile_data()
{
    QTest::addColumn<QDriveLinkSettings>("settings");
    QDriveLinkSettings tcp = QDriveLinkSettings::tcp("192.168.1.20", 1502, 4);
    tcp.timeoutMs = 800;
    tcp.ownServer = true;
    QDriveLinkSettings rtu =
        QDriveLinkSettings::rtu("/dev/ttyUSB0", 57600, QDriveLinkSettings::ParityOdd, 17);
    rtu.stopBits = 2;
    QTest::newRow("simulated") << QDriveLinkSettings::simulated();
    QTest::newRow("tcp") << tcp;
    QTest::newRow("rtu") << rtu;
}

void tst_QDriveLinkSettings::settingsSurviveTheProjectFile()
{
    QFETCH(QDriveLinkSettings, settings);
    const QByteArray json = QJsonDocument(settings.toJson()).toJson();
    QDriveLinkSettings back;
    QString error;
    QVERIFY(QDriveLinkSettings::fromJson(QJsonDocument::fromJson(json).object(), &back, &error));
    QVERIFY2(back == settings, json.constData());
    QCOMPARE(back.describe(), settings.describe());
}

void tst_QDriveLinkSettings::unusableSettingsAreRefused_data()
{
    QTest::addColumn<QDriveLinkSettings>("settings");
    QTest::addColumn<int>("axes");
    QTest::addColumn<bool>("usable");
    QTest::newRow("simulated") << QDriveLinkSettings::simulated() << 3 << true;
    QDriveLinkSettings s = QDriveLinkSettings::tcp("127.0.0.1", 502, 1);
    QTest::newRow("tcp") << s << 3 << true;
    s.unitId = 245;
    QTest::newRow("last units") << s << 3 << true;
    s.unitId = 246;
    QTest::newRow("axes past unit 247") << s << 3 << false;
    s.unitId = 0;
    QTest::newRow("unit 0 is broadcast") << s << 1 << false;
    s = QDriveLinkSettings::tcp("", 502, 1);
    QTest::newRow("no host") << s << 1 << false;
    s = QDriveLinkSettings::tcp("127.0.0.1", 0, 1);
    QTest::newRow("port 0") << s << 1 << false;
    s = QDriveLinkSettings::rtu("", 9600, QDriveLinkSettings::ParityNone, 1);
    QTest::newRow("no serial port") << s << 1 << false;
    s = QDriveLinkSettings::rtu("/dev/ttyS0", 10, QDriveLinkSettings::ParityNone, 1);
    QTest::newRow("baud rate") << s << 1 << false;
    s = QDriveLinkSettings::tcp("127.0.0.1", 502, 1);
    s.timeoutMs = 5;
    QTest::newRow("timeout") << s << 1 << false;
}

// The factory makes the link usable settings describe, and only for them.
void tst_QDriveLinkSettings::unusableSettingsAreRefused()
{
    QFETCH(QDriveLinkSettings, settings);
    QFETCH(int, axes);
    QFETCH(bool, usable);
    QString error;
    QCOMPARE(settings.check(axes, &error), usable);
    QCOMPARE(error.isEmpty(), usable);
    QScopedPointer<QDriveLink> link(QDriveLinkFactory::create(QTestHost::testModel(axes), settings, &error));
    QCOMPARE(!link.isNull(), usable);
    if (usable) {
        QCOMPARE(qobject_cast<QModbusDriveLink*>(link.data()) != nullptr, settings.isModbus());
        QCOMPARE(QDriveLinkFactory::settingsOf(link.data()), settings);
    }
}

QTEST_MAIN(tst_QDriveLinkSettings)
#include "tst_QDriveLinkSettings.moc"
