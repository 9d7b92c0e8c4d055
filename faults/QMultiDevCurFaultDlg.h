#pragma once

#include "QBaseDlg.h"

#include <QStringList>

class QTableWidget;

// The current faults of every drive that reports some, in one window. The workspace shows it when a
// drive reports a new fault and tells it when a drive's faults are cleared or the drive is removed.
class QMultiDevCurFaultDlg : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QMultiDevCurFaultDlg(QWidget* parent = nullptr);

    // Drops the rows of a drive; the window hides itself when no row is left.
    void removeDevice(const QString& alias);
    void clearAll();
    int rowCount() const;
    QStringList devices() const { return m_devices; }

public slots:
    void onDeviceFaultChanged(QString aliasName);
    void slotUpdateDev();

private:
    void rebuild();

    QTableWidget* m_table = nullptr;
    QStringList m_devices;
};
