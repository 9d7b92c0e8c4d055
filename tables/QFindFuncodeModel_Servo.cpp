#include "QFindFuncodeModel_Servo.h"

#include "QDeviceServo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

QFindFuncodeModel_Servo::QFindFuncodeModel_Servo(QObject* parent) : QBaseTableModel(parent)
{
    setHeadList(headerTexts());
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeChanged_Servo, this,
            &QFindFuncodeModel_Servo::onFuncodeChanged);
}

QStringList QFindFuncodeModel_Servo::headerTexts() const
{
    return {tr("STR_INDEX"),   tr("STR_FUNCODE_NAME"), tr("STR_AXIS_X"),
            tr("STR_AXIS_Y"),  tr("STR_AXIS_Z"),       tr("STR_MIN_VAL"),
            tr("STR_MAX_VAL"), tr("STR_DEFAULT_VAL"),  tr("STR_UNIT")};
}

QFindFuncodeModel_Servo::~QFindFuncodeModel_Servo() = default;

void QFindFuncodeModel_Servo::setFuncodeList(QDeviceServo* device, const QList<tagSubFuncode_Servo*>& list)
{
    beginResetModel();
    m_device = device;
    m_funcodes = device ? list : QList<tagSubFuncode_Servo*>();
    endResetModel();
}

QList<tagSubFuncode_Servo*> QFindFuncodeModel_Servo::getFuncodeList() const
{
    return m_device ? m_funcodes : QList<tagSubFuncode_Servo*>();
}

QString QFindFuncodeModel_Servo::getFunIndex(int row) const
{
    if (!m_device || row < 0 || row >= m_funcodes.size()) {
        return QString();
    }
    return m_funcodes.at(row)->funIndex;
}

int QFindFuncodeModel_Servo::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_funcodes.size();
}

QVariant QFindFuncodeModel_Servo::data(const QModelIndex& index, int role) const
{
    // The records are the device's: once it is gone they must not be touched.
    if (!m_device || !index.isValid() || index.row() < 0 || index.row() >= m_funcodes.size()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return displayText(m_funcodes.at(index.row()), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QString QFindFuncodeModel_Servo::displayText(const tagSubFuncode_Servo* fun, int column) const
{
    switch (column) {
    case COL_INDEX:
        return fun->funIndex;
    case COL_NAME:
        return fun->funName;
    case COL_AXIS_X:
    case COL_AXIS_Y:
    case COL_AXIS_Z:
        return m_device->getScaledCurValueStr(fun->funIndex, column - COL_AXIS_X);
    case COL_MIN_VAL:
        return m_device->getScaledValueString(fun->showType, fun->precision, fun->minVal);
    case COL_MAX_VAL:
        return m_device->getScaledValueString(fun->showType, fun->precision, fun->maxVal);
    case COL_DEFAULT_VAL:
        return m_device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal);
    case COL_UNIT:
        return fun->unit;
    default:
        return QString();
    }
}

void QFindFuncodeModel_Servo::onFuncodeChanged(QString aliasName, QStringList funIndexList)
{
    if (!m_device || aliasName != m_device->getAliasName()) {
        return;
    }
    for (int row = 0; row < m_funcodes.size(); ++row) {
        if (funIndexList.contains(m_funcodes.at(row)->funIndex)) {
            emit dataChanged(index(row, COL_AXIS_X), index(row, COL_AXIS_Z));
        }
    }
}
