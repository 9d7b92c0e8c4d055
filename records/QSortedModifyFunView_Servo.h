#pragma once

#include "QBaseTableView.h"
#include "tagSubFuncode_Servo.h"

class QAction;
class QMenu;
class QSortedModifyFunModel_Servo;
class QTimer;

// The modification-statistics page: the drive's modified function codes by modification count. While
// the page is visible the values of its read window (QBaseTableView::rowsToRead) are read periodically
// (interval from the drive's communication parameters); axis cells of modifiable codes can be edited; the
// context menu toggles the order, refreshes, adds the current code to the monitored list or removes it, and
// opens help. A double click on the count opens the code's modification history, on the related parameters
// the related-parameter dialog.
class QSortedModifyFunView_Servo : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QSortedModifyFunView_Servo(QWidget* parent = nullptr);
    ~QSortedModifyFunView_Servo() override;

    // Takes a QSortedModifyFunModel_Servo: stops the reads before each of its resets and forwards its
    // sigDataChanged and sigSelectionChanged. Enables up/down selection.
    void setModel(QAbstractItemModel* model) override;
    QSortedModifyFunModel_Servo* getModel() const { return m_model; }
    // Whether the periodic reading runs.
    bool isReading() const;
    QAction* sortAction() const { return m_sortAction; }

signals:
    void sigDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void sigSelectionChanged();
    // "Refresh" was chosen while the selected drive is online.
    void sigRefreshFuncode();

public slots:
    // Toggles between descending and ascending modification count.
    void slotSorted();
    // Opens the help page of the current row's code.
    void slotHelp();
    void slotDoubleClicked(const QModelIndex& index);
    // Adds the current row's code to the drive's monitored list / removes it.
    void slotOnSelectAll();
    void slotOnDeselectAll();
    // One tick of the periodic reading: queues reads of the rows of the read window.
    void slotStartReadingFuncode();
    // Drops the queued reads of every row.
    void slotStopReadingFuncode();
    // Connected to the hub's sigRefreshParamsChanged: restarts the reading with the drive's interval.
    void onRefreshIntervalChanged(QString aliasName = QString());

protected:
    void changeEvent(QEvent* event) override;
    // F1 belongs to the table while it has the focus: it opens the help of the current code, not the
    // window's general help.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private slots:
    void onRefreshTriggered();

private:
    void createMenu();
    void setColumnWidths();
    void applyReadInterval();
    void applyAxisColumns();
    void updateSortActionText();
    void openModifyDetail(int row, const tagSubFuncode_Servo* fun);
    void openRelateParamDetail(int row, const tagSubFuncode_Servo* fun);
    void changeMonitored(bool select);

    QSortedModifyFunModel_Servo* m_model = nullptr;
    QTimer* m_readTimer = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_sortAction = nullptr;
};
