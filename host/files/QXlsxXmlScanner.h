#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <cstring>
#include <vector>

// A forward-only reader of the XML of a workbook's parts (sheets, shared strings), straight over their UTF-8
// bytes: what QXmlStreamReader does for these parts, without turning every name, attribute and text into
// UTF-16 first. It gives start and end elements (a self-closing element gives both), their local names
// (a namespace prefix left out), attributes and texts as views of the bytes, and turns a text into a
// QString only when asked.
//
// It checks what a damaged or foreign part can get wrong: every element closed by its own name, one root
// element, no text beside it, attributes as name="value" or name='value', entities (&amp; &lt; &gt; &quot;
// &apos; &#NN; &#xNN;) of texts that are read, at most kMaxDepth elements inside each other. Comments,
// processing instructions and CDATA sections are taken; a document type declaration is refused (no part of
// a workbook has one, and its entities could make a small part expand to gigabytes). Once a check fails the
// scanner stays at INVALID with errorDetail() naming the line, column and reason.
//
// The bytes are not copied: they must outlive the scanner and stay unchanged.
class QXlsxXmlScanner
{
    Q_DECLARE_TR_FUNCTIONS(QXlsxXmlScanner)

public:
    static const int kMaxDepth = 256;

    enum Token
    {
        NONE,
        START_ELEMENT,
        END_ELEMENT,
        CHARACTERS,
        END_OF_DOCUMENT,
        INVALID
    };

    // A run of bytes of the document (or of the scanner's buffer of decoded text); data is null for a
    // missing attribute.
    struct Span
    {
        const char* data = nullptr;
        int size = 0;
        template <size_t N>
        bool equals(const char (&text)[N]) const
        {
            return data && size == int(N - 1) && std::memcmp(data, text, N - 1) == 0;
        }
    };

    explicit QXlsxXmlScanner(const QByteArray& xml);

    Token next();
    Token token() const { return m_token; }
    bool hasError() const { return m_token == INVALID; }
    // Line, column and reason of the failure.
    QString errorDetail() const { return m_detail; }

    // At a start or end element: whether its name without prefix is localName.
    template <size_t N>
    bool isElement(const char (&localName)[N]) const
    {
        return (m_token == START_ELEMENT || m_token == END_ELEMENT) &&
               sameLocalName(m_name, localName, N - 1);
    }
    // At a start element: the value of the attribute of that name without prefix, entities left as written.
    template <size_t N>
    Span attribute(const char (&localName)[N]) const
    {
        if (m_token == START_ELEMENT) {
            for (const Attribute& a : m_attributes) {
                if (sameLocalName(a.name, localName, N - 1)) {
                    return a.value;
                }
            }
        }
        return Span();
    }

    // At a start element: moves to its end element. False when the document fails first.
    bool skipElement();
    // At a start element: moves to its end and gives the texts inside it, entities resolved and line breaks
    // made "\n" (a view of the document when it holds neither, else of a buffer kept until the next call).
    bool readElementText(Span* text);
    // At the start element of a shared or inline string (<si>, <is>): moves to its end, adding the texts of
    // its <t> elements (of formatted runs too; phonetic runs left out) to *text.
    bool appendStringItem(QString* text);

private:
    struct Attribute
    {
        Span name;
        Span value;
    };

    Token fail(const char* reason);
    Token readMarkup();
    Token readStartElement();
    Token readEndElement();
    Token readCharacters();
    Token readSpecial();
    bool readAttributes();
    const char* nameEnd(const char* from) const;
    const char* skipSpace(const char* from) const;
    bool decodeCharacters(QByteArray* utf8);
    static bool isPlainText(const Span& text);
    // Whether name is localName, with or without a prefix.
    static bool sameLocalName(const Span& name, const char* localName, size_t size)
    {
        return size_t(name.size) >= size && std::memcmp(name.data + name.size - size, localName, size) == 0 &&
               (size_t(name.size) == size || name.data[name.size - int(size) - 1] == ':');
    }

    const char* m_begin;
    const char* m_pos;
    const char* m_end;
    Token m_token = NONE;
    bool m_selfClosing = false;
    bool m_rootSeen = false;
    bool m_cdata = false;
    Span m_name;                         // of the current element
    Span m_text;                         // the current characters, as written
    std::vector<Span> m_open;            // names of the open elements, outermost first
    std::vector<Attribute> m_attributes; // of the current start element
    QByteArray m_buffer;                 // decoded text
    QString m_detail;
};
