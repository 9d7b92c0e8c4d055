#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QTestHost.h"
#include "drive/QDriveCatalogue.h"
#include "drive/QSimulatedDriveLink.h"

#include <QSignalSpy>
#include <QtTest>

class tst_QProjectCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void projectSurvivesSavingAndReopening();
    void badProjectFileKeepsTheOpenProject_data();
    void badProjectFileKeepsTheOpenProject();
    void unknownModelIsReportedOthersOpen();
    void demoProjectHasEveryModel();
    void modifiedFollowsChanges();

private:
    QTemporaryDir m_dir;
};

void tst_QProjectCore::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QProjectCore::cleanup()
{
    QTestHost::clearProject();
}

void tst_QProjectCore::projectSurvivesSavingAndReopening()
{
    QDeviceServo* first = QTestHost::addDrive("TST3", "left");
    QDeviceServo* second = QTestHost::addDrive("TST1", "right");
    first->appendSelSubFuncode("P10.03");
    first->appendSelSubFuncode("P00.01");
    first->appendSelSubFuncode("P2.00");
    first->upSelSubFuncodeList("P2.00");
    QCommuParams params = second->getCommuParams();
    params.refreshInterval = 0;
    second->setCommuParams(params);
    QTestHost::link("right")->setOnline(false);

    const QString path = m_dir.filePath("project.json");
    QString error;
    QVERIFY2(QProjectCore::self()->saveProject(path, &error), qPrintable(error));
    QVERIFY(!QProjectCore::self()->isModified());

    QTestHost::clearProject();
    QVERIFY2(QProjectCore::self()->openProject(path, &error), qPrintable(error));
    QDeviceManager* mgr = QProjectCore::self()->getDevMgr();
    QCOMPARE(mgr->getDevNameList(), (QStringList{"left", "right"}));
    QCOMPARE(mgr->getDeviceServo("left")->getSelSubFuncodeList(), (QStringList{"P10.03", "P2.00", "P00.01"}));
    QCOMPARE(mgr->getDeviceServo("right")->getCommuParams().refreshInterval, 0);
    QVERIFY(!mgr->getDeviceServo("right")->isDeviceOnline());
    QVERIFY(mgr->getDeviceServo("left")->isDeviceOnline());
    QCOMPARE(QProjectCore::self()->projectPath(), path);
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
    const QString path = m_dir.filePath("bad.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QString error;
    QVERIFY(!QProjectCore::self()->openProject(path, &error));
    QVERIFY(error.contains("bad.json"));
    QCOMPARE(QProjectCore::self()->getDevMgr()->getDevNameList(), QStringList{"kept"});
    QVERIFY(!QProjectCore::self()->openProject(m_dir.filePath("missing.json"), &error));
    QCOMPARE(QProjectCore::self()->getDevMgr()->getDevNameList(), QStringList{"kept"});
}

void tst_QProjectCore::unknownModelIsReportedOthersOpen()
{
    const QString path = m_dir.filePath("mixed.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        R"({"format": 1, "devices": [{"alias": "a", "model": "NOPE"}, {"alias": "b", "model": "TST2"}]})");
    file.close();
    QString error;
    QVERIFY(QProjectCore::self()->openProject(path, &error));
    QVERIFY(error.contains("NOPE"));
    QCOMPARE(QProjectCore::self()->getDevMgr()->getDevNameList(), QStringList{"b"});
}

void tst_QProjectCore::demoProjectHasEveryModel()
{
    QString error;
    QVERIFY2(QProjectCore::self()->createDemoProject(&error), qPrintable(error));
    QDeviceManager* mgr = QProjectCore::self()->getDevMgr();
    const QStringList models = QProjectCore::self()->getCatalogue()->modelNames();
    QCOMPARE(mgr->getDevList().size(), models.size());
    for (const QString& model : models) {
        QVERIFY2(mgr->getDeviceServo(model), qPrintable(model));
    }
    QVERIFY(!QProjectCore::self()->isModified());
}

void tst_QProjectCore::modifiedFollowsChanges()
{
    QSignalSpy spy(QProjectCore::self(), &QProjectCore::modifiedChanged);
    QDeviceServo* device = QTestHost::addDrive("TST1", "m");
    QVERIFY(QProjectCore::self()->isModified());
    QVERIFY(QProjectCore::self()->saveProject(m_dir.filePath("m.json")));
    QVERIFY(!QProjectCore::self()->isModified());
    device->appendSelSubFuncode("P00.01");
    QVERIFY(QProjectCore::self()->isModified());
    QCOMPARE(spy.count(), 3);
}

QTEST_MAIN(tst_QProjectCore)
#include "tst_QProjectCore.moc"
