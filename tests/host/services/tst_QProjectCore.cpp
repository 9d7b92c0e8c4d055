#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QProjectCore.h"
#include "QProjectFileReader.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QSignalSpy>
#include <QtTest>

class tst_QProjectCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void cleanup() { QTestHost::clearProject(); }
    void projectSurvivesSavingAndReopening();
    void badProjectFileKeepsTheOpenProject_data();
    void badProjectFileKeepsTheOpenProject();
    void unknownModelIsReportedOthersOpen();
    void brokenEntriesAreReported_data();
    void brokenEntriesAreReported();
    void timeoutIsKeptInRange();
    void demoProjectHasEveryModel();

private:
    static QProjectCore* core() { return QProjectCore::self(); }
    static QStringList aliases() { return core()->getDevMgr()->getDevNameList(); }
    QString writeFile(const QString& name, const QByteArray& content)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() ? file.fileName()
                                                                                        : QString();
    }

    QTemporaryDir m_dir;
    QString m_error;
};

void tst_QProjectCore::projectSurvivesSavingAndReopening()
{
    QSignalSpy modified(core(), &QProjectCore::modifiedChanged);
    QDeviceServo* first = QTestHost::addDrive("TST3", "left");
    QDeviceServo* second = QTestHost::addDrive("TST1", "right");
    for (const char* number : {"P10.03", "P00.01", "P2.00"}) {
        first->appendSelSubFuncode(number);
    }
    first->upSelSubFuncodeList("P2.00");
    QCommuParams params = second->getCommuParams();
    params.refreshInterval = 0;
    second->setCommuParams(params);
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
    QCOMPARE(mgr->getDeviceServo("left")->getSelSubFuncodeList(), (QStringList{"P10.03", "P2.00", "P00.01"}));
    QCOMPARE(mgr->getDeviceServo("right")->getCommuParams().refreshInterval, 0);
    QVERIFY(!mgr->getDeviceServo("right")->isDeviceOnline());
    QVERIFY(mgr->getDeviceServo("left")->isDeviceOnline());
    QCOMPARE(core()->projectPath(), path);
    mgr->getDeviceServo("left")->appendSelSubFuncode("P00.02");
    QVERIFY(core()->isModified());
}

void tst_QProjectCore::badProjectFileKeepsTheOpenProject_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("garbage") << QByteArray("\x01\x02 not a project");
    QTest::newRow("other json") << QByteArray("{\"devices\": []}");
    QTest::newRow("empty") << QByteArray();
}

void tst_QProjectCore::badProjectFileKeepsTheOpenProject()
{
    QFETCH(QByteArray, content);
    QTestHost::addDrive("TST1", "kept");
    const QString path = writeFile("bad.json", content);
    QString error;
    QVERIFY(!core()->openProject(path, &error));
    QVERIFY(error.contains("bad.json"));
    QCOMPARE(aliases(), QStringList{"kept"});
    QVERIFY(!core()->openProject(m_dir.filePath("missing.json"), &error));
    QCOMPARE(aliases(), QStringList{"kept"});
}

void tst_QProjectCore::unknownModelIsReportedOthersOpen()
{
    const QString path = writeFile(
        "mixed.json",
        R"({"format": 1, "devices": [{"alias": "a", "model": "NOPE"}, {"alias": "b", "model": "TST2"}]})");
    QString error;
    QVERIFY(core()->openProject(path, &error));
    QVERIFY2(error.contains("Drive entry 1 (a) of the project is skipped: The drive model NOPE"),
             qPrintable(error));
    QCOMPARE(aliases(), QStringList{"b"});
}

void tst_QProjectCore::brokenEntriesAreReported_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("aliases");
    QTest::addColumn<QString>("message");
    QTest::newRow("devices is an object")
        << QByteArray(R"({"format": 1, "devices": {"alias": "a", "model": "TST1"}})") << QStringList()
        << "(\"devices\") is an object";
    QTest::newRow("entry is a text")
        << QByteArray(R"({"format": 1, "devices": ["TST1", {"alias": "b", "model": "TST2"}]})")
        << QStringList{"b"} << "Drive entry 1 of the project is skipped: it is a text";
    QTest::newRow("entry without model")
        << QByteArray(R"({"format": 1, "devices": [{"alias": "c"}]})") << QStringList()
        << "Drive entry 1 (c) of the project is skipped: it names no drive model";
}

// The project opens with what can be used and says which entry was left out and why.
void tst_QProjectCore::brokenEntriesAreReported()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, aliases);
    QFETCH(QString, message);
    QTestHost::addDrive("TST1", "before");
    QString error;
    QVERIFY(core()->openProject(writeFile("broken.json", content), &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(!error.contains("drive model  is"));
    QCOMPARE(tst_QProjectCore::aliases(), aliases);
}

void tst_QProjectCore::timeoutIsKeptInRange()
{
    const QString path =
        writeFile("slow.json",
                  R"({"format": 1, "devices": [{"alias": "a", "model": "TST1", "timeoutMs": 2147483647}]})");
    QString error;
    QVERIFY(core()->openProject(path, &error));
    QCOMPARE(core()->getDevMgr()->getDeviceServo("a")->getCommuParams().timeoutMs,
             QProjectFileReader::kMaxTimeoutMs);
}

void tst_QProjectCore::demoProjectHasEveryModel()
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

QTEST_MAIN(tst_QProjectCore)
#include "tst_QProjectCore.moc"
