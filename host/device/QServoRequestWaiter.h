#pragma once

#include "QDriveValueItem.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QDriveLink;
class QEventLoop;

// Sends a request on a drive's link and waits for its answer where a caller needs the outcome before it
// goes on (a write and its read-back, saving, clearing faults, a batch read). Only the answer carrying
// the request's own id ends a wait: an answer that comes after a timeout is never taken for a later
// request, and answers nobody waits for are not kept. The device that owns the link takes every answer
// as usual. Waits may nest (a wait started while another runs); each runs an event loop of its own.
//
// By default the wait ignores keyboard and mouse input, so that the user cannot start another edit
// meanwhile; work that shows a progress dialog with Cancel lets input through.
class QServoRequestWaiter : public QObject
{
    Q_OBJECT
public:
    explicit QServoRequestWaiter(QDriveLink* link, QObject* parent = nullptr);
    ~QServoRequestWaiter() override;

    // Sends the request (send returns its id) and waits for its answer. Returns the link error of the
    // answer (of its first failing value), LINK_ERR_TIMEOUT when none came in time, LINK_ERR_OFFLINE when
    // the link went away or abort() ended the wait. items and driveTime, when given, get what the answer
    // carried (nothing without an answer).
    int request(const std::function<quint32()>& send, int timeoutMs, QDriveValueList* items = nullptr,
                qint64* driveTime = nullptr);
    // Reads the values and waits; answer, when given, gets the values read with their outcome.
    int read(const QDriveValueList& items, int timeoutMs, QDriveValueList* answer = nullptr);
    // Writes the values and waits for the drive to take them.
    int write(const QDriveValueList& items, int timeoutMs, QDriveValueList* answer = nullptr,
              qint64* driveTime = nullptr);

    // Ends the running waits at once (LINK_ERR_OFFLINE); their answers are ignored when they come.
    void abort();
    void setExcludeUserInput(bool exclude) { m_excludeUserInput = exclude; }
    // Answers kept for requests waited for, for diagnostics.
    int keptAnswerCount() const;

private:
    struct Answer
    {
        bool arrived = false;
        bool lost = false; // the link went away, or the wait was aborted
        int error = 0;
        QDriveValueList items;
        qint64 driveTime = 0;
        QEventLoop* loop = nullptr;
    };

    void runLoop(quint32 requestId, int timeoutMs);
    void take(quint32 requestId, int error, const QDriveValueList& items = QDriveValueList(),
              qint64 driveTime = 0);
    void onValuesAnswered(quint32 requestId, const QDriveValueList& items, qint64 driveTime);
    void endAll();
    static int firstError(const QDriveValueList& items);

    QPointer<QDriveLink> m_link;
    QHash<quint32, Answer> m_awaited; // requests somebody waits for
    QHash<quint32, Answer> m_early;   // answers that came while a request was being sent
    int m_sending = 0;
    bool m_excludeUserInput = true;
};
