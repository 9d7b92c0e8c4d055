#include "QSortedModifyFunDelegate_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSystemSetting.h"

#include <QKeyEvent>
#include <QPointer>

namespace {
// Marks a dialog editor that has already run, so that a later setEditorData does not open it again.
const char kDialogRunProperty[] = "sortedModifyDialogRun";

bool isDialogEditor(const QWidget* editor)
{
    const QFuncodeEditorFactory::EditorKind kind = QFuncodeEditorFactory::editorKind(editor);
    return kind == QFuncodeEditorFactory::EDITOR_HEX || kind == QFuncodeEditorFactory::EDITOR_MENU;
}
} // namespace

QSortedModifyFunDelegate_Servo::QSortedModifyFunDelegate_Servo(QObject* parent) : QNoFocusItemDelegate(parent)
{
}

QSortedModifyFunDelegate_Servo::~QSortedModifyFunDelegate_Servo() = default;

const tagSubFuncode_Servo* QSortedModifyFunDelegate_Servo::editableFuncode(const QModelIndex& index)
{
    const auto* model = qobject_cast<const QSortedModifyFunModel_Servo*>(index.model());
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!model || !device) {
        return nullptr;
    }
    if (index.column() < QSortedModifyFunModel_Servo::COL_AXIS_X ||
        index.column() > QSortedModifyFunModel_Servo::COL_AXIS_Z ||
        !model->isFuncodeModifiable(index.row())) {
        return nullptr;
    }
    return device->getNormalFuncodePtrByFunIndex(model->getFunIndex(index.row()), false);
}

QWidget* QSortedModifyFunDelegate_Servo::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                                      const QModelIndex& index) const
{
    const tagSubFuncode_Servo* fun = editableFuncode(index);
    if (!fun) {
        return nullptr;
    }
    return QFuncodeEditorFactory::createEditor(parent, option.rect.width(), fun,
                                               QProjectCore::selectedServo());
}

void QSortedModifyFunDelegate_Servo::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const tagSubFuncode_Servo* fun = editableFuncode(index);
    if (!editor || !fun || editor->property(kDialogRunProperty).toBool()) {
        return;
    }
    const int axis = index.column() - QSortedModifyFunModel_Servo::COL_AXIS_X;
    if (!isDialogEditor(editor)) {
        QFuncodeEditorFactory::setEditorData(editor, fun, QProjectCore::selectedServo(), axis);
        return;
    }
    editor->setProperty(kDialogRunProperty, true);
    QPointer<QWidget> guard(editor);
    QFuncodeEditorFactory::setEditorData(editor, fun, QProjectCore::selectedServo(), axis);
    if (!guard) {
        return;
    }
    // The view shows an editor right after this returns; the answered dialog must not come back.
    editor->setAttribute(Qt::WA_DontShowOnScreen, true);
    finishDialogEditor(editor);
}

// A dialog editor is a window of its own: once it has been answered nothing else would hand its value
// over, so the view is asked to commit and close it after the dialog's modal loop has unwound.
void QSortedModifyFunDelegate_Servo::finishDialogEditor(QWidget* editor) const
{
    auto* self = const_cast<QSortedModifyFunDelegate_Servo*>(this);
    QPointer<QWidget> guard(editor);
    QMetaObject::invokeMethod(
        self,
        [self, guard]() {
            if (!guard) {
                return;
            }
            emit self->commitData(guard.data());
            if (guard) {
                emit self->closeEditor(guard.data(), QAbstractItemDelegate::NoHint);
            }
        },
        Qt::QueuedConnection);
}

void QSortedModifyFunDelegate_Servo::setModelData(QWidget* editor, QAbstractItemModel* model,
                                                  const QModelIndex& index) const
{
    if (!editor || !model || !editableFuncode(index)) {
        return;
    }
    const bool commit = m_commit || QLibSetting::self()->getSystemSetting()->getFuncodeModifyType() == 1;
    const QVariant value = QFuncodeEditorFactory::editorValue(editor, commit);
    if (!value.isValid()) {
        return;
    }
    if (!isDialogEditor(editor)) {
        m_commit = false;
    }
    model->setData(index, value, Qt::EditRole);
}

void QSortedModifyFunDelegate_Servo::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                          const QModelIndex& index) const
{
    Q_UNUSED(index)
    QFuncodeEditorFactory::updateEditorGeometry(editor, option.rect);
}

bool QSortedModifyFunDelegate_Servo::eventFilter(QObject* object, QEvent* event)
{
    // A dialog editor answers its own keys and is committed once its modal run is over: the base would
    // commit and close it a second time on Return or when it loses the focus.
    if (QFuncodeEditorFactory::isDialogEditor(qobject_cast<const QWidget*>(object))) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_commit = true;
        }
    }
    return QNoFocusItemDelegate::eventFilter(object, event);
}
