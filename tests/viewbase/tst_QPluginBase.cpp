#include "QPluginBase.h"

#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QtTest>

namespace {
// The smallest plug-in: its widget is a label handed to the base.
class TestPlugin : public QPluginBase
{
public:
    void initPlugin() override
    {
        if (!m_widget) {
            useScrollArea(new QLabel(QStringLiteral("content")));
        }
    }
    void reinitPlugin() override {}
    QPluginInfo* getPluginInfo() override { return nullptr; }
    void useForTest(QWidget* widget) { useScrollArea(widget); }
};
} // namespace

class tst_QPluginBase : public QObject
{
    Q_OBJECT

private slots:
    void widgetIsNullBeforeInit();
    void scrollAreaHoldsTheWidget();
    void nullWidgetChangesNothing();
    void unadoptedScrollAreaDiesWithThePlugin();
    void adoptedScrollAreaStaysWithItsParent();
};

void tst_QPluginBase::widgetIsNullBeforeInit()
{
    TestPlugin plugin;
    QVERIFY(!plugin.getWidget());
}

void tst_QPluginBase::scrollAreaHoldsTheWidget()
{
    TestPlugin plugin;
    plugin.initPlugin();
    auto* area = qobject_cast<QScrollArea*>(plugin.getWidget());
    QVERIFY(area);
    QVERIFY(area->widgetResizable());
    QCOMPARE(area->frameShape(), QFrame::NoFrame);
    auto* label = qobject_cast<QLabel*>(area->widget());
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("content"));
    plugin.initPlugin();
    QCOMPARE(plugin.getWidget(), area);
}

void tst_QPluginBase::nullWidgetChangesNothing()
{
    TestPlugin plugin;
    plugin.useForTest(nullptr);
    QVERIFY(!plugin.getWidget());
    plugin.initPlugin();
    QWidget* area = plugin.getWidget();
    plugin.useForTest(nullptr);
    QCOMPARE(plugin.getWidget(), area);
}

void tst_QPluginBase::unadoptedScrollAreaDiesWithThePlugin()
{
    QPointer<QWidget> area;
    QPointer<QWidget> content;
    {
        TestPlugin plugin;
        plugin.initPlugin();
        area = plugin.getWidget();
        content = static_cast<QScrollArea*>(area.data())->widget();
        QVERIFY(area && content);
    }
    QVERIFY(!area);
    QVERIFY(!content);
}

void tst_QPluginBase::adoptedScrollAreaStaysWithItsParent()
{
    QWidget host;
    QPointer<QWidget> area;
    {
        TestPlugin plugin;
        plugin.initPlugin();
        area = plugin.getWidget();
        area->setParent(&host);
    }
    QVERIFY(area);
    QCOMPARE(area->parentWidget(), &host);
}

QTEST_MAIN(tst_QPluginBase)
#include "tst_QPluginBase.moc"
