#pragma once

#include <QtPlugin>

class QWidget;
class QPluginInfo;

// What the host asks of every plug-in it loads.
class IPluginInterface
{
public:
    virtual ~IPluginInterface() = default;
    // Creates the plug-in's widgets; called once after loading (a second call changes nothing).
    virtual void initPlugin() = 0;
    virtual void reinitPlugin() = 0;
    // The widget the host docks; null before initPlugin.
    virtual QWidget* getWidget() = 0;
    // The plug-in's description; the same object on every call.
    virtual QPluginInfo* getPluginInfo() = 0;
};

#define IPluginInterface_iid "QPluginFuncode_Servo.QPluginBase"
Q_DECLARE_INTERFACE(IPluginInterface, IPluginInterface_iid)
