#pragma once

#include "QBaseDlg.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "tagFuncodeModifyData.h"

#include <QList>
#include <QPointer>

class QDeviceServo;
class QSortedModifyFunDetailView_Servo;

// Modal dialog listing every recorded modification of one function code. The caller sets the title
// and the events, and the drive and code they are of: then "Restore the old value" on an event (context
// menu) writes its old value back on its axis through the write road, as a new change.
class QSortedModifyFunDetailDlg_Servo : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QSortedModifyFunDetailDlg_Servo(QWidget* parent = nullptr);
    ~QSortedModifyFunDetailDlg_Servo() override;

    // The events to list, and the number of decimals of the code's values.
    void setData(const QList<tagFuncodeModifyData>& events, int decimals);
    void setFuncode(QDeviceServo* device, const QString& funIndex);
    // Restores the old value of the event in the row; refused with the reason the road gives.
    QFuncodeWriteRoad_Servo::Result restoreOldValue(int row);
    QSortedModifyFunDetailView_Servo* getView() const { return m_view; }

private:
    QSortedModifyFunDetailView_Servo* m_view = nullptr;
    QPointer<QDeviceServo> m_device;
    QString m_funIndex;
};
