#include "QSelFunCodeModel_Servo.h"

#include "QDeviceServo.h"

#include <QSet>

QSelFunCodeModel_Servo::QSelFunCodeModel_Servo(QObject* parent) : QFuncodeModelBase_Servo(parent) {}

QSelFunCodeModel_Servo::~QSelFunCodeModel_Servo() = default;

int QSelFunCodeModel_Servo::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

void QSelFunCodeModel_Servo::reloadRows()
{
    QDeviceServo* device = selectedDevice();
    beginRowsReset();
    m_rows.clear();
    if (device) {
        const QStringList numbers = device->getSelSubFuncodeList();
        for (const QString& number : numbers) {
            if (tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(number, false)) {
                m_rows.append(fun);
            }
        }
    }
    endRowsReset();
}

void QSelFunCodeModel_Servo::moveRowUp(const QString& funIndex)
{
    QDeviceServo* device = selectedDevice();
    if (!device) {
        return;
    }
    if (rowOfFuncode(funIndex, device->getAliasName()) > 0) {
        device->upSelSubFuncodeList(funIndex);
        reloadRows();
    }
}

void QSelFunCodeModel_Servo::moveRowDown(const QString& funIndex)
{
    QDeviceServo* device = selectedDevice();
    if (!device) {
        return;
    }
    const int row = rowOfFuncode(funIndex, device->getAliasName());
    if (row != -1 && row < m_rows.size() - 1) {
        device->downSelSubFuncodeList(funIndex);
        reloadRows();
    }
}

tagSubFuncode_Servo* QSelFunCodeModel_Servo::getSubFuncode(int row) const
{
    return (row >= 0 && row < m_rows.size()) ? m_rows.at(row) : nullptr;
}

QList<tagSubFuncode_Servo*> QSelFunCodeModel_Servo::allFuncodes() const
{
    return m_rows;
}

QList<tagSubFuncode_Servo*> QSelFunCodeModel_Servo::funcodesBetween(int first, int count) const
{
    return m_rows.mid(qMax(first, 0), qMax(count, 0));
}

int QSelFunCodeModel_Servo::rowOfFuncode(const QString& funIndex, const QString& aliasName) const
{
    const QDeviceServo* device = selectedDevice();
    if (!device || device->getAliasName() != aliasName) {
        return -1;
    }
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row)->funIndex == funIndex) {
            return row;
        }
    }
    return -1;
}

QStringList QSelFunCodeModel_Servo::funcodesInModel(const QStringList& funIndexList,
                                                    const QString& aliasName) const
{
    const QDeviceServo* device = selectedDevice();
    if (funIndexList.isEmpty() || !device || device->getAliasName() != aliasName) {
        return {};
    }
    const QSet<QString> wanted(funIndexList.cbegin(), funIndexList.cend());
    QStringList result;
    for (const tagSubFuncode_Servo* fun : m_rows) {
        if (wanted.contains(fun->funIndex)) {
            result.append(fun->funIndex);
        }
    }
    return result;
}
