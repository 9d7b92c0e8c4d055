#pragma once

#include "QNoFocusItemDelegate.h"

class QDeviceServo;
struct tagSubFuncode_Servo;

// When the value of a function-code editor (QFuncodeEditorFactory) is handed to a view's model: a spin box
// or combo box value only after Return or Enter in the editor, or at once when the host's modify type is
// 1; a dialog editor runs once, modally, and its answer is committed and the editor closed after the
// dialog's modal loop has unwound (the view shows the editor right after setEditorData returns).
class QFuncodeEditDelegate : public QNoFocusItemDelegate
{
    Q_OBJECT
public:
    explicit QFuncodeEditDelegate(QObject* parent = nullptr);

    // True after Return or Enter in an editor until a spin-box or combo-box value is committed.
    bool isCommitPending() const { return m_commit; }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // Shows the code's value on the axis in the editor; a dialog editor is run here, once.
    void fillEditor(QWidget* editor, const tagSubFuncode_Servo* fun, QDeviceServo* device, int axis) const;
    // The editor's value when it is to be written now, invalid otherwise.
    QVariant valueToCommit(QWidget* editor) const;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void finishDialogEditor(QWidget* editor) const;

    mutable bool m_commit = false;
};
