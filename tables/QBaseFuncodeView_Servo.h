#pragma once

#include "QBaseTableView.h"
#include "tagSubFuncode_Servo.h"

#include <QMap>
#include <QPoint>
#include <QString>
#include <QStringList>

class QAction;
class QFuncodeDelegate_Servo;
class QFuncodeModelBase_Servo;
class QMenu;

// What the group tables and the monitored list share: the value editor delegate, the right-click menu
// with its column show/hide menu, the columns that depend on the drive's axis count and model, help on
// the current code, moving the current code, and the reaction to the host's value and status notices.
// Derived views create the model and the menu and do the periodic reading (readFuncode, stopReadFuncode).
class QBaseFuncodeView_Servo : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QBaseFuncodeView_Servo(QWidget* parent = nullptr);
    ~QBaseFuncodeView_Servo() override;

    // Shows or hides the columns that depend on the selected drive's axis count: one axis hides the
    // commonly-used column and axes Y and Z (and leaves them out of the column menu), two axes hide Z,
    // three axes show what the user has not hidden.
    void updateAxisColumns();
    void setColumnWidths();

    QFuncodeDelegate_Servo* getDelegate() const { return m_delegate; }
    QFuncodeModelBase_Servo* getFuncodeModel() const { return m_funcodeModel; }
    QMenu* getRightMenu() const { return m_rightMenu; }
    QMenu* getColumnMenu() const { return m_columnMenu; }
    QAction* getRefreshAction() const { return m_refreshAction; }
    // Whether the user hid the column through the column menu.
    bool isColumnUserHidden(int column) const { return m_hiddenColumns.value(column, false); }

public slots:
    // Move the current code one place up / down in the model's order and keep it current.
    void upMove();
    void downMove();
    // Opens the help page of the current code.
    void OnHelp();

signals:
    void SigDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void SigSelChanged();

protected:
    // Periodic reading of the visible rows; the base reads nothing.
    virtual void readFuncode();
    virtual void stopReadFuncode();

    // Sets the model, hands it to the delegate, forwards its change signals and builds the column menu
    // from its headers.
    void setFuncodeModel(QFuncodeModelBase_Servo* model);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // F1: help; Control+Up / Control+Down: move the current code; then the host base's keys.
    // F1 belongs to the table while it has the focus: it opens the help of the current code, not the
    // window's general help.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The right-click menu is built by the derived view (its refresh action is enabled when the menu
    // opens); the column menu by the base when the model is set.
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
};
