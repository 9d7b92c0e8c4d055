#include "QServoFunOperationModel.h"

#include "FunTreeItem.h"

#include <QHash>

QServoFunOperationModel::QServoFunOperationModel(QObject* parent) : QFunOperationModel(parent) {}

void QServoFunOperationModel::setSourceLayout(bool fromDevice, int axisNum, bool showDefault)
{
    static const char* const letters[] = {"X", "Y", "Z"};
    m_axisNum = qBound(1, axisNum, 3);
    m_showDefault = showDefault;
    const QString valueKey = fromDevice ? tr("STR_CUR_VAL") : tr("STR_IMPORT_VAL");
    QStringList headers{tr("STR_FUNCODE"), tr("STR_FUNCODE_NAME")};
    for (int axis = 0; axis < m_axisNum; ++axis) {
        headers << QStringLiteral("%1(%2)").arg(valueKey, QLatin1String(letters[axis]));
    }
    if (showDefault) {
        headers << tr("STR_DEFAULT_VAL");
    }
    setHeadList(headers);
}

QVariant QServoFunOperationModel::itemData(const FunTreeItem* item, int column, int role) const
{
    if (m_showDefault && column == firstAxisColumn() + m_axisNum) {
        const bool shown = role == Qt::DisplayRole || role == Qt::ToolTipRole;
        return shown ? QVariant(item->unit()->defaultText) : QVariant();
    }
    if (column >= firstAxisColumn() + m_axisNum) {
        return QVariant();
    }
    return QFunOperationModel::itemData(item, column, role);
}
