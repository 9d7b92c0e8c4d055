#include "QFuncodeCsvReader_Servo.h"

#include "QBoundedFileReader.h"
#include "QFuncodeHelperBase.h"
#include "QFuncodeLineSplitter_Servo.h"

#include <QTextCodec>

#include <algorithm>

namespace {
typedef QFuncodeHelperBase Errors;

// The line that starts at pos cut at its commas in one pass, into views written in place (made with their
// position also when empty, which QStringRef::mid forgets, so that a run of tokens is one view of the
// line). Returns where the line ends ('\n', '\r' or "\r\n", with the length of the end in *endLength), or
// -1 when the line holds a quote: a quoted field may hold commas and line ends, and is read apart.
int cutLine(const QString& text, int pos, QFuncodeFileParser_Servo::Tokens* tokens, int* endLength)
{
    const int size = text.size();
    const QChar* data = text.constData();
    // The views of the line before are written over: lines of one file mostly have as many tokens.
    if (tokens->size() < 2) {
        tokens->resize(32);
    }
    QStringRef* token = tokens->data();
    int room = tokens->size() - 1; // the last token after the last comma always fits
    int count = 0;
    int start = pos;
    int i = pos;
    for (; i < size; ++i) {
        const ushort c = data[i].unicode();
        // Letters and digits, nearly every character, are above all four looked for.
        if (c > ',') {
            continue;
        }
        if (c == ',') {
            if (count == room) {
                tokens->resize(2 * tokens->size() + 16);
                token = tokens->data();
                room = tokens->size() - 1;
            }
            token[count++] = QStringRef(&text, start, i - start);
            start = i + 1;
        } else if (c == '"') {
            return -1;
        } else if (c == '\n' || c == '\r') {
            break;
        }
    }
    token[count++] = QStringRef(&text, start, i - start);
    if (count != tokens->size()) {
        tokens->resize(count);
    }
    *endLength = 0;
    if (i < size) {
        *endLength = data[i].unicode() == '\r' && i + 1 < size && data[i + 1].unicode() == '\n' ? 2 : 1;
    }
    return i;
}
} // namespace

QFuncodeCsvReader_Servo::QFuncodeCsvReader_Servo(bool requireMark,
                                                 QFuncodeFileParser_Servo::ModelLookup lookup)
    : m_requireMark(requireMark), m_lookup(std::move(lookup))
{
}

int QFuncodeCsvReader_Servo::fail(int error, const QString& detail)
{
    m_detail = detail;
    return error;
}

int QFuncodeCsvReader_Servo::readFile(const QString& path, tagExportDevInfo_Servo* info)
{
    QBoundedFileReader file(kMaxFileBytes);
    QByteArray bytes;
    const int result = file.read(path, &bytes);
    if (result != QBoundedFileReader::READ_OK) {
        return fail(Errors::fileError(result), file.errorText());
    }
    return readBytes(bytes, info);
}

QString QFuncodeCsvReader_Servo::decode(const QByteArray& bytes)
{
    if (QTextCodec* withMark = QTextCodec::codecForUtfText(bytes, nullptr)) {
        // The codec drops its byte-order mark.
        return withMark->toUnicode(bytes);
    }
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0) {
        return text;
    }
    QTextCodec* local = QTextCodec::codecForLocale();
    if (local && local->mibEnum() != utf8->mibEnum()) {
        return local->toUnicode(bytes);
    }
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

int QFuncodeCsvReader_Servo::readBytes(const QByteArray& bytes, tagExportDevInfo_Servo* info)
{
    m_detail.clear();
    const QString text = decode(bytes);
    // Looked at in place: a trimmed copy would hold the whole text a second time.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); })) {
        return fail(Errors::FILE_ERR_EMPTY, QString());
    }
    QFuncodeFileParser_Servo parser(m_requireMark, m_lookup);
    parser.setCancelFlag(m_cancel);
    QFuncodeFileParser_Servo::Tokens tokens;
    QStringList quoted;
    QString record; // a record with quoted fields, unquoted
    int pos = 0;
    for (int line = 1; pos < text.size();) {
        int endLength = 0;
        const int end = cutLine(text, pos, &tokens, &endLength);
        int lines = 1;
        if (end < 0) {
            // A quoted field may hold a line end: the record goes on to the field's end.
            lines = 0;
            pos = QFuncodeLineSplitter_Servo::tokenizeRecord(text, pos, &quoted, &lines);
            QFuncodeLineSplitter_Servo::viewsOf(quoted, &record, &tokens);
        } else {
            pos = end + endLength;
        }
        if (!parser.addLine(line, tokens, false)) {
            break;
        }
        line += qMax(lines, 1);
    }
    if (!parser.finish()) {
        return fail(parser.error(), parser.errorDetail());
    }
    *info = parser.result();
    return Errors::FILE_OK;
}
