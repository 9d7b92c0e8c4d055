#include "QFuncodeCsvReader_Servo.h"

#include "QBoundedFileReader.h"
#include "QFuncodeHelperBase.h"
#include "QFuncodeLineSplitter_Servo.h"

#include <QTextCodec>

#include <algorithm>

namespace {
typedef QFuncodeHelperBase Errors;

// One pass over the line that starts at pos: where it ends ('\n', '\r' or "\r\n", with the length of the
// end), how many commas it holds, and whether it holds a quote.
struct LineScan
{
    int end = 0;
    int endLength = 0;
    int commas = 0;
    bool quote = false;
};

LineScan scanLine(const QString& text, int pos)
{
    LineScan scan;
    const int size = text.size();
    const QChar* data = text.constData();
    for (int i = pos; i < size; ++i) {
        const ushort c = data[i].unicode();
        // Letters and digits, nearly every character, are above all four looked for.
        if (c > ',') {
            continue;
        }
        if (c == ',') {
            ++scan.commas;
        } else if (c == '"') {
            scan.quote = true;
        } else if (c == '\n' || c == '\r') {
            scan.end = i;
            scan.endLength = (c == '\r' && i + 1 < size && data[i + 1].unicode() == '\n') ? 2 : 1;
            return scan;
        }
    }
    scan.end = size;
    return scan;
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
        const LineScan scan = scanLine(text, pos);
        bool goOn = true;
        int lines = 1;
        if (scan.quote) {
            // A quoted field may hold a line end: the record goes on to the field's end.
            lines = 0;
            pos = QFuncodeLineSplitter_Servo::tokenizeRecord(text, pos, &quoted, &lines);
            QFuncodeLineSplitter_Servo::viewsOf(quoted, &record, &tokens);
            goOn = parser.addLine(line, tokens, false);
        } else {
            splitAtCommas(text, pos, scan.end, scan.commas, &tokens);
            pos = scan.end + scan.endLength;
            goOn = parser.addLine(line, tokens, false);
        }
        if (!goOn) {
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

// Views made with their position also when empty (QStringRef::mid forgets it), so that a run of tokens is
// one view of the line; written in place, as many as the line has commas and one more.
void QFuncodeCsvReader_Servo::splitAtCommas(const QString& text, int from, int to, int commas,
                                            QFuncodeFileParser_Servo::Tokens* tokens)
{
    tokens->resize(commas + 1);
    QStringRef* token = tokens->data();
    const QChar* data = text.constData();
    int start = from;
    for (int i = from; i < to; ++i) {
        if (data[i].unicode() == ',') {
            *token++ = QStringRef(&text, start, i - start);
            start = i + 1;
        }
    }
    *token = QStringRef(&text, start, to - start);
}
