#include "QFuncodeItemComboBox.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>

QFuncodeItemComboBox::QFuncodeItemComboBox(QWidget* parent) : QItemComboBox(parent) {}

QFuncodeItemComboBox::~QFuncodeItemComboBox() = default;

void QFuncodeItemComboBox::addMultiItemFixWidth(const QStringList& items, int width)
{
    addItems(items);
    const QFontMetrics metrics(view()->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        widest = qMax(widest, metrics.horizontalAdvance(itemText(i)));
    }
    // Room for the item margins, the frame and a vertical scroll bar when the list is long.
    const int chrome = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 24 +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_popupWidth = qMax(width, widest + chrome);
    view()->setMinimumWidth(m_popupWidth);
}
