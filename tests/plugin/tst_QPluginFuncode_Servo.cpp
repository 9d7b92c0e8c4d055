#include "IPluginInterface.h"
#include "QTestHost.h"

#include <QWidget>
#include <QtTest>

#include <algorithm>

// Loads the built plug-in file as the workbench does. The plug-in object is one instance per process, so
// the cases run as one life: before and after initPlugin, then repeated calls.
class tst_QPluginFuncode_Servo : public QObject
{
    Q_OBJECT

    QPluginLoader m_loader;
    IPluginInterface* m_plugin = nullptr;

    static int mainWidgetCount(QWidget* widget)
    {
        const QList<QWidget*> all = widget->findChildren<QWidget*>() << widget;
        return int(std::count_if(all.cbegin(), all.cend(),
                                 [](const QWidget* w) { return w->inherits("QFuncodeWidget_Servo"); }));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        const QString path =
            QDir(qEnvironmentVariable("SERVO_PLUGIN_DIR")).filePath("libpluginFuncode_Servo.so");
        QVERIFY2(QFile::exists(path), qPrintable(path));
        m_loader.setFileName(path);
        QObject* instance = m_loader.instance();
        QVERIFY2(instance, qPrintable(m_loader.errorString()));
        m_plugin = qobject_cast<IPluginInterface*>(instance);
        QVERIFY(m_plugin);
    }

    // No widget before initPlugin; then one main widget, which neither a second init nor a reinit replaces.
    void initCreatesOneMainWidget()
    {
        QVERIFY(!m_plugin->getWidget());
        m_plugin->initPlugin();
        QWidget* widget = m_plugin->getWidget();
        QVERIFY(widget);
        QCOMPARE(mainWidgetCount(widget), 1);
        m_plugin->initPlugin();
        m_plugin->reinitPlugin();
        QCOMPARE(m_plugin->getWidget(), widget);
        QCOMPARE(mainWidgetCount(widget), 1);
        QVERIFY(m_plugin->getPluginInfo());
        QCOMPARE(m_plugin->getPluginInfo(), m_plugin->getPluginInfo());
    }
};

QTEST_MAIN(tst_QPluginFuncode_Servo)
#include "tst_QPluginFuncode_Servo.moc"
