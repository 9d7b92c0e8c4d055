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
        if (!parser->addLine(line, m_tokens, false)) {
            return false;
        }
        if (untilCodes && parser->readsCodes()) {
            return true;
        }
    }
    return true;
}

namespace {
inline bool isStop(ushort c)
{
    // Letters and digits, nearly every character, are above all four looked for.
    return c <= ',' && (c == ',' || c == '"' || c == '\n' || c == '\r');
}

#if defined(__SSE2__)
// Bit k set when character k of the eight from data on is one of the four a line is cut at.
inline unsigned stopsOfEight(const QChar* data)
{
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    const __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(chars, _mm_set1_epi16(',')),
                                                    _mm_cmpeq_epi16(chars, _mm_set1_epi16('"'))),
                                       _mm_or_si128(_mm_cmpeq_epi16(chars, _mm_set1_epi16('\n')),
                                                    _mm_cmpeq_epi16(chars, _mm_set1_epi16('\r'))));
    return unsigned(_mm_movemask_epi8(_mm_packs_epi16(found, found))) & 0xFFu;
}
#endif
} // namespace

// The line that starts at m_pos cut at its commas in one pass, into views written in place (made with their
// position also when empty, which QStringRef::mid forgets, so that a run of tokens is one view of the
// line). Returns where the line ends ('\n', '\r' or "\r\n", with the length of the end in *endLength), or
// -1 when the line holds a quote: a quoted field may hold commas and line ends, and is read apart.
//
// Where the processor can, eight characters are looked at in one step (nothing past the text's end is read).
int QFuncodeCsvRecords::cutLine(int* endLength)
{
    const int size = m_text.size();
    const QChar* data = m_text.constData();
    // The views of the line before are written over: lines of one file mostly have as many tokens.
    if (m_tokens.size() < 2) {
        m_tokens.resize(32);
    }
    QStringRef* token = m_tokens.data();
    int room = m_tokens.size() - 1; // the last token after the last comma always fits
    int count = 0;
    int start = m_pos;
    int end = -1;
    // A comma cuts a token off; any other stop ends the line's scan.
    const auto stopAt = [&](int at) {
        if (data[at].unicode() != ',') {
            end = at;
            return false;
        }
        if (count == room) {
            m_tokens.resize(2 * m_tokens.size() + 16);
            token = m_tokens.data();
            room = m_tokens.size() - 1;
        }
        token[count++] = QStringRef(&m_text, start, at - start);
        start = at + 1;
        return true;
    };
    int i = m_pos;
#if defined(__SSE2__)
    for (; end < 0 && i + 8 <= size; i += 8) {
        for (unsigned stops = stopsOfEight(data + i); stops != 0 && stopAt(i + __builtin_ctz(stops));) {
            stops &= stops - 1;
        }
    }
#endif
    for (; end < 0 && i < size; ++i) {
        if (isStop(data[i].unicode())) {
            stopAt(i);
        }
    }
    if (end < 0) {
        end = size;
    } else if (data[end].unicode() == '"') {
        return -1;
    }
    token[count++] = QStringRef(&m_text, start, end - start);
    if (count != m_tokens.size()) {
        m_tokens.resize(count);
    }
    *endLength = 0;
    if (end < size) {
        *endLength = data[end].unicode() == '\r' && end + 1 < size && data[end + 1].unicode() == '\n' ? 2 : 1;
    }
    return end;
}
