#include "QImportTreeViewDelegate.h"

#include "QDownloadTreeModel.h"
#include "TreeItem.h"

#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QHexDlg.h"
#include "QMenuParamDlg.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPointer>
#include <QTimer>

namespace {
// Marks a dialog editor whose modal run is over, so that it does not open twice.
const char* const kDialogDoneProperty = "servoImportDialogDone";

struct EditTarget
{
    const tagSubFuncode_Servo* fun = nullptr;
    QDeviceServo* device = nullptr;
    int axis = -1;
};

EditTarget editTarget(const QModelIndex& index)
{
    EditTarget target;
    const auto* model = qobject_cast<const QDownloadTreeModel*>(index.model());
    if (!model || !model->isMultiAxis() || !index.isValid()) {
        return target;
    }
    const TreeItem* item = model->itemFromIndex(index);
    const int axis = QDownloadTreeModel::currentValueAxis(index.column());
    QDeviceServo* device = model->device();
    if (!item->isFuncode() || axis < 0 || !device || axis >= device->getAxisNum() ||
        axis >= item->data()->curValueTexts.size()) {
        return target;
    }
    target.fun = device->getFuncodePtrByFunIndex(item->number(), false);
    target.device = device;
    target.axis = axis;
    return target;
}
} // namespace

QImportTreeViewDelegate::QImportTreeViewDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QImportTreeViewDelegate::~QImportTreeViewDelegate() = default;

QWidget* QImportTreeViewDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const
{
    const EditTarget target = editTarget(index);
    if (!target.fun) {
        return nullptr;
    }
    return QFuncodeEditorFactory::createEditor(parent, option.rect.width(), target.fun, target.device);
}

void QImportTreeViewDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const EditTarget target = editTarget(index);
    if (!editor || !target.fun) {
        return;
    }
    if (!QFuncodeEditorFactory::isDialogEditor(editor)) {
        QFuncodeEditorFactory::setEditorData(editor, target.fun, target.device, target.axis);
        return;
    }
    if (editor->property(kDialogDoneProperty).toBool()) {
        return;
    }
    editor->setProperty(kDialogDoneProperty, true);
    QFuncodeEditorFactory::setEditorData(editor, target.fun, target.device, target.axis);
    commitDialogLater(editor);
}

void QImportTreeViewDelegate::commitDialogLater(QWidget* editor) const
{
    // The view shows its editor after setEditorData returns; the dialog has been answered already, so it
    // stays off screen and its answer is committed on the next pass of the event loop.
    editor->setAttribute(Qt::WA_DontShowOnScreen, true);
    QPointer<QWidget> guard(editor);
    auto* self = const_cast<QImportTreeViewDelegate*>(this);
    QTimer::singleShot(0, self, [self, guard]() {
        if (!guard) {
            return;
        }
        emit self->commitData(guard);
        emit self->closeEditor(guard, QAbstractItemDelegate::NoHint);
    });
}

bool QImportTreeViewDelegate::eventFilter(QObject* object, QEvent* event)
{
    // A dialog answers its own keys and is committed once its modal run is over.
    if (QFuncodeEditorFactory::isDialogEditor(qobject_cast<const QWidget*>(object))) {
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QString QImportTreeViewDelegate::editorText(QWidget* editor, const tagSubFuncode_Servo* fun,
                                            const QDeviceServo* device)
{
    if (!editor || !fun || !device) {
        return QString();
    }
    switch (QFuncodeEditorFactory::editorKind(editor)) {
    case QFuncodeEditorFactory::EDITOR_SPIN: {
        const QVariant value = QFuncodeEditorFactory::editorValue(editor, true);
        return value.isValid() ? QString::number(value.toDouble(), 'f', device->getDecimals(fun->precision))
                               : QString();
    }
    case QFuncodeEditorFactory::EDITOR_HEX: {
        const auto* dlg = static_cast<QHexDlg*>(editor);
        return dlg->getResult()
                   ? QStringLiteral("0x%1").arg(QString::number(dlg->getModifyData(), 16).toUpper())
                   : QString();
    }
    case QFuncodeEditorFactory::EDITOR_COMBO:
        return static_cast<QComboBox*>(editor)->currentText();
    case QFuncodeEditorFactory::EDITOR_MENU: {
        const QVariant value = QFuncodeEditorFactory::editorValue(editor, true);
        return value.isValid() ? value.toString() : QString();
    }
    case QFuncodeEditorFactory::EDITOR_NONE:
        break;
    }
    return QString();
}

void QImportTreeViewDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                           const QModelIndex& index) const
{
    const EditTarget target = editTarget(index);
    if (!model || !target.fun) {
        return;
    }
    const QString text = editorText(editor, target.fun, target.device);
    if (!text.isEmpty()) {
        model->setData(index, text, Qt::EditRole);
    }
}

void QImportTreeViewDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                   const QModelIndex& index) const
{
    Q_UNUSED(index)
    if (!editor || QFuncodeEditorFactory::isDialogEditor(editor)) {
        return;
    }
    QFuncodeEditorFactory::updateEditorGeometry(editor, option.rect);
}
