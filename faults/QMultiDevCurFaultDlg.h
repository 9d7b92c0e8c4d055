#pragma once

#include "QBaseDlg.h"

#include <QStringList>

class QBaseTableView;
class QServoDeviceFaultModel;

// The current faults of every drive that reports some, in one window. It gathers a drive when the
// drive reports changed faults and drops it when its list empties; it hides itself whenever it holds
// no row. The workspace shows it when a drive reports a new fault, and tells it when a drive's faults
// are cleared or the drive is removed.
class QMultiDevCurFaultDlg : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QMultiDevCurFaultDlg(QWidget* parent = nullptr);

    void removeDevice(const QString& alias);
    void clearAll();
    int rowCount() const;
    QStringList devices() const;
    QServoDeviceFaultModel* faultModel() const { return m_model; }
    QBaseTableView* view() const { return m_view; }

public slots:
    void onDeviceFaultChanged(QString aliasName);
    void slotUpdateDev();

protected:
    void changeEvent(QEvent* event) override;

private:
    void hideWhenEmpty();

    QBaseTableView* m_view = nullptr;
    QServoDeviceFaultModel* m_model = nullptr;
};
