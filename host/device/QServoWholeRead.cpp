#include "QServoWholeRead.h"

QServoWholeRead::QServoWholeRead(const Hooks& hooks, QObject* parent) : QObject(parent), m_hooks(hooks)
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &QServoWholeRead::sendChunk);
}

void QServoWholeRead::start(const QStringList& funIndexes, qint64 nowMs)
{
    stop();
    m_codes = funIndexes;
    m_beganMs = nowMs;
    m_running = !m_codes.isEmpty();
    emit progress(0, totalCount());
}

void QServoWholeRead::stop()
{
    m_pause.stop();
    m_codes.clear();
    m_request = 0;
    m_next = 0;
    m_done = 0;
    m_inChunk = 0;
    m_running = false;
}

void QServoWholeRead::idle()
{
    if (m_running && m_inChunk == 0 && !m_pause.isActive()) {
        m_pause.start(kPauseMs);
    }
}

void QServoWholeRead::answered(quint32 requestId)
{
    if (requestId == 0 || requestId != m_request) {
        return;
    }
    m_request = 0;
    m_done = qMin(m_done + m_inChunk, m_codes.size());
    m_inChunk = 0;
    finishIfDone();
    emit progress(m_done, totalCount());
}

void QServoWholeRead::sendChunk()
{
    if (!m_running || m_inChunk > 0 || !m_hooks.canSend()) {
        return;
    }
    const int next = m_next;
    const int done = m_done;
    const QStringList chunk = takeChunk();
    if (chunk.isEmpty()) {
        finishIfDone();
        emit progress(m_done, totalCount());
        return;
    }
    m_request = m_hooks.send(chunk);
    if (m_request == 0) {
        // Nothing went out: the same codes are handed out again after the next pause.
        m_next = next;
        m_done = done;
        m_inChunk = 0;
    }
}

QStringList QServoWholeRead::takeChunk()
{
    QStringList chunk;
    while (m_next < m_codes.size() && chunk.size() < kChunkCodes) {
        const QString& funIndex = m_codes.at(m_next++);
        if (m_hooks.readSince(funIndex, m_beganMs)) {
            ++m_done;
            continue;
        }
        chunk.append(funIndex);
    }
    m_inChunk = chunk.size();
    return chunk;
}

void QServoWholeRead::finishIfDone()
{
    if (!m_running || m_inChunk > 0 || m_next < m_codes.size()) {
        return;
    }
    m_done = m_codes.size();
    m_running = false;
}
