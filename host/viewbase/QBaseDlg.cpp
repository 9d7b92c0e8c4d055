#include "QBaseDlg.h"

#include "QDlgTitleBar.h"
#include "QScreenManager.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const int kResizeMargin = 5;
const QSize kSmallestSize(160, 80);
} // namespace

QBaseDlg::QBaseDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setMouseTracking(true);
    m_titleBar = new QDlgTitleBar(this);
    m_titleBar->setGeometry(1, 1, qMax(width() - 2, 0), TitleHeight - 1);
    connect(m_titleBar, &QDlgTitleBar::sigCloseClicked, this, &QBaseDlg::close);
    connect(m_titleBar, &QDlgTitleBar::sigMaxClicked, this, &QBaseDlg::toggleMaximized);
    connect(m_titleBar, &QDlgTitleBar::sigDoubleClicked, this, &QBaseDlg::toggleMaximized);
}

QBaseDlg::~QBaseDlg() = default;

void QBaseDlg::setTitle(const QString& title)
{
    m_titleBar->setTitle(title);
    setWindowTitle(title);
}

QString QBaseDlg::title() const
{
    return m_titleBar->title();
}

void QBaseDlg::showMaxBtn(bool show)
{
    m_titleBar->setMaxButtonVisible(show);
}

bool QBaseDlg::isMaxBtnShown() const
{
    return m_titleBar->isMaxButtonVisible();
}

void QBaseDlg::setPermitDefaultResize(bool permit)
{
    m_permitResize = permit;
    if (!permit) {
        m_resizeEdges = Qt::Edges();
        unsetCursor();
    }
}

QSize QBaseDlg::getAdjustSize() const
{
    const QRect area = QScreenManager::self()->availableGeometry(this);
    const QSize limit(area.width() * 8 / 10, area.height() * 8 / 10);
    return size().expandedTo(minimumSizeHint()).boundedTo(limit);
}

bool QBaseDlg::close()
{
    reject();
    return QDialog::close();
}

void QBaseDlg::toggleMaximized()
{
    if (!isMaxBtnShown()) {
        return;
    }
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
}

void QBaseDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_titleBar->setGeometry(1, 1, qMax(width() - 2, 0), TitleHeight - 1);
    m_titleBar->raise();
}

void QBaseDlg::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        m_titleBar->setMaximizedLook(isMaximized());
    }
}

void QBaseDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // Without a system frame the dialog would melt into a window of the same colour behind it.
    QPainter painter(this);
    painter.setPen(QColor(0x9A, 0xA5, 0xB1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Qt::Edges QBaseDlg::edgesAt(const QPoint& pos) const
{
    Qt::Edges edges;
    if (!m_permitResize || isMaximized()) {
        return edges;
    }
    if (pos.x() < kResizeMargin) {
        edges |= Qt::LeftEdge;
    }
    if (pos.x() >= width() - kResizeMargin) {
        edges |= Qt::RightEdge;
    }
    if (pos.y() < kResizeMargin) {
        edges |= Qt::TopEdge;
    }
    if (pos.y() >= height() - kResizeMargin) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

void QBaseDlg::updateResizeCursor(Qt::Edges edges)
{
    const bool diagonalMain =
        edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge);
    const bool diagonalOther =
        edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge);
    if (diagonalMain) {
        setCursor(Qt::SizeFDiagCursor);
    } else if (diagonalOther) {
        setCursor(Qt::SizeBDiagCursor);
    } else if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
        setCursor(Qt::SizeHorCursor);
    } else if (edges & (Qt::TopEdge | Qt::BottomEdge)) {
        setCursor(Qt::SizeVerCursor);
    } else {
        unsetCursor();
    }
}

QRect QBaseDlg::resizedGeometry(const QPoint& globalPos) const
{
    const QPoint delta = globalPos - m_pressGlobal;
    const QSize least = minimumSizeHint().expandedTo(minimumSize()).expandedTo(kSmallestSize);
    QRect geometry = m_pressGeometry;
    if (m_resizeEdges & Qt::LeftEdge) {
        geometry.setLeft(qMin(geometry.left() + delta.x(), geometry.right() - least.width() + 1));
    }
    if (m_resizeEdges & Qt::RightEdge) {
        geometry.setRight(qMax(geometry.right() + delta.x(), geometry.left() + least.width() - 1));
    }
    if (m_resizeEdges & Qt::TopEdge) {
        geometry.setTop(qMin(geometry.top() + delta.y(), geometry.bottom() - least.height() + 1));
    }
    if (m_resizeEdges & Qt::BottomEdge) {
        geometry.setBottom(qMax(geometry.bottom() + delta.y(), geometry.top() + least.height() - 1));
    }
    return geometry;
}

void QBaseDlg::mousePressEvent(QMouseEvent* event)
{
    const Qt::Edges edges = event->button() == Qt::LeftButton ? edgesAt(event->pos()) : Qt::Edges();
    if (!edges) {
        QDialog::mousePressEvent(event);
        return;
    }
    m_resizeEdges = edges;
    m_pressGlobal = event->globalPos();
    m_pressGeometry = geometry();
    event->accept();
}

void QBaseDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_resizeEdges || !(event->buttons() & Qt::LeftButton)) {
        updateResizeCursor(edgesAt(event->pos()));
        QDialog::mouseMoveEvent(event);
        return;
    }
    setGeometry(resizedGeometry(event->globalPos()));
    event->accept();
}

void QBaseDlg::mouseReleaseEvent(QMouseEvent* event)
{
    m_resizeEdges = Qt::Edges();
    QDialog::mouseReleaseEvent(event);
}
