#include "QModifyFunModel_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"

#include <QColor>
#include <QEvent>
#include <QIcon>

QModifyFunModel_Servo::QModifyFunModel_Servo(QObject* parent)
    : QBaseTableModel(parent), m_pager(&QModifyFunModel_Servo::makeDisplayRow)
{
    setHeadList(headerTexts());
}

QStringList QModifyFunModel_Servo::headerTexts() const
{
    return {tr("STR_DATETIME"), tr("STR_INDEX"),       tr("STR_NAME"),        tr("STR_AXIS_INDEX"),
            tr("STR_NEW_VAL"),  tr("STR_OLD_VAL"),     tr("STR_DEFAULT_VAL"), tr("STR_MIN_VAL"),
            tr("STR_MAX_VAL"),  tr("STR_RELATE_PARAM")};
}

QModifyFunModel_Servo::~QModifyFunModel_Servo() = default;

bool QModifyFunModel_Servo::event(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && !m_pager.alias().isEmpty()) {
        loadRecords(m_pager.alias());
    }
    return QBaseTableModel::event(event);
}

void QModifyFunModel_Servo::loadRecords(const QString& alias)
{
    beginResetModel();
    m_rows.clear();
    m_pager.open(alias);
    endResetModel();
}

void QModifyFunModel_Servo::clearRecords()
{
    beginResetModel();
    m_rows.clear();
    m_pager.close();
    endResetModel();
}

int QModifyFunModel_Servo::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size() + m_pager.count();
}

QStringList QModifyFunModel_Servo::rowTexts(int row) const
{
    return row < m_rows.size() ? m_rows.at(row) : m_pager.row(row - m_rows.size());
}

QVariant QModifyFunModel_Servo::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return rowTexts(index.row()).value(index.column());
    case Qt::DecorationRole:
        return decoration(index);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (index.column() == COL_NEW_VAL) {
            return QColor(Qt::red);
        }
        if (index.column() == COL_DEFAULT_VAL) {
            return QColor(Qt::darkGreen);
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant QModifyFunModel_Servo::decoration(const QModelIndex& index) const
{
    if (index.column() != COL_NAME) {
        return QIcon();
    }
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return QIcon();
    }
    const QString funIndex = rowTexts(index.row()).value(COL_INDEX);
    const tagSubFuncode_Servo* fun = device->getNormalFuncodePtrByFunIndex(funIndex, false);
    if (!fun) {
        return QIcon();
    }
    return QDeviceServo::getRWLevelIcon(fun->rwLevel);
}

QStringList QModifyFunModel_Servo::makeDisplayRow(const tagModifyFuncode_Servo& record)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return QStringList();
    }
    // The records page names the codes the statistics page and the tables name: normal codes of the
    // present authority.
    const tagSubFuncode_Servo* fun = device->getNormalFuncodePtrByFunIndexAuth(record.funIndex);
    if (!fun) {
        return QStringList();
    }
    QStringList row;
    row << record.strTime << record.funIndex << fun->funName << QDeviceServo::getAxisName(record.axisIndex)
        << displayValue(record.newVal, fun->showType, fun->enumText)
        << displayValue(record.oldVal, fun->showType, fun->enumText)
        << device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal)
        << device->getScaledValueString(fun->showType, fun->precision, fun->minVal)
        << device->getScaledValueString(fun->showType, fun->precision, fun->maxVal) << fun->relateParam;
    return row;
}

QString QModifyFunModel_Servo::displayValue(const QString& stored, int showType, const QString& enumText)
{
    if (showType != 2) {
        return stored;
    }
    bool ok = false;
    const int position = stored.toInt(&ok, 10);
    // A damaged position is shown as stored rather than as some other item.
    if (!ok) {
        return stored;
    }
    return QDeviceManager::getRefStr(enumText, position);
}
