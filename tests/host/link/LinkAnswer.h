#pragma once

#include "QDriveLink.h"

#include <QSignalSpy>

// What the link suites ask a link and wait for: the answer to a read or write (empty when none came, or
// another request's came), and the error of a command (-1 when none came).
namespace LinkAnswer {
inline QDriveValueList ask(QDriveLink* link, const QDriveValueList& items, bool write = false)
{
    QSignalSpy spy(link, write ? SIGNAL(writeFinished(quint32, QDriveValueList, qint64))
                               : SIGNAL(readFinished(quint32, QDriveValueList)));
    const quint32 id = write ? link->requestWrite(items) : link->requestRead(items);
    return spy.wait(5000) && spy.at(0).at(0).toUInt() == id ? spy.at(0).at(1).value<QDriveValueList>()
                                                            : QDriveValueList();
}

inline int command(QDriveLink* link, quint32 id)
{
    QSignalSpy spy(link, &QDriveLink::commandFinished);
    return spy.wait(5000) && spy.at(0).at(0).toUInt() == id ? spy.at(0).at(1).toInt() : -1;
}
} // namespace LinkAnswer
