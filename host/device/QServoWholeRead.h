#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

// A read of every function code of a drive in the background: the codes are handed out a few at a time,
// and a chunk is sent only while nothing else waits to be read (after a short pause in which the pages'
// periodic reads go first), so that the shown tables keep their pace. A code read by anything else since
// the whole read began is not read again. Progress is counted in codes.
class QServoWholeRead : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        // Whether a chunk may go now (the drive is online and no other read waits).
        std::function<bool()> canSend;
        // Whether the code was read since the time (ms since 1970-01-01 UTC): it is counted as done.
        std::function<bool(const QString&, qint64)> readSince;
        // Sends the reads of the chunk; answers the request id (0 when nothing was sent).
        std::function<quint32(const QStringList&)> send;
    };

    static constexpr int kChunkCodes = 32;
    static constexpr int kPauseMs = 100;

    explicit QServoWholeRead(const Hooks& hooks, QObject* parent = nullptr);

    // Begins (or begins again) with the numbers of the codes to read, at nowMs (ms since 1970-01-01 UTC).
    void start(const QStringList& funIndexes, qint64 nowMs);
    // Stops and forgets the codes (the drive went away; it begins again when the drive is back).
    void stop();
    bool isRunning() const { return m_running; }
    // Nothing else waits to be read: the next chunk goes after the pause.
    void idle();
    // A read answered: when it was the chunk with the drive, the progress moves on.
    void answered(quint32 requestId);

    int doneCount() const { return m_done; }
    int totalCount() const { return m_codes.size(); }

signals:
    void progress(int done, int total);

private:
    void sendChunk();
    QStringList takeChunk();
    void finishIfDone();

    Hooks m_hooks;
    QTimer m_pause;
    QStringList m_codes;
    qint64 m_beganMs = 0;
    quint32 m_request = 0; // the chunk with the drive
    int m_next = 0;        // the first code not yet handed out
    int m_done = 0;        // codes answered or skipped
    int m_inChunk = 0;     // codes of the chunk with the drive
    bool m_running = false;
};
