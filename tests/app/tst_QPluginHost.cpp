#include "FileFixtures.h"
#include "IPluginInterface.h"
#include "QPluginHost.h"
#include "QTestHost.h"

#include <QtTest>

class tst_QPluginHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp() && !m_pluginDir.isEmpty()); }

    void searchOrderPutsTheOptionFirst()
    {
        const QString option = m_temp.filePath("option");
        const QDir appDir(QCoreApplication::applicationDirPath());
        QStringList expected{QDir::cleanPath(option), m_pluginDir,
                             QDir::cleanPath(appDir.filePath("../plugins")),
                             QDir::cleanPath(appDir.filePath("../lib/servo-workbench/plugins"))};
        // The environment may name the folder next to the executable; it is searched once.
        expected.removeDuplicates();
        const QStringList dirs = QPluginHost::searchDirectories(option);
        QCOMPARE(dirs.mid(0, expected.size()), expected);
        QCOMPARE(QStringList(dirs).removeDuplicates(), 0);
        QCOMPARE(QPluginHost::searchDirectories(QString()).constFirst(), m_pluginDir);
    }

    void firstFolderWithAPluginWins()
    {
        const QString empty = m_temp.filePath("empty");
        const QString foreign = m_temp.filePath("foreign");
        QVERIFY(QDir().mkpath(empty) && QDir().mkpath(foreign));
        QVERIFY(FileFixtures::writeBytes(QDir(foreign).filePath("libnotaplugin.so"), "not an ELF file"));

        QPluginHost none;
        QVERIFY(!none.load({empty, foreign, m_temp.filePath("missing")}));
        QVERIFY(none.plugins().isEmpty());
        const QString error = none.errorString();
        QVERIFY2(error.contains(empty) && error.contains(foreign) && error.contains("libnotaplugin.so"),
                 qPrintable(error));

        QPluginHost host;
        QVERIFY2(host.load({empty, foreign, m_pluginDir}), qPrintable(host.errorString()));
        QCOMPARE(host.pluginFiles(), QStringList{QDir(m_pluginDir).filePath("libpluginFuncode_Servo.so")});
        QCOMPARE(host.plugins().size(), 1);
        // The host has initialised it: the widget exists.
        QVERIFY(host.plugins().constFirst()->getWidget());
    }

private:
    const QString m_pluginDir = QDir::cleanPath(qEnvironmentVariable("SERVO_PLUGIN_DIR"));
    QTemporaryDir m_temp;
};

QTEST_MAIN(tst_QPluginHost)
#include "tst_QPluginHost.moc"
