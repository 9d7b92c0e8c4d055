#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QFuncodeModelBase_Servo;

// The value editor of the function-code tables. The axis cells (columns 4..6) get the editor that the
// code's show type asks for (spin box, hexadecimal dialog, combo box of the enumerated values,
// menu-parameter dialog; none for the other types); the edited value goes to the model's setData with the
// edit role. A spin box or combo box value is written only when Return or Enter was pressed in the editor,
// or always when the host's function-code modify type is 1. While an editor is open its row is marked as
// being edited (SigEditting), so that periodic reading does not overwrite it. Cells are painted without a
// focus frame.
class QFuncodeDelegate_Servo : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QFuncodeDelegate_Servo(QObject* parent = nullptr);
    ~QFuncodeDelegate_Servo() override;

    // The model of the table; its OnEditting follows SigEditting.
    void setModel(QFuncodeModelBase_Servo* model);
    QFuncodeModelBase_Servo* getModel() const { return m_model; }
    // True after Return or Enter in an editor until a spin-box or combo-box value is committed.
    bool isCommitPending() const { return m_commit; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The dialogs run modally here, once; their result is committed as soon as the view has taken the editor.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    void SigEditting(int row, bool isEdit);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void runDialog(QWidget* editor, const QModelIndex& index) const;
    void announceEditing(int row, bool isEdit) const;

    QPointer<QFuncodeModelBase_Servo> m_model;
    mutable bool m_commit = false;
};
