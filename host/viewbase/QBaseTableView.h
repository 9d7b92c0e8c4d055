#pragma once

#include <QList>
#include <QModelIndex>
#include <QPair>
#include <QPoint>
#include <QTableView>

// The host's table view: whole rows, single selection, light grid off, alternating row colours,
// row header hidden, column headers left-aligned, no focus frame around the current cell, scrolled by
// whole rows (so that the vertical scroll bar counts rows).
class QBaseTableView : public QTableView
{
    Q_OBJECT
public:
    // The columns of a table that show one drive axis each besides X, and the commonly-used mark, which
    // means nothing on a drive of one axis; -1 where the table has no such column.
    struct AxisColumns
    {
        int common = -1;
        int axisY = -1;
        int axisZ = -1;
    };

    explicit QBaseTableView(QWidget* parent = nullptr);
    ~QBaseTableView() override;

    // When on, a left mouse press on a cell emits SigLeftButtonClick after the view has handled the
    // press (so the pressed row is already current). A press beside the cells emits nothing.
    void setEnableLeftClickSignal(bool enable);
    bool isLeftClickSignalEnabled() const { return m_leftClickSignal; }

    // When on, Up and Down (without modifiers) move the current row and select it; Control+Up and
    // Control+Down are left to derived views (which move list entries with them) and do not move the
    // current row here.
    void setEnableUpAndDownSelect(bool enable);
    bool isUpAndDownSelectEnabled() const { return m_upDownSelect; }

    // The text of a column of the current row, and that cell's index. False (empty text, invalid
    // index) when there is no model or no current row.
    bool getCurIndexFun(QString& text, QModelIndex& index, int column = 0) const;
    // Selects row 0 when the model has rows and no row is current.
    void initFirstSelectIndex();
    // The first row whose cell in the column shows the value; -1 when none.
    int getRowByValue(int column, const QString& value) const;

    // Which rows a table that shows drive values asks the drive to read, as first row and number of
    // rows: pageRows + 2 rows from one row above the first visible row (so that a row scrolled half into
    // view already has its value), from row 0 at the top, clipped to the rows there are. Only these
    // rows are read on each tick, however long the table.
    static QPair<int, int> readWindow(int firstVisibleRow, int pageRows, int rowCount);
    // The read window of this table as it is scrolled now.
    QPair<int, int> rowsToRead() const;

    // The columns that a drive of axisCount axes does not have: below two axes the commonly-used mark and
    // axis Y, below three axis Z.
    static QList<int> absentAxisColumns(int axisCount, const AxisColumns& columns);
    // Hides the columns of the axes the drive does not have and shows its other axis columns, unless the
    // user hid them (userHidden).
    void showAxisColumns(int axisCount, const AxisColumns& columns, const QList<int>& userHidden = {});

public slots:
    // Make the row above / below the current one current and select it. Without a current row they
    // start at row 0; at the first / last row the row stays selected.
    void moveUpAndSelect();
    void moveDownAndSelect();

signals:
    void SigLeftButtonClick(const QModelIndex& index, const QPoint& globalPos);
    void SigShow();
    void SigHide();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void selectCurrentRow(int row);

    bool m_leftClickSignal = false;
    bool m_upDownSelect = false;
};
