#pragma once

#include <QStyleOptionViewItem>
#include <QVariant>

class QWidget;
class QDeviceServo;
struct tagSubFuncode_Servo;

// The value editors of a function code, chosen by its show type, shared by every place that edits a
// value in a table: a spin box for decimal codes (0, 8, 10), the hexadecimal dialog (1, 9), a combo
// box of the enumerated items (2, object name "FUNCODE_COMBOX") and the menu-parameter dialog (6).
// Other show types have no editor.
class QFuncodeEditorFactory
{
public:
    enum EditorKind
    {
        EDITOR_NONE,
        EDITOR_SPIN,
        EDITOR_HEX,
        EDITOR_COMBO,
        EDITOR_MENU
    };

    static EditorKind editorKind(int showType);
    static EditorKind editorKind(const QWidget* editor);
    // The hexadecimal and menu-parameter editors are dialogs that run modally while they are filled.
    static bool isDialogEditor(const QWidget* editor);

    // The editor for the code, or null. The spin box needs the device (decimals and step come from it):
    // without one it is not made. Its range is the code's minimum and maximum as numbers; the combo
    // box lists the enumerated items at least as wide as optionWidth. The dialogs are made with parent.
    static QWidget* createEditor(QWidget* parent, int optionWidth, const tagSubFuncode_Servo* fun,
                                 QDeviceServo* device);
    // Fills the editor with the device's current value of the axis; on a value that is not known (never
    // read, read failed, not read back) the spin box starts empty and the combo box with no item. The
    // dialogs are centred on the screen and run modally here.
    static void setEditorData(QWidget* editor, const tagSubFuncode_Servo* fun, QDeviceServo* device,
                              int axis);
    // The value the editor holds, as the model's setData takes it (a double for the spin box, an int for
    // the combo box and the menu dialog, a qlonglong for the hexadecimal dialog). Invalid when nothing is
    // to be written: a spin box or combo box without commit, a cancelled dialog, an editor opened on an
    // unknown value that was left as it was.
    static QVariant editorValue(QWidget* editor, bool commit);
    // Places the editor over the cell, widened to fit its contents (font of pixel size 19).
    static void updateEditorGeometry(QWidget* editor, const QRect& cellRect);
    // Width that the editor needs: the longest combo item, or "65535.000" plus 10 for a spin box.
    static int neededWidth(const QWidget* editor);
};
