#include "QRegisterBlockPlanner.h"

#include <algorithm>
#include <numeric>

QRegisterBlockPlanner::QRegisterBlockPlanner(int maxRegisters, int maxGap)
    : m_maxRegisters(qMax(1, maxRegisters)), m_maxGap(qMax(0, maxGap))
{
}

QRegisterBlockPlanner QRegisterBlockPlanner::forReads(int maxGap)
{
    return QRegisterBlockPlanner(kMaxReadRegisters, maxGap);
}

QRegisterBlockPlanner QRegisterBlockPlanner::forWrites()
{
    return QRegisterBlockPlanner(kMaxWriteRegisters, 0);
}

bool QRegisterBlockPlanner::isValid(const QRegisterSpan& span) const
{
    return span.address >= 0 && span.count > 0 && span.count <= m_maxRegisters &&
           span.address <= kAddressSpace - span.count;
}

bool QRegisterBlockPlanner::fits(const QRegisterBlock& block, const QRegisterSpan& span) const
{
    // Spans come in address order, so span.address >= block.address.
    const int gap = span.address - block.end();
    const int end = qMax(block.end(), span.end());
    return gap <= m_maxGap && end - block.address <= m_maxRegisters;
}

QList<QRegisterBlock> QRegisterBlockPlanner::plan(const QVector<QRegisterSpan>& spans,
                                                  QList<int>* rejected) const
{
    QVector<int> order;
    order.reserve(spans.size());
    for (int i = 0; i < spans.size(); ++i) {
        if (isValid(spans.at(i))) {
            order.append(i);
        } else if (rejected) {
            rejected->append(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&spans](int a, int b) { return spans.at(a).address < spans.at(b).address; });
    // Greedy: each block takes as many spans as it can. Spans are sorted, so this gives the fewest
    // blocks.
    QList<QRegisterBlock> blocks;
    for (int i : qAsConst(order)) {
        const QRegisterSpan& span = spans.at(i);
        if (blocks.isEmpty() || !fits(blocks.last(), span)) {
            QRegisterBlock block;
            block.address = span.address;
            block.count = span.count;
            blocks.append(block);
        }
        QRegisterBlock& block = blocks.last();
        block.count = qMax(block.end(), span.end()) - block.address;
        block.members.append(i);
    }
    return blocks;
}

int QRegisterBlockPlanner::consecutiveBlockCount(const QVector<QRegisterSpan>& spans, int maxRegisters)
{
    return QRegisterBlockPlanner(maxRegisters, 0).plan(spans).size();
}
