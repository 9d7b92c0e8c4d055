#include "QFuncodeEditDelegate.h"

#include "QFuncodeEditorFactory.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QKeyEvent>
#include <QPointer>

namespace {
// Marks a dialog editor that has run: a later setEditorData (a repaint of the edited cell) must not open
// it again.
const char kDialogRunProperty[] = "funcodeDialogRun";
} // namespace

QFuncodeEditDelegate::QFuncodeEditDelegate(QObject* parent) : QNoFocusItemDelegate(parent) {}

void QFuncodeEditDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                const QModelIndex& index) const
{
    Q_UNUSED(index)
    QFuncodeEditorFactory::updateEditorGeometry(editor, option.rect);
}

void QFuncodeEditDelegate::fillEditor(QWidget* editor, const tagSubFuncode_Servo* fun, QDeviceServo* device,
                                      int axis) const
{
    if (!editor || !fun || editor->property(kDialogRunProperty).toBool()) {
        return;
    }
    if (!QFuncodeEditorFactory::isDialogEditor(editor)) {
        QFuncodeEditorFactory::setEditorData(editor, fun, device, axis);
        return;
    }
    editor->setProperty(kDialogRunProperty, true);
    QPointer<QWidget> guard(editor);
    QFuncodeEditorFactory::setEditorData(editor, fun, device, axis);
    if (!guard) {
        return;
    }
    editor->setAttribute(Qt::WA_DontShowOnScreen, true);
    finishDialogEditor(editor);
}

// Once answered nothing else would hand a dialog's value over, so the view is asked to commit and close it.
void QFuncodeEditDelegate::finishDialogEditor(QWidget* editor) const
{
    auto* self = const_cast<QFuncodeEditDelegate*>(this);
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

QVariant QFuncodeEditDelegate::valueToCommit(QWidget* editor) const
{
    const bool commit = m_commit || QLibSetting::self()->getSystemSetting()->getFuncodeModifyType() == 1;
    if (!QFuncodeEditorFactory::isDialogEditor(editor)) {
        m_commit = false;
    }
    return QFuncodeEditorFactory::editorValue(editor, commit);
}

bool QFuncodeEditDelegate::eventFilter(QObject* object, QEvent* event)
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
