#include "QXlsxXmlScanner.h"

#include <algorithm>
#include <cstring>

namespace {
inline bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

// Letters, digits, "-._:" and every byte of a character beyond ASCII.
inline bool isNameChar(char c)
{
    const uchar u = uchar(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' ||
           u == '.' || u == '_' || u == ':' || u >= 0x80;
}

inline bool isNameStart(char c)
{
    return isNameChar(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.';
}

const char* find(const char* from, const char* end, const char* text)
{
    const size_t size = std::strlen(text);
    for (const char* p = from; p + size <= end; ++p) {
        p = static_cast<const char*>(std::memchr(p, text[0], static_cast<size_t>(end - p)));
        if (!p || p + size > end) {
            return nullptr;
        }
        if (std::memcmp(p, text, size) == 0) {
            return p;
        }
    }
    return nullptr;
}

void appendUtf8(uint code, QByteArray* utf8)
{
    if (code < 0x80) {
        utf8->append(char(code));
    } else if (code < 0x800) {
        utf8->append(char(0xC0 | (code >> 6)));
        utf8->append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        utf8->append(char(0xE0 | (code >> 12)));
        utf8->append(char(0x80 | ((code >> 6) & 0x3F)));
        utf8->append(char(0x80 | (code & 0x3F)));
    } else {
        utf8->append(char(0xF0 | (code >> 18)));
        utf8->append(char(0x80 | ((code >> 12) & 0x3F)));
        utf8->append(char(0x80 | ((code >> 6) & 0x3F)));
        utf8->append(char(0x80 | (code & 0x3F)));
    }
}

// A character reference's number ("#65", "#x41"), 0 when it names no character XML allows.
uint characterReference(const char* from, const char* end)
{
    const bool hex = from < end && (*from == 'x');
    from += hex ? 1 : 0;
    if (from == end || end - from > 8) {
        return 0;
    }
    uint code = 0;
    for (const char* p = from; p < end; ++p) {
        const char c = *p;
        uint digit = 16;
        if (c >= '0' && c <= '9') {
            digit = uint(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = uint(c - 'a' + 10);
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = uint(c - 'A' + 10);
        }
        if (digit >= (hex ? 16u : 10u)) {
            return 0;
        }
        code = code * (hex ? 16 : 10) + digit;
    }
    const bool allowed = (code >= 0x20 || code == 0x9 || code == 0xA || code == 0xD) &&
                         !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF &&
                         code <= 0x10FFFF;
    return allowed ? code : 0;
}

// The character an entity (the text between '&' and ';') stands for, 0 for none.
uint entity(const char* from, const char* end)
{
    const size_t size = static_cast<size_t>(end - from);
    if (size > 0 && *from == '#') {
        return characterReference(from + 1, end);
    }
    static const struct
    {
        const char* name;
        char character;
    } kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& named : kNamed) {
        if (std::strlen(named.name) == size && std::memcmp(named.name, from, size) == 0) {
            return uint(uchar(named.character));
        }
    }
    return 0;
}
} // namespace

QXlsxXmlScanner::QXlsxXmlScanner(const QByteArray& xml)
    : m_begin(xml.constData()), m_pos(xml.constData()), m_end(xml.constData() + xml.size())
{
    // A byte-order mark may open the part.
    if (xml.startsWith("\xEF\xBB\xBF")) {
        m_pos += 3;
    }
}

QXlsxXmlScanner::Token QXlsxXmlScanner::fail(const char* reason)
{
    int line = 1;
    const char* lineStart = m_begin;
    for (const char* p = m_begin; p < m_pos; ++p) {
        if (*p == '\n') {
            ++line;
            lineStart = p + 1;
        }
    }
    m_detail = tr("STR_XLSX_XML_AT").arg(line).arg(m_pos - lineStart + 1).arg(tr(reason));
    m_open.clear();
    return m_token = INVALID;
}

QXlsxXmlScanner::Token QXlsxXmlScanner::next()
{
    if (m_token == INVALID || m_token == END_OF_DOCUMENT) {
        return m_token;
    }
    if (m_selfClosing) {
        m_selfClosing = false;
        return m_token = END_ELEMENT;
    }
    while (m_pos < m_end) {
        const Token token = *m_pos == '<' ? readMarkup() : readCharacters();
        if (token != NONE) {
            return m_token = token;
        }
    }
    if (!m_open.empty()) {
        return fail("STR_XLSX_XML_UNEXPECTED_END");
    }
    return m_rootSeen ? m_token = END_OF_DOCUMENT : fail("STR_XLSX_XML_NO_ELEMENT");
}

// NONE for markup that gives no token (a comment, a processing instruction).
inline QXlsxXmlScanner::Token QXlsxXmlScanner::readMarkup()
{
    if (m_pos + 1 >= m_end) {
        return fail("STR_XLSX_XML_UNEXPECTED_END");
    }
    switch (m_pos[1]) {
    case '/':
        return readEndElement();
    case '?':
    case '!':
        return readSpecial();
    default:
        return readStartElement();
    }
}

inline QXlsxXmlScanner::Token QXlsxXmlScanner::readSpecial()
{
    const char* from = m_pos + 2;
    if (m_pos[1] == '?') {
        const char* close = find(from, m_end, "?>");
        if (!close) {
            return fail("STR_XLSX_XML_UNEXPECTED_END");
        }
        m_pos = close + 2;
        return NONE;
    }
    if (m_end - from >= 2 && std::memcmp(from, "--", 2) == 0) {
        const char* close = find(from + 2, m_end, "-->");
        if (!close) {
            return fail("STR_XLSX_XML_UNEXPECTED_END");
        }
        m_pos = close + 3;
        return NONE;
    }
    if (m_end - from >= 7 && std::memcmp(from, "[CDATA[", 7) == 0) {
        const char* close = find(from + 7, m_end, "]]>");
        if (!close) {
            return fail("STR_XLSX_XML_UNEXPECTED_END");
        }
        if (m_open.empty()) {
            return fail("STR_XLSX_XML_OUTSIDE_ROOT");
        }
        m_text = Span{from + 7, int(close - from - 7)};
        m_cdata = true;
        m_pos = close + 3;
        return CHARACTERS;
    }
    return fail("STR_XLSX_XML_DECLARATION");
}

inline const char* QXlsxXmlScanner::nameEnd(const char* from) const
{
    const char* p = from;
    if (p >= m_end || !isNameStart(*p)) {
        return p;
    }
    while (p < m_end && isNameChar(*p)) {
        ++p;
    }
    return p;
}

inline const char* QXlsxXmlScanner::skipSpace(const char* from) const
{
    while (from < m_end && isSpace(*from)) {
        ++from;
    }
    return from;
}

inline QXlsxXmlScanner::Token QXlsxXmlScanner::readStartElement()
{
    const char* from = m_pos + 1;
    const char* end = nameEnd(from);
    if (end == from || end == m_end) {
        return fail(end == m_end ? "STR_XLSX_XML_UNEXPECTED_END" : "STR_XLSX_XML_BAD_MARKUP");
    }
    if (m_open.empty() && m_rootSeen) {
        return fail("STR_XLSX_XML_OUTSIDE_ROOT");
    }
    if (m_open.size() >= size_t(kMaxDepth)) {
        return fail("STR_XLSX_XML_TOO_DEEP");
    }
    m_name = Span{from, int(end - from)};
    m_pos = end;
    if (!readAttributes()) {
        return m_token;
    }
    m_rootSeen = true;
    if (!m_selfClosing) {
        m_open.push_back(m_name);
    }
    return START_ELEMENT;
}

// The attributes up to the end of the start tag; sets m_selfClosing.
inline bool QXlsxXmlScanner::readAttributes()
{
    m_attributes.clear();
    for (;;) {
        const char* p = skipSpace(m_pos);
        if (p >= m_end) {
            fail("STR_XLSX_XML_UNEXPECTED_END");
            return false;
        }
        if (*p == '>' || (*p == '/' && p + 1 < m_end && p[1] == '>')) {
            m_selfClosing = *p == '/';
            m_pos = p + (m_selfClosing ? 2 : 1);
            return true;
        }
        const char* end = nameEnd(p);
        // Attributes stand apart from the name and from each other.
        if (end == p || p == m_pos) {
            m_pos = p;
            fail("STR_XLSX_XML_BAD_MARKUP");
            return false;
        }
        const char* equals = skipSpace(end);
        const char* quote = equals < m_end && *equals == '=' ? skipSpace(equals + 1) : equals;
        if (quote >= m_end) {
            m_pos = m_end;
            fail("STR_XLSX_XML_UNEXPECTED_END");
            return false;
        }
        const char* close =
            *equals == '=' && (*quote == '"' || *quote == '\'')
                ? static_cast<const char*>(std::memchr(quote + 1, *quote, size_t(m_end - quote - 1)))
                : nullptr;
        if (!close || std::memchr(quote + 1, '<', size_t(close - quote - 1))) {
            m_pos = quote;
            fail("STR_XLSX_XML_BAD_MARKUP");
            return false;
        }
        Attribute attribute;
        attribute.name = Span{p, int(end - p)};
        attribute.value = Span{quote + 1, int(close - quote - 1)};
        m_attributes.push_back(attribute);
        m_pos = close + 1;
    }
}

inline QXlsxXmlScanner::Token QXlsxXmlScanner::readEndElement()
{
    const char* from = m_pos + 2;
    const char* end = nameEnd(from);
    const char* close = skipSpace(end);
    if (close >= m_end) {
        return fail("STR_XLSX_XML_UNEXPECTED_END");
    }
    if (*close != '>' || end == from) {
        m_pos = close;
        return fail("STR_XLSX_XML_BAD_MARKUP");
    }
    const Span name{from, int(end - from)};
    if (m_open.empty() || !std::equal(name.data, name.data + name.size, m_open.back().data,
                                      m_open.back().data + m_open.back().size)) {
        return fail("STR_XLSX_XML_END_MISMATCH");
    }
    m_open.pop_back();
    m_name = name;
    m_pos = close + 1;
    return END_ELEMENT;
}

// NONE for white space outside the root element.
inline QXlsxXmlScanner::Token QXlsxXmlScanner::readCharacters()
{
    const char* from = m_pos;
    const char* lt = static_cast<const char*>(std::memchr(from, '<', size_t(m_end - from)));
    m_pos = lt ? lt : m_end;
    if (m_open.empty()) {
        for (const char* p = from; p < m_pos; ++p) {
            if (!isSpace(*p)) {
                m_pos = p;
                return fail("STR_XLSX_XML_OUTSIDE_ROOT");
            }
        }
        return NONE;
    }
    m_text = Span{from, int(m_pos - from)};
    m_cdata = false;
    return CHARACTERS;
}

bool QXlsxXmlScanner::skipElement()
{
    int depth = 1;
    while (depth > 0) {
        switch (next()) {
        case START_ELEMENT:
            ++depth;
            break;
        case END_ELEMENT:
            --depth;
            break;
        case END_OF_DOCUMENT:
        case INVALID:
            return false;
        default:
            break;
        }
    }
    return true;
}

inline bool QXlsxXmlScanner::isPlainText(const Span& text)
{
    const size_t size = size_t(text.size);
    return !std::memchr(text.data, '&', size) && !std::memchr(text.data, '\r', size);
}

bool QXlsxXmlScanner::readElementText(Span* text)
{
    *text = Span{m_pos, 0};
    if (m_selfClosing) {
        next();
        return true;
    }
    // The usual case: one run of characters without entities, then the end tag.
    if (next() == CHARACTERS && !m_cdata && isPlainText(m_text) && m_pos + 1 < m_end && m_pos[1] == '/') {
        const Span plain = m_text;
        if (next() == END_ELEMENT) {
            *text = plain;
            return true;
        }
        return false;
    }
    m_buffer.resize(0);
    int depth = 1;
    for (; depth > 0; next()) {
        if (m_token == CHARACTERS && !decodeCharacters(&m_buffer)) {
            return false;
        }
        depth += m_token == START_ELEMENT ? 1 : m_token == END_ELEMENT ? -1 : 0;
        if (m_token == INVALID || m_token == END_OF_DOCUMENT) {
            return false;
        }
        if (depth == 0) {
            break;
        }
    }
    *text = Span{m_buffer.constData(), m_buffer.size()};
    return true;
}

bool QXlsxXmlScanner::appendStringItem(QString* text)
{
    int depth = 1;
    while (depth > 0) {
        switch (next()) {
        case START_ELEMENT:
            if (isElement("rPh")) {
                if (!skipElement()) {
                    return false;
                }
            } else if (isElement("t")) {
                Span content;
                if (!readElementText(&content)) {
                    return false;
                }
                text->append(QString::fromUtf8(content.data, content.size));
            } else {
                ++depth;
            }
            break;
        case END_ELEMENT:
            --depth;
            break;
        case END_OF_DOCUMENT:
        case INVALID:
            return false;
        default:
            break;
        }
    }
    return true;
}

// Adds the current characters to *utf8 with their entities resolved and "\r\n" and "\r" made "\n".
bool QXlsxXmlScanner::decodeCharacters(QByteArray* utf8)
{
    const char* p = m_text.data;
    const char* end = p + m_text.size;
    while (p < end) {
        const char c = *p;
        if (c == '\r') {
            utf8->append('\n');
            p += p + 1 < end && p[1] == '\n' ? 2 : 1;
            continue;
        }
        if (c != '&' || m_cdata) {
            utf8->append(c);
            ++p;
            continue;
        }
        const char* semicolon =
            static_cast<const char*>(std::memchr(p, ';', size_t(qMin<qint64>(end - p, 12))));
        const uint code = semicolon ? entity(p + 1, semicolon) : 0;
        if (code == 0) {
            m_pos = p;
            fail("STR_XLSX_XML_BAD_ENTITY");
            return false;
        }
        appendUtf8(code, utf8);
        p = semicolon + 1;
    }
    return true;
}
