#pragma once

#include <QList>
#include <QVector>

// The registers of one value: first address and number of 16-bit registers.
struct QRegisterSpan
{
    int address = 0;
    int count = 1;

    QRegisterSpan() = default;
    QRegisterSpan(int a, int c) : address(a), count(c) {}
    int end() const { return address + count; } // one past the last register
};

// One request: a run of registers and the spans it carries (positions in the planner's input).
struct QRegisterBlock
{
    int address = 0;
    int count = 0;
    QList<int> members;

    int end() const { return address + count; }
};

// Turns a set of values into the fewest requests: spans sorted by address are joined into blocks of
// at most maxRegisters, and a gap of at most maxGap unused registers between two spans is read
// through when that saves a request. Spans that repeat an earlier span ride along in its block.
// Plain data in, plain data out: the device's batch engine and the bus links use it alike.
class QRegisterBlockPlanner
{
public:
    static const int kMaxReadRegisters = 125;  // read holding registers
    static const int kMaxWriteRegisters = 123; // write multiple registers
    static const int kDefaultReadGap = 16;
    static const int kAddressSpace = 65536;

    explicit QRegisterBlockPlanner(int maxRegisters = kMaxReadRegisters, int maxGap = 0);

    // Reads: blocks of at most 125 registers, small gaps read through.
    static QRegisterBlockPlanner forReads(int maxGap = kDefaultReadGap);
    // Writes: blocks of at most 123 registers, never across a gap.
    static QRegisterBlockPlanner forWrites();

    int maxRegisters() const { return m_maxRegisters; }
    int maxGap() const { return m_maxGap; }

    // Blocks in address order. Spans that cannot be carried (negative or past the address space,
    // empty, longer than a block) are left out and listed in rejected, when given.
    QList<QRegisterBlock> plan(const QVector<QRegisterSpan>& spans, QList<int>* rejected = nullptr) const;
    // The number of blocks of consecutive registers (no gaps read through): the least number of
    // requests that a reader which never reads an unused register needs.
    static int consecutiveBlockCount(const QVector<QRegisterSpan>& spans, int maxRegisters);

private:
    bool isValid(const QRegisterSpan& span) const;
    bool fits(const QRegisterBlock& block, const QRegisterSpan& span) const;

    int m_maxRegisters;
    int m_maxGap;
};
