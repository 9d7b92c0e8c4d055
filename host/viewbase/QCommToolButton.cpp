#include "QCommToolButton.h"

#include <QEvent>
#include <QIcon>

QCommToolButton::QCommToolButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void QCommToolButton::setBtnType(int type)
{
    switch (type) {
    case 1:
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        break;
    case 2:
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        break;
    default:
        type = 0;
        setToolButtonStyle(Qt::ToolButtonIconOnly);
        break;
    }
    m_type = type;
}

void QCommToolButton::setToolTipKey(const char* key)
{
    m_toolTipKey = key;
    setToolTip(tr(key));
}

void QCommToolButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && !m_toolTipKey.isEmpty()) {
        setToolTip(tr(m_toolTipKey.constData()));
    }
    QToolButton::changeEvent(event);
}

void QCommToolButton::setTitle(const QString& title)
{
    setText(title);
}

void QCommToolButton::setImgPath(const QString& path)
{
    if (path == m_imgPath) {
        return;
    }
    m_imgPath = path;
    setIcon(path.isEmpty() ? QIcon() : QIcon(path));
}
