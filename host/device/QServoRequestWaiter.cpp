#include "QServoRequestWaiter.h"

#include "QDriveLink.h"

#include <QEventLoop>
#include <QTimer>

QServoRequestWaiter::QServoRequestWaiter(QDriveLink* link, QObject* parent) : QObject(parent), m_link(link)
{
    if (!link) {
        return;
    }
    connect(link, &QDriveLink::readFinished, this,
            [this](quint32 id, const QDriveValueList& items) { onValuesAnswered(id, items, 0); });
    connect(link, &QDriveLink::writeFinished, this, &QServoRequestWaiter::onValuesAnswered);
    connect(link, &QDriveLink::commandFinished, this, [this](quint32 id, int error) { take(id, error); });
    connect(link, &QDriveLink::currentFaultsRead, this,
            [this](quint32 id, const QDriveFaultList&, int error) { take(id, error); });
    connect(link, &QDriveLink::historyRecordsRead, this,
            [this](quint32 id, int, const QList<QByteArray>&, int error) { take(id, error); });
    // A link that is deleted meanwhile (its drive was removed) ends every wait.
    connect(link, &QObject::destroyed, this, &QServoRequestWaiter::endAll);
}

QServoRequestWaiter::~QServoRequestWaiter()
{
    // The waits still running return as soon as their loops come back to them.
    endAll();
}

int QServoRequestWaiter::read(const QDriveValueList& items, int timeoutMs, QDriveValueList* answer)
{
    return request([this, &items] { return m_link->requestRead(items); }, timeoutMs, answer);
}

int QServoRequestWaiter::write(const QDriveValueList& items, int timeoutMs, QDriveValueList* answer,
                               qint64* driveTime)
{
    return request([this, &items] { return m_link->requestWrite(items); }, timeoutMs, answer, driveTime);
}

int QServoRequestWaiter::request(const std::function<quint32()>& send, int timeoutMs, QDriveValueList* items,
                                 qint64* driveTime)
{
    if (!m_link) {
        return QDriveLink::LINK_ERR_OFFLINE;
    }
    QPointer<QServoRequestWaiter> self(this);
    // A link may answer inside the request call, before the request's id is known here.
    ++m_sending;
    const quint32 requestId = send();
    if (!self) {
        return QDriveLink::LINK_ERR_OFFLINE;
    }
    --m_sending;
    const Answer early = m_early.take(requestId);
    if (m_sending == 0) {
        m_early.clear();
    }
    m_awaited.insert(requestId, early);
    if (!early.arrived && m_link) {
        runLoop(requestId, timeoutMs);
        if (!self) {
            return QDriveLink::LINK_ERR_OFFLINE; // the device went away while waiting
        }
    }
    const Answer answer = m_awaited.take(requestId);
    if (!answer.arrived) {
        return answer.lost || !m_link ? QDriveLink::LINK_ERR_OFFLINE : QDriveLink::LINK_ERR_TIMEOUT;
    }
    if (items) {
        *items = answer.items;
    }
    if (driveTime) {
        *driveTime = answer.driveTime;
    }
    return answer.error;
}

void QServoRequestWaiter::runLoop(quint32 requestId, int timeoutMs)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_awaited[requestId].loop = &loop;
    timer.start(qMax(1, timeoutMs));
    loop.exec(m_excludeUserInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    // This object may be gone now: the caller checks before it looks at its answer.
}

void QServoRequestWaiter::onValuesAnswered(quint32 requestId, const QDriveValueList& items, qint64 driveTime)
{
    take(requestId, firstError(items), items, driveTime);
}

void QServoRequestWaiter::take(quint32 requestId, int error, const QDriveValueList& items, qint64 driveTime)
{
    auto it = m_awaited.find(requestId);
    if (it == m_awaited.end() && m_sending == 0) {
        return; // nobody waits for it
    }
    Answer& answer = it != m_awaited.end() ? it.value() : m_early[requestId];
    if (answer.arrived || answer.lost) {
        return;
    }
    answer.arrived = true;
    answer.error = error;
    answer.items = items;
    answer.driveTime = driveTime;
    if (answer.loop) {
        answer.loop->quit();
    }
}

void QServoRequestWaiter::abort()
{
    endAll();
}

void QServoRequestWaiter::endAll()
{
    for (Answer& answer : m_awaited) {
        answer.lost = !answer.arrived;
        if (answer.loop) {
            answer.loop->quit();
        }
    }
}

int QServoRequestWaiter::keptAnswerCount() const
{
    int kept = m_early.size();
    for (const Answer& answer : m_awaited) {
        kept += answer.arrived ? 1 : 0;
    }
    return kept;
}

int QServoRequestWaiter::firstError(const QDriveValueList& items)
{
    for (const QDriveValueItem& item : items) {
        if (item.error != QDriveLink::LINK_OK) {
            return item.error;
        }
    }
    return QDriveLink::LINK_OK;
}
