#pragma once

#include "QBaseTableView.h"

#include <QVector>

class QAction;
class QMenu;
class QSingleServoDeviceFaultModel;

// The current faults of the selected drive, on the alarm page. Refreshed when shown, on its menu, and
// when the drive reports changed faults; exported to a comma-separated file from its menu.
class QCurFaultView : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QCurFaultView(QWidget* parent = nullptr);

    QSingleServoDeviceFaultModel* faultModel() const { return m_model; }
    QMenu* contextMenu() const { return m_menu; }
    QAction* refreshAction() const { return m_refreshAction; }
    QAction* exportAction() const { return m_exportAction; }
    void setFaultAxisIndex(int axis) { m_axis = axis; }
    int faultAxisIndex() const { return m_axis; }
    // The given widths, widened where the heading or the time does not fit in the view's font.
    static void applyColumnWidths(QTableView* view, const QVector<int>& widths);

public slots:
    void OnRefresh();
    void OnDeviceFaultChanged(QString aliasName);
    void rightMenuClicked(QPoint point);
    void exportFaultInfo();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void initMenu();
    void initColumns();

    QSingleServoDeviceFaultModel* m_model = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_refreshAction = nullptr;
    QAction* m_exportAction = nullptr;
    int m_axis = 0;
};
