#pragma once

#include "QFuncodeCsvPartQueue.h"
#include "QFuncodeFileParser_Servo.h"

#include <QByteArray>
#include <QVector>

#include <atomic>
#include <utility>
#include <vector>

// The back thread's share of a file cut into parts (QFuncodeCsvParts): it takes parts from the back of the
// queue, each read by one parser that goes on from the front parser, and joins them in file order onto the
// front parser once both threads are done.
class QFuncodeCsvBackReader
{
public:
    // starts: where each part starts, and the file's size last. front: the parser of the first part, at its
    // function codes.
    QFuncodeCsvBackReader(const QByteArray& bytes, const QVector<int>& starts, QFuncodeCsvPartQueue* queue,
                          const QFuncodeFileParser_Servo& front);

    // Reading stops with FILE_ERR_CANCELLED once *cancel or *stop is true.
    void setCancelFlag(const std::atomic_bool* cancel, const std::atomic_bool* stop);

    // False when a part is not UTF-8 (the whole file is then in the local encoding) or when reading threw
    // (memory that ran out would end the program on this thread): the file is then read again whole, on
    // the caller's thread.
    bool run();
    // The parts read, in file order after front's last part, of linesBefore lines in all. False when the
    // codes together come to the limit.
    bool joinInto(QFuncodeFileParser_Servo* front, int linesBefore);

private:
    bool readPart(int part);
    static bool isStopped(const std::atomic_bool* flag);

    const QByteArray& m_bytes;
    const QVector<int>& m_starts;
    QFuncodeCsvPartQueue* m_queue;
    const std::atomic_bool* m_cancel = nullptr;
    const std::atomic_bool* m_stop = nullptr;
    QFuncodeFileParser_Servo m_parser;
    // The parts read, the last one first.
    std::vector<QFuncodeFileParser_Servo::PartEnd> m_parts;
};
