#include "QDlgTitleBar.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

QDlgTitleBar::QDlgTitleBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DLG_TITLEBAR"));
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("DLG_ICON"));
    m_icon->setFixedSize(20, 20);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("DLG_TITLE"));
    QFont font = m_title->font();
    font.setBold(true);
    m_title->setFont(font);
    m_title->setTextFormat(Qt::PlainText);
    m_maxButton = makeButton(QStringLiteral("DLG_MAXBTN"), QStringLiteral(":/img/dialog/maximize"));
    m_maxButton->setVisible(false);
    m_closeButton = makeButton(QStringLiteral("DLG_CLOSEBTN"), QStringLiteral(":/img/dialog/close"));
    connect(m_maxButton, &QToolButton::clicked, this, &QDlgTitleBar::sigMaxClicked);
    connect(m_closeButton, &QToolButton::clicked, this, &QDlgTitleBar::sigCloseClicked);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 5, 0);
    layout->setSpacing(6);
    layout->addWidget(m_icon);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_maxButton);
    layout->addWidget(m_closeButton);
    setIcon(QIcon(QStringLiteral(":/img/app/logo")));
}

QToolButton* QDlgTitleBar::makeButton(const QString& objectName, const QString& iconPath)
{
    auto* button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(30, 30);
    button->setIcon(QIcon(iconPath));
    button->setIconSize(QSize(16, 16));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void QDlgTitleBar::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString QDlgTitleBar::title() const
{
    return m_title->text();
}

void QDlgTitleBar::setIcon(const QIcon& icon)
{
    m_icon->setPixmap(icon.pixmap(20, 20));
    m_icon->setVisible(!icon.isNull());
}

void QDlgTitleBar::setMaxButtonVisible(bool visible)
{
    m_maxVisible = visible;
    m_maxButton->setVisible(visible);
}

void QDlgTitleBar::setMaximizedLook(bool maximized)
{
    m_maxButton->setIcon(
        QIcon(maximized ? QStringLiteral(":/img/dialog/restore") : QStringLiteral(":/img/dialog/maximize")));
}

void QDlgTitleBar::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF3, 0xF5, 0xF7));
    painter.setPen(QColor(0xDD, 0xE2, 0xE7));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

void QDlgTitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || window()->isMaximized()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragOffset = event->globalPos() - window()->frameGeometry().topLeft();
    event->accept();
}

void QDlgTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    window()->move(event->globalPos() - m_dragOffset);
    event->accept();
}

void QDlgTitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void QDlgTitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_dragging = false;
    emit sigDoubleClicked();
    event->accept();
}
