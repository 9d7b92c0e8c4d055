#include "QFuncodeLineSplitter_Servo.h"

#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeScaling.h"
#include "tagSubFuncode_Servo.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {
typedef QFuncodeFileLayout_Servo Layout;
typedef QFuncodeLineSplitter_Servo::Tokens Tokens;

// The tokens from..to-1 with the commas between them: one view of their text.
QStringRef span(const Tokens& tokens, int from, int to)
{
    if (to <= from) {
        return QStringRef();
    }
    const QStringRef& first = tokens.at(from);
    const QStringRef& last = tokens.at(to - 1);
    return QStringRef(first.string(), first.position(), last.position() + last.size() - first.position());
}

// A function-code number: no blank, a point, and a letter or digit first ("P00.01").
bool looksLikeNumber(const QStringRef& token)
{
    return !token.isEmpty() && token.at(0).isLetterOrNumber() && token.contains(QLatin1Char('.')) &&
           !token.contains(QLatin1Char(' '));
}

// "null", what a read that failed shows, told inline.
bool isNullText(const QStringRef& text)
{
    return text.size() == 4 && text.at(0) == QLatin1Char('n') && text.at(1) == QLatin1Char('u') &&
           text.at(2) == QLatin1Char('l') && text.at(3) == QLatin1Char('l');
}

// The decimal digits of a magnitude, most significant first; returns their count.
int decimalDigits(quint64 magnitude, char* digits)
{
    char reversed[24];
    int n = 0;
    do {
        reversed[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    for (int i = 0; i < n; ++i) {
        digits[i] = reversed[n - 1 - i];
    }
    return n;
}

quint64 magnitudeOf(qint64 raw)
{
    return raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
}

// An enumerated text of raw: it starts with the value and a colon ("3:80 mm").
bool startsWithValue(const QStringRef& text, qint64 raw)
{
    char digits[24];
    const int n = decimalDigits(magnitudeOf(raw), digits);
    int pos = 0;
    if (raw < 0 && (text.size() < 1 || text.at(pos++) != QLatin1Char('-'))) {
        return false;
    }
    if (text.size() < pos + n + 1) {
        return false;
    }
    for (int i = 0; i < n; ++i) {
        if (text.at(pos++) != QLatin1Char(digits[i])) {
            return false;
        }
    }
    return text.at(pos) == QLatin1Char(':');
}

// Whether a decimal text without sign, point and leading zeros has the digits of raw ("-001.50" has
// those of 150); -1 when the text is not a decimal number.
int sameDigits(const QStringRef& text, qint64 raw)
{
    char rawDigits[24];
    const int n = decimalDigits(magnitudeOf(raw), rawDigits);
    int matched = 0;
    bool same = true;
    bool leading = true;
    for (const QChar c : text) {
        if (c.isDigit()) {
            if (leading && c == QLatin1Char('0')) {
                continue;
            }
            leading = false;
            same = same && matched < n && c == QLatin1Char(rawDigits[matched]);
            ++matched;
        } else if (c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+')) {
            return -1;
        }
    }
    if (leading) {
        return raw == 0 ? 1 : 0; // no digit but zeros: "0"
    }
    return same && matched == n ? 1 : 0;
}

// The scores of one of a line's texts by where it ends or starts: exact once known, else the most it can be.
// A score asked with a need it cannot reach is 0, as textScore gives it.
class TextScores
{
public:
    TextScores(int top, int size) : m_exact(size), m_most(size)
    {
        std::fill(m_exact.begin(), m_exact.end(), -1);
        std::fill(m_most.begin(), m_most.end(), top);
    }

    int most(int i) const { return m_exact[i] >= 0 ? m_exact[i] : m_most[i]; }

    template <typename Score>
    int score(int i, int need, Score compute)
    {
        if (m_exact[i] >= 0) {
            return m_exact[i];
        }
        if (need > m_most[i]) {
            return 0;
        }
        const int score = compute(need);
        // Below 4 textScore gives every score exactly; a 0 for a higher need only says the score is less.
        if (score > 0 || need < 4) {
            m_exact[i] = score;
        } else {
            m_most[i] = need - 1;
        }
        return score;
    }

private:
    QVarLengthArray<int, 64> m_exact;
    QVarLengthArray<int, 64> m_most;
};
} // namespace

QFuncodeLineSplitter_Servo::QFuncodeLineSplitter_Servo(DescriptionLookup lookup) : m_lookup(std::move(lookup))
{
}

QStringList QFuncodeLineSplitter_Servo::tokenize(const QString& line)
{
    if (!line.contains(QLatin1Char('"'))) {
        return line.split(QLatin1Char(','));
    }
    QStringList tokens;
    int lines = 0;
    tokenizeRecord(line, 0, &tokens, &lines);
    return tokens;
}

int QFuncodeLineSplitter_Servo::tokenizeRecord(const QString& text, int pos, QStringList* tokens, int* lines)
{
    tokens->clear();
    const int size = text.size();
    const QChar* data = text.constData();
    int i = pos;
    while (true) {
        QString field;
        const int quotedEnd = quotedField(text, i, &field);
        if (quotedEnd > i) {
            for (int k = i; k < quotedEnd; ++k) {
                const ushort c = data[k].unicode();
                *lines +=
                    (c == '\n' || (c == '\r' && (k + 1 >= size || data[k + 1].unicode() != '\n'))) ? 1 : 0;
            }
            i = quotedEnd;
        } else {
            const int start = i;
            while (i < size && data[i].unicode() != ',' && data[i].unicode() != '\n' &&
                   data[i].unicode() != '\r') {
                ++i;
            }
            field = text.mid(start, i - start);
        }
        tokens->append(field);
        if (i < size && data[i].unicode() == ',') {
            ++i;
            continue;
        }
        break;
    }
    if (i < size) {
        *lines += 1;
        i += (data[i].unicode() == '\r' && i + 1 < size && data[i + 1].unicode() == '\n') ? 2 : 1;
    }
    return i;
}

// The end of a whole quoted field at pos, with its text in *field; pos when there is none.
int QFuncodeLineSplitter_Servo::quotedField(const QString& text, int pos, QString* field)
{
    const int size = text.size();
    if (pos >= size || text.at(pos) != QLatin1Char('"')) {
        return pos;
    }
    const int limit = qMin(size, pos + 1 + kMaxQuotedChars);
    int from = pos + 1;
    for (int j = from; j < limit; ++j) {
        if (text.at(j) != QLatin1Char('"')) {
            continue;
        }
        field->append(text.midRef(from, j - from));
        if (j + 1 < size && text.at(j + 1) == QLatin1Char('"')) {
            field->append(QLatin1Char('"'));
            from = ++j + 1;
            continue;
        }
        const ushort next = j + 1 < size ? text.at(j + 1).unicode() : ',';
        if (next == ',' || next == '\n' || next == '\r') {
            return j + 1;
        }
        break;
    }
    field->clear();
    return pos;
}

void QFuncodeLineSplitter_Servo::viewsOf(const QStringList& tokens, QString* text, Tokens* views)
{
    *text = tokens.join(QLatin1Char(','));
    views->clear();
    views->reserve(tokens.size());
    int pos = 0;
    for (const QString& token : tokens) {
        views->append(QStringRef(text, pos, token.size()));
        pos += token.size() + 1;
    }
}

bool QFuncodeLineSplitter_Servo::split(const QStringList& tokens, QStringList* fields) const
{
    QString text;
    Tokens views;
    viewsOf(tokens, &text, &views);
    Tokens parts;
    if (!split(views, &parts)) {
        return false;
    }
    fields->clear();
    for (const QStringRef& part : qAsConst(parts)) {
        fields->append(part.toString());
    }
    return true;
}

bool QFuncodeLineSplitter_Servo::split(const Tokens& tokens, Tokens* fields) const
{
    const int n = tokens.size();
    if (n < Layout::FIELD_COUNT) {
        return false;
    }
    if (n == Layout::FIELD_COUNT) {
        *fields = tokens;
        return true;
    }
    const int extra = n - Layout::FIELD_COUNT;
    if (extra > kMaxExtraCommas) {
        return false;
    }
    int trailingEmpty = 0;
    while (trailingEmpty < extra && tokens.at(n - 1 - trailingEmpty).isEmpty()) {
        ++trailingEmpty;
    }
    // A new line: the runs read before belong to another one.
    ++m_generation;
    m_tokenCount = n + 1;
    if (m_parsed.size() < m_tokenCount * m_tokenCount) {
        m_parsed.resize(m_tokenCount * m_tokenCount);
    }
    Candidate best;
    for (int pad = 0; pad <= trailingEmpty; ++pad) {
        // A padding wins only when it beats the best one so far.
        Candidate c;
        c.score = best.score;
        c.pad = pad;
        c.groupEnd = numberToken(tokens, extra - pad);
        scoreAnchors(tokens, n - pad, c.groupEnd, &c);
        if (c.score > best.score) {
            best = c;
        }
    }
    if (best.score < 0) {
        return false;
    }
    assemble(tokens, best, fields);
    return true;
}

int QFuncodeLineSplitter_Servo::numberToken(const Tokens& tokens, int extra)
{
    const int first = Layout::FIELD_NUMBER;
    if (looksLikeNumber(tokens.at(first))) {
        return first;
    }
    for (int g = 1; g <= extra; ++g) {
        if (looksLikeNumber(tokens.at(first + g))) {
            return first + g;
        }
    }
    return first;
}

void QFuncodeLineSplitter_Servo::scoreAnchors(const Tokens& tokens, int end, int groupEnd,
                                              Candidate* best) const
{
    const tagSubFuncode_Servo* fun = m_lookup ? m_lookup(tokens.at(groupEnd)) : nullptr;
    const int lastAnchor = end - 9; // six integers and at least three texts
    for (int anchor = groupEnd + 2; anchor <= lastAnchor; ++anchor) {
        qint64 ints[6];
        bool allInts = true;
        for (int k = 0; k < 6 && allInts; ++k) {
            allInts = Layout::parseStrictInteger(tokens.at(anchor + k), &ints[k]);
        }
        const qint64 axisNum = ints[2];
        if (!allInts || axisNum < 1 || axisNum > 3) {
            continue;
        }
        const int nameScore =
            fun && Layout::sameText(fun->funName, span(tokens, groupEnd + 1, anchor)) ? 8 : 0;
        // An anchor whose texts could not lift it above the best one so far is not looked at further.
        if (nameScore + 3 * kMaxTextScore + 2 <= best->score) {
            continue;
        }
        int split[2] = {0, 0};
        const int score = nameScore + scoreTexts(tokens, anchor + 6, end, ints + 3, static_cast<int>(axisNum),
                                                 fun, best->score - nameScore, split);
        if (score > best->score) {
            best->score = score;
            best->anchor = anchor;
            best->textSplit[0] = split[0];
            best->textSplit[1] = split[1];
        }
    }
}

// Every split of the tokens from..end into three texts that could score more than floor, each text a view of
// the line compared with what the drive shows for its raw value without making that text. The first split of
// the highest score wins. A split whose texts each score the most they can is looked for first: when the
// texts are what the drive shows, no other split can beat it, and every split that cannot is passed over
// below (a text is read only when that could change the winner). The search still goes through the splits in
// order, so that of equal scores the first wins.
int QFuncodeLineSplitter_Servo::scoreTexts(const Tokens& tokens, int from, int end, const qint64 raws[3],
                                           int axisNum, const tagSubFuncode_Servo* fun, int floor,
                                           int* split) const
{
    // Equal raw values of present axes show equal texts: a point each.
    const int bonusX = axisNum > 1 && raws[0] == raws[1] ? 1 : 0;
    const int bonusZ = axisNum > 2 && raws[1] == raws[2] ? 1 : 0;
    const bool present[3] = {axisNum > 0, axisNum > 1, axisNum > 2};
    const int top[3] = {topScore(present[0], fun), topScore(present[1], fun), topScore(present[2], fun)};
    // The X text by where it ends and the Z text by where it starts, each scored at most once.
    TextScores xs(top[0], end);
    TextScores zs(top[2], end);
    const auto xScore = [&](int y, int need) {
        return xs.score(y, need,
                        [&](int n) { return textScore(tokens, from, y, raws[0], present[0], fun, n); });
    };
    const auto zScore = [&](int z, int need) {
        return zs.score(z, need,
                        [&](int n) { return textScore(tokens, z, end, raws[2], present[2], fun, n); });
    };
    const auto bonus = [&](int y, int z) {
        const QStringRef textY = span(tokens, y, z);
        return ((bonusX && span(tokens, from, y) == textY) ? 1 : 0) +
               ((bonusZ && textY == span(tokens, z, end)) ? 1 : 0);
    };
    // The first split whose three texts score the most they can.
    const auto topSplit = [&](int* topY, int* topZ) {
        for (int y = from + 1; y < end - 1; ++y) {
            if (xScore(y, top[0]) != top[0]) {
                continue;
            }
            for (int z = y + 1; z < end; ++z) {
                if (zScore(z, top[2]) == top[2] &&
                    textScore(tokens, y, z, raws[1], present[1], fun, top[1]) == top[1]) {
                    *topY = y;
                    *topZ = z;
                    return true;
                }
            }
        }
        return false;
    };
    int best = floor;
    int topY = -1;
    int topZ = -1;
    if (topSplit(&topY, &topZ)) {
        // Its score less one: a split before it in order wins also when it scores as much.
        best = qMax(floor, top[0] + top[1] + top[2] + bonus(topY, topZ) - 1);
    }
    for (int y = from + 1; y < end - 1; ++y) {
        const int scoreX = xScore(y, best - top[1] - top[2] - bonusX - bonusZ + 1);
        for (int z = y + 1; z < end; ++z) {
            const int need = best - scoreX - zs.most(z) - bonusX - bonusZ + 1;
            if (need > top[1]) {
                continue;
            }
            // The top split's Y text is known to score the most.
            const int scoreY =
                y == topY && z == topZ ? top[1] : textScore(tokens, y, z, raws[1], present[1], fun, need);
            const int scoreZ = zScore(z, best - scoreX - scoreY - bonusX - bonusZ + 1);
            const int score = scoreX + scoreY + scoreZ + bonus(y, z);
            if (score > best) {
                best = score;
                split[0] = y;
                split[1] = z;
            }
        }
    }
    return best;
}

int QFuncodeLineSplitter_Servo::topScore(bool axisPresent, const tagSubFuncode_Servo* fun)
{
    return axisPresent && fun ? kMaxTextScore : 3;
}

// The value the run of tokens from..to-1 reads as, read once per line whatever the anchor and split.
bool QFuncodeLineSplitter_Servo::parsedValue(const Tokens& tokens, int from, int to,
                                             const tagSubFuncode_Servo& fun, qint64* value) const
{
    Parsed& parsed = m_parsed[from * m_tokenCount + to];
    if (parsed.generation != m_generation) {
        parsed.generation = m_generation;
        parsed.value = 0;
        parsed.ok = QFuncodeScaling::parseShowText(fun, span(tokens, from, to), &parsed.value);
    }
    *value = parsed.value;
    return parsed.ok;
}

int QFuncodeLineSplitter_Servo::textScore(const Tokens& tokens, int from, int to, qint64 raw,
                                          bool axisPresent, const tagSubFuncode_Servo* fun, int need) const
{
    // Only a text the description shows scores more than 3.
    if (need > topScore(axisPresent, fun)) {
        return 0;
    }
    const QStringRef text = span(tokens, from, to);
    if (!axisPresent) {
        return text.isEmpty() ? 3 : 0;
    }
    if (text.isEmpty()) {
        return 1; // never read
    }
    if (isNullText(text)) {
        return 2; // a read that failed
    }
    if (fun) {
        if (QFuncodeScaling::showsRaw(*fun, text, raw)) {
            return kMaxTextScore;
        }
        if (need > 3) {
            return 0; // reading it as a value would not be enough
        }
        qint64 value = 0;
        return parsedValue(tokens, from, to, *fun, &value) && value == raw ? 3 : 0;
    }
    if (startsWithValue(text, raw)) {
        return 3; // an enumerated text
    }
    if (text.size() >= 2 && text.at(0) == QLatin1Char('0') &&
        (text.at(1) == QLatin1Char('x') || text.at(1) == QLatin1Char('X'))) {
        bool ok = false;
        const QStringRef digits = text.mid(2);
        const quint64 value = digits.toULongLong(&ok, 16);
        const int bits = qMin(64, 4 * digits.size());
        const quint64 mask = bits >= 64 ? ~quint64(0) : (quint64(1) << bits) - 1;
        return ok && value == (quint64(raw) & mask) ? 3 : 0;
    }
    const int digits = sameDigits(text, raw);
    if (digits >= 0) {
        return digits > 0 ? 3 : 0;
    }
    return text.contains(QLatin1Char(',')) ? 0 : 1;
}

void QFuncodeLineSplitter_Servo::assemble(const Tokens& tokens, const Candidate& c, Tokens* fields)
{
    const int end = tokens.size() - c.pad;
    fields->resize(Layout::FIELD_COUNT);
    QStringRef* field = fields->data();
    *field++ = tokens.at(0);
    *field++ = tokens.at(1);
    *field++ = span(tokens, Layout::FIELD_GROUP, c.groupEnd);
    *field++ = tokens.at(c.groupEnd);
    *field++ = span(tokens, c.groupEnd + 1, c.anchor);
    for (int k = 0; k < 6; ++k) {
        *field++ = tokens.at(c.anchor + k);
    }
    *field++ = span(tokens, c.anchor + 6, c.textSplit[0]);
    *field++ = span(tokens, c.textSplit[0], c.textSplit[1]);
    *field = span(tokens, c.textSplit[1], end);
}
