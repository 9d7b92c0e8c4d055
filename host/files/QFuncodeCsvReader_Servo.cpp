#include "QFuncodeCsvReader_Servo.h"

#include "QBoundedFileReader.h"
#include "QFuncodeCsvBackReader.h"
#include "QFuncodeCsvParts.h"
#include "QFuncodeCsvRecords.h"
#include "QFuncodeHelperBase.h"

#include <QTextCodec>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace {
typedef QFuncodeHelperBase Errors;
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
    const QVector<int> starts = QFuncodeCsvParts::cut(bytes);
    const int result = starts.isEmpty() ? kReadWhole : readParts(bytes, starts, info);
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

// The first part's lines up to the first function code are read before the back thread is started: they
// name the drive model all parts are read with. The front thread then reads on from the front, the back
// thread from the back, until the two meet. Whatever the parts cannot settle (a part that is not UTF-8, codes
// over the limit together, a first part that stops before its codes) is left to readWhole.
int QFuncodeCsvReader_Servo::readParts(const QByteArray& bytes, const QVector<int>& starts,
                                       tagExportDevInfo_Servo* info)
{
    QString head;
    if (!QFuncodeCsvParts::decode(bytes, starts.at(0), starts.at(1), &head)) {
        return kReadWhole;
    }
    QFuncodeFileParser_Servo parser(m_requireMark, m_lookup);
    std::atomic_bool backFailed(false);
    parser.setCancelFlag(m_cancel, &backFailed);
    QFuncodeCsvRecords records(head);
    // Stopped so soon (or not at codes by the end of the first part), the file is read again whole: its
    // text may yet be of the local encoding, which only a later part can tell.
    if (!records.feed(&parser, true) || records.atEnd()) {
        return kReadWhole;
    }
    QFuncodeCsvPartQueue queue(starts.size() - 1);
    QFuncodeCsvBackReader back(bytes, starts, &queue, parser);
    std::atomic_bool frontEnded(false);
    back.setCancelFlag(m_cancel, &frontEnded);
    bool backRead = false;
    std::thread worker;
    try {
        worker = std::thread([&] {
            backRead = back.run();
            // The front parts need not be read on: the file is read again whole.
            backFailed = !backRead;
        });
    } catch (const std::system_error&) {
        return kReadWhole;
    }
    int lines = 0;
    int frontRead = -1;
    try {
        frontRead = readFrontParts(bytes, starts, &queue, &records, &parser, &lines);
    } catch (...) {
        frontEnded = true;
        worker.join();
        throw;
    }
    // A front part that stopped ends the file before every back part.
    frontEnded = frontRead != 1;
    worker.join();
    if (!backRead || frontRead < 0 || (frontRead == 1 && !back.joinInto(&parser, lines)) ||
        !restIsUtf8(bytes, starts, &queue)) {
        return kReadWhole;
    }
    return finish(&parser, info);
}

// The parts neither thread read once the front one stopped: a file that is not UTF-8 anywhere is read whole
// in the local encoding, also where it ends before such a part.
bool QFuncodeCsvReader_Servo::restIsUtf8(const QByteArray& bytes, const QVector<int>& starts,
                                         QFuncodeCsvPartQueue* queue)
{
    QString text;
    for (int part = queue->takeFront(); part >= 0; part = queue->takeFront()) {
        if (!QFuncodeCsvParts::decode(bytes, starts.at(part), starts.at(part + 1), &text)) {
            return false;
        }
    }
    return true;
}

// Reads on the first part and then the parts taken from the front. 1 when all were read, 0 when the parser
// stopped (an error or the end sign), -1 when a part is not UTF-8. *lines: the lines read.
int QFuncodeCsvReader_Servo::readFrontParts(const QByteArray& bytes, const QVector<int>& starts,
                                            QFuncodeCsvPartQueue* queue, QFuncodeCsvRecords* first,
                                            QFuncodeFileParser_Servo* parser, int* lines)
{
    if (!first->feed(parser)) {
        return 0;
    }
    *lines = first->line() - 1;
    for (int part = queue->takeFront(); part >= 0; part = queue->takeFront()) {
        QString text;
        if (!QFuncodeCsvParts::decode(bytes, starts.at(part), starts.at(part + 1), &text)) {
            return -1;
        }
        QFuncodeCsvRecords records(text, *lines + 1);
        if (!records.feed(parser)) {
            return 0;
        }
        *lines = records.line() - 1;
    }
    return 1;
}

int QFuncodeCsvReader_Servo::finish(QFuncodeFileParser_Servo* parser, tagExportDevInfo_Servo* info)
{
    if (!parser->finish()) {
        return fail(parser->error(), parser->errorDetail());
    }
    *info = parser->result();
    return Errors::FILE_OK;
}
