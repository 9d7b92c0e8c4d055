#pragma once

#include "QPluginBase.h"

#include <memory>

class QPluginInfo;

// The object through which the workbench finds, starts and shows the function-code plug-in. The host
// loads the library with QPluginLoader, calls initPlugin once, docks getWidget and lists the plug-in
// under getPluginInfo's display name.
class QPluginFuncode_Servo : public QPluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "QPluginFuncode_Servo.QPluginBase" FILE "QPluginFuncode_Servo.json")
    Q_INTERFACES(IPluginInterface)
public:
    explicit QPluginFuncode_Servo(QObject* parent = nullptr);
    // Leaves the main widget alone: it belongs to its scroll area and to the host that docked it.
    ~QPluginFuncode_Servo() override;

    // Creates the function-code main widget the first time; later calls change nothing.
    void initPlugin() override;
    // Nothing to do: the main widget follows the host's signals by itself.
    void reinitPlugin() override;
    // The scroll area holding the main widget; null before initPlugin.
    QWidget* getWidget() override;
    // Created at the first call (kind 5, "STR_FUNCODE", enabled, version 1); the same object afterwards.
    QPluginInfo* getPluginInfo() override;

private:
    std::unique_ptr<QPluginInfo> m_pluginInfo;
};
