#include "QDefaultCompareFuncodeView.h"

#include <QPainter>

QDefaultCompareFuncodeView::QDefaultCompareFuncodeView(QWidget* parent) : QBaseTableView(parent)
{
    setEnableLeftClickSignal(true);
}

void QDefaultCompareFuncodeView::paintEvent(QPaintEvent* event)
{
    QBaseTableView::paintEvent(event);
    if (model() && model()->rowCount() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, tr("STR_PAGE_NOT_OFFERED_YET"));
}
