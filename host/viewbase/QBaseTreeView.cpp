#include "QBaseTreeView.h"

#include "QNoFocusItemDelegate.h"

#include <QHeaderView>

QBaseTreeView::QBaseTreeView(QWidget* parent) : QTreeView(parent)
{
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setItemDelegate(new QNoFocusItemDelegate(this));
    setAttribute(Qt::WA_MacShowFocusRect, false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}
