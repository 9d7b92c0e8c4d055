#include "QServoRequestWaiter.h"

#include "QDriveLink.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

QServoRequestWaiter::QServoRequestWaiter(QDriveLink* link, QObject* parent) : QObject(parent), m_link(link)
{
    Q_ASSERT(link);
}

int QServoRequestWaiter::wait(quint32 requestId, int timeoutMs, QDriveValueList* items)
{
    m_awaited.insert(requestId);
    if (!m_finishedRequests.contains(requestId)) {
        QPointer<QServoRequestWaiter> self(this);
        runLoopUntilAnswered(requestId, timeoutMs);
        if (!self) {
            return QDriveLink::LINK_ERR_OFFLINE; // the device went away while waiting
        }
    }
    m_awaited.remove(requestId);
    const QDriveValueList answer = m_finishedItems.take(requestId);
    if (!m_finishedRequests.contains(requestId)) {
        return QDriveLink::LINK_ERR_TIMEOUT;
    }
    if (items) {
        *items = answer;
    }
    return m_finishedRequests.take(requestId);
}

void QServoRequestWaiter::runLoopUntilAnswered(quint32 requestId, int timeoutMs)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto quitWhenDone = [&loop, this, requestId]() {
        if (m_finishedRequests.contains(requestId)) {
            loop.quit();
        }
    };
    const auto c1 = connect(m_link, &QDriveLink::readFinished, &loop, quitWhenDone, Qt::QueuedConnection);
    const auto c2 = connect(m_link, &QDriveLink::writeFinished, &loop, quitWhenDone, Qt::QueuedConnection);
    const auto c3 = connect(m_link, &QDriveLink::commandFinished, &loop, quitWhenDone, Qt::QueuedConnection);
    const auto c4 =
        connect(m_link, &QDriveLink::historyRecordsRead, &loop, quitWhenDone, Qt::QueuedConnection);
    const auto c5 =
        connect(m_link, &QDriveLink::currentFaultsRead, &loop, quitWhenDone, Qt::QueuedConnection);
    timer.start(qMax(1, timeoutMs));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    for (const auto& c : {c1, c2, c3, c4, c5}) {
        disconnect(c);
    }
}

void QServoRequestWaiter::finish(quint32 requestId, int error, const QDriveValueList& items)
{
    if (!m_awaited.contains(requestId)) {
        return;
    }
    m_finishedRequests.insert(requestId, error);
    m_finishedItems.insert(requestId, items);
}

int QServoRequestWaiter::read(const QDriveValueList& items, int timeoutMs, QDriveValueList* answer)
{
    return wait(m_link->requestRead(items), timeoutMs, answer);
}

int QServoRequestWaiter::write(const QDriveValueList& items, int timeoutMs)
{
    return wait(m_link->requestWrite(items), timeoutMs);
}
