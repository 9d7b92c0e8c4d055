#pragma once

#include <QStyledItemDelegate>

// The default delegate of the host's views: paints cells like QStyledItemDelegate but without the
// dotted focus frame around the current cell (the whole row is selected instead).
class QNoFocusItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QNoFocusItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
