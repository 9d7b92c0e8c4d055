#include "QItemComboBox.h"

#include <QWheelEvent>

QItemComboBox::QItemComboBox(QWidget* parent) : QComboBox(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

QItemComboBox::~QItemComboBox() = default;

void QItemComboBox::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
