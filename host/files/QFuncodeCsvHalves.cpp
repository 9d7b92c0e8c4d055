#include "QFuncodeCsvHalves.h"

#include "QFuncodeLineSplitter_Servo.h"

#include <QTextCodec>

namespace {
// A line end is inside a quoted field only when that field's opening quote is at most kMaxQuotedChars
// characters before it; a character is at most three bytes of UTF-8 (or two of four bytes).
const int kQuoteFreeBytes = 4 * (QFuncodeLineSplitter_Servo::kMaxQuotedChars + 2);
} // namespace

bool QFuncodeCsvHalves::hasUtf8Mark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

int QFuncodeCsvHalves::cut(const QByteArray& bytes)
{
    const int size = bytes.size();
    if (size < kMinBytes) {
        return 0;
    }
    // Byte-order marks of UTF-16 and UTF-32 (whose line ends are not single bytes) are told by Qt.
    QTextCodec* marked = QTextCodec::codecForUtfText(bytes, nullptr);
    if (marked && !hasUtf8Mark(bytes)) {
        return 0;
    }
    // The first line end after the middle with no quote in the kQuoteFreeBytes before it (or none since
    // the file's start); a file with quotes all along its middle (a spreadsheet quotes every field with a
    // comma) is read in one piece. Bytes before the scan are taken as if a quote ended them.
    const int middle = size / 2;
    const int last = size - size / 4;
    const char* data = bytes.constData();
    const int first = qMax(0, middle - kQuoteFreeBytes);
    int lastQuote = first > 0 ? first - 1 : -kQuoteFreeBytes - 1;
    for (int i = first; i < last; ++i) {
        if (data[i] == '"') {
            lastQuote = i;
        } else if (data[i] == '\n' && i >= middle && i - lastQuote > kQuoteFreeBytes) {
            return i + 1;
        }
    }
    return 0;
}

bool QFuncodeCsvHalves::decode(const QByteArray& bytes, int from, int to, QString* text)
{
    // A byte-order mark starts only the first half, and the codec would drop one anywhere it starts.
    const int start = from == 0 && hasUtf8Mark(bytes) ? 3 : from;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData() + start, to - start, &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}
