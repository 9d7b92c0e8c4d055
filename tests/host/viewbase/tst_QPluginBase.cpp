#include "QPluginBase.h"

#include <QLabel>
#include <QScrollArea>
#include <QtTest>

namespace {
// The smallest plug-in: its widget is a label handed to the base.
class TestPlugin : public QPluginBase
{
public:
    void initPlugin() override { useScrollArea(m_widget ? nullptr : new QLabel("content")); }
    void reinitPlugin() override {}
    QPluginInfo* getPluginInfo() override { return nullptr; }
};
} // namespace

class tst_QPluginBase : public QObject
{
    Q_OBJECT

private slots:
    // A widget the host never docked dies with the plug-in; a docked one stays with the host's window.
    void scrollAreaHoldsTheWidgetAndDiesWithThePlugin()
    {
        QWidget host;
        QPointer<QWidget> adopted, loose, content;
        {
            TestPlugin plugin;
            plugin.initPlugin();
            auto* area = qobject_cast<QScrollArea*>(plugin.getWidget());
            QVERIFY(area && area->widgetResizable() && qobject_cast<QLabel*>(area->widget()));
            plugin.initPlugin(); // a null widget keeps the one it has
            QCOMPARE(plugin.getWidget(), area);
            std::tie(loose, content) = std::make_tuple(area, area->widget());
            TestPlugin other;
            other.initPlugin();
            adopted = other.getWidget();
            adopted->setParent(&host);
        }
        QVERIFY(!loose && !content);
        QVERIFY(adopted && adopted->parentWidget() == &host);
    }
};

QTEST_MAIN(tst_QPluginBase)
#include "tst_QPluginBase.moc"
