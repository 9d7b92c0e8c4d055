#include "QDriveRequestWaiter.h"

#include <QEventLoop>
#include <QTimer>

QDriveRequestWaiter::QDriveRequestWaiter(QDriveLink* link, QObject* parent) : QObject(parent), m_link(link)
{
    if (!link) {
        return;
    }
    connect(link, &QDriveLink::readFinished, this, &QDriveRequestWaiter::onReadFinished);
    connect(link, &QDriveLink::writeFinished, this, &QDriveRequestWaiter::onWriteFinished);
}

QDriveRequestWaiter::~QDriveRequestWaiter() = default;

QDriveValueList QDriveRequestWaiter::read(const QDriveValueList& items, int timeoutMs)
{
    if (!m_link || items.isEmpty()) {
        return withError(items, QDriveLink::LINK_ERR_OFFLINE);
    }
    return waitFor([this, &items] { return m_link->requestRead(items); }, items, timeoutMs);
}

QDriveValueList QDriveRequestWaiter::write(const QDriveValueList& items, int timeoutMs, qint64* driveTime)
{
    m_driveTime = 0;
    QDriveValueList answer = withError(items, QDriveLink::LINK_ERR_OFFLINE);
    if (m_link && !items.isEmpty()) {
        answer = waitFor([this, &items] { return m_link->requestWrite(items); }, items, timeoutMs);
    }
    if (driveTime) {
        *driveTime = m_driveTime;
    }
    return answer;
}

void QDriveRequestWaiter::abort()
{
    m_aborted = true;
    if (m_loop) {
        m_loop->quit();
    }
}

QDriveValueList QDriveRequestWaiter::waitFor(const std::function<quint32()>& send,
                                             const QDriveValueList& sent, int timeoutMs)
{
    m_answered = false;
    m_aborted = false;
    m_answer.clear();
    // A link may answer inside the request call, before its id is known here.
    m_sending = true;
    m_waitingFor = send();
    m_sending = false;
    if (m_early.contains(m_waitingFor)) {
        m_answered = true;
        m_answer = m_early.value(m_waitingFor).first;
        m_driveTime = m_early.value(m_waitingFor).second;
    }
    m_early.clear();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A link that is deleted meanwhile (its drive was removed) ends the wait.
    const QMetaObject::Connection gone = connect(m_link, &QObject::destroyed, &loop, &QEventLoop::quit);
    m_loop = &loop;
    timer.start(qMax(1, timeoutMs));
    // The answer may already have come while the request was sent (a direct answer).
    if (!m_answered) {
        loop.exec(m_excludeUserInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    }
    m_loop = nullptr;
    disconnect(gone);
    m_waitingFor = 0;
    if (m_answered) {
        return m_answer;
    }
    const bool lost = m_aborted || !m_link;
    return withError(sent, lost ? QDriveLink::LINK_ERR_OFFLINE : QDriveLink::LINK_ERR_TIMEOUT);
}

void QDriveRequestWaiter::onReadFinished(quint32 requestId, QDriveValueList items)
{
    takeAnswer(requestId, items, 0);
}

void QDriveRequestWaiter::onWriteFinished(quint32 requestId, QDriveValueList items, qint64 driveTime)
{
    takeAnswer(requestId, items, driveTime);
}

void QDriveRequestWaiter::takeAnswer(quint32 requestId, const QDriveValueList& items, qint64 driveTime)
{
    if (m_sending) {
        m_early.insert(requestId, qMakePair(items, driveTime));
        return;
    }
    if (requestId == 0 || requestId != m_waitingFor || m_answered) {
        return;
    }
    m_answered = true;
    m_answer = items;
    m_driveTime = driveTime;
    if (m_loop) {
        m_loop->quit();
    }
}

QDriveValueList QDriveRequestWaiter::withError(QDriveValueList items, int error)
{
    for (QDriveValueItem& item : items) {
        item.error = error;
    }
    return items;
}
