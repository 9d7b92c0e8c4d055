#include "QDevAlarmWidget.h"

#include <QLabel>
#include <QVBoxLayout>

QDevAlarmWidget::QDevAlarmWidget(QWidget* parent) : QBaseStyleWidget(parent), m_label(new QLabel(this))
{
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setText(tr("STR_PAGE_NOT_OFFERED_YET"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
}

void QDevAlarmWidget::setFaultAxisIndex(int axis)
{
    m_axis = axis;
}

void QDevAlarmWidget::onCurDevChanged() {}

void QDevAlarmWidget::onClearHisFaultRecord() {}

QString QDevAlarmWidget::getWindowTitleFormatText()
{
    return tr("STR_ALARM");
}
