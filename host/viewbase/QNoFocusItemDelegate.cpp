#include "QNoFocusItemDelegate.h"

QNoFocusItemDelegate::QNoFocusItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void QNoFocusItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
}
