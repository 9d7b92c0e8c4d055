#include "QSortedModifyFunDelegate_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeEditorFactory.h"
#include "QProjectCore.h"
#include "QSortedModifyFunModel_Servo.h"

QSortedModifyFunDelegate_Servo::QSortedModifyFunDelegate_Servo(QObject* parent) : QFuncodeEditDelegate(parent)
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
    fillEditor(editor, editableFuncode(index), QProjectCore::selectedServo(),
               index.column() - QSortedModifyFunModel_Servo::COL_AXIS_X);
}

void QSortedModifyFunDelegate_Servo::setModelData(QWidget* editor, QAbstractItemModel* model,
                                                  const QModelIndex& index) const
{
    if (!editor || !model || !editableFuncode(index)) {
        return;
    }
    const QVariant value = valueToCommit(editor);
    if (value.isValid()) {
        model->setData(index, value, Qt::EditRole);
    }
}
