#include "QPluginBase.h"

#include <QScrollArea>

QPluginBase::QPluginBase(QObject* parent) : QObject(parent) {}

QPluginBase::~QPluginBase()
{
    // A scroll area the host never docked has no parent and is still ours; a docked one belongs to the
    // host's window and goes with it.
    if (m_widget && !m_widget->parent()) {
        delete m_widget;
    }
}

void QPluginBase::useScrollArea(QWidget* widget)
{
    if (!widget) {
        return;
    }
    if (m_widget && !m_widget->parent()) {
        delete m_widget;
    }
    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("PLUGIN_SCROLLAREA"));
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(widget);
    m_widget = area;
}
