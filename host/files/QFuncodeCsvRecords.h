#pragma once

#include "QFuncodeFileParser_Servo.h"

#include <QString>
#include <QStringList>

// The records of a comma-separated text handed one by one to a parser, with the number of the line each
// starts on. A line without quotes is cut at its commas in one pass into views of the text; a record with a
// quote is taken apart by the line splitter, since a quoted field may hold commas and line breaks.
//
// The views point into the text held here: an object is neither copied nor moved.
class QFuncodeCsvRecords
{
public:
    // firstLine: the number of the text's first line in its file.
    explicit QFuncodeCsvRecords(const QString& text, int firstLine = 1) : m_text(text), m_line(firstLine) {}
    QFuncodeCsvRecords(const QFuncodeCsvRecords&) = delete;
    QFuncodeCsvRecords& operator=(const QFuncodeCsvRecords&) = delete;

    // Hands on records until the parser stops (false) or the text ends (true); with untilCodes, also stops
    // (true) after the record that brought the parser to the function codes.
    bool feed(QFuncodeFileParser_Servo* parser, bool untilCodes = false);
    bool atEnd() const { return m_pos >= m_text.size(); }
    // The line the next record starts on.
    int line() const { return m_line; }

private:
    int cutLine(int* endLength);

    const QString m_text;
    int m_pos = 0;
    int m_line;
    QFuncodeFileParser_Servo::Tokens m_tokens;
    int m_longest = -1; // the size of the line's longest token, when it was cut here
    QStringList m_quoted;
    QString m_record; // a record with quoted fields, unquoted
};
