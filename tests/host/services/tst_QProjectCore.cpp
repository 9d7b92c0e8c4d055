#include "FileFixtures.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QLibLogger.h"
#include "QProjectCore.h"
#include "QProjectFileReader.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

class tst_QProjectCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void projectSurvivesSavingAndReopening()
    {
        QSignalSpy modified(core(), &QProjectCore::modifiedChanged);
        QDeviceServo* first = QTestHost::addDrive("TST3", "left");
        QDeviceServo* second = QTestHost::addDrive("TST1", "right");
        for (const char* number : {"P10.03", "P00.01", "P2.00"}) {
            first->appendSelSubFuncode(number);
        }
        first->upSelSubFuncodeList("P2.00");
        QTestHost::setRefreshInterval(second, 0);
        QTestHost::link("right")->setOnline(false);
        QVERIFY(core()->isModified());

        const QString path = m_dir.filePath("project.json");
        QString error;
        QVERIFY2(core()->saveProject(path, &error), qPrintable(error));
        QVERIFY(!core()->isModified());
        QCOMPARE(modified.count(), 2);
        QTestHost::clearProject();
        QVERIFY2(core()->openProject(path, &error), qPrintable(error));
        QDeviceManager* mgr = core()->getDevMgr();
        QCOMPARE(aliases(), (QStringList{"left", "right"}));
        QCOMPARE(mgr->getDeviceServo("left")->getSelSubFuncodeList(),
                 (QStringList{"P10.03", "P2.00", "P00.01"}));
        QCOMPARE(mgr->getDeviceServo("right")->getCommuParams().refreshInterval, 0);
        QVERIFY(!mgr->getDeviceServo("right")->isDeviceOnline());
        QVERIFY(mgr->getDeviceServo("left")->isDeviceOnline());
        QCOMPARE(core()->projectPath(), path);
        mgr->getDeviceServo("left")->appendSelSubFuncode("P00.02");
        QVERIFY(core()->isModified());
    }

    // A file that is no project keeps the open project; a project opens with what can be used and says which
    // entry was left out and why. What the reader refuses: badFilesAndEntriesAreNamed.
    void badFileKeepsTheOpenProjectUnusableEntriesAreReported()
    {
        QTestHost::addDrive("TST1", "kept");
        QString error;
        QVERIFY(!core()->openProject(writeFile("bad.json", "\x01\x02 not a project"), &error));
        QVERIFY(error.contains("bad.json"));
        QVERIFY(!core()->openProject(m_dir.filePath("missing.json"), &error));
        QCOMPARE(aliases(), QStringList{"kept"});
        const QString path =
            writeFile("mixed.json", R"({"format": 1, "devices": [{"alias": "a", "model": "NOPE"},
            "TST1", {"alias": "b", "model": "TST2", "timeoutMs": 2147483647}]})");
        QVERIFY(core()->openProject(path, &error));
        QVERIFY2(error.contains("Drive entry 1 (a) of the project is skipped: The drive model NOPE"),
                 qPrintable(error));
        QVERIFY2(error.contains("Drive entry 2 of the project is skipped: it is a text"), qPrintable(error));
        QCOMPARE(aliases(), QStringList{"b"});
        QCOMPARE(core()->getDevMgr()->getDeviceServo("b")->getCommuParams().timeoutMs,
                 QProjectFileReader::kMaxTimeoutMs);
    }

    // What the reader makes of project files that a person or another program got wrong.
    void badFilesAndEntriesAreNamed_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("read");            // false: no project at all
        QTest::addColumn<QStringList>("models");   // of the entries read, in order
        QTest::addColumn<QStringList>("problems"); // a part of each problem, in order
        const QStringList none;
        QTest::newRow("empty") << QString() << false << none << none;
        QTest::newRow("cut short") << R"({"format": 1, "devices": [{"alias": )" << false << none << none;
        QTest::newRow("list") << R"([{"format": 1}])" << false << none << none;
        QTest::newRow("no format") << R"({"devices": []})" << false << none << none;
        QTest::newRow("format as text") << R"({"format": "1", "devices": []})" << false << none << none;
        QTest::newRow("newer format") << R"({"format": 2, "devices": []})" << false << none << none;
        QTest::newRow("devices is an object")
            << R"({"format": 1, "devices": {"alias": "a", "model": "TST1"}})" << true << none
            << QStringList{"(\"devices\") is an object, not a list"};
        QTest::newRow("devices is a text")
            << R"({"format": 1, "devices": "TST1"})" << true << none << QStringList{"is a text, not a list"};
        QTest::newRow("entries that are not objects")
            << R"({"format": 1, "devices": [7, {"model": "TST1"}, "TST2", null, [{}]]})" << true
            << QStringList{"TST1"}
            << QStringList{"Drive entry 1 of the project is skipped: it is a number",
                           "Drive entry 3 of the project is skipped: it is a text",
                           "Drive entry 4 of the project is skipped: it is null",
                           "Drive entry 5 of the project is skipped: it is a list"};
        QTest::newRow("no model")
            << R"({"format": 1, "devices": [{"alias": "left"}, {"alias": "r", "model": 3}]})" << true << none
            << QStringList{
                   "Drive entry 1 (left) of the project is skipped: it names no drive model (\"model\" "
                   "is missing)",
                   "Drive entry 2 (r) of the project is skipped: it names no drive model (\"model\" is a "
                   "number)"};
        QTest::newRow("alias not a text")
            << R"({"format": 1, "devices": [{"alias": 5, "model": "TST1"}]})" << true << none
            << QStringList{"Drive entry 1 of the project is skipped: its name"};
        QTest::newRow("no devices") << R"({"format": 1})" << true << none << none;
        QTest::newRow("good entries")
            << R"({"format": 1, "devices": [{"alias": "a", "model": "TST1", "monitored": ["P00.01", 3]},
                                                        {"model": " TST2 "}]})"
            << true << QStringList{"TST1", "TST2"} << none;
    }

    // A file that is no project is refused with its name; a project is read with what can be used, and
    // each entry left out is named.
    void badFilesAndEntriesAreNamed()
    {
        QFETCH(QString, content);
        QFETCH(bool, read);
        QFETCH(QStringList, models);
        QFETCH(QStringList, problems);
        QProjectFileReader reader;
        QCOMPARE(reader.read(content.toUtf8(), "plant.servoproj"), read);
        QVERIFY2(read || reader.error().contains("plant.servoproj"), qPrintable(reader.error()));
        QStringList seen;
        for (const tagProjectDevice& device : reader.devices()) {
            seen.append(device.model);
        }
        QCOMPARE(seen, models);
        QCOMPARE(reader.problems().size(), problems.size());
        for (int i = 0; i < problems.size(); ++i) {
            QVERIFY2(reader.problems().at(i).contains(problems.at(i)), qPrintable(reader.problems().at(i)));
        }
    }

    void numbersAreBroughtIntoRange_data()
    {
        QTest::addColumn<QString>("timeout");
        QTest::addColumn<bool>("given");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("logged");
        QTest::newRow("usual") << "2000" << true << 2000 << false;
        QTest::newRow("negative") << "-5" << true << QProjectFileReader::kMinTimeoutMs << true;
        QTest::newRow("zero") << "0" << true << QProjectFileReader::kMinTimeoutMs << true;
        QTest::newRow("overflows when multiplied")
            << "2147483647" << true << QProjectFileReader::kMaxTimeoutMs << true;
        QTest::newRow("beyond int") << "1e300" << true << QProjectFileReader::kMaxTimeoutMs << true;
        QTest::newRow("text") << "\"long\"" << false << 0 << true;
        QTest::newRow("fraction") << "1500.4" << true << 1500 << false;
    }

    void numbersAreBroughtIntoRange()
    {
        QFETCH(QString, timeout);
        QFETCH(bool, given);
        QFETCH(int, expected);
        QFETCH(bool, logged);
        const QString alias = QStringLiteral("drive-%1").arg(QTest::currentDataTag()).replace(' ', '-');
        const QByteArray content =
            QStringLiteral(R"({"format": 1, "devices": [{"alias": "%1", "model": "TST1",
                                                      "timeoutMs": %2, "refreshInterval": -20,
                                                      "replyDelayMs": 1e12}]})")
                .arg(alias, timeout)
                .toUtf8();
        QProjectFileReader reader;
        QVERIFY(reader.read(content, "plant.servoproj"));
        QCOMPARE(reader.devices().size(), 1);
        const tagProjectDevice device = reader.devices().constFirst();
        QCOMPARE(device.hasTimeout, given);
        QCOMPARE(device.timeoutMs, expected);
        QCOMPARE(device.refreshInterval, 0);
        QCOMPARE(device.replyDelayMs, QProjectFileReader::kMaxReplyDelayMs);
        QVERIFY(reader.problems().isEmpty());
        const QString line = QStringLiteral("(%1), \"timeoutMs\"").arg(alias);
        QCOMPARE(QString::fromUtf8(FileFixtures::readBytes(QLibLogger::self()->logFilePath())).contains(line),
                 logged);
    }

    void demoProjectHasEveryModel()
    {
        QString error;
        QVERIFY2(core()->createDemoProject(&error), qPrintable(error));
        const QStringList models = core()->getCatalogue()->modelNames();
        QCOMPARE(aliases().size(), models.size() + QProjectCore::kDemoLineDrives - 1);
        for (const QString& model : models) {
            QVERIFY2(core()->getDevMgr()->getDeviceServo(model), qPrintable(model));
        }
        // A line of drives of one model with more than one axis, for trying a batch download.
        const QString line = core()->demoLineModel();
        QVERIFY(core()->getCatalogue()->model(line)->axisNum > 1);
        int ofLine = 0;
        for (const QString& alias : aliases()) {
            ofLine += core()->getDevMgr()->getDeviceServo(alias)->getDevName() == line;
        }
        QCOMPARE(ofLine, QProjectCore::kDemoLineDrives);
        QVERIFY(!core()->isModified());
    }

private:
    static QProjectCore* core() { return QProjectCore::self(); }
    static QStringList aliases() { return core()->getDevMgr()->getDevNameList(); }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        return FileFixtures::writeBytes(path, content) ? path : QString();
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_QProjectCore)
#include "tst_QProjectCore.moc"
