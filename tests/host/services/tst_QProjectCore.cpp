#include "FileFixtures.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
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
    // entry was left out and why. What the reader refuses: tst_QProjectFileReader.
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
