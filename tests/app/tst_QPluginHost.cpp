#include "IPluginInterface.h"
#include "QPluginHost.h"
#include "QPluginInfo.h"
#include "QTestHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class tst_QPluginHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void searchOrderPutsTheOptionFirst();
    void emptyAndForeignFoldersLoadNothing();
    void firstFolderWithAPluginWins();

private:
    QString m_pluginDir;
    QTemporaryDir m_temp;
};

void tst_QPluginHost::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    m_pluginDir = QDir::cleanPath(qEnvironmentVariable("SERVO_PLUGIN_DIR"));
    QVERIFY(!m_pluginDir.isEmpty());
    QVERIFY(m_temp.isValid());
}

void tst_QPluginHost::searchOrderPutsTheOptionFirst()
{
    const QString option = m_temp.filePath(QStringLiteral("option"));
    const QDir appDir(QCoreApplication::applicationDirPath());
    QStringList expected{
        QDir::cleanPath(option), m_pluginDir,
        QDir::cleanPath(appDir.absoluteFilePath(QStringLiteral("../plugins"))),
        QDir::cleanPath(appDir.absoluteFilePath(QStringLiteral("../lib/servo-workbench/plugins")))};
    // The environment may name the folder next to the executable; it is searched once.
    expected.removeDuplicates();
    const QStringList dirs = QPluginHost::searchDirectories(option);
    QCOMPARE(dirs.mid(0, expected.size()), expected);
    QCOMPARE(QStringList(dirs).removeDuplicates(), 0);
    // Without the option the environment comes first.
    QCOMPARE(QPluginHost::searchDirectories(QString()).constFirst(), m_pluginDir);
}

void tst_QPluginHost::emptyAndForeignFoldersLoadNothing()
{
    const QString empty = m_temp.filePath(QStringLiteral("empty"));
    const QString foreign = m_temp.filePath(QStringLiteral("foreign"));
    QVERIFY(QDir().mkpath(empty));
    QVERIFY(QDir().mkpath(foreign));
    // A file that looks like a library but is none.
    QFile fake(QDir(foreign).filePath(QStringLiteral("libnotaplugin.so")));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("not an ELF file");
    fake.close();

    QPluginHost host;
    QVERIFY(!host.load({empty, foreign, m_temp.filePath(QStringLiteral("missing"))}));
    QVERIFY(host.plugins().isEmpty());
    const QString error = host.errorString();
    QVERIFY2(error.contains(empty) && error.contains(foreign), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("libnotaplugin.so")), qPrintable(error));
}

void tst_QPluginHost::firstFolderWithAPluginWins()
{
    const QString empty = m_temp.filePath(QStringLiteral("empty"));
    QVERIFY(QDir().mkpath(empty));
    QPluginHost host;
    QVERIFY2(host.load({empty, m_pluginDir}), qPrintable(host.errorString()));
    QCOMPARE(host.plugins().size(), 1);
    QCOMPARE(host.pluginFiles(),
             QStringList{QDir(m_pluginDir).filePath(QStringLiteral("libpluginFuncode_Servo.so"))});
    IPluginInterface* plugin = host.plugins().constFirst();
    // The host has initialised it: the widget exists.
    QVERIFY(plugin->getWidget());
    QCOMPARE(plugin->getPluginInfo()->kind, 5);
}

QTEST_MAIN(tst_QPluginHost)
#include "tst_QPluginHost.moc"
