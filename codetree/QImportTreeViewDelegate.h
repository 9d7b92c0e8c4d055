#pragma once

#include <QStyledItemDelegate>

class QDeviceServo;
struct tagSubFuncode_Servo;

// The editor of the import tree's current values (columns 3, 5, 7 of function-code rows in the multi-axis
// layout): a spin box, the hexadecimal dialog, a combo box of the enumerated values or the menu-parameter
// dialog, as the code's show type asks. The edited value goes to the model as the drive would show it,
// and the model writes it to the drive.
class QImportTreeViewDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QImportTreeViewDelegate(QObject* parent = nullptr);
    ~QImportTreeViewDelegate() override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The dialogs run modally here, once; their answer is committed as soon as the view has the editor.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The text that an editor holds, as the drive shows such a value; empty when there is nothing to write
    // (a cancelled dialog).
    static QString editorText(QWidget* editor, const tagSubFuncode_Servo* fun, const QDeviceServo* device);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void commitDialogLater(QWidget* editor) const;
};
