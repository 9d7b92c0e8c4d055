#pragma once

#include <QStringList>
#include <functional>

// A read of every function code of a drive in the background: the codes are handed out a few at a time,
// and the device sends a chunk only while nothing else waits to be read, so that the pages' periodic
// reading keeps its pace. A code read by anything else since the whole read began is not read again.
// Progress is counted in codes.
class QServoWholeRead
{
public:
    // Begins (or begins again) with the numbers of the codes to read.
    void start(const QStringList& funIndexes);
    // Stops and forgets the codes (the drive went away; it begins again when the drive is back).
    void stop();
    bool isRunning() const { return m_running; }

    // The next codes to send, at most maxCodes; codes for which alreadyRead is true are counted as done
    // without being sent. Empty when none is left: the whole read has ended.
    QStringList takeChunk(int maxCodes, const std::function<bool(const QString&)>& alreadyRead);
    // The drive answered the chunk last taken.
    void chunkAnswered();
    // Nothing is left to send or to wait for: the whole read has ended (isRunning false).
    bool finishIfDone();

    int doneCount() const { return m_done; }
    int totalCount() const { return m_codes.size(); }

private:
    QStringList m_codes;
    int m_next = 0;    // the first code not yet handed out
    int m_done = 0;    // codes answered or skipped
    int m_inChunk = 0; // codes of the chunk with the drive
    bool m_running = false;
};
