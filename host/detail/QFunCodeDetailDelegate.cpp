#include "QFunCodeDetailDelegate.h"

#include "QFunCodeAxisValueModel.h"
#include "QFuncodeEditorFactory.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"
#include "tagSubFuncode_Servo.h"

#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

QFunCodeDetailDelegate::QFunCodeDetailDelegate(QFunCodeAxisValueModel* model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model)
{
}

QWidget* QFunCodeDetailDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const
{
    if (!m_model || index.model() != m_model || index.column() != QFunCodeAxisValueModel::COL_EDIT) {
        return nullptr;
    }
    const tagSubFuncode_Servo* fun = m_model->funcode();
    if (!fun) {
        return nullptr;
    }
    const QFuncodeEditorFactory::EditorKind kind = QFuncodeEditorFactory::editorKind(fun->showType);
    if (kind == QFuncodeEditorFactory::EDITOR_HEX || kind == QFuncodeEditorFactory::EDITOR_MENU) {
        // A view shows whatever editor it gets after filling it; a modal dialog must not come back.
        const QPersistentModelIndex persistent(index);
        QPointer<QWidget> dialogParent(parent ? parent->window() : nullptr);
        QTimer::singleShot(0, this,
                           [this, persistent, dialogParent]() { runDialogEditor(persistent, dialogParent); });
        return nullptr;
    }
    m_commit = false;
    return QFuncodeEditorFactory::createEditor(parent, option.rect.width(), fun, m_model->device());
}

void QFunCodeDetailDelegate::runDialogEditor(const QPersistentModelIndex& index, QWidget* dialogParent) const
{
    if (!m_model || !index.isValid()) {
        return;
    }
    const tagSubFuncode_Servo* fun = m_model->funcode();
    QWidget* dialog = QFuncodeEditorFactory::createEditor(dialogParent, 0, fun, m_model->device());
    if (!dialog) {
        return;
    }
    QPointer<QWidget> guard(dialog);
    QFuncodeEditorFactory::setEditorData(dialog, fun, m_model->device(), index.row());
    if (!guard) {
        return; // closed together with its parent while it ran
    }
    const QVariant value = QFuncodeEditorFactory::editorValue(dialog, true);
    delete dialog;
    if (value.isValid() && index.isValid()) {
        m_model->setData(index, value, Qt::EditRole);
    }
}

void QFunCodeDetailDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!m_model || !index.isValid()) {
        return;
    }
    QFuncodeEditorFactory::setEditorData(editor, m_model->funcode(), m_model->device(), index.row());
}

void QFunCodeDetailDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                          const QModelIndex& index) const
{
    if (!model || !index.isValid()) {
        return;
    }
    const bool commit = m_commit || isCommitByFocusLeave();
    const QVariant value = QFuncodeEditorFactory::editorValue(editor, commit);
    if (!value.isValid()) {
        return;
    }
    m_commit = false;
    model->setData(index, value, Qt::EditRole);
}

void QFunCodeDetailDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                  const QModelIndex& index) const
{
    Q_UNUSED(index)
    QFuncodeEditorFactory::updateEditorGeometry(editor, option.rect);
}

void QFunCodeDetailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
}

bool QFunCodeDetailDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_commit = true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

bool QFunCodeDetailDelegate::isCommitByFocusLeave()
{
    const QSystemSetting* setting = QLibSetting::self()->getSystemSetting();
    return setting && setting->getFuncodeModifyType() == 1;
}
