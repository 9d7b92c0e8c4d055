#include "QFuncodeFileParser_Servo.h"

#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeHelperBase.h"
#include "QFuncodeScaling.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
typedef QFuncodeFileLayout_Servo Layout;
typedef QFuncodeHelperBase Errors;

// Tokens of a line that ends before the value texts of axes Y and Z (what some programs make of
// trailing empty fields) are completed with empty texts.
const int kShortestCodeLine = Layout::FIELD_TEXT + 1;
// The clock and the cancel flag are looked at once in so many lines.
const int kLinesPerCheck = 256;

// The characters of the tokens and the commas after them; longest >= 0 says they are one comma apart.
int charsOf(const QFuncodeFileParser_Servo::Tokens& tokens, int longest)
{
    if (longest >= 0 && !tokens.isEmpty()) {
        return tokens.last().position() + tokens.last().size() - tokens.first().position() + 1;
    }
    int chars = tokens.size();
    for (const QStringRef& token : tokens) {
        chars += token.size();
    }
    return chars;
}

// Where text is first found in the size characters from data on, or -1. Candidates are those with the
// text's first and last character in place, eight looked at in one step where the processor can.
int indexOf(const QChar* data, int size, const QString& text)
{
    const int length = text.size();
    const QChar* wanted = text.constData();
    const ushort firstChar = wanted[0].unicode();
    const ushort lastChar = wanted[length - 1].unicode();
    const size_t restBytes = size_t(length - 1) * sizeof(QChar);
    const auto matches = [&](int at) { return std::memcmp(data + at + 1, wanted + 1, restBytes) == 0; };
    int at = 0;
#if defined(__SSE2__)
    const __m128i firsts = _mm_set1_epi16(short(firstChar));
    const __m128i lasts = _mm_set1_epi16(short(lastChar));
    for (; at + length - 1 + 8 <= size; at += 8) {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + length - 1));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi16(heads, firsts), _mm_cmpeq_epi16(tails, lasts));
        for (unsigned found = unsigned(_mm_movemask_epi8(_mm_packs_epi16(both, both))) & 0xFFu; found != 0;
             found &= found - 1) {
            const int candidate = at + __builtin_ctz(found);
            if (matches(candidate)) {
                return candidate;
            }
        }
    }
#endif
    for (; at <= size - length; ++at) {
        if (data[at].unicode() == firstChar && data[at + length - 1].unicode() == lastChar && matches(at)) {
            return at;
        }
    }
    return -1;
}

// The view without blanks at either end; only a view that has them pays for trimming.
QStringRef trimmedView(const QStringRef& view)
{
    const int size = view.size();
    if (size > 0 && !view.at(0).isSpace() && !view.at(size - 1).isSpace()) {
        return view;
    }
    return view.trimmed();
}
} // namespace

QFuncodeFileParser_Servo::QFuncodeFileParser_Servo(bool requireMark, ModelLookup lookup)
    : m_requireMark(requireMark), m_lookup(std::move(lookup)),
      m_splitter([this](const QStringRef& funIndex) { return description(funIndex); }), m_state(EXPECT_MARK)
{
    m_clock.start();
}

// The code after the one found last is tried first, then the one found last (a line that had its commas
// told apart asks twice), and only then the model's look-up, which needs a text of its own.
//
// A model's descriptions and their texts lie all over the heap, and a file lists its codes in the model's
// order: the descriptions of the lines a little further on are brought into the cache while this line is
// read (the part of the object the reader looks at spans two cache lines; its texts and enumerated table are
// asked for once the object has had time to arrive). The prefetches are written here, in a function with
// effects: a function that only prefetches has none the compiler sees, and its calls are dropped.
const tagSubFuncode_Servo* QFuncodeFileParser_Servo::description(const QStringRef& funIndex)
{
    if (!m_model) {
        return nullptr;
    }
    const QList<tagSubFuncode_Servo>& codes = m_model->codes;
    int row = -1;
    if (m_nextRow < codes.size() && Layout::sameText(codes.at(m_nextRow).funIndex, funIndex)) {
        row = m_nextRow;
    } else if (m_lastRow >= 0 && Layout::sameText(codes.at(m_lastRow).funIndex, funIndex)) {
        row = m_lastRow;
    } else {
        row = m_model->indexOf(funIndex.toString());
    }
    if (row < 0) {
        return nullptr;
    }
    m_lastRow = row;
    m_nextRow = row + 1;
#if defined(__GNUC__)
    if (row + 4 < codes.size()) {
        const char* object = reinterpret_cast<const char*>(&codes.at(row + 4));
        __builtin_prefetch(object);
        __builtin_prefetch(object + 63);
    }
    if (row + 2 < codes.size()) {
        const tagSubFuncode_Servo& next = codes.at(row + 2);
        __builtin_prefetch(const_cast<QString&>(next.funIndex).data_ptr());
        __builtin_prefetch(const_cast<QString&>(next.funName).data_ptr());
        __builtin_prefetch(next.enumTable.data());
    }
#endif
    return &codes.at(row);
}

bool QFuncodeFileParser_Servo::fail(int error, int line, const QString& what)
{
    m_error = error;
    m_errorLine = line;
    m_errorText = what;
    m_state = ENDED;
    return false;
}

QString QFuncodeFileParser_Servo::errorDetail() const
{
    if (m_errorLine <= 0) {
        return m_errorText;
    }
    return QStringLiteral("%1: %2").arg(Errors::lineText(m_errorLine), m_errorText);
}

void QFuncodeFileParser_Servo::continueAfter(const QFuncodeFileParser_Servo& front)
{
    m_model = front.m_model;
    m_clock = front.m_clock;
    m_state = READ_CODES;
}

// A part is read as if it started the codes: its first codes without a group have no code before them.
void QFuncodeFileParser_Servo::startPart()
{
    m_state = READ_CODES;
    m_error = Errors::FILE_OK;
    m_errorLine = 0;
    m_errorText.clear();
    m_lastLine = 0;
    m_lastGroup = QString();
    m_partStart = m_info.funcodes.size();
}

QFuncodeFileParser_Servo::PartEnd QFuncodeFileParser_Servo::endPart(int lines) const
{
    PartEnd part;
    part.firstCode = m_partStart;
    part.codes = m_info.funcodes.size() - m_partStart;
    part.lines = lines;
    part.lastLine = m_lastLine;
    part.error = m_error;
    part.errorLine = m_errorLine;
    part.errorText = m_errorText;
    part.ended = m_state == ENDED;
    return part;
}

void QFuncodeFileParser_Servo::dropTexts()
{
    m_texts = QFuncodeTextPool();
    m_lastGroup = QString();
}

bool QFuncodeFileParser_Servo::appendPart(QFuncodeFileParser_Servo* back, const PartEnd& part,
                                          int linesBefore)
{
    tagExportFuncodeList_Servo& codes = m_info.funcodes;
    // Read on, this parser would have refused the code over the limit wherever it came.
    if (codes.size() + part.codes >= kMaxCodes) {
        return false;
    }
    // A code's group is the one of the code before when the two are equal: once a code had a group, the
    // codes without one have an empty (not a null) group, also at the start of a part.
    const bool grouped = !codes.isEmpty() && !codes.last()->groupName.isNull();
    const int first = codes.size();
    codes.reserve(first + part.codes);
    tagExportFuncodePtr_Servo* from = back->m_info.funcodes.data() + part.firstCode;
    for (int code = 0; code < part.codes; ++code) {
        codes.append(std::move(from[code]));
    }
    for (int row = first; grouped && row < codes.size() && codes.at(row)->groupName.isNull(); ++row) {
        codes.at(row)->groupName = QLatin1String("");
    }
    m_state = part.ended ? ENDED : READ_CODES;
    if (part.lastLine > 0) {
        m_lastLine = part.lastLine + linesBefore;
    }
    if (part.error != Errors::FILE_OK) {
        m_error = part.error;
        m_errorLine = part.errorLine > 0 ? part.errorLine + linesBefore : 0;
        m_errorText = part.errorText;
    }
    return true;
}

// Every field is looked at by the steps below: a field over the limit is refused before it costs anything. A
// line cut from a text says how long its longest token is, and is not looked at again.
Q_ALWAYS_INLINE bool QFuncodeFileParser_Servo::withinLimits(int line, const Tokens& tokens, int longest)
{
    if (++m_linesRead % kLinesPerCheck == 0 && !stillWanted(line)) {
        return false;
    }
    return (longest >= 0 && longest <= kMaxFieldChars) || fieldsWithinLimit(line, tokens);
}

bool QFuncodeFileParser_Servo::stillWanted(int line)
{
    if ((m_cancel && m_cancel->load()) || (m_stop && m_stop->load())) {
        return fail(Errors::FILE_ERR_CANCELLED, line, tr("STR_FILE_READ_CANCELLED"));
    }
    if (m_clock.hasExpired(kMaxReadMilliseconds)) {
        return fail(Errors::FILE_ERR_CANCELLED, line,
                    tr("STR_FILE_READ_TOO_LONG").arg(kMaxReadMilliseconds / 1000));
    }
    return true;
}

bool QFuncodeFileParser_Servo::fieldsWithinLimit(int line, const Tokens& tokens)
{
    for (int field = 0; field < tokens.size(); ++field) {
        if (tokens.at(field).size() > kMaxFieldChars) {
            return fail(Errors::FILE_ERR_TOO_LARGE, line,
                        tr("STR_FILE_FIELD_TOO_LONG")
                            .arg(field + 1)
                            .arg(tokens.at(field).size())
                            .arg(kMaxFieldChars)
                            .arg(Errors::excerpt(tokens.at(field))));
        }
    }
    return true;
}

// Nearly every line opens with a character that is not blank: it is told at once.
Q_ALWAYS_INLINE bool QFuncodeFileParser_Servo::isEmptyLine(const Tokens& tokens)
{
    if (!tokens.isEmpty() && !tokens.first().isEmpty() && !tokens.first().at(0).isSpace()) {
        return false;
    }
    return isBlank(tokens);
}

bool QFuncodeFileParser_Servo::isBlank(const Tokens& tokens)
{
    for (const QStringRef& token : tokens) {
        for (const QChar c : token) {
            if (!c.isSpace()) {
                return false;
            }
        }
    }
    return true;
}

// Asked of every line: a token shorter than the text (nearly every one) is passed over by its size alone, and
// a line whose longest token is known to be shorter at once.
Q_ALWAYS_INLINE bool QFuncodeFileParser_Servo::containsText(const Tokens& tokens, const QString& text,
                                                            int longest)
{
    const int length = text.size();
    if (length == 0) {
        return !tokens.isEmpty();
    }
    if (longest >= 0 && longest < length) {
        return false;
    }
    for (const QStringRef& token : tokens) {
        if (token.size() >= length && indexOf(token.unicode(), token.size(), text) >= 0) {
            return true;
        }
    }
    return false;
}

// A line that starts with the two address integers and is long enough.
bool QFuncodeFileParser_Servo::looksLikeCodeLine(const Tokens& tokens)
{
    return tokens.size() >= kShortestCodeLine && Layout::parseInteger(tokens.at(0), nullptr) &&
           Layout::parseInteger(tokens.at(1), nullptr);
}

QStringList QFuncodeFileParser_Servo::texts(const Tokens& tokens)
{
    QStringList list;
    list.reserve(tokens.size());
    for (const QStringRef& token : tokens) {
        list.append(token.toString());
    }
    return list;
}

bool QFuncodeFileParser_Servo::addLine(int line, const QStringList& tokens, bool exactCells)
{
    Tokens refs;
    refs.reserve(tokens.size());
    for (const QString& token : tokens) {
        refs.append(QStringRef(&token));
    }
    return addLine(line, refs, exactCells);
}

bool QFuncodeFileParser_Servo::addLine(int line, const Tokens& tokens, bool exactCells, int longest)
{
    if (m_state == ENDED) {
        return false;
    }
    m_lastLine = line;
    if (!withinLimits(line, tokens, longest)) {
        return false;
    }
    if (isEmptyLine(tokens)) {
        return true;
    }
    switch (m_state) {
    case EXPECT_MARK:
        return addMark(line, tokens);
    case EXPECT_DEVICE:
        return addDevice(line, tokens);
    case EXPECT_HEADING:
        m_state = READ_CODES;
        // A file without its heading line starts with a function code here.
        return looksLikeCodeLine(tokens) ? addCode(line, tokens, exactCells, longest) : true;
    case READ_CODES:
        return addCode(line, tokens, exactCells, longest);
    case ENDED:
        break;
    }
    return false;
}

bool QFuncodeFileParser_Servo::addMark(int line, const Tokens& tokens)
{
    if (containsText(tokens, Layout::markSignature())) {
        m_state = EXPECT_DEVICE;
        return true;
    }
    if (m_requireMark) {
        return fail(Errors::FILE_ERR_NO_MARK, line, tr("STR_FILE_MARK_MISSING").arg(Layout::markSignature()));
    }
    return addDevice(line, tokens);
}

bool QFuncodeFileParser_Servo::addDevice(int line, const Tokens& tokens)
{
    if (looksLikeCodeLine(tokens)) {
        return fail(Errors::FILE_ERR_NO_DEVICE, line, tr("STR_FILE_DEVICE_LINE_MISSING"));
    }
    const QStringList fields = texts(tokens.mid(0, 4));
    m_info.devText = fields.value(0).trimmed();
    m_info.axisNumText = fields.value(1).trimmed();
    m_info.commuName = fields.value(2).trimmed();
    m_info.modeText = fields.value(3).trimmed();
    if (m_info.devText.isEmpty()) {
        return fail(Errors::FILE_ERR_DEVICE_INFO, line, tr("STR_FILE_DEVICE_TEXT_EMPTY"));
    }
    qint64 axes = 0;
    if (!m_info.axisNumText.isEmpty() &&
        (!Layout::parseInteger(m_info.axisNumText, &axes) || axes < 1 || axes > 3)) {
        return fail(Errors::FILE_ERR_DEVICE_INFO, line,
                    tr("STR_FILE_BAD_AXIS_COUNT").arg(Errors::excerpt(QStringRef(&m_info.axisNumText))));
    }
    if (m_lookup) {
        m_model = m_lookup(m_info.devText.section(QLatin1Char('_'), 0, 0));
    }
    m_state = EXPECT_HEADING;
    return true;
}

bool QFuncodeFileParser_Servo::addCode(int line, const Tokens& tokens, bool exactCells, int longest)
{
    // Made once: every line is searched for it.
    static const QString endSign = Layout::endSign();
    if (containsText(tokens, endSign, longest)) {
        m_state = ENDED;
        return false;
    }
    if (tokens.size() < kShortestCodeLine) {
        return fail(Errors::FILE_ERR_FIELD_COUNT, line,
                    tr("STR_FILE_FIELDS_FOUND").arg(tokens.size()).arg(int(Layout::FIELD_COUNT)));
    }
    if (m_info.funcodes.size() >= kMaxCodes) {
        return fail(Errors::FILE_ERR_TOO_LARGE, line, tr("STR_FILE_TOO_MANY_CODES").arg(kMaxCodes));
    }
    tagExportFuncodePtr_Servo funcode = tagExportFuncodePtr_Servo::create();
    if (tokens.size() < Layout::FIELD_COUNT) {
        // Fields a short line lacks are empty.
        QStringRef fields[Layout::FIELD_COUNT];
        std::copy_n(tokens.cbegin(), tokens.size(), fields);
        if (!toRecord(line, fields, funcode.data())) {
            return false;
        }
    } else if (exactCells || tokens.size() == Layout::FIELD_COUNT) {
        // The tokens are the fields (cells beyond the last field are not read).
        if (!toRecord(line, tokens.constData(), funcode.data())) {
            return false;
        }
    } else {
        // More tokens than fields: a name or a text with commas. The work of telling them apart grows
        // with the line's length and its commas, so both are bounded.
        if (tokens.size() > Layout::FIELD_COUNT + QFuncodeLineSplitter_Servo::kMaxExtraCommas ||
            charsOf(tokens, longest) > kMaxSplitLineChars ||
            !m_splitter.split(tokens, &m_fields, &m_anchorInts)) {
            return fail(Errors::FILE_ERR_SPLIT, line, tr("STR_FILE_FIELDS_UNCLEAR").arg(tokens.size()));
        }
        if (!toRecord(line, m_fields.constData(), funcode.data(), &m_anchorInts)) {
            return false;
        }
    }
    m_info.funcodes.append(std::move(funcode));
    return true;
}

bool QFuncodeFileParser_Servo::integerFields(int line, const QStringRef* fields, const AnchorInts* anchorInts,
                                             qint64* ints)
{
    // The integer fields in their order, so that a line's first wrong one is named; the integers that told a
    // line's tokens apart (from the authority on) were read so already.
    static const int kIntegerFields[] = {
        Layout::FIELD_CANOPEN,  Layout::FIELD_USB, Layout::FIELD_AUTHORITY, Layout::FIELD_DATA_TYPE,
        Layout::FIELD_AXIS_NUM, Layout::FIELD_RAW, Layout::FIELD_RAW + 1,   Layout::FIELD_RAW + 2};
    const int toRead = anchorInts ? 2 : 8;
    int wrong = -1;
    for (int i = 0; i < toRead; ++i) {
        const int field = kIntegerFields[i];
        qint64& value = ints[field];
        // Bare digits, as our writer writes an integer, are read inline; anything else by the layout's
        // reading. Only the raw values are 64 bits wide.
        if ((!Layout::parseStrictInteger(fields[field], &value) &&
             !Layout::parseInteger(fields[field], &value)) ||
            (field < Layout::FIELD_RAW && value != qint64(int(value)))) {
            wrong = field;
            break;
        }
    }
    if (wrong < 0 && anchorInts) {
        std::copy(anchorInts->cbegin(), anchorInts->cend(), ints + Layout::FIELD_AUTHORITY);
        for (int field = Layout::FIELD_AUTHORITY; field < Layout::FIELD_RAW; ++field) {
            if (ints[field] != qint64(int(ints[field]))) {
                wrong = field;
                break;
            }
        }
    }
    if (wrong >= 0) {
        return fail(Errors::FILE_ERR_NOT_INTEGER, line,
                    tr("STR_FILE_FIELD_NOT_INTEGER").arg(wrong + 1).arg(Errors::excerpt(fields[wrong])));
    }
    return true;
}

QString QFuncodeFileParser_Servo::groupName(const QStringRef& group)
{
    if (!Layout::sameText(m_lastGroup, group)) {
        m_lastGroup = m_texts.text(group);
    }
    return m_lastGroup;
}

bool QFuncodeFileParser_Servo::toRecord(int line, const QStringRef* fields, tagExportFuncode_Servo* funcode,
                                        const AnchorInts* anchorInts)
{
    qint64 ints[Layout::FIELD_TEXT] = {0};
    if (!integerFields(line, fields, anchorInts, ints)) {
        return false;
    }
    const qint64 axisNum = ints[Layout::FIELD_AXIS_NUM];
    if (axisNum < 1 || axisNum > 3) {
        return fail(Errors::FILE_ERR_AXIS_COUNT, line, tr("STR_FILE_BAD_AXIS_COUNT").arg(axisNum));
    }
    const QStringRef number = trimmedView(fields[Layout::FIELD_NUMBER]);
    if (number.isEmpty()) {
        return fail(Errors::FILE_ERR_NO_NUMBER, line, tr("STR_FILE_NUMBER_EMPTY"));
    }
    // Texts the description holds are shared with it rather than copied, and assigned straight from it: a
    // copy on the way would count on the description's text (a cache miss away) twice more.
    const tagSubFuncode_Servo* fun = description(number);
    const QStringRef name = fields[Layout::FIELD_NAME];
    if (fun) {
        funcode->funIndex = fun->funIndex;
    } else {
        funcode->funIndex = number.toString();
    }
    funcode->canopenAddr = static_cast<int>(ints[Layout::FIELD_CANOPEN]);
    funcode->usbCode = static_cast<int>(ints[Layout::FIELD_USB]);
    funcode->groupName = groupName(fields[Layout::FIELD_GROUP]);
    if (fun && Layout::sameText(fun->funName, name)) {
        funcode->funName = fun->funName;
    } else {
        funcode->funName = name.toString();
    }
    funcode->authority = static_cast<int>(ints[Layout::FIELD_AUTHORITY]);
    funcode->dataType = static_cast<int>(ints[Layout::FIELD_DATA_TYPE]);
    funcode->axisNum = static_cast<int>(axisNum);
    for (int axis = 0; axis < 3; ++axis) {
        funcode->curValue[static_cast<size_t>(axis)] = ints[Layout::FIELD_RAW + axis];
    }
    funcode->valueTexts = m_texts.texts(fields + Layout::FIELD_TEXT, funcode->axisNum);
    if (fun) {
        reconcileValues(*fun, funcode);
    }
    return true;
}

// A text that shows its raw value is taken as it stands; only a text that does not is read again, and then
// shown as the drive shows its value.
void QFuncodeFileParser_Servo::reconcileValues(const tagSubFuncode_Servo& fun,
                                               tagExportFuncode_Servo* funcode)
{
    for (int axis = 0; axis < funcode->valueTexts.size(); ++axis) {
        const QString& text = funcode->valueTexts.at(axis);
        qint64& raw = funcode->curValue[static_cast<size_t>(axis)];
        if (text.isEmpty() || QFuncodeScaling::showsRaw(fun, QStringRef(&text), raw)) {
            continue;
        }
        qint64 parsed = 0;
        if (QFuncodeScaling::parseShowText(fun, text, &parsed)) {
            funcode->textTakenAxes |= parsed != raw ? quint8(1u << axis) : quint8(0);
            raw = parsed;
            funcode->valueTexts[axis] = QFuncodeScaling::showText(fun, parsed);
        }
    }
}

bool QFuncodeFileParser_Servo::finish()
{
    if (m_error != Errors::FILE_OK) {
        return false;
    }
    if (m_state == EXPECT_MARK) {
        return fail(m_lastLine == 0 ? Errors::FILE_ERR_EMPTY : Errors::FILE_ERR_NO_MARK, 0,
                    tr("STR_FILE_MARK_MISSING").arg(Layout::markSignature()));
    }
    if (m_state == EXPECT_DEVICE) {
        return fail(Errors::FILE_ERR_NO_DEVICE, 0, tr("STR_FILE_DEVICE_LINE_MISSING"));
    }
    if (m_info.funcodes.isEmpty()) {
        return fail(Errors::FILE_ERR_NO_FUNCODE, 0, tr("STR_FILE_NO_FUNCODE_LINES"));
    }
    m_state = ENDED;
    return true;
}
