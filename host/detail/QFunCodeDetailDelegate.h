#pragma once

#include <QStyledItemDelegate>

class QFunCodeAxisValueModel;

// Value editor of the detail window's edit cells, built by QFuncodeEditorFactory from the code's show
// type. A spin box or combo box commits only after Return or Enter, or at once when the host's modify
// type is 1. The hexadecimal and menu-parameter dialogs are modal windows, not in-cell editors: a
// request to edit such a cell runs the dialog right after the request (outside the view's edit call) and
// hands an accepted value to the model.
class QFunCodeDetailDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QFunCodeDetailDelegate(QFunCodeAxisValueModel* model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void runDialogEditor(const QPersistentModelIndex& index, QWidget* dialogParent) const;
    static bool isCommitByFocusLeave();

    QFunCodeAxisValueModel* m_model = nullptr;
    // Set by Return or Enter in an editor; cleared when a spin-box or combo-box value is committed.
    mutable bool m_commit = false;
};
