#include "QNoFocusItemDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {
// Laid-out texts kept at most: a few screens of distinct texts, so that memory does not grow with a table.
const int kMaxLaidOut = 4096;

const QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}
} // namespace

QNoFocusItemDelegate::QNoFocusItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void QNoFocusItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem plain(option);
    initStyleOption(&plain, index);
    plain.state &= ~QStyle::State_HasFocus;
    const QStyle* style = styleOf(plain);
    if (!drawsOwnText(plain)) {
        style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        return;
    }
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &plain, plain.widget);
    const QString text = plain.text;
    plain.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
    drawText(painter, plain, text, textRect);
}

// Plain one-line left-to-right text in the plain styles; anything else (wrapped or several lines, right to
// left, an icon not on its left, a style sheet that may style the text, a cell being edited) is painted by
// the style as it stands.
bool QNoFocusItemDelegate::drawsOwnText(const QStyleOptionViewItem& option)
{
    if (!(option.features & QStyleOptionViewItem::HasDisplay) || option.text.isEmpty()) {
        return false;
    }
    if ((option.features & QStyleOptionViewItem::WrapText) || (option.state & QStyle::State_Editing) ||
        option.direction != Qt::LeftToRight) {
        return false;
    }
    if (option.text.contains(QLatin1Char('\n')) || option.text.contains(QChar::LineSeparator)) {
        return false;
    }
    // An icon above or below the text is placed by the text's size: the style places both.
    if ((option.features & QStyleOptionViewItem::HasDecoration) &&
        option.decorationPosition != QStyleOptionViewItem::Left) {
        return false;
    }
    return !styleOf(option)->inherits("QStyleSheetStyle");
}

// As QCommonStyle draws an item's text: the colour of its state, a margin each side, the alignment.
void QNoFocusItemDelegate::drawText(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QString& text, const QRect& textRect) const
{
    QPalette::ColorGroup group =
        (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const int margin = styleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect rect = textRect.adjusted(margin, 0, -margin, 0);
    if (rect.width() <= 0) {
        return;
    }
    const QStaticText& shown = laidOut(option, text, rect.width());
    const QSizeF size = shown.size();
    const Qt::Alignment align = option.displayAlignment;
    qreal x = rect.left();
    if (align & Qt::AlignRight) {
        x = rect.right() + 1 - size.width();
    } else if (align & Qt::AlignHCenter) {
        x = rect.left() + (rect.width() - size.width()) / 2;
    }
    qreal y = rect.top();
    if (align & Qt::AlignBottom) {
        y = rect.bottom() + 1 - size.height();
    } else if (align & Qt::AlignVCenter) {
        y = rect.top() + (rect.height() - size.height()) / 2;
    }
    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(QPointF(x, y), shown);
    painter->restore();
}

const QStaticText& QNoFocusItemDelegate::laidOut(const QStyleOptionViewItem& option, const QString& text,
                                                 int width) const
{
    if (m_laidOutCount >= kMaxLaidOut) {
        m_fonts.clear();
        m_laidOut.clear();
        m_laidOutCount = 0;
    }
    int font = m_fonts.indexOf(option.font);
    if (font < 0) {
        font = m_fonts.size();
        m_fonts.append(option.font);
    }
    QHash<QString, QStaticText>& ofWidth = m_laidOut[qMakePair(font, width)];
    auto found = ofWidth.constFind(text);
    if (found != ofWidth.constEnd()) {
        return *found;
    }
    // Laid out once, and again elided only when it is wider than the cell.
    QStaticText shown(text);
    shown.setTextFormat(Qt::PlainText);
    shown.setPerformanceHint(QStaticText::AggressiveCaching);
    shown.prepare(QTransform(), option.font);
    if (shown.size().width() > width) {
        shown.setText(QFontMetrics(option.font).elidedText(text, option.textElideMode, width));
        shown.prepare(QTransform(), option.font);
    }
    ++m_laidOutCount;
    return *ofWidth.insert(text, shown);
}
