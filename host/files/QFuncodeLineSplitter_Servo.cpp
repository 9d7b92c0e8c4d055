#include "QFuncodeLineSplitter_Servo.h"

#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeScaling.h"
#include "tagSubFuncode_Servo.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
typedef QFuncodeFileLayout_Servo Layout;
typedef QFuncodeLineSplitter_Servo::Tokens Tokens;

const int kMaxTokens = Layout::FIELD_COUNT + QFuncodeLineSplitter_Servo::kMaxExtraCommas;

// Characters of a line looked at in place: a candidate text is never made into a view or a string.
struct Chars
{
    const QChar* data = nullptr;
    int size = 0;

    bool isEmpty() const { return size == 0; }
    ushort at(int i) const { return data[i].unicode(); }
    bool contains(ushort c) const
    {
        return std::any_of(data, data + size, [c](QChar x) { return x.unicode() == c; });
    }
};

bool operator==(Chars a, Chars b)
{
    return a.size == b.size && Layout::sameChars(a.data, b.data, a.size);
}

bool operator==(const QString& a, Chars b)
{
    return a.size() == b.size && Layout::sameChars(a.constData(), b.data, b.size);
}

bool isAsciiDigit(ushort c)
{
    return c >= '0' && c <= '9';
}

// A function-code number: no blank, a point, and a letter or digit first ("P00.01").
bool looksLikeNumber(Chars token)
{
    if (token.isEmpty() || !token.data[0].isLetterOrNumber()) {
        return false;
    }
#if defined(__SSE2__)
    if (token.size >= 8) {
        // Eight characters in one step, the last step overlapping the one before it.
        int points = 0;
        for (int i = 0;; i += 8) {
            const int at = qMin(i, token.size - 8);
            const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(token.data + at));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(chars, _mm_set1_epi16(' '))) != 0) {
                return false;
            }
            points |= _mm_movemask_epi8(_mm_cmpeq_epi16(chars, _mm_set1_epi16('.')));
            if (at + 8 == token.size) {
                return points != 0;
            }
        }
    }
#endif
    bool point = false;
    for (int i = 0; i < token.size; ++i) {
        // Letters and digits, most of a number, come after both the blank and the point.
        const ushort c = token.at(i);
        if (c > '.') {
            continue;
        }
        if (c == ' ') {
            return false;
        }
        point = point || c == '.';
    }
    return point;
}

// "null", what a read that failed shows.
bool isNullText(Chars text)
{
    return text.size == 4 && text.at(0) == 'n' && text.at(1) == 'u' && text.at(2) == 'l' && text.at(3) == 'l';
}

quint64 magnitudeOf(qint64 raw)
{
    return raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
}

// An enumerated text of raw: it starts with the value and a colon ("3:80 mm").
bool startsWithValue(Chars text, qint64 raw)
{
    int pos = 0;
    if (raw < 0 && (text.size < 1 || text.at(pos++) != '-')) {
        return false;
    }
    // The value's digits as they are written: at most 19, and no leading zero but in "0".
    const int first = pos;
    quint64 value = 0;
    for (; pos < text.size && pos - first < 20 && isAsciiDigit(text.at(pos)); ++pos) {
        value = value * 10 + (text.at(pos) - '0');
    }
    const int count = pos - first;
    if (count == 0 || count > 19 || (count > 1 && text.at(first) == '0')) {
        return false;
    }
    return value == magnitudeOf(raw) && pos < text.size && text.at(pos) == ':';
}

// Whether a decimal text without sign, point and leading zeros has the digits of raw ("-001.50" has
// those of 150); -1 when the text is not a decimal number.
int sameDigits(Chars text, qint64 raw)
{
    quint64 value = 0;
    int count = 0;     // digits after the leading zeros
    bool ascii = true; // all of them '0' to '9'
    for (int i = 0; i < text.size; ++i) {
        const ushort c = text.at(i);
        if (isAsciiDigit(c)) {
            if (count == 0 && c == '0') {
                continue;
            }
            value = value * 10 + (c - '0');
            ++count;
        } else if (text.data[i].isDigit()) {
            ascii = false;
            ++count;
        } else if (c != '.' && c != '-' && c != '+') {
            return -1;
        }
    }
    if (count == 0) {
        return raw == 0 ? 1 : 0; // no digit but zeros: "0"
    }
    // At most 19 digits: the value read has not overflowed.
    return ascii && count <= 19 && value == magnitudeOf(raw) ? 1 : 0;
}

// The scores of one of a line's texts by where it ends or starts: exact once known, else the most it can be.
// A score asked with a need it cannot reach is 0, as textScore gives it.
class TextScores
{
public:
    TextScores(int top, int from, int end)
    {
        for (int i = from; i < end; ++i) {
            m_scores[i] = {-1, static_cast<signed char>(top)};
        }
    }

    int most(int i) const { return m_scores[i].exact >= 0 ? m_scores[i].exact : m_scores[i].most; }

    template <typename Score>
    int score(int i, int need, Score compute)
    {
        Scores& s = m_scores[i];
        if (s.exact >= 0) {
            return s.exact;
        }
        if (need > s.most) {
            return 0;
        }
        const int score = compute(need);
        // Below 4 textScore gives every score exactly; a 0 for a higher need only says the score is less.
        if (score > 0 || need < 4) {
            s.exact = static_cast<signed char>(score);
        } else {
            s.most = static_cast<signed char>(need - 1);
        }
        return score;
    }

private:
    struct Scores
    {
        signed char exact;
        signed char most;
    };
    Scores m_scores[kMaxTokens + 1];
};
} // namespace

struct QFuncodeLineSplitter_Servo::Line
{
    explicit Line(const Tokens& line)
        : tokens(line.constData()), count(line.size()), text(tokens[0].string()),
          data(text ? text->constData() : nullptr)
    {
    }

    int pos(int i) const { return tokens[i].position(); }
    int size(int i) const { return tokens[i].size(); }

    // Six integers from the authority on, the axis count among them one to three. The axis count, the
    // rarest of the six, is looked at first; each anchor reads its integers anew (most lines have one).
    bool isAnchor(int anchor) const
    {
        const int axis = anchor + 2;
        if (!readInteger(axis) || ints[axis] < 1 || ints[axis] > 3) {
            return false;
        }
        for (int i = anchor; i < anchor + 6; ++i) {
            if (i != axis && !readInteger(i)) {
                return false;
            }
        }
        return true;
    }

    // The tokens from..to-1 with the commas between them.
    Chars chars(int from, int to) const
    {
        Chars c;
        if (to > from) {
            c.data = data + pos(from);
            c.size = pos(to - 1) + size(to - 1) - pos(from);
        }
        return c;
    }
    // The same as one view of their text.
    QStringRef view(int from, int to) const
    {
        if (to <= from) {
            return QStringRef();
        }
        return QStringRef(text, pos(from), pos(to - 1) + size(to - 1) - pos(from));
    }

    const QStringRef* const tokens;
    const int count;
    const QString* const text;
    const QChar* const data;
    // Integers of the tokens from FIELD_NUMBER + 2 on, as read last.
    mutable qint64 ints[kMaxTokens];

private:
    // Most integers of a line are one digit (authority, data type, axis count).
    bool readInteger(int i) const
    {
        const ushort c = size(i) == 1 ? data[pos(i)].unicode() : 0;
        if (isAsciiDigit(c)) {
            ints[i] = c - '0';
            return true;
        }
        return Layout::parseStrictInteger(tokens[i], &ints[i]);
    }
};

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

bool QFuncodeLineSplitter_Servo::split(const Tokens& tokens, Tokens* fields, AnchorInts* ints) const
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
    const Line line(tokens);
    int trailingEmpty = 0;
    while (trailingEmpty < extra && line.size(n - 1 - trailingEmpty) == 0) {
        ++trailingEmpty;
    }
    // Most lines can be read in one way only (just the name has commas): whatever it scores, it is the one.
    Candidate only;
    const int readings = countReadings(line, trailingEmpty, &only);
    if (readings < 2) {
        if (readings == 1) {
            assemble(line, only, fields, ints);
        }
        return readings == 1;
    }
    // A new line: the runs read before belong to another one.
    ++m_generation;
    m_tokenCount = n + 1;
    if (m_parsed.size() < m_tokenCount * m_tokenCount) {
        m_parsed.resize(m_tokenCount * m_tokenCount);
    }
    Candidate best;
    // Paddings mostly share their number token: its description is looked up once.
    int describedEnd = -1;
    const tagSubFuncode_Servo* fun = nullptr;
    for (int pad = 0; pad <= trailingEmpty; ++pad) {
        // A padding wins only when it beats the best one so far.
        Candidate c;
        c.score = best.score;
        c.pad = pad;
        c.groupEnd = numberToken(line, extra - pad);
        if (c.groupEnd != describedEnd) {
            describedEnd = c.groupEnd;
            fun = m_lookup ? m_lookup(tokens.at(c.groupEnd)) : nullptr;
        }
        scoreAnchors(line, n - pad, c.groupEnd, fun, &c);
        if (c.score > best.score) {
            best = c;
        }
    }
    if (best.score < 0) {
        return false;
    }
    assemble(line, best, fields, ints);
    return true;
}

// The ways to read the line, counted up to two, and the first of them.
int QFuncodeLineSplitter_Servo::countReadings(const Line& line, int trailingEmpty, Candidate* first)
{
    const int extra = line.count - Layout::FIELD_COUNT;
    int count = 0;
    for (int pad = 0; pad <= trailingEmpty && count < 2; ++pad) {
        const int end = line.count - pad;
        const int groupEnd = numberToken(line, extra - pad);
        for (int anchor = groupEnd + 2; anchor <= end - 9 && count < 2; ++anchor) {
            if (!line.isAnchor(anchor)) {
                continue;
            }
            // Three texts of k tokens can be split in (k - 1)(k - 2) / 2 ways.
            const int texts = end - anchor - 6;
            count += (texts - 1) * (texts - 2) / 2;
            first->pad = pad;
            first->groupEnd = groupEnd;
            first->anchor = anchor;
            first->textSplit[0] = anchor + 7;
            first->textSplit[1] = anchor + 8;
        }
    }
    return count;
}

int QFuncodeLineSplitter_Servo::numberToken(const Line& line, int extra)
{
    const int first = Layout::FIELD_NUMBER;
    for (int g = 0; g <= extra; ++g) {
        if (looksLikeNumber(line.chars(first + g, first + g + 1))) {
            return first + g;
        }
    }
    return first;
}

void QFuncodeLineSplitter_Servo::scoreAnchors(const Line& line, int end, int groupEnd,
                                              const tagSubFuncode_Servo* fun, Candidate* best) const
{
    const int lastAnchor = end - 9; // six integers and at least three texts
    for (int anchor = groupEnd + 2; anchor <= lastAnchor; ++anchor) {
        if (!line.isAnchor(anchor)) {
            continue;
        }
        const qint64* ints = line.ints + anchor;
        const qint64 axisNum = ints[2];
        const int nameScore = fun && fun->funName == line.chars(groupEnd + 1, anchor) ? 8 : 0;
        // An anchor whose texts could not lift it above the best one so far is not looked at further.
        if (nameScore + 3 * kMaxTextScore + 2 <= best->score) {
            continue;
        }
        int split[2] = {0, 0};
        const int score = nameScore + scoreTexts(line, anchor + 6, end, ints + 3, static_cast<int>(axisNum),
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
int QFuncodeLineSplitter_Servo::scoreTexts(const Line& line, int from, int end, const qint64 raws[3],
                                           int axisNum, const tagSubFuncode_Servo* fun, int floor,
                                           int* split) const
{
    // Equal raw values of present axes show equal texts: a point each.
    const int bonusX = axisNum > 1 && raws[0] == raws[1] ? 1 : 0;
    const int bonusZ = axisNum > 2 && raws[1] == raws[2] ? 1 : 0;
    const bool present[3] = {axisNum > 0, axisNum > 1, axisNum > 2};
    const int top[3] = {topScore(present[0], fun), topScore(present[1], fun), topScore(present[2], fun)};
    const auto bonus = [&](int y, int z) {
        if (bonusX + bonusZ == 0) {
            return 0;
        }
        const Chars textY = line.chars(y, z);
        return ((bonusX && line.chars(from, y) == textY) ? 1 : 0) +
               ((bonusZ && textY == line.chars(z, end)) ? 1 : 0);
    };
    if (end - from == 3) {
        // A token to each text: one split, its texts read only as far as it could still beat floor.
        const int y = from + 1;
        const int z = from + 2;
        const int bonuses = bonusX + bonusZ;
        const int scoreX =
            textScore(line, from, y, raws[0], present[0], fun, floor - top[1] - top[2] - bonuses + 1);
        const int scoreY =
            textScore(line, y, z, raws[1], present[1], fun, floor - scoreX - top[2] - bonuses + 1);
        const int scoreZ =
            textScore(line, z, end, raws[2], present[2], fun, floor - scoreX - scoreY - bonuses + 1);
        const int score = scoreX + scoreY + scoreZ + bonus(y, z);
        if (score <= floor) {
            return floor;
        }
        split[0] = y;
        split[1] = z;
        return score;
    }
    // The X text by where it ends and the Z text by where it starts, each scored at most once.
    TextScores xs(top[0], from, end);
    TextScores zs(top[2], from, end);
    const auto xScore = [&](int y, int need) {
        return xs.score(y, need,
                        [&](int n) { return textScore(line, from, y, raws[0], present[0], fun, n); });
    };
    const auto zScore = [&](int z, int need) {
        return zs.score(z, need, [&](int n) { return textScore(line, z, end, raws[2], present[2], fun, n); });
    };
    // The first split whose three texts score the most they can.
    const auto topSplit = [&](int* topY, int* topZ) {
        for (int y = from + 1; y < end - 1; ++y) {
            if (xScore(y, top[0]) != top[0]) {
                continue;
            }
            for (int z = y + 1; z < end; ++z) {
                if (zScore(z, top[2]) == top[2] &&
                    textScore(line, y, z, raws[1], present[1], fun, top[1]) == top[1]) {
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
        // No Y and Z texts after this X text could lift the split above the best.
        if (scoreX + top[1] + top[2] + bonusX + bonusZ <= best) {
            continue;
        }
        for (int z = y + 1; z < end; ++z) {
            const int need = best - scoreX - zs.most(z) - bonusX - bonusZ + 1;
            if (need > top[1]) {
                continue;
            }
            // The top split's Y text is known to score the most.
            const int scoreY =
                y == topY && z == topZ ? top[1] : textScore(line, y, z, raws[1], present[1], fun, need);
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

// The value the run of tokens from..to-1 reads as, read once per line whatever the anchor and split.
bool QFuncodeLineSplitter_Servo::parsedValue(const Line& line, int from, int to,
                                             const tagSubFuncode_Servo& fun, qint64* value) const
{
    Parsed& parsed = m_parsed[from * m_tokenCount + to];
    if (parsed.generation != m_generation) {
        parsed.generation = m_generation;
        parsed.value = 0;
        parsed.ok = QFuncodeScaling::parseShowText(fun, line.view(from, to), &parsed.value);
    }
    *value = parsed.value;
    return parsed.ok;
}

int QFuncodeLineSplitter_Servo::textScore(const Line& line, int from, int to, qint64 raw, bool axisPresent,
                                          const tagSubFuncode_Servo* fun, int need) const
{
    // Only a text the description shows scores more than 3.
    if (need > topScore(axisPresent, fun)) {
        return 0;
    }
    const Chars text = line.chars(from, to);
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
        if (QFuncodeScaling::showsRaw(*fun, line.view(from, to), raw)) {
            return kMaxTextScore;
        }
        if (need > 3) {
            return 0; // reading it as a value would not be enough
        }
        qint64 value = 0;
        return parsedValue(line, from, to, *fun, &value) && value == raw ? 3 : 0;
    }
    if (startsWithValue(text, raw)) {
        return 3; // an enumerated text
    }
    if (text.size >= 2 && text.at(0) == '0' && (text.at(1) == 'x' || text.at(1) == 'X')) {
        bool ok = false;
        const QStringRef digits = line.view(from, to).mid(2);
        const quint64 value = digits.toULongLong(&ok, 16);
        const int bits = qMin(64, 4 * digits.size());
        const quint64 mask = bits >= 64 ? ~quint64(0) : (quint64(1) << bits) - 1;
        return ok && value == (quint64(raw) & mask) ? 3 : 0;
    }
    const int digits = sameDigits(text, raw);
    if (digits >= 0) {
        return digits > 0 ? 3 : 0;
    }
    return text.contains(',') ? 0 : 1;
}

void QFuncodeLineSplitter_Servo::assemble(const Line& line, const Candidate& c, Tokens* fields,
                                          AnchorInts* ints)
{
    if (ints) {
        std::memcpy(ints->data(), line.ints + c.anchor, sizeof(AnchorInts));
    }
    const QStringRef* tokens = line.tokens;
    const int end = line.count - c.pad;
    // The fields of the line before are written over.
    if (fields->size() != Layout::FIELD_COUNT) {
        fields->resize(Layout::FIELD_COUNT);
    }
    QStringRef* field = fields->data();
    *field++ = tokens[0];
    *field++ = tokens[1];
    *field++ = line.view(Layout::FIELD_GROUP, c.groupEnd);
    *field++ = tokens[c.groupEnd];
    *field++ = line.view(c.groupEnd + 1, c.anchor);
    // Qt moves its views as bytes (a primitive type to its containers), and so may this: a copy of a run
    // the compiler need not check for overlap.
    std::memcpy(static_cast<void*>(field), tokens + c.anchor, 6 * sizeof(QStringRef));
    field += 6;
    *field++ = line.view(c.anchor + 6, c.textSplit[0]);
    *field++ = line.view(c.textSplit[0], c.textSplit[1]);
    *field = line.view(c.textSplit[1], end);
}
