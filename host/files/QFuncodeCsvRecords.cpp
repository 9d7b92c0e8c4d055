#include "QFuncodeCsvRecords.h"

#include "QFuncodeLineSplitter_Servo.h"

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

// The line that starts at m_pos cut at its commas in one pass, into views written in place (made with their
// position also when empty, which QStringRef::mid forgets, so that a run of tokens is one view of the
// line). Returns where the line ends ('\n', '\r' or "\r\n", with the length of the end in *endLength), or
// -1 when the line holds a quote: a quoted field may hold commas and line ends, and is read apart.
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
    int i = m_pos;
    for (; i < size; ++i) {
        const ushort c = data[i].unicode();
        // Letters and digits, nearly every character, are above all four looked for.
        if (c > ',') {
            continue;
        }
        if (c == ',') {
            if (count == room) {
                m_tokens.resize(2 * m_tokens.size() + 16);
                token = m_tokens.data();
                room = m_tokens.size() - 1;
            }
            token[count++] = QStringRef(&m_text, start, i - start);
            start = i + 1;
        } else if (c == '"') {
            return -1;
        } else if (c == '\n' || c == '\r') {
            break;
        }
    }
    token[count++] = QStringRef(&m_text, start, i - start);
    if (count != m_tokens.size()) {
        m_tokens.resize(count);
    }
    *endLength = 0;
    if (i < size) {
        *endLength = data[i].unicode() == '\r' && i + 1 < size && data[i + 1].unicode() == '\n' ? 2 : 1;
    }
    return i;
}
