#include "QSortedModifyFunDetailView_Servo.h"

#include "QSortedModifyFunDetailModel_Servo.h"

QSortedModifyFunDetailView_Servo::QSortedModifyFunDetailView_Servo(QWidget* parent) : QBaseTableView(parent)
{
    m_model = new QSortedModifyFunDetailModel_Servo(this);
    setModel(m_model);
    setColumnWidth(QSortedModifyFunDetailModel_Servo::COL_TIME, 160);
    setColumnWidth(QSortedModifyFunDetailModel_Servo::COL_OLD_VAL, 120);
    setColumnWidth(QSortedModifyFunDetailModel_Servo::COL_NEW_VAL, 120);
    setColumnWidth(QSortedModifyFunDetailModel_Servo::COL_AXIS, 40);
}

QSortedModifyFunDetailView_Servo::~QSortedModifyFunDetailView_Servo() = default;
