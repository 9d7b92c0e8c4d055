#include "QServoWholeRead.h"

void QServoWholeRead::start(const QStringList& funIndexes)
{
    m_codes = funIndexes;
    m_next = 0;
    m_done = 0;
    m_inChunk = 0;
    m_running = !m_codes.isEmpty();
}

void QServoWholeRead::stop()
{
    m_codes.clear();
    m_next = 0;
    m_done = 0;
    m_inChunk = 0;
    m_running = false;
}

QStringList QServoWholeRead::takeChunk(int maxCodes, const std::function<bool(const QString&)>& alreadyRead)
{
    QStringList chunk;
    if (!m_running || m_inChunk > 0) {
        return chunk;
    }
    while (m_next < m_codes.size() && chunk.size() < qMax(1, maxCodes)) {
        const QString& funIndex = m_codes.at(m_next++);
        if (alreadyRead && alreadyRead(funIndex)) {
            ++m_done;
            continue;
        }
        chunk.append(funIndex);
    }
    m_inChunk = chunk.size();
    return chunk;
}

void QServoWholeRead::chunkAnswered()
{
    m_done = qMin(m_done + m_inChunk, m_codes.size());
    m_inChunk = 0;
}

bool QServoWholeRead::finishIfDone()
{
    if (!m_running || m_inChunk > 0 || m_next < m_codes.size()) {
        return false;
    }
    m_done = m_codes.size();
    m_running = false;
    return true;
}
