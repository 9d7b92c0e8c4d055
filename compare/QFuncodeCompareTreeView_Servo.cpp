#include "QFuncodeCompareTreeView_Servo.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QPainter>

QFuncodeCompareTreeView_Servo::QFuncodeCompareTreeView_Servo(QWidget* parent) : QBaseTreeView(parent)
{
    setObjectName(QStringLiteral("CompareFuncode"));
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    header()->setDefaultSectionSize(kDefaultSectionSize);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    m_menu = new QMenu(this);
    addMenuAction(tr("STR_EXPAND"), ":/img/commonImge/branch-closed",
                  &QFuncodeCompareTreeView_Servo::SlotOnExpand);
    addMenuAction(tr("STR_COLLAPSE"), ":/img/commonImge/branch-open",
                  &QFuncodeCompareTreeView_Servo::SlotOnCollapse);
    addMenuAction(tr("STR_EXPAND_ALL"), ":/img/commonImge/branch-closed",
                  &QFuncodeCompareTreeView_Servo::SlotOnExpandAll);
    addMenuAction(tr("STR_COLLAPSE_ALL"), ":/img/commonImge/branch-open",
                  &QFuncodeCompareTreeView_Servo::SlotOnCollapseAll);
}

QFuncodeCompareTreeView_Servo::~QFuncodeCompareTreeView_Servo() = default;

void QFuncodeCompareTreeView_Servo::addMenuAction(const QString& text, const char* icon,
                                                  void (QFuncodeCompareTreeView_Servo::*slot)(bool))
{
    auto* group = m_menu->findChild<QActionGroup*>();
    if (!group) {
        group = new QActionGroup(m_menu);
    }
    QAction* action = m_menu->addAction(QIcon(QString::fromLatin1(icon)), text);
    group->addAction(action);
    connect(action, &QAction::triggered, this, slot);
}

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

void QFuncodeCompareTreeView_Servo::contextMenuEvent(QContextMenuEvent* event)
{
    setCurrentIndex(indexAt(event->pos()));
    m_menu->exec(viewport()->mapToGlobal(event->pos()));
}

void QFuncodeCompareTreeView_Servo::SlotOnExpand(bool)
{
    if (currentIndex().isValid()) {
        expand(currentIndex());
    }
}

void QFuncodeCompareTreeView_Servo::SlotOnCollapse(bool)
{
    if (currentIndex().isValid()) {
        collapse(currentIndex());
    }
}

void QFuncodeCompareTreeView_Servo::SlotOnExpandAll(bool)
{
    if (currentIndex().isValid()) {
        expandAll();
    }
}

void QFuncodeCompareTreeView_Servo::SlotOnCollapseAll(bool)
{
    if (currentIndex().isValid()) {
        collapseAll();
    }
}

void QFuncodeCompareTreeView_Servo::setEmptyText(const QString& text)
{
    m_emptyText = text;
    viewport()->update();
}

void QFuncodeCompareTreeView_Servo::paintEvent(QPaintEvent* event)
{
    QBaseTreeView::paintEvent(event);
    if (m_emptyText.isEmpty() || (model() && model()->rowCount() > 0)) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, m_emptyText);
}
