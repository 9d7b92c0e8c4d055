#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>

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
// does not have. Empty tokens a spreadsheet added at the end of a line are dropped. A line that can be read
// in one way only (most often only its name has commas) is read that way without looking at its texts.
//
// The tokens are views into one text, one comma apart (as cutting a line at its commas gives them), so
// that a run of tokens is itself a view and no candidate field is ever copied.
class QFuncodeLineSplitter_Servo
{
public:
    typedef QVector<QStringRef> Tokens;
    // Gives the description of a function-code number, or null.
    typedef std::function<const tagSubFuncode_Servo*(const QStringRef& funIndex)> DescriptionLookup;

    explicit QFuncodeLineSplitter_Servo(DescriptionLookup lookup = DescriptionLookup());

    static QStringList tokenize(const QString& line);
    // The fields of the record that starts at pos in text, which may span lines where a quoted field holds
    // a line break; returns where the next record starts and adds the line ends passed to *lines.
    static int tokenizeRecord(const QString& text, int pos, QStringList* tokens, int* lines);
    // Tokens joined by commas into *text, and views of each of them in it (for split).
    static void viewsOf(const QStringList& tokens, QString* text, Tokens* views);
    // A quoted field longer than this is not looked for: its quote is taken as an ordinary character.
    static const int kMaxQuotedChars = 4096;

    // The six integers from the authority to axis Z's raw value.
    typedef std::array<qint64, 6> AnchorInts;

    // False when the tokens are fewer than fourteen or cannot be told apart. The fields are views into
    // the tokens' text. For more than fourteen tokens, *ints (when asked for) gets the six integers as they
    // were read to tell the tokens apart, so that they need not be read again.
    bool split(const Tokens& tokens, Tokens* fields, AnchorInts* ints = nullptr) const;
    bool split(const QStringList& tokens, QStringList* fields) const;

    // Lines longer than this many extra commas are not taken apart (they are not function codes).
    static const int kMaxExtraCommas = 40;

private:
    // A text that is what the drive shows for its raw value.
    static const int kMaxTextScore = 4;

    // What the candidates of one line share, learnt once: where its tokens lie and which are integers.
    struct Line;
    struct Candidate
    {
        int pad = 0;      // empty tokens dropped at the end
        int groupEnd = 0; // index of the number token
        int anchor = 0;   // index of the authority token
        int textSplit[2]; // first token of the Y and Z texts
        int score = -1;
    };
    // A run of tokens read as a value of the code: whether it read, and to what.
    struct Parsed
    {
        quint32 generation = 0;
        bool ok = false;
        qint64 value = 0;
    };

    // The most a text can score for an axis.
    static int topScore(bool axisPresent, const tagSubFuncode_Servo* fun)
    {
        return axisPresent && fun ? kMaxTextScore : 3;
    }
    static int quotedField(const QString& text, int pos, QString* field);
    static int countReadings(const Line& line, int trailingEmpty, Candidate* first);
    static int numberToken(const Line& line, int extra);
    void scoreAnchors(const Line& line, int end, int groupEnd, const tagSubFuncode_Servo* fun,
                      Candidate* best) const;
    int scoreTexts(const Line& line, int from, int end, const qint64 raws[3], int axisNum,
                   const tagSubFuncode_Servo* fun, int floor, int* split) const;
    // The score of a text for its raw value; when it would be below need it may be given as 0.
    int textScore(const Line& line, int from, int to, qint64 raw, bool axisPresent,
                  const tagSubFuncode_Servo* fun, int need) const;
    bool parsedValue(const Line& line, int from, int to, const tagSubFuncode_Servo& fun, qint64* value) const;
    static void assemble(const Line& line, const Candidate& c, Tokens* fields, AnchorInts* ints);

    DescriptionLookup m_lookup;
    // Runs of tokens of the line being split, by (from, to): each is read as a value once.
    mutable QVector<Parsed> m_parsed;
    mutable quint32 m_generation = 0;
    mutable int m_tokenCount = 0;
};
