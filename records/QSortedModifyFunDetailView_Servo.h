#pragma once

#include "QBaseTableView.h"

class QSortedModifyFunDetailModel_Servo;

// Table of the modification history of one function code; makes and shows its own model.
class QSortedModifyFunDetailView_Servo : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QSortedModifyFunDetailView_Servo(QWidget* parent = nullptr);
    ~QSortedModifyFunDetailView_Servo() override;

    QSortedModifyFunDetailModel_Servo* getModel() const { return m_model; }

private:
    QSortedModifyFunDetailModel_Servo* m_model = nullptr;
};
