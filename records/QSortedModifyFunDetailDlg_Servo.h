#pragma once

#include "QBaseDlg.h"
#include "tagFuncodeModifyData.h"

#include <QList>

class QSortedModifyFunDetailView_Servo;

// Modal dialog listing every recorded modification of one function code. The caller sets the title
// and the events.
class QSortedModifyFunDetailDlg_Servo : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QSortedModifyFunDetailDlg_Servo(QWidget* parent = nullptr);
    ~QSortedModifyFunDetailDlg_Servo() override;

    // The events to list, and the number of decimals of the code's values.
    void setData(const QList<tagFuncodeModifyData>& events, int decimals);
    QSortedModifyFunDetailView_Servo* getView() const { return m_view; }

private:
    QSortedModifyFunDetailView_Servo* m_view = nullptr;
};
