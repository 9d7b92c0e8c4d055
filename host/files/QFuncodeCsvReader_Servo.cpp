#include "QFuncodeCsvReader_Servo.h"

#include "QBoundedFileReader.h"
#include "QFuncodeHelperBase.h"
#include "QFuncodeLineSplitter_Servo.h"

#include <QTextCodec>

#include <algorithm>

namespace {
typedef QFuncodeHelperBase Errors;

// The position of the next line end ('\n', '\r' or "\r\n") from pos, and the length of the end.
int nextLineEnd(const QString& text, int pos, int* endLength)
{
    const int size = text.size();
    const QChar* data = text.constData();
    for (int i = pos; i < size; ++i) {
        const ushort c = data[i].unicode();
        if (c == '\n') {
            *endLength = 1;
            return i;
        }
        if (c == '\r') {
            *endLength = (i + 1 < size && data[i + 1].unicode() == '\n') ? 2 : 1;
            return i;
        }
    }
    *endLength = 0;
    return size;
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
        const int end = nextLineEnd(text, pos, &endLength);
        const QStringRef lineText(&text, pos, end - pos);
        bool goOn = true;
        int lines = 1;
        if (lineText.contains(QLatin1Char('"'))) {
            // A quoted field may hold a line end: the record goes on to the field's end.
            lines = 0;
            pos = QFuncodeLineSplitter_Servo::tokenizeRecord(text, pos, &quoted, &lines);
            QFuncodeLineSplitter_Servo::viewsOf(quoted, &record, &tokens);
            goOn = parser.addLine(line, tokens, false);
        } else {
            pos = end + endLength;
            splitAtCommas(lineText, &tokens);
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
// one view of the line.
void QFuncodeCsvReader_Servo::splitAtCommas(const QStringRef& line, QFuncodeFileParser_Servo::Tokens* tokens)
{
    tokens->clear();
    const QString* text = line.string();
    const QChar* data = line.unicode();
    const int size = line.size();
    const int offset = line.position();
    int start = 0;
    for (int i = 0; i < size; ++i) {
        if (data[i].unicode() == ',') {
            tokens->append(QStringRef(text, offset + start, i - start));
            start = i + 1;
        }
    }
    tokens->append(QStringRef(text, offset + start, size - start));
}
