#pragma once

#include "QDriveLink.h"

#include <QHash>
#include <QObject>
#include <QPair>
#include <QPointer>

#include <functional>

class QEventLoop;

// Sends one read or write request through a drive link and waits for its answer while the event loop
// runs, so that windows repaint and a Cancel button can be pressed. Only the answer carrying the
// request's own id ends the wait: an answer that comes after a timeout is never taken for a later one.
// The device that owns the link takes every answer as usual and updates its values.
class QDriveRequestWaiter : public QObject
{
    Q_OBJECT
public:
    explicit QDriveRequestWaiter(QDriveLink* link, QObject* parent = nullptr);
    ~QDriveRequestWaiter() override;

    // The items with their outcome. Without an answer in time every item carries LINK_ERR_TIMEOUT; when
    // the link goes away, or abort() ends the wait, LINK_ERR_OFFLINE.
    QDriveValueList read(const QDriveValueList& items, int timeoutMs);
    // driveTime receives the drive's clock of the write (0 without an answer).
    QDriveValueList write(const QDriveValueList& items, int timeoutMs, qint64* driveTime = nullptr);
    // Ends a running wait at once; the request's answer is ignored when it comes.
    void abort();
    // While set, the wait ignores keyboard and mouse input (for work without a window of its own).
    void setExcludeUserInput(bool exclude) { m_excludeUserInput = exclude; }

private slots:
    void onReadFinished(quint32 requestId, QDriveValueList items);
    void onWriteFinished(quint32 requestId, QDriveValueList items, qint64 driveTime);

private:
    QDriveValueList waitFor(const std::function<quint32()>& send, const QDriveValueList& sent, int timeoutMs);
    void takeAnswer(quint32 requestId, const QDriveValueList& items, qint64 driveTime);
    static QDriveValueList withError(QDriveValueList items, int error);

    QPointer<QDriveLink> m_link;
    QEventLoop* m_loop = nullptr;
    quint32 m_waitingFor = 0;
    bool m_sending = false;
    bool m_answered = false;
    QHash<quint32, QPair<QDriveValueList, qint64>> m_early;
    bool m_aborted = false;
    bool m_excludeUserInput = false;
    QDriveValueList m_answer;
    qint64 m_driveTime = 0;
};
