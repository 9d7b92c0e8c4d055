#pragma once

#include <mutex>

// The parts of a cut file (QFuncodeCsvParts) shared out between two threads: the front thread reads part 0
// and then takes the next parts from the front, the back thread takes them from the back, until the two
// meet. Each thread's parts are thus one run of the file.
class QFuncodeCsvPartQueue
{
public:
    explicit QFuncodeCsvPartQueue(int parts) : m_front(1), m_back(parts - 1) {}

    // The next part from the front, or -1 when every part is taken.
    int takeFront();
    // The next part from the back, or -1 when every part is taken.
    int takeBack();

private:
    std::mutex m_mutex;
    int m_front; // the next part the front thread takes
    int m_back;  // the next part the back thread takes
};
