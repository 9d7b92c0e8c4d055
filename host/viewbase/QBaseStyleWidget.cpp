#include "QBaseStyleWidget.h"

#include <QPainter>
#include <QStyleOption>

QBaseStyleWidget::QBaseStyleWidget(QWidget* parent) : QWidget(parent) {}

void QBaseStyleWidget::paintEvent(QPaintEvent* event)
{
    // A plain QWidget subclass ignores the background and border of a style sheet unless it draws
    // PE_Widget itself.
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
