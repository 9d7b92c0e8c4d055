#include "QFuncodeFileParser_Servo.h"

#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeHelperBase.h"
#include "drive/QFuncodeScaling.h"

#include <limits>

namespace {
typedef QFuncodeFileLayout_Servo Layout;
typedef QFuncodeHelperBase Errors;

// Tokens of a line that ends before the value texts of axes Y and Z (what some programs make of
// trailing empty fields) are completed with empty texts.
const int kShortestCodeLine = Layout::FIELD_TEXT + 1;
} // namespace

QFuncodeFileParser_Servo::QFuncodeFileParser_Servo(bool requireMark, ModelLookup lookup)
    : m_requireMark(requireMark), m_lookup(std::move(lookup)),
      m_splitter([this](const QString& funIndex) { return description(funIndex); }), m_state(EXPECT_MARK)
{
}

const tagSubFuncode_Servo* QFuncodeFileParser_Servo::description(const QString& funIndex) const
{
    return m_model ? m_model->code(funIndex) : nullptr;
}

bool QFuncodeFileParser_Servo::fail(int error, int line, const QString& what)
{
    m_error = error;
    m_detail = line > 0 ? QStringLiteral("%1: %2").arg(Errors::lineText(line), what) : what;
    m_state = ENDED;
    return false;
}

bool QFuncodeFileParser_Servo::isEmptyLine(const QStringList& tokens)
{
    for (const QString& token : tokens) {
        if (!token.trimmed().isEmpty()) {
            return false;
        }
    }
    return true;
}

bool QFuncodeFileParser_Servo::containsText(const QStringList& tokens, const QString& text)
{
    for (const QString& token : tokens) {
        if (token.contains(text)) {
            return true;
        }
    }
    return false;
}

// A line that starts with the two address integers and is long enough.
bool QFuncodeFileParser_Servo::looksLikeCodeLine(const QStringList& tokens)
{
    return tokens.size() >= kShortestCodeLine && Layout::parseInteger(tokens.at(0), nullptr) &&
           Layout::parseInteger(tokens.at(1), nullptr);
}

bool QFuncodeFileParser_Servo::addLine(int line, const QStringList& tokens, bool exactCells)
{
    if (m_state == ENDED) {
        return false;
    }
    m_lastLine = line;
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
        return looksLikeCodeLine(tokens) ? addCode(line, tokens, exactCells) : true;
    case READ_CODES:
        return addCode(line, tokens, exactCells);
    case ENDED:
        break;
    }
    return false;
}

bool QFuncodeFileParser_Servo::addMark(int line, const QStringList& tokens)
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

bool QFuncodeFileParser_Servo::addDevice(int line, const QStringList& tokens)
{
    if (looksLikeCodeLine(tokens)) {
        return fail(Errors::FILE_ERR_NO_DEVICE, line, tr("STR_FILE_DEVICE_LINE_MISSING"));
    }
    m_info.devText = tokens.value(0).trimmed();
    m_info.axisNumText = tokens.value(1).trimmed();
    m_info.commuName = tokens.value(2).trimmed();
    m_info.modeText = tokens.value(3).trimmed();
    if (m_info.devText.isEmpty()) {
        return fail(Errors::FILE_ERR_DEVICE_INFO, line, tr("STR_FILE_DEVICE_TEXT_EMPTY"));
    }
    qint64 axes = 0;
    if (!m_info.axisNumText.isEmpty() &&
        (!Layout::parseInteger(m_info.axisNumText, &axes) || axes < 1 || axes > 3)) {
        return fail(Errors::FILE_ERR_DEVICE_INFO, line,
                    tr("STR_FILE_BAD_AXIS_COUNT").arg(m_info.axisNumText));
    }
    if (m_lookup) {
        m_model = m_lookup(m_info.devText.section(QLatin1Char('_'), 0, 0));
    }
    m_state = EXPECT_HEADING;
    return true;
}

bool QFuncodeFileParser_Servo::addCode(int line, const QStringList& tokens, bool exactCells)
{
    if (containsText(tokens, Layout::endSign())) {
        m_state = ENDED;
        return false;
    }
    QStringList fields;
    if (!codeFields(line, tokens, exactCells, &fields)) {
        return false;
    }
    tagExportFuncodePtr_Servo funcode(new tagExportFuncode_Servo);
    if (!toRecord(line, fields, funcode.data())) {
        return false;
    }
    m_info.funcodes.append(funcode);
    return true;
}

bool QFuncodeFileParser_Servo::codeFields(int line, const QStringList& tokens, bool exactCells,
                                          QStringList* fields)
{
    if (tokens.size() < kShortestCodeLine) {
        return fail(Errors::FILE_ERR_FIELD_COUNT, line,
                    tr("STR_FILE_FIELDS_FOUND").arg(tokens.size()).arg(int(Layout::FIELD_COUNT)));
    }
    if (exactCells || tokens.size() < Layout::FIELD_COUNT) {
        *fields = tokens.mid(0, Layout::FIELD_COUNT);
        while (fields->size() < Layout::FIELD_COUNT) {
            fields->append(QString());
        }
        return true;
    }
    if (!m_splitter.split(tokens, fields)) {
        return fail(Errors::FILE_ERR_SPLIT, line, tr("STR_FILE_FIELDS_UNCLEAR").arg(tokens.size()));
    }
    return true;
}

bool QFuncodeFileParser_Servo::integerField(int line, const QStringList& fields, int field, qint64* value)
{
    if (Layout::parseInteger(fields.at(field), value)) {
        return true;
    }
    return fail(Errors::FILE_ERR_NOT_INTEGER, line,
                tr("STR_FILE_FIELD_NOT_INTEGER").arg(field + 1).arg(fields.at(field)));
}

bool QFuncodeFileParser_Servo::toRecord(int line, const QStringList& fields, tagExportFuncode_Servo* funcode)
{
    qint64 ints[Layout::FIELD_TEXT] = {0};
    for (int field = 0; field < Layout::FIELD_TEXT; ++field) {
        if (Layout::isIntegerField(field) && !integerField(line, fields, field, &ints[field])) {
            return false;
        }
    }
    const qint64 axisNum = ints[Layout::FIELD_AXIS_NUM];
    if (axisNum < 1 || axisNum > 3) {
        return fail(Errors::FILE_ERR_AXIS_COUNT, line, tr("STR_FILE_BAD_AXIS_COUNT").arg(axisNum));
    }
    for (int field :
         {Layout::FIELD_CANOPEN, Layout::FIELD_USB, Layout::FIELD_AUTHORITY, Layout::FIELD_DATA_TYPE}) {
        if (ints[field] < std::numeric_limits<int>::min() || ints[field] > std::numeric_limits<int>::max()) {
            return fail(Errors::FILE_ERR_NOT_INTEGER, line,
                        tr("STR_FILE_FIELD_NOT_INTEGER").arg(field + 1).arg(fields.at(field)));
        }
    }
    funcode->funIndex = fields.at(Layout::FIELD_NUMBER).trimmed();
    if (funcode->funIndex.isEmpty()) {
        return fail(Errors::FILE_ERR_NO_NUMBER, line, tr("STR_FILE_NUMBER_EMPTY"));
    }
    funcode->canopenAddr = static_cast<int>(ints[Layout::FIELD_CANOPEN]);
    funcode->usbCode = static_cast<int>(ints[Layout::FIELD_USB]);
    funcode->groupName = fields.at(Layout::FIELD_GROUP);
    funcode->funName = fields.at(Layout::FIELD_NAME);
    funcode->authority = static_cast<int>(ints[Layout::FIELD_AUTHORITY]);
    funcode->dataType = static_cast<int>(ints[Layout::FIELD_DATA_TYPE]);
    funcode->axisNum = static_cast<int>(axisNum);
    for (int axis = 0; axis < 3; ++axis) {
        funcode->curValue[static_cast<size_t>(axis)] = ints[Layout::FIELD_RAW + axis];
    }
    reconcileValues(funcode, fields.mid(Layout::FIELD_TEXT, funcode->axisNum));
    return true;
}

void QFuncodeFileParser_Servo::reconcileValues(tagExportFuncode_Servo* funcode,
                                               const QStringList& texts) const
{
    funcode->valueTexts = texts;
    const tagSubFuncode_Servo* fun = description(funcode->funIndex);
    if (!fun) {
        return;
    }
    for (int axis = 0; axis < texts.size(); ++axis) {
        const QString& text = texts.at(axis);
        qint64& raw = funcode->curValue[static_cast<size_t>(axis)];
        if (text.isEmpty() || text == QFuncodeScaling::showText(*fun, raw)) {
            continue;
        }
        qint64 parsed = 0;
        if (QFuncodeScaling::parseShowText(*fun, text, &parsed)) {
            raw = parsed;
            funcode->valueTexts[axis] = QFuncodeScaling::showText(*fun, parsed);
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
