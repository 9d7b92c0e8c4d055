#include "QBaseTableView.h"

#include "QNoFocusItemDelegate.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

QBaseTableView::QBaseTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setItemDelegate(new QNoFocusItemDelegate(this));
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(26);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
}

QBaseTableView::~QBaseTableView() = default;

void QBaseTableView::setEnableLeftClickSignal(bool enable)
{
    m_leftClickSignal = enable;
}

void QBaseTableView::setEnableUpAndDownSelect(bool enable)
{
    m_upDownSelect = enable;
}

bool QBaseTableView::getCurIndexFun(QString& text, QModelIndex& index, int column) const
{
    text.clear();
    index = QModelIndex();
    const QModelIndex current = currentIndex();
    if (!model() || !current.isValid()) {
        return false;
    }
    index = model()->index(current.row(), column, current.parent());
    text = index.data(Qt::DisplayRole).toString();
    return index.isValid();
}

void QBaseTableView::initFirstSelectIndex()
{
    if (!model() || model()->rowCount() == 0 || currentIndex().isValid()) {
        return;
    }
    selectCurrentRow(0);
}

int QBaseTableView::getRowByValue(int column, const QString& value) const
{
    if (!model() || column < 0 || column >= model()->columnCount()) {
        return -1;
    }
    const int rows = model()->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (model()->index(row, column).data(Qt::DisplayRole).toString() == value) {
            return row;
        }
    }
    return -1;
}

QPair<int, int> QBaseTableView::readWindow(int firstVisibleRow, int pageRows, int rowCount)
{
    if (rowCount <= 0) {
        return {0, 0};
    }
    const int first = qBound(0, firstVisibleRow - 1, rowCount - 1);
    return {first, qMin(qMax(pageRows, 0) + 2, rowCount - first)};
}

QPair<int, int> QBaseTableView::rowsToRead() const
{
    const int rows = model() ? model()->rowCount(rootIndex()) : 0;
    return readWindow(verticalScrollBar()->value(), verticalScrollBar()->pageStep(), rows);
}

QList<int> QBaseTableView::absentAxisColumns(int axisCount, const AxisColumns& columns)
{
    QList<int> absent;
    if (axisCount < 2) {
        absent << columns.common << columns.axisY;
    }
    if (axisCount < 3) {
        absent << columns.axisZ;
    }
    absent.removeAll(-1);
    return absent;
}

void QBaseTableView::showAxisColumns(int axisCount, const AxisColumns& columns, const QList<int>& userHidden)
{
    const QList<int> absent = absentAxisColumns(axisCount, columns);
    for (int column : {columns.common, columns.axisY, columns.axisZ}) {
        if (column >= 0) {
            setColumnHidden(column, absent.contains(column) || userHidden.contains(column));
        }
    }
}

void QBaseTableView::moveUpAndSelect()
{
    if (!model() || model()->rowCount() == 0) {
        return;
    }
    const int row = currentIndex().isValid() ? currentIndex().row() - 1 : 0;
    selectCurrentRow(qMax(row, 0));
}

void QBaseTableView::moveDownAndSelect()
{
    if (!model() || model()->rowCount() == 0) {
        return;
    }
    const int row = currentIndex().isValid() ? currentIndex().row() + 1 : 0;
    selectCurrentRow(qMin(row, model()->rowCount() - 1));
}

void QBaseTableView::selectCurrentRow(int row)
{
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex target = model()->index(row, qMax(column, 0));
    if (!target.isValid() || !selectionModel()) {
        return;
    }
    selectionModel()->setCurrentIndex(target,
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

void QBaseTableView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    if (!m_leftClickSignal || event->button() != Qt::LeftButton) {
        return;
    }
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid()) {
        emit SigLeftButtonClick(index, event->globalPos());
    }
}

void QBaseTableView::keyPressEvent(QKeyEvent* event)
{
    const bool upOrDown = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (!m_upDownSelect || !upOrDown) {
        QTableView::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        if (event->key() == Qt::Key_Up) {
            moveUpAndSelect();
        } else {
            moveDownAndSelect();
        }
        event->accept();
        return;
    }
    if (modifiers == Qt::ControlModifier) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void QBaseTableView::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    emit SigShow();
}

void QBaseTableView::hideEvent(QHideEvent* event)
{
    QTableView::hideEvent(event);
    emit SigHide();
}
