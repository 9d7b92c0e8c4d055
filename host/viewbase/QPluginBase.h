#pragma once

#include "IPluginInterface.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class QScrollArea;

// Base of the host's plug-in objects.
class QPluginBase : public QObject, public IPluginInterface
{
    Q_OBJECT
    Q_INTERFACES(IPluginInterface)
public:
    explicit QPluginBase(QObject* parent = nullptr);
    ~QPluginBase() override;

    QWidget* getWidget() override { return m_widget; }

protected:
    // Puts the widget into a scroll area (which takes it) and records the scroll area as the widget
    // that getWidget returns.
    void useScrollArea(QWidget* widget);

    QPointer<QWidget> m_widget;
};
