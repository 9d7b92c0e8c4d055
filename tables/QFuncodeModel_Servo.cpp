#include "QFuncodeModel_Servo.h"

#include "QDeviceServo.h"

#include <QSet>

namespace {
const QList<tagSubFuncode_Servo*>& emptyRows()
{
    static const QList<tagSubFuncode_Servo*> empty;
    return empty;
}
} // namespace

QFuncodeModel_Servo::QFuncodeModel_Servo(QObject* parent) : QFuncodeModelBase_Servo(parent) {}

QFuncodeModel_Servo::~QFuncodeModel_Servo() = default;

const QList<tagSubFuncode_Servo*>& QFuncodeModel_Servo::rows() const
{
    const auto it = m_groupMap.constFind(m_group);
    return it == m_groupMap.constEnd() ? emptyRows() : it.value();
}

bool QFuncodeModel_Servo::isOtherDevice(const QString& aliasName) const
{
    const QDeviceServo* device = selectedDevice();
    return device && device->getAliasName() != aliasName;
}

int QFuncodeModel_Servo::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows().size();
}

void QFuncodeModel_Servo::reloadRows() {}

tagSubFuncode_Servo* QFuncodeModel_Servo::getSubFuncode(int row) const
{
    const QList<tagSubFuncode_Servo*>& list = rows();
    return (row >= 0 && row < list.size()) ? list.at(row) : nullptr;
}

QString QFuncodeModel_Servo::groupOf(const QModelIndex& index) const
{
    Q_UNUSED(index)
    return m_group;
}

int QFuncodeModel_Servo::rowOf(const QModelIndex& index) const
{
    return index.row();
}

void QFuncodeModel_Servo::setGroup(const QString& name)
{
    beginRowsReset();
    m_group = name;
    endRowsReset();
}

void QFuncodeModel_Servo::setGroupMap(const QMap<QString, QList<tagSubFuncode_Servo*>>& map)
{
    // Another device's map may hold other rows under the same group name: the views must not keep
    // rows (or pointers) that are gone.
    const bool rowsChange = map.value(m_group) != rows();
    if (rowsChange) {
        beginRowsReset();
    }
    m_groupMap = map;
    if (rowsChange) {
        endRowsReset();
    }
}

QList<tagSubFuncode_Servo*> QFuncodeModel_Servo::allFuncodes() const
{
    return rows();
}

QList<tagSubFuncode_Servo*> QFuncodeModel_Servo::visibleFuncodes(const QString& group, int firstRow,
                                                                 int count) const
{
    QList<tagSubFuncode_Servo*> result = m_groupMap.value(group).mid(qMax(firstRow, 0), qMax(count, 0));
    // The edited row is only meaningful for the shown group.
    const int edited = editingRow() - qMax(firstRow, 0);
    if (group == m_group && edited >= 0 && edited < result.size()) {
        result.removeAt(edited);
    }
    return result;
}

int QFuncodeModel_Servo::rowOfFuncode(const QString& funIndex, const QString& aliasName) const
{
    if (isOtherDevice(aliasName)) {
        return -1;
    }
    const QList<tagSubFuncode_Servo*>& list = rows();
    for (int row = 0; row < list.size(); ++row) {
        if (list.at(row)->funIndex == funIndex) {
            return row;
        }
    }
    return -1;
}

QStringList QFuncodeModel_Servo::funcodesInModel(const QStringList& funIndexList,
                                                 const QString& aliasName) const
{
    if (funIndexList.isEmpty() || isOtherDevice(aliasName)) {
        return {};
    }
    const QSet<QString> wanted(funIndexList.cbegin(), funIndexList.cend());
    QStringList result;
    for (const tagSubFuncode_Servo* fun : rows()) {
        if (wanted.contains(fun->funIndex)) {
            result.append(fun->funIndex);
        }
    }
    return result;
}
