#include "QNodeID.h"

namespace {
const int kSeqBits = 12;
const int kSubBits = 16;
const unsigned kSeqMask = (1u << kSeqBits) - 1;
const unsigned kSubMask = (1u << kSubBits) - 1;
} // namespace

QNodeID::QNodeID(int type, int subId, int sequentialIndex)
    : m_type(type & 0xF), m_subId(static_cast<int>(static_cast<unsigned>(subId) & kSubMask)),
      m_sequentialIndex(
          sequentialIndex < 0 ? -1 : static_cast<int>(static_cast<unsigned>(sequentialIndex) & kSeqMask))
{
    if (m_sequentialIndex == static_cast<int>(kSeqMask)) {
        m_sequentialIndex = -1;
    }
}

QNodeID::QNodeID(int packed)
{
    const unsigned bits = static_cast<unsigned>(packed);
    m_type = static_cast<int>(bits >> (kSeqBits + kSubBits)) & 0xF;
    m_subId = static_cast<int>((bits >> kSeqBits) & kSubMask);
    const unsigned seq = bits & kSeqMask;
    m_sequentialIndex = seq == kSeqMask ? -1 : static_cast<int>(seq);
}

int QNodeID::toInt() const
{
    const unsigned seq = m_sequentialIndex < 0 ? kSeqMask : static_cast<unsigned>(m_sequentialIndex);
    const unsigned bits = (static_cast<unsigned>(m_type) << (kSeqBits + kSubBits)) |
                          ((static_cast<unsigned>(m_subId) & kSubMask) << kSeqBits) | (seq & kSeqMask);
    return static_cast<int>(bits);
}
