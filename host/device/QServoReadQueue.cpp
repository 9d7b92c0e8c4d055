#include "QServoReadQueue.h"

namespace {
QStringRef groupCodeOf(const QString& funIndex)
{
    const int dot = funIndex.indexOf(QLatin1Char('.'));
    return funIndex.leftRef(dot < 0 ? funIndex.size() : dot);
}
} // namespace

QString QServoReadQueue::keyOf(const QString& funIndex, int axis)
{
    return funIndex + QLatin1Char('#') + QString::number(axis);
}

bool QServoReadQueue::enqueue(const QString& funIndex, int axis)
{
    const QString key = keyOf(funIndex, axis);
    if (m_queuedKeys.contains(key) || m_inFlightKeys.contains(key)) {
        return false;
    }
    m_queuedKeys.insert(key);
    m_queue.append({funIndex, axis});
    return true;
}

int QServoReadQueue::batchSize(int maxItems) const
{
    const int count = qMin(qMax(1, maxItems), m_queue.size());
    if (count == m_queue.size()) {
        return count;
    }
    // A request that has to be cut ends where a group ends, when one ends in it: a link that joins
    // the codes of a group into blocks then needs no extra block for the cut.
    for (int i = count; i > 1; --i) {
        if (groupCodeOf(m_queue.at(i - 1).funIndex) != groupCodeOf(m_queue.at(i).funIndex)) {
            return i;
        }
    }
    return count;
}

QDriveValueList QServoReadQueue::takeBatch(int maxItems)
{
    QDriveValueList items;
    const int count = batchSize(maxItems);
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        const Entry e = m_queue.takeFirst();
        const QString key = keyOf(e.funIndex, e.axis);
        m_queuedKeys.remove(key);
        m_inFlightKeys.insert(key);
        items.append(QDriveValueItem(e.funIndex, e.axis));
    }
    return items;
}

void QServoReadQueue::answered(quint32 requestId, const QDriveValueList& items)
{
    for (const QDriveValueItem& item : items) {
        m_inFlightKeys.remove(keyOf(item.funIndex, item.axis));
    }
    if (requestId == m_inFlight) {
        m_inFlight = 0;
    }
}

int QServoReadQueue::dropQueued(const std::function<bool(const Entry&)>& drop)
{
    int dropped = 0;
    for (int i = m_queue.size() - 1; i >= 0; --i) {
        const Entry& e = m_queue.at(i);
        if (drop(e)) {
            m_queuedKeys.remove(keyOf(e.funIndex, e.axis));
            m_queue.removeAt(i);
            ++dropped;
        }
    }
    return dropped;
}

void QServoReadQueue::clearQueued()
{
    m_queue.clear();
    m_queuedKeys.clear();
}

void QServoReadQueue::forgetInFlight()
{
    m_inFlight = 0;
    m_inFlightKeys.clear();
}
