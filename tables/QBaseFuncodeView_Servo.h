#pragma once

#include "QBaseTableView.h"
#include "tagSubFuncode_Servo.h"

#include <QList>
#include <QMap>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTimer>

class QAction;
class QFuncodeDelegate_Servo;
class QFuncodeModelBase_Servo;
class QMenu;

// What the group tables and the monitored list share: the value editor delegate, the right-click menu
// with its column show/hide menu, the columns that depend on the drive's axis count and model, help on
// the current code, moving the current code, the reaction to the host's value and status notices, and
// periodic reading: while the view is shown it asks the selected device, on a timer with the device's
// refresh interval, to read the host table's read window (QBaseTableView::rowsToRead; the derived view
// says which codes those rows hold). Hidden, it reads nothing. Derived views create the model.
class QBaseFuncodeView_Servo : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QBaseFuncodeView_Servo(QWidget* parent = nullptr);
    ~QBaseFuncodeView_Servo() override;

    // Shows or hides the columns that depend on the selected drive's axis count
    // (QBaseTableView::showAxisColumns) and leaves those the drive does not have out of the column menu.
    void updateAxisColumns();
    void setColumnWidths();

    QFuncodeDelegate_Servo* getDelegate() const { return m_delegate; }
    QFuncodeModelBase_Servo* getFuncodeModel() const { return m_funcodeModel; }
    QMenu* getRightMenu() const { return m_rightMenu; }
    QMenu* getColumnMenu() const { return m_columnMenu; }
    QAction* getRefreshAction() const { return m_refreshAction; }
    // The periodic-read timer (active while the view is shown and the interval is above 0).
    const QTimer* getReadTimer() const { return &m_readTimer; }
    // Whether the user hid the column through the column menu.
    bool isColumnUserHidden(int column) const { return m_hiddenColumns.value(column, false); }

public slots:
    // Move the current code one place up / down in the model's order and keep it current.
    void upMove();
    void downMove();
    // Opens the help page of the current code.
    void OnHelp();
    // Reads the rows in view once.
    void OnRefresh();
    // One tick of periodic reading.
    void OnReadFuncode();
    // The device's refresh interval changed: a running timer takes the new interval, a shown view whose
    // interval was 0 starts reading, a hidden view stays quiet.
    void onRefreshIntervalChanged();

signals:
    void SigDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void SigSelChanged();

protected:
    // Starts periodic reading with the device's refresh interval and reads at once; stops it.
    virtual void readFuncode();
    virtual void stopReadFuncode();
    // The codes of count rows from first on (clipped to the rows there are), to be read.
    virtual QList<tagSubFuncode_Servo*> funcodesInView(int first, int count) const = 0;

    // Sets the model, hands it to the delegate, forwards its change signals and builds the column menu
    // from its headers.
    void setFuncodeModel(QFuncodeModelBase_Servo* model);
    // The right-click menu: refresh, select all (withSelectAll), select cancel, help, and the column menu.
    void buildRightMenu(bool withSelectAll);
    // An entry of the right-click menu named by a translation key: it changes language with the view.
    QAction* addRightMenuAction(const char* key);

    void changeEvent(QEvent* event) override;

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // F1: help; Control+Up / Control+Down: move the current code; then the host base's keys.
    // F1 belongs to the table while it has the focus: it opens the help of the current code, not the
    // window's general help.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The refresh action is enabled when the menu opens; the column menu is built when the model is set.
    QMenu* m_rightMenu = nullptr;
    QAction* m_refreshAction = nullptr;
    QMenu* m_columnMenu = nullptr;

private slots:
    void OnColumnView();
    void rightMenuClicked(QPoint point);
    void OnFuncodeChanged(QString aliasName, QStringList funIndexList);
    void OnDevStatus(QString aliasName, int stat);

private:
    void buildColumnMenu();
    void rebuildColumnMenu(const QList<int>& leftOut);
    void applyRelationColumns();
    void selectRow(int row);

    QFuncodeDelegate_Servo* m_delegate = nullptr;
    QFuncodeModelBase_Servo* m_funcodeModel = nullptr;
    QMap<int, bool> m_hiddenColumns;
    QMap<int, QAction*> m_columnActions;
    QTimer m_readTimer;
};
