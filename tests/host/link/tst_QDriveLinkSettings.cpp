#include "QDriveLinkFactory.h"
#include "QModbusDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

class tst_QDriveLinkSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void unusableSettingsAreRefused_data()
    {
        QTest::addColumn<QDriveLinkSettings>("settings");
        QTest::addColumn<int>("axes");
        QTest::addColumn<bool>("usable");
        using S = QDriveLinkSettings;
        const QString local = QStringLiteral("127.0.0.1");
        S slow = S::tcp(local, 502, 1);
        slow.timeoutMs = 5;
        // Usable rows with every member off its default: they are also written to JSON and read back.
        S tcp = S::tcp("localhost", 1502, 4);
        tcp.timeoutMs = 800;
        tcp.ownServer = true;
        S rtu = S::rtu("/dev/ttyUSB0", 57600, S::ParityOdd, 17);
        rtu.stopBits = 2;
        QTest::newRow("simulated") << S::simulated() << 3 << true;
        QTest::newRow("tcp") << tcp << 3 << true;
        QTest::newRow("rtu") << rtu << 3 << true;
        QTest::newRow("last units") << S::tcp(local, 502, 245) << 3 << true;
        QTest::newRow("axes past unit 247") << S::tcp(local, 502, 246) << 3 << false;
        QTest::newRow("unit 0 is broadcast") << S::tcp(local, 502, 0) << 1 << false;
        QTest::newRow("no host") << S::tcp("", 502, 1) << 1 << false;
        QTest::newRow("port 0") << S::tcp(local, 0, 1) << 1 << false;
        QTest::newRow("no serial port") << S::rtu("", 9600, S::ParityNone, 1) << 1 << false;
        QTest::newRow("baud rate") << S::rtu("/dev/ttyS0", 10, S::ParityNone, 1) << 1 << false;
        QTest::newRow("timeout") << slow << 1 << false;
    }

    // The factory makes the link usable settings describe, and only for them; usable settings survive the
    // project file.
    void unusableSettingsAreRefused()
    {
        QFETCH(QDriveLinkSettings, settings);
        QFETCH(int, axes);
        QFETCH(bool, usable);
        QString error;
        QCOMPARE(settings.check(axes, &error), usable);
        QCOMPARE(error.isEmpty(), usable);
        QScopedPointer<QDriveLink> link(
            QDriveLinkFactory::create(QTestHost::testModel(axes), settings, &error));
        QCOMPARE(!link.isNull(), usable);
        if (usable) {
            QCOMPARE(qobject_cast<QModbusDriveLink*>(link.data()) != nullptr, settings.isModbus());
            QCOMPARE(QDriveLinkFactory::settingsOf(link.data()), settings);
            const QByteArray json = QJsonDocument(settings.toJson()).toJson();
            QDriveLinkSettings back;
            QVERIFY(QDriveLinkSettings::fromJson(QJsonDocument::fromJson(json).object(), &back, &error));
            QVERIFY2(back == settings, json.constData());
            QCOMPARE(back.describe(), settings.describe());
        }
    }
};

QTEST_MAIN(tst_QDriveLinkSettings)
#include "tst_QDriveLinkSettings.moc"
