#pragma once

#include "QFuncodeEditDelegate.h"

#include <QPointer>

class QFuncodeModelBase_Servo;

// The value editor of the function-code tables. The axis cells (columns 4..6) get the editor that the
// code's show type asks for, committed as QFuncodeEditDelegate says, in the model's edit role. While an
// editor is open its row is marked as being edited (SigEditting), so that periodic reading does not
// overwrite it.
class QFuncodeDelegate_Servo : public QFuncodeEditDelegate
{
    Q_OBJECT
public:
    explicit QFuncodeDelegate_Servo(QObject* parent = nullptr);
    ~QFuncodeDelegate_Servo() override;

    // The model of the table; its OnEditting follows SigEditting.
    void setModel(QFuncodeModelBase_Servo* model);
    QFuncodeModelBase_Servo* getModel() const { return m_model; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    void SigEditting(int row, bool isEdit);

private:
    void announceEditing(int row, bool isEdit) const;

    QPointer<QFuncodeModelBase_Servo> m_model;
};
