#pragma once

#include "QDriveValueItem.h"

#include <QHash>
#include <QObject>
#include <QSet>

class QDriveLink;

// Waits for the answers of a drive's link where a caller needs the outcome before it goes on (a write
// and its read-back, saving, clearing faults). The device hands it every answer it gets (finish); only
// answers somebody waits for are kept. While waiting only the drive's answers and timers run: the user
// cannot start another edit meanwhile.
class QServoRequestWaiter : public QObject
{
    Q_OBJECT
public:
    explicit QServoRequestWaiter(QDriveLink* link, QObject* parent = nullptr);

    // Waits for the answer of a request: its link error, or LINK_ERR_TIMEOUT when none came in time.
    // items, when given, gets the values the answer carried.
    int wait(quint32 requestId, int timeoutMs, QDriveValueList* items = nullptr);
    // Notes the answer of a request; kept only while somebody waits for it.
    void finish(quint32 requestId, int error, const QDriveValueList& items = QDriveValueList());

    // Reads the items and waits for them; answer, when given, gets the values read.
    int read(const QDriveValueList& items, int timeoutMs, QDriveValueList* answer = nullptr);
    // Writes the items and waits for the drive to take them.
    int write(const QDriveValueList& items, int timeoutMs);

    // Answers kept for requests waited for, for diagnostics.
    int keptAnswerCount() const { return m_finishedItems.size(); }

private:
    void runLoopUntilAnswered(quint32 requestId, int timeoutMs);

    QDriveLink* m_link = nullptr;
    QSet<quint32> m_awaited;                // requests somebody waits for
    QHash<quint32, int> m_finishedRequests; // awaited request -> error
    QHash<quint32, QDriveValueList> m_finishedItems;
};
