#include "QPluginFuncode_Servo.h"

#include "QFuncodeWidget_Servo.h"
#include "QPluginInfo.h"

namespace {
// Where the host lists the plug-in, and the interface version it speaks.
const int kPluginKind = 5;
const int kPluginVersion = 1;
} // namespace

QPluginFuncode_Servo::QPluginFuncode_Servo(QObject* parent) : QPluginBase(parent) {}

QPluginFuncode_Servo::~QPluginFuncode_Servo() = default;

void QPluginFuncode_Servo::initPlugin()
{
    if (m_widget) {
        return;
    }
    // No parent: useScrollArea hands the widget to a scroll area, which the host docks.
    useScrollArea(new QFuncodeWidget_Servo(nullptr));
}

void QPluginFuncode_Servo::reinitPlugin() {}

QWidget* QPluginFuncode_Servo::getWidget()
{
    return QPluginBase::getWidget();
}

QPluginInfo* QPluginFuncode_Servo::getPluginInfo()
{
    if (m_pluginInfo) {
        m_pluginInfo->displayName = tr("STR_FUNCODE"); // in the present language
        return m_pluginInfo.get();
    }
    m_pluginInfo = std::make_unique<QPluginInfo>();
    m_pluginInfo->kind = kPluginKind;
    m_pluginInfo->displayName = tr("STR_FUNCODE");
    m_pluginInfo->bEnabled = true;
    m_pluginInfo->version = kPluginVersion;
    return m_pluginInfo.get();
}
