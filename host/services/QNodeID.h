#pragma once

// A project-tree node packed into one integer: node type (4 bits), node kind (16 bits) and sequential
// index (12 bits, -1 kept as all ones).
class QNodeID
{
public:
    QNodeID(int type, int subId, int sequentialIndex);
    explicit QNodeID(int packed);

    int toInt() const;
    int type() const { return m_type; }
    int subId() const { return m_subId; }
    int sequentialIndex() const { return m_sequentialIndex; }

private:
    int m_type = 0;
    int m_subId = 0;
    int m_sequentialIndex = 0;
};
