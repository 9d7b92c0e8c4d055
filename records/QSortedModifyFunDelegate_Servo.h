#pragma once

#include "QNoFocusItemDelegate.h"

struct tagSubFuncode_Servo;

// Value editor of the modification-statistics page: the shared function-code editors (spin box,
// enumerated combo box, hexadecimal and menu-parameter dialogs) on the axis columns of codes that may
// be modified. The value goes to the model in the edit role; a spin box or combo box value is written
// only after Return or Enter, or at once when the host's modify type is 1.
class QSortedModifyFunDelegate_Servo : public QNoFocusItemDelegate
{
    Q_OBJECT
public:
    explicit QSortedModifyFunDelegate_Servo(QObject* parent = nullptr);
    ~QSortedModifyFunDelegate_Servo() override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    static const tagSubFuncode_Servo* editableFuncode(const QModelIndex& index);
    void finishDialogEditor(QWidget* editor) const;

    // Set by Return or Enter in an editor; cleared when a spin box or combo box value is handed over.
    mutable bool m_commit = false;
};
