#include "QFuncodeCsvParts.h"

#include "QFuncodeLineSplitter_Servo.h"

#include <QTextCodec>

#include <cstring>

namespace {
// A line end is inside a quoted field only when that field's opening quote is at most kMaxQuotedChars
// characters before it; a character is at most three bytes of UTF-8 (or two of four bytes).
const int kQuoteFreeBytes = 4 * (QFuncodeLineSplitter_Servo::kMaxQuotedChars + 2);

// Where the last quote in bytes from..to-1 is, or -1; searched from the end, a word at a time where the C
// library can.
int lastQuoteIn(const char* data, int from, int to)
{
#if defined(__GLIBC__)
    const void* quote = memrchr(data + from, '"', size_t(to - from));
    return quote ? int(static_cast<const char*>(quote) - data) : -1;
#else
    for (int i = to - 1; i >= from; --i) {
        if (data[i] == '"') {
            return i;
        }
    }
    return -1;
#endif
}
} // namespace

bool QFuncodeCsvParts::hasUtf8Mark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

// Where a part may start: after the first line end at from or later, and before limit, with no quote in the
// kQuoteFreeBytes before it; 0 when there is none (a spreadsheet quotes every field with a comma).
int QFuncodeCsvParts::lineEndAfter(const QByteArray& bytes, int from, int limit)
{
    const char* data = bytes.constData();
    for (int at = from; at < limit;) {
        const void* found = std::memchr(data + at, '\n', size_t(limit - at));
        if (!found) {
            return 0;
        }
        const int end = int(static_cast<const char*>(found) - data);
        const int quote = lastQuoteIn(data, qMax(0, end - kQuoteFreeBytes), end);
        if (quote < 0) {
            return end + 1;
        }
        // No line end before the quote's window has passed is a cut.
        at = qMax(end + 1, quote + kQuoteFreeBytes + 1);
    }
    return 0;
}

QVector<int> QFuncodeCsvParts::cut(const QByteArray& bytes)
{
    const int size = bytes.size();
    if (size < kMinBytes) {
        return {};
    }
    // Byte-order marks of UTF-16 and UTF-32 (whose line ends are not single bytes) are told by Qt.
    QTextCodec* marked = QTextCodec::codecForUtfText(bytes, nullptr);
    if (marked && !hasUtf8Mark(bytes)) {
        return {};
    }
    // A cut is looked for from each part's due start up to the next one's; where none is found, the two
    // parts are one. No part is empty.
    const int parts = qBound(2, size / kPartBytes, kMaxParts);
    QVector<int> starts{0};
    for (int part = 1; part < parts; ++part) {
        const int due = int(qint64(size) * part / parts);
        const int nextDue = int(qint64(size) * (part + 1) / parts);
        const int start = lineEndAfter(bytes, qMax(due, starts.last()), qMin(nextDue, size - 1));
        if (start > 0) {
            starts.append(start);
        }
    }
    if (starts.size() < 2) {
        return {};
    }
    starts.append(size);
    return starts;
}

bool QFuncodeCsvParts::decode(const QByteArray& bytes, int from, int to, QString* text)
{
    // A byte-order mark starts only the first part, and the codec would drop one anywhere it starts.
    const int start = from == 0 && hasUtf8Mark(bytes) ? 3 : from;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData() + start, to - start, &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}
