#include "QServoMonitoredList.h"

bool QServoMonitoredList::append(const QString& funIndex)
{
    if (funIndex.isEmpty() || m_list.contains(funIndex)) {
        return false;
    }
    m_list.append(funIndex);
    return true;
}

bool QServoMonitoredList::remove(const QString& funIndex)
{
    return m_list.removeAll(funIndex) > 0;
}

bool QServoMonitoredList::clear()
{
    if (m_list.isEmpty()) {
        return false;
    }
    m_list.clear();
    return true;
}

bool QServoMonitoredList::moveUp(const QString& funIndex)
{
    const int pos = m_list.indexOf(funIndex);
    return swap(pos, pos - 1);
}

bool QServoMonitoredList::moveDown(const QString& funIndex)
{
    const int pos = m_list.indexOf(funIndex);
    return swap(pos, pos + 1);
}

bool QServoMonitoredList::swap(int pos, int other)
{
    if (pos < 0 || other < 0 || pos >= m_list.size() || other >= m_list.size()) {
        return false;
    }
    m_list.swapItemsAt(pos, other);
    return true;
}

bool QServoMonitoredList::assign(const QStringList& list)
{
    QStringList cleaned;
    for (const QString& funIndex : list) {
        if (!cleaned.contains(funIndex)) {
            cleaned.append(funIndex);
        }
    }
    if (cleaned == m_list) {
        return false;
    }
    m_list = cleaned;
    return true;
}
