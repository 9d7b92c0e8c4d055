#include "QFuncodeDelegate_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QFuncodeModelBase_Servo.h"
#include "QProjectCore.h"

namespace {
bool isAxisValueColumn(int column)
{
    return column >= QFuncodeModelBase_Servo::COL_AXIS_X && column <= QFuncodeModelBase_Servo::COL_AXIS_Z;
}

const tagSubFuncode_Servo* funcodeOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const QFuncodeModelBase_Servo*>(index.model());
    return model ? model->getSubFuncode(index.row()) : nullptr;
}

} // namespace

QFuncodeDelegate_Servo::QFuncodeDelegate_Servo(QObject* parent) : QFuncodeEditDelegate(parent) {}

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
    if (!isAxisValueColumn(index.column())) {
        return;
    }
    fillEditor(editor, funcodeOf(index), QProjectCore::selectedServo(),
               index.column() - QFuncodeModelBase_Servo::COL_AXIS_X);
}

void QFuncodeDelegate_Servo::setModelData(QWidget* editor, QAbstractItemModel* model,
                                          const QModelIndex& index) const
{
    if (!editor || !model || !isAxisValueColumn(index.column())) {
        return;
    }
    announceEditing(index.row(), false);
    const QVariant value = valueToCommit(editor);
    if (value.isValid()) {
        model->setData(index, value, Qt::EditRole);
    }
}
