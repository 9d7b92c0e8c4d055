#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <utility>

struct tagSubFuncode_Servo;

// Cuts a line of a function-code file into its fields.
//
// tokenize splits at commas and takes quoted fields as spreadsheets write them ("a, b", "say ""x""" and
// a field that holds a line break). A field is quoted only when it is whole: a quote at its start, every
// quote inside doubled, and a comma or the line's end right after the closing quote. Anything else that
// starts with a quote is a field of our own unquoted files and is taken as it stands ("Fast" mode).
//
// split turns the tokens of a function-code line into its fourteen fields. Our writer does not quote, so
// a name or a value text with commas gives more tokens than fields. The six integer fields after the name
// (authority, data type, axis count, three raw values) anchor the name's end; the tokens after them are
// shared among the three value texts so that each text fits its raw value: the text the code's
// description gives for it when the description is known, otherwise an enumerated text that starts with
// the value and a colon, a number whose digits are the value's, or an empty text for an axis the drive
// does not have. Empty tokens a spreadsheet added at the end of a line are dropped.
class QFuncodeLineSplitter_Servo
{
public:
    // Gives the description of a function-code number, or null.
    typedef std::function<const tagSubFuncode_Servo*(const QString& funIndex)> DescriptionLookup;

    explicit QFuncodeLineSplitter_Servo(DescriptionLookup lookup = DescriptionLookup());

    static QStringList tokenize(const QString& line);
    // The fields of the record that starts at pos in text, which may span lines where a quoted field holds
    // a line break; returns where the next record starts and adds the line ends passed to *lines.
    static int tokenizeRecord(const QString& text, int pos, QStringList* tokens, int* lines);
    // A quoted field longer than this is not looked for: its quote is taken as an ordinary character.
    static const int kMaxQuotedChars = 4096;
    // False when the tokens are fewer than fourteen or cannot be told apart.
    bool split(const QStringList& tokens, QStringList* fields) const;

    // Lines longer than this many extra commas are not taken apart (they are not function codes).
    static const int kMaxExtraCommas = 40;

private:
    struct Candidate
    {
        int pad = 0;      // empty tokens dropped at the end
        int groupEnd = 0; // index of the number token
        int anchor = 0;   // index of the authority token
        int textSplit[2]; // first token of the Y and Z texts
        int score = -1;
    };

    static int quotedField(const QString& text, int pos, QString* field);
    int numberToken(const QStringList& tokens, int extra) const;
    void scoreAnchors(const QStringList& tokens, int end, int groupEnd, Candidate* best) const;
    int scoreTexts(const QStringList& tokens, int from, int end, const qint64 raws[3], int axisNum,
                   const tagSubFuncode_Servo* fun, int* split) const;
    int textScore(const QString& text, qint64 raw, bool axisPresent, const tagSubFuncode_Servo* fun,
                  const QString& shown) const;
    static QString joined(const QStringList& tokens, int from, int to);
    static void assemble(const QStringList& tokens, const Candidate& c, QStringList* fields);

    DescriptionLookup m_lookup;
    mutable QHash<QString, std::pair<bool, qint64>> m_parsed; // texts of a line scored: read, and to what
};
