#include "QFuncodeCsvPartQueue.h"

int QFuncodeCsvPartQueue::takeFront()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_front <= m_back ? m_front++ : -1;
}

int QFuncodeCsvPartQueue::takeBack()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_front <= m_back ? m_back-- : -1;
}
