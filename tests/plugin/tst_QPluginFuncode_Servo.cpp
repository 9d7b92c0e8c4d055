#include "IPluginInterface.h"
#include "QPluginInfo.h"
#include "QTestHost.h"

#include <QDir>
#include <QJsonObject>
#include <QPluginLoader>
#include <QTest>
#include <QWidget>

// The plug-in object is one instance per process, so the cases run as one life: before and after
// initPlugin, then repeated calls.
class tst_QPluginFuncode_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void metaDataNamesTheInterfaceAndClass();
    void widgetIsNullBeforeInit();
    void initCreatesOneMainWidget();
    void secondInitCreatesNoSecondWidget();
    void pluginInfoIsCreatedOnceAndFilled();
    void reinitChangesNothing();

private:
    static int mainWidgetCount(const QWidget* widget);

    QPluginLoader m_loader;
    IPluginInterface* m_plugin = nullptr;
};

int tst_QPluginFuncode_Servo::mainWidgetCount(const QWidget* widget)
{
    int count = widget->inherits("QFuncodeWidget_Servo") ? 1 : 0;
    const QList<QWidget*> children = widget->findChildren<QWidget*>();
    for (const QWidget* child : children) {
        if (child->inherits("QFuncodeWidget_Servo")) {
            ++count;
        }
    }
    return count;
}

void tst_QPluginFuncode_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    const QString dir = qEnvironmentVariable("SERVO_PLUGIN_DIR");
    QVERIFY2(!dir.isEmpty(), "SERVO_PLUGIN_DIR is not set");
    const QString path = QDir(dir).filePath(QStringLiteral("libpluginFuncode_Servo.so"));
    QVERIFY2(QFile::exists(path), qPrintable(path));
    m_loader.setFileName(path);
    QObject* instance = m_loader.instance();
    QVERIFY2(instance, qPrintable(m_loader.errorString()));
    QVERIFY(instance->inherits("QPluginBase"));
    m_plugin = qobject_cast<IPluginInterface*>(instance);
    QVERIFY(m_plugin);
}

void tst_QPluginFuncode_Servo::metaDataNamesTheInterfaceAndClass()
{
    const QJsonObject metaData = m_loader.metaData();
    QCOMPARE(metaData.value(QStringLiteral("IID")).toString(),
             QStringLiteral("QPluginFuncode_Servo.QPluginBase"));
    QCOMPARE(metaData.value(QStringLiteral("className")).toString(), QStringLiteral("QPluginFuncode_Servo"));
    QVERIFY(metaData.value(QStringLiteral("MetaData")).toObject().isEmpty());
    // The loader hands out the same instance every time.
    QCOMPARE(qobject_cast<IPluginInterface*>(m_loader.instance()), m_plugin);
}

void tst_QPluginFuncode_Servo::widgetIsNullBeforeInit()
{
    QVERIFY(!m_plugin->getWidget());
}

void tst_QPluginFuncode_Servo::initCreatesOneMainWidget()
{
    m_plugin->initPlugin();
    QWidget* widget = m_plugin->getWidget();
    QVERIFY(widget);
    QCOMPARE(m_plugin->getWidget(), widget);
    QCOMPARE(mainWidgetCount(widget), 1);
}

void tst_QPluginFuncode_Servo::secondInitCreatesNoSecondWidget()
{
    QWidget* widget = m_plugin->getWidget();
    QVERIFY(widget);
    m_plugin->initPlugin();
    QCOMPARE(m_plugin->getWidget(), widget);
    QCOMPARE(mainWidgetCount(widget), 1);
}

void tst_QPluginFuncode_Servo::pluginInfoIsCreatedOnceAndFilled()
{
    QPluginInfo* info = m_plugin->getPluginInfo();
    QVERIFY(info);
    QCOMPARE(m_plugin->getPluginInfo(), info);
    QCOMPARE(info->kind, 5);
    QVERIFY(info->bEnabled);
    QCOMPARE(info->version, 1);
    QVERIFY(info->strId.isEmpty());
    // Translated at the first call: the English text, not the key.
    QVERIFY(!info->displayName.isEmpty());
    QVERIFY2(info->displayName != QLatin1String("STR_FUNCODE"), qPrintable(info->displayName));
}

void tst_QPluginFuncode_Servo::reinitChangesNothing()
{
    QWidget* widget = m_plugin->getWidget();
    QPluginInfo* info = m_plugin->getPluginInfo();
    const QString name = info->displayName;
    m_plugin->reinitPlugin();
    QCOMPARE(m_plugin->getWidget(), widget);
    QCOMPARE(m_plugin->getPluginInfo(), info);
    QCOMPARE(info->displayName, name);
    QCOMPARE(mainWidgetCount(widget), 1);
}

QTEST_MAIN(tst_QPluginFuncode_Servo)
#include "tst_QPluginFuncode_Servo.moc"
