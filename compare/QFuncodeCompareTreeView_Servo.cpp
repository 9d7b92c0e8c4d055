#include "QFuncodeCompareTreeView_Servo.h"

#include <QHeaderView>
#include <QPainter>

QFuncodeCompareTreeView_Servo::QFuncodeCompareTreeView_Servo(QWidget* parent) : QFoldingTreeView(parent)
{
    setObjectName(QStringLiteral("CompareFuncode"));
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    header()->setDefaultSectionSize(kDefaultSectionSize);
    header()->setSectionResizeMode(QHeaderView::Interactive);
}

QFuncodeCompareTreeView_Servo::~QFuncodeCompareTreeView_Servo() = default;

void QFuncodeCompareTreeView_Servo::hideColumnAt(int column)
{
    header()->hideSection(column);
}

void QFuncodeCompareTreeView_Servo::showColumnAt(int column)
{
    header()->showSection(column);
}

void QFuncodeCompareTreeView_Servo::resetSectionSize()
{
    header()->setDefaultSectionSize(kDefaultSectionSize);
}

void QFuncodeCompareTreeView_Servo::setEmptyText(const QString& text)
{
    m_emptyText = text;
    viewport()->update();
}

void QFuncodeCompareTreeView_Servo::paintEvent(QPaintEvent* event)
{
    QFoldingTreeView::paintEvent(event);
    if (m_emptyText.isEmpty() || (model() && model()->rowCount() > 0)) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, m_emptyText);
}
