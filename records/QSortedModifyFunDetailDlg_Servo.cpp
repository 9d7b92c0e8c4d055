#include "QSortedModifyFunDetailDlg_Servo.h"

#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"

#include <QVBoxLayout>

QSortedModifyFunDetailDlg_Servo::QSortedModifyFunDetailDlg_Servo(QWidget* parent) : QBaseDlg(parent)
{
    m_view = new QSortedModifyFunDetailView_Servo(this);
    auto* layout = new QVBoxLayout(this);
    // The top margin leaves room for the dialog's own title bar.
    layout->setContentsMargins(2, QBaseDlg::TitleHeight, 2, 2);
    layout->addWidget(m_view);
    resize(450, 400);
}

QSortedModifyFunDetailDlg_Servo::~QSortedModifyFunDetailDlg_Servo() = default;

void QSortedModifyFunDetailDlg_Servo::setData(const QList<tagFuncodeModifyData>& events, int decimals)
{
    m_view->getModel()->setModifyData(events, decimals);
}
