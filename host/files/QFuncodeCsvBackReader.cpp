#include "QFuncodeCsvBackReader.h"

#include "QFuncodeCsvParts.h"
#include "QFuncodeCsvRecords.h"

QFuncodeCsvBackReader::QFuncodeCsvBackReader(const QByteArray& bytes, const QVector<int>& starts,
                                             QFuncodeCsvPartQueue* queue,
                                             const QFuncodeFileParser_Servo& front)
    : m_bytes(bytes), m_starts(starts), m_queue(queue), m_parser(true)
{
    m_parser.continueAfter(front);
}

void QFuncodeCsvBackReader::setCancelFlag(const std::atomic_bool* cancel, const std::atomic_bool* stop)
{
    m_cancel = cancel;
    m_stop = stop;
    m_parser.setCancelFlag(cancel, stop);
}

bool QFuncodeCsvBackReader::isStopped(const std::atomic_bool* flag)
{
    return flag && flag->load();
}

bool QFuncodeCsvBackReader::run()
{
    try {
        // Once the front thread stopped or the reading is cancelled, no part is taken: a part taken is read,
        // or at least decoded.
        while (!isStopped(m_stop) && !isStopped(m_cancel)) {
            const int part = m_queue->takeBack();
            if (part < 0) {
                break;
            }
            if (!readPart(part)) {
                return false;
            }
        }
        // On this thread while the front one may still read: the parts are joined on that one.
        m_parser.dropTexts();
        return true;
    } catch (...) {
        return false;
    }
}

bool QFuncodeCsvBackReader::readPart(int part)
{
    QString text;
    if (!QFuncodeCsvParts::decode(m_bytes, m_starts.at(part), m_starts.at(part + 1), &text)) {
        return false;
    }
    m_parser.startPart();
    QFuncodeCsvRecords records(text);
    records.feed(&m_parser);
    m_parts.push_back(m_parser.endPart(records.line() - 1));
    return true;
}

bool QFuncodeCsvBackReader::joinInto(QFuncodeFileParser_Servo* front, int linesBefore)
{
    for (auto part = m_parts.crbegin(); part != m_parts.crend() && !front->hasEnded(); ++part) {
        if (!front->appendPart(&m_parser, *part, linesBefore)) {
            return false;
        }
        linesBefore += part->lines;
    }
    return true;
}
