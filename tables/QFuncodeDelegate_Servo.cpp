#include "QFuncodeDelegate_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeModelBase_Servo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSystemSetting.h"

#include <QKeyEvent>
#include <QTimer>

namespace {
// Marks a dialog editor whose modal run is over: the view may ask for its data again (a repaint of the
// edited cell), and the dialog must not open twice.
const char* const kDialogDoneProperty = "servoFuncodeDialogDone";

bool isAxisValueColumn(int column)
{
    return column >= QFuncodeModelBase_Servo::COL_AXIS_X && column <= QFuncodeModelBase_Servo::COL_AXIS_Z;
}

bool isDialog(QFuncodeEditorFactory::EditorKind kind)
{
    return kind == QFuncodeEditorFactory::EDITOR_HEX || kind == QFuncodeEditorFactory::EDITOR_MENU;
}

const tagSubFuncode_Servo* funcodeOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const QFuncodeModelBase_Servo*>(index.model());
    return model ? model->getSubFuncode(index.row()) : nullptr;
}

} // namespace

QFuncodeDelegate_Servo::QFuncodeDelegate_Servo(QObject* parent) : QStyledItemDelegate(parent) {}

QFuncodeDelegate_Servo::~QFuncodeDelegate_Servo() = default;

void QFuncodeDelegate_Servo::setModel(QFuncodeModelBase_Servo* model)
{
    if (m_model == model) {
        return;
    }
    if (m_model) {
        disconnect(this, &QFuncodeDelegate_Servo::SigEditting, m_model, &QFuncodeModelBase_Servo::OnEditting);
    }
    m_model = model;
    if (m_model) {
        connect(this, &QFuncodeDelegate_Servo::SigEditting, m_model, &QFuncodeModelBase_Servo::OnEditting);
    }
}

void QFuncodeDelegate_Servo::announceEditing(int row, bool isEdit) const
{
    emit const_cast<QFuncodeDelegate_Servo*>(this)->SigEditting(row, isEdit);
}

bool QFuncodeDelegate_Servo::eventFilter(QObject* object, QEvent* event)
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
    return QStyledItemDelegate::eventFilter(object, event);
}

void QFuncodeDelegate_Servo::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    QStyleOptionViewItem noFocus(option);
    noFocus.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, noFocus, index);
}

QSize QFuncodeDelegate_Servo::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index);
}

QWidget* QFuncodeDelegate_Servo::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const
{
    if (!isAxisValueColumn(index.column())) {
        return nullptr;
    }
    announceEditing(index.row(), true);
    QWidget* editor = QFuncodeEditorFactory::createEditor(parent, option.rect.width(), funcodeOf(index),
                                                          QProjectCore::selectedServo());
    if (!editor) {
        // No editor will close: the row must not stay out of periodic reading.
        announceEditing(index.row(), false);
    }
    return editor;
}

void QFuncodeDelegate_Servo::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!editor || !isAxisValueColumn(index.column())) {
        return;
    }
    if (isDialog(QFuncodeEditorFactory::editorKind(editor))) {
        runDialog(editor, index);
        return;
    }
    QDeviceServo* device = QProjectCore::selectedServo();
    const tagSubFuncode_Servo* fun = funcodeOf(index);
    if (!device || !fun) {
        return;
    }
    QFuncodeEditorFactory::setEditorData(editor, fun, device,
                                         index.column() - QFuncodeModelBase_Servo::COL_AXIS_X);
}

void QFuncodeDelegate_Servo::runDialog(QWidget* editor, const QModelIndex& index) const
{
    if (editor->property(kDialogDoneProperty).toBool()) {
        return;
    }
    editor->setProperty(kDialogDoneProperty, true);
    QFuncodeEditorFactory::setEditorData(editor, funcodeOf(index), QProjectCore::selectedServo(),
                                         index.column() - QFuncodeModelBase_Servo::COL_AXIS_X);
    // The view shows its editor after this returns; the dialog has been answered already, so it stays
    // off screen and its result is committed on the next pass of the event loop.
    editor->setAttribute(Qt::WA_DontShowOnScreen, true);
    QPointer<QWidget> guard(editor);
    auto* self = const_cast<QFuncodeDelegate_Servo*>(this);
    QTimer::singleShot(0, self, [self, guard]() {
        if (!guard) {
            return;
        }
        emit self->commitData(guard);
        emit self->closeEditor(guard, QAbstractItemDelegate::NoHint);
    });
}

void QFuncodeDelegate_Servo::setModelData(QWidget* editor, QAbstractItemModel* model,
                                          const QModelIndex& index) const
{
    if (!editor || !model || !isAxisValueColumn(index.column())) {
        return;
    }
    announceEditing(index.row(), false);
    const bool commit = m_commit || QLibSetting::self()->getSystemSetting()->getFuncodeModifyType() == 1;
    const QFuncodeEditorFactory::EditorKind kind = QFuncodeEditorFactory::editorKind(editor);
    const QVariant value = QFuncodeEditorFactory::editorValue(editor, commit);
    if (commit && !isDialog(kind)) {
        m_commit = false;
    }
    if (!value.isValid()) {
        return;
    }
    model->setData(index, value, Qt::EditRole);
}

void QFuncodeDelegate_Servo::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                  const QModelIndex& index) const
{
    Q_UNUSED(index)
    // A dialog keeps its own size and is centred on the screen.
    if (!editor || isDialog(QFuncodeEditorFactory::editorKind(editor))) {
        return;
    }
    QFuncodeEditorFactory::updateEditorGeometry(editor, option.rect);
}
