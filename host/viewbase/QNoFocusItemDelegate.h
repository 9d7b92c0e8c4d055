#pragma once

#include <QFont>
#include <QHash>
#include <QPair>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QVector>

class QStyleOptionViewItem;

// The default delegate of the host's views: paints cells like QStyledItemDelegate but without the
// dotted focus frame around the current cell (the whole row is selected instead). A one-line text is laid
// out once per text and width and then drawn from that layout: laying out every cell's text again on each
// scroll step is what makes a long table slow to page through.
class QNoFocusItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QNoFocusItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    static bool drawsOwnText(const QStyleOptionViewItem& option);
    void drawText(QPainter* painter, const QStyleOptionViewItem& option, const QString& text,
                  const QRect& textRect) const;
    // The text as it fits the width (elided as the cell asks), laid out.
    const QStaticText& laidOut(const QStyleOptionViewItem& option, const QString& text, int width) const;

    mutable QVector<QFont> m_fonts; // the fonts of the laid-out texts (a view uses one or a few)
    // By font (its place in m_fonts) and width, then by text.
    mutable QHash<QPair<int, int>, QHash<QString, QStaticText>> m_laidOut;
    mutable int m_laidOutCount = 0;
};
