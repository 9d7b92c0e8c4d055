#include "QFuncodeCsvReader_Servo.h"

#include "QBoundedFileReader.h"
#include "QFuncodeCsvHalves.h"
#include "QFuncodeCsvRecords.h"
#include "QFuncodeHelperBase.h"

#include <QTextCodec>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace {
typedef QFuncodeHelperBase Errors;

// The file's bytes from cut on read into second, on a thread of its own. False when they are not UTF-8 (the
// whole file is then in the local encoding) or when reading them threw: an exception (memory that ran out)
// would end the program there, so the file is read again whole on the caller's thread, where it reaches the
// caller.
bool readSecondHalf(const QByteArray& bytes, int cut, QString* text, QFuncodeFileParser_Servo* second)
{
    try {
        if (!QFuncodeCsvHalves::decode(bytes, cut, bytes.size(), text)) {
            return false;
        }
        QFuncodeCsvRecords records(*text);
        records.feed(second);
        return true;
    } catch (...) {
        return false;
    }
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
    const int cut = QFuncodeCsvHalves::cut(bytes);
    const int result = cut > 0 ? readHalves(bytes, cut, info) : kReadWhole;
    return result != kReadWhole ? result : readWhole(decode(bytes), info);
}

int QFuncodeCsvReader_Servo::readWhole(const QString& text, tagExportDevInfo_Servo* info)
{
    // Looked at in place: a trimmed copy would hold the whole text a second time.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); })) {
        return fail(Errors::FILE_ERR_EMPTY, QString());
    }
    QFuncodeFileParser_Servo parser(m_requireMark, m_lookup);
    parser.setCancelFlag(m_cancel);
    QFuncodeCsvRecords records(text);
    records.feed(&parser);
    return finish(&parser, info);
}

// The first half's lines up to the first function code are read before the second half is started: they
// name the drive model both halves are read with. Whatever the halves cannot settle (a half that is not
// UTF-8, codes over the limit together, a first half that stops before its codes) is left to readWhole.
int QFuncodeCsvReader_Servo::readHalves(const QByteArray& bytes, int cut, tagExportDevInfo_Servo* info)
{
    QString head;
    if (!QFuncodeCsvHalves::decode(bytes, 0, cut, &head)) {
        return kReadWhole;
    }
    QFuncodeFileParser_Servo parser(m_requireMark, m_lookup);
    std::atomic_bool tailFailed(false);
    parser.setCancelFlag(m_cancel, &tailFailed);
    QFuncodeCsvRecords records(head);
    // Stopped so soon (or not at codes by the middle), the file is read again whole: its text may yet be
    // of the local encoding, which only the second half can tell.
    if (!records.feed(&parser, true) || records.atEnd()) {
        return kReadWhole;
    }
    QFuncodeFileParser_Servo second(m_requireMark, m_lookup);
    second.continueAfter(parser);
    std::atomic_bool headEnded(false);
    second.setCancelFlag(m_cancel, &headEnded);
    QString tail;
    bool tailRead = false;
    std::thread worker;
    try {
        worker = std::thread([&] {
            tailRead = readSecondHalf(bytes, cut, &tail, &second);
            // The first half need not be read on: the file is read again whole.
            tailFailed = !tailRead;
        });
    } catch (const std::system_error&) {
        return kReadWhole;
    }
    const bool headRead = records.feed(&parser);
    headEnded = !headRead;
    worker.join();
    if (!tailRead || (headRead && !parser.append(&second, records.line() - 1))) {
        return kReadWhole;
    }
    return finish(&parser, info);
}

int QFuncodeCsvReader_Servo::finish(QFuncodeFileParser_Servo* parser, tagExportDevInfo_Servo* info)
{
    if (!parser->finish()) {
        return fail(parser->error(), parser->errorDetail());
    }
    *info = parser->result();
    return Errors::FILE_OK;
}
