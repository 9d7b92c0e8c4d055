#include "FileFixtures.h"
#include "IPluginInterface.h"
#include "QPluginHost.h"
#include "QTestHost.h"

#include <QtTest>

#include <algorithm>

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

        // The plug-in object is one instance per process: before the host loads it, it has no widget.
        const QString file = QDir(m_pluginDir).filePath("libpluginFuncode_Servo.so");
        QPluginLoader loader(file);
        QVERIFY(!qobject_cast<IPluginInterface*>(loader.instance())->getWidget());
        QPluginHost host;
        QVERIFY2(host.load({empty, foreign, m_pluginDir}), qPrintable(host.errorString()));
        QCOMPARE(host.pluginFiles(), QStringList{file});
        QCOMPARE(host.plugins().size(), 1);
        // The host has initialised it: one main widget, which neither a second init nor a reinit replaces.
        IPluginInterface* plugin = host.plugins().constFirst();
        QWidget* widget = plugin->getWidget();
        QVERIFY(widget);
        plugin->initPlugin();
        plugin->reinitPlugin();
        QCOMPARE(plugin->getWidget(), widget);
        const QList<QWidget*> all = widget->findChildren<QWidget*>();
        QCOMPARE(int(std::count_if(all.cbegin(), all.cend(),
                                   [](const QWidget* w) { return w->inherits("QFuncodeWidget_Servo"); })),
                 1);
        QVERIFY(plugin->getPluginInfo());
        QCOMPARE(plugin->getPluginInfo(), plugin->getPluginInfo());
    }

private:
    const QString m_pluginDir = QDir::cleanPath(qEnvironmentVariable("SERVO_PLUGIN_DIR"));
    QTemporaryDir m_temp;
};

QTEST_MAIN(tst_QPluginHost)
#include "tst_QPluginHost.moc"
