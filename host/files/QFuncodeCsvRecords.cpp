#include "QFuncodeCsvRecords.h"

#include "QFuncodeLineSplitter_Servo.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

bool QFuncodeCsvRecords::feed(QFuncodeFileParser_Servo* parser, bool untilCodes)
{
    while (!atEnd()) {
        int endLength = 0;
        const int end = cutLine(&endLength);
        int lines = 1;
        if (end < 0) {
            // A quoted field may hold a line end: the record goes on to the field's end.
            lines = 0;
            m_pos = QFuncodeLineSplitter_Servo::tokenizeRecord(m_text, m_pos, &m_quoted, &lines);
            QFuncodeLineSplitter_Servo::viewsOf(m_quoted, &m_record, &m_tokens);
        } else {
            m_pos = end + endLength;
        }
        const int line = m_line;
        m_line += qMax(lines, 1);
        if (!parser->addLine(line, m_tokens, false, m_longest)) {
            return false;
        }
        if (untilCodes && parser->readsCodes()) {
            return true;
        }
    }
    return true;
}

namespace {
#if defined(__SSE2__)
// The characters of the sixteen from data on that a line's scan stops at: bit k set when character k is a
// comma, and bit 16 + k when it is one of the other three.
inline unsigned stopsOfSixteen(const QChar* data)
{
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 8));
    const auto others = [](__m128i chars) {
        return _mm_or_si128(_mm_cmpeq_epi16(chars, _mm_set1_epi16('"')),
                            _mm_or_si128(_mm_cmpeq_epi16(chars, _mm_set1_epi16('\n')),
                                         _mm_cmpeq_epi16(chars, _mm_set1_epi16('\r'))));
    };
    const __m128i comma = _mm_set1_epi16(',');
    const unsigned commas = unsigned(
        _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(low, comma), _mm_cmpeq_epi16(high, comma))));
    return commas | unsigned(_mm_movemask_epi8(_mm_packs_epi16(others(low), others(high)))) << 16;
}
#endif
} // namespace

// The line that starts at m_pos cut at its commas in one pass, into views written in place (made with their
// position also when empty, which QStringRef::mid forgets, so that a run of tokens is one view of the
// line), and the size of its longest token in m_longest. Returns where the line ends ('\n', '\r' or "\r\n",
// with the length of the end in *endLength), or -1 (m_longest -1) when the line holds a quote: a quoted
// field may hold commas and line ends, and is read apart.
//
// Where the processor can, sixteen characters are looked at in one step (nothing past the text's end is
// read).
int QFuncodeCsvRecords::cutLine(int* endLength)
{
    const int size = m_text.size();
    const QChar* data = m_text.constData();
    // The views of the line before are written over: lines of one file mostly have as many tokens.
    if (m_tokens.size() < 2) {
        m_tokens.resize(32);
    }
    QStringRef* first = m_tokens.data();
    QStringRef* token = first;
    QStringRef* last = first + m_tokens.size() - 1; // the token after the last comma always fits
    int start = m_pos;
    int longest = 0;
    const auto cutAt = [&](int comma) {
        if (token == last) {
            const int count = int(token - first);
            m_tokens.resize(2 * m_tokens.size() + 16);
            first = m_tokens.data();
            token = first + count;
            last = first + m_tokens.size() - 1;
        }
        const int length = comma - start;
        *token++ = QStringRef(&m_text, start, length);
        longest = qMax(longest, length);
        start = comma + 1;
    };
    int end = size;
    int i = m_pos;
#if defined(__SSE2__)
    for (; i + 16 <= size; i += 16) {
        unsigned commas = stopsOfSixteen(data + i);
        const unsigned others = commas >> 16;
        if (others != 0) {
            // Only the commas before the line's end.
            end = i + __builtin_ctz(others);
            commas &= (others & (0u - others)) - 1;
        }
        for (commas &= 0xFFFFu; commas != 0; commas &= commas - 1) {
            cutAt(i + __builtin_ctz(commas));
        }
        if (others != 0) {
            break;
        }
    }
#endif
    for (; end == size && i < size; ++i) {
        const ushort c = data[i].unicode();
        // Letters and digits, nearly every character, are above all four looked for.
        if (c > ',') {
            continue;
        }
        if (c == ',') {
            cutAt(i);
        } else if (c == '"' || c == '\n' || c == '\r') {
            end = i;
        }
    }
    if (end < size && data[end].unicode() == '"') {
        m_longest = -1;
        return -1;
    }
    *token++ = QStringRef(&m_text, start, end - start);
    m_longest = qMax(longest, end - start);
    const int count = int(token - first);
    if (count != m_tokens.size()) {
        m_tokens.resize(count);
    }
    *endLength = 0;
    if (end < size) {
        *endLength = data[end].unicode() == '\r' && end + 1 < size && data[end + 1].unicode() == '\n' ? 2 : 1;
    }
    return end;
}
