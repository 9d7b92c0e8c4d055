#include "QHeaderPushBtnView.h"

QHeaderPushBtnView::QHeaderPushBtnView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
    setStretchLastSection(true);
    setSectionsClickable(true);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHighlightSections(false);
}

QHeaderPushBtnView::~QHeaderPushBtnView() = default;

void QHeaderPushBtnView::setTitle(const QString& title)
{
    if (title == m_title) {
        return;
    }
    m_title = title;
    setToolTip(title);
}
