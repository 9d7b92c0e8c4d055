#pragma once

#include "QFuncodeEditDelegate.h"

struct tagSubFuncode_Servo;

// Value editor of the modification-statistics page: the shared function-code editors on the axis columns
// of codes that may be modified, committed as QFuncodeEditDelegate says, in the model's edit role.
class QSortedModifyFunDelegate_Servo : public QFuncodeEditDelegate
{
    Q_OBJECT
public:
    explicit QSortedModifyFunDelegate_Servo(QObject* parent = nullptr);
    ~QSortedModifyFunDelegate_Servo() override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    static const tagSubFuncode_Servo* editableFuncode(const QModelIndex& index);
};
