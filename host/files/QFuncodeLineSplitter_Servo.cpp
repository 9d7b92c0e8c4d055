#include "QFuncodeLineSplitter_Servo.h"

#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeScaling.h"
#include "tagSubFuncode_Servo.h"

namespace {
typedef QFuncodeFileLayout_Servo Layout;

// A function-code number: no blank, a point, and a letter or digit first ("P00.01").
bool looksLikeNumber(const QString& token)
{
    return !token.isEmpty() && token.at(0).isLetterOrNumber() && token.contains(QLatin1Char('.')) &&
           !token.contains(QLatin1Char(' '));
}

// The digits of a decimal text without sign, point and leading zeros: "-001.50" -> "150".
QString significantDigits(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c.isDigit()) {
            if (!(digits.isEmpty() && c == QLatin1Char('0'))) {
                digits.append(c);
            }
        } else if (c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+')) {
            return QString();
        }
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}
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

bool QFuncodeLineSplitter_Servo::split(const QStringList& tokens, QStringList* fields) const
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
    Candidate best;
    for (int pad = 0; pad <= trailingEmpty; ++pad) {
        Candidate c;
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

int QFuncodeLineSplitter_Servo::numberToken(const QStringList& tokens, int extra) const
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

void QFuncodeLineSplitter_Servo::scoreAnchors(const QStringList& tokens, int end, int groupEnd,
                                              Candidate* best) const
{
    const tagSubFuncode_Servo* fun = m_lookup ? m_lookup(tokens.at(groupEnd)) : nullptr;
    m_parsed.clear();
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
        int split[2] = {0, 0};
        int score = scoreTexts(tokens, anchor + 6, end, ints + 3, static_cast<int>(axisNum), fun, split);
        if (fun && joined(tokens, groupEnd + 1, anchor) == fun->funName) {
            score += 8;
        }
        if (score > best->score) {
            best->score = score;
            best->anchor = anchor;
            best->textSplit[0] = split[0];
            best->textSplit[1] = split[1];
        }
    }
}

// Every split of the tokens from..end into three texts; each text's score is worked out once, and each
// text is compared with what the drive shows for its raw value rather than the value's text built anew.
int QFuncodeLineSplitter_Servo::scoreTexts(const QStringList& tokens, int from, int end, const qint64 raws[3],
                                           int axisNum, const tagSubFuncode_Servo* fun, int* split) const
{
    QString shown[3];
    for (int axis = 0; fun && axis < 3; ++axis) {
        shown[axis] = QFuncodeScaling::showText(*fun, raws[axis]);
    }
    QVector<QString> zTexts(end);
    QVector<int> zScores(end);
    for (int z = from + 2; z < end; ++z) {
        zTexts[z] = joined(tokens, z, end);
        zScores[z] = textScore(zTexts.at(z), raws[2], axisNum > 2, fun, shown[2]);
    }
    int best = -1;
    for (int y = from + 1; y < end - 1; ++y) {
        const QString x = joined(tokens, from, y);
        const int xScore = textScore(x, raws[0], axisNum > 0, fun, shown[0]);
        for (int z = y + 1; z < end; ++z) {
            const QString textY = joined(tokens, y, z);
            int score = xScore + textScore(textY, raws[1], axisNum > 1, fun, shown[1]) + zScores.at(z);
            // Equal raw values of present axes show equal texts.
            score += (axisNum > 1 && raws[0] == raws[1] && x == textY) ? 1 : 0;
            score += (axisNum > 2 && raws[1] == raws[2] && textY == zTexts.at(z)) ? 1 : 0;
            if (score > best) {
                best = score;
                split[0] = y;
                split[1] = z;
            }
        }
    }
    return best;
}

int QFuncodeLineSplitter_Servo::textScore(const QString& text, qint64 raw, bool axisPresent,
                                          const tagSubFuncode_Servo* fun, const QString& shown) const
{
    if (!axisPresent) {
        return text.isEmpty() ? 3 : 0;
    }
    if (text.isEmpty()) {
        return 1; // never read
    }
    if (text == QLatin1String("null")) {
        return 2; // a read that failed
    }
    if (fun) {
        if (text == shown) {
            return 4;
        }
        // The same text comes back for every anchor and split: its value is read from it once.
        auto parsed = m_parsed.constFind(text);
        if (parsed == m_parsed.constEnd()) {
            qint64 value = 0;
            const bool ok = QFuncodeScaling::parseShowText(*fun, text, &value);
            parsed = m_parsed.insert(text, std::make_pair(ok, value));
        }
        return parsed->first && parsed->second == raw ? 3 : 0;
    }
    if (text.startsWith(QString::number(raw) + QLatin1Char(':'))) {
        return 3; // an enumerated text
    }
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        bool ok = false;
        const QStringRef digits = text.midRef(2);
        const quint64 value = digits.toULongLong(&ok, 16);
        const int bits = qMin(64, 4 * digits.size());
        const quint64 mask = bits >= 64 ? ~quint64(0) : (quint64(1) << bits) - 1;
        return ok && value == (quint64(raw) & mask) ? 3 : 0;
    }
    const QString digits = significantDigits(text);
    if (!digits.isEmpty()) {
        return digits == significantDigits(QString::number(raw)) ? 3 : 0;
    }
    return text.contains(QLatin1Char(',')) ? 0 : 1;
}

QString QFuncodeLineSplitter_Servo::joined(const QStringList& tokens, int from, int to)
{
    if (to - from == 1) {
        return tokens.at(from);
    }
    QString text;
    for (int i = from; i < to; ++i) {
        if (i > from) {
            text.append(QLatin1Char(','));
        }
        text.append(tokens.at(i));
    }
    return text;
}

void QFuncodeLineSplitter_Servo::assemble(const QStringList& tokens, const Candidate& c, QStringList* fields)
{
    const int end = tokens.size() - c.pad;
    fields->clear();
    fields->reserve(Layout::FIELD_COUNT);
    *fields << tokens.at(0) << tokens.at(1) << joined(tokens, Layout::FIELD_GROUP, c.groupEnd)
            << tokens.at(c.groupEnd) << joined(tokens, c.groupEnd + 1, c.anchor);
    for (int k = 0; k < 6; ++k) {
        fields->append(tokens.at(c.anchor + k));
    }
    *fields << joined(tokens, c.anchor + 6, c.textSplit[0]) << joined(tokens, c.textSplit[0], c.textSplit[1])
            << joined(tokens, c.textSplit[1], end);
}
