#include "QCommonMethod.h"

#include <QDateTime>

QString QCommonMethod::timeStempTotimeStr(qint64 timeStamp)
{
    return QDateTime::fromSecsSinceEpoch(timeStamp).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString QCommonMethod::semicolonReplaceComma(const QString& text)
{
    QString result = text;
    return result.replace(QLatin1Char(','), QLatin1Char(';'));
}

namespace {
// A hexadecimal ("0x" prefix) or decimal unsigned number; ok false when the text is neither.
quint32 addressPart(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        return t.mid(2).toUInt(ok, 16);
    }
    return t.toUInt(ok, 10);
}
} // namespace

int QCommonMethod::addressToInt(const QString& text)
{
    bool ok = false;
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        const quint32 value = addressPart(text, &ok);
        return ok ? static_cast<int>(value) : 0;
    }
    const quint32 index = addressPart(text.left(colon), &ok);
    if (!ok || index > 0x7FFF) {
        return 0;
    }
    // The sub-index is hexadecimal in an object address, with or without its prefix.
    QString subText = text.mid(colon + 1).trimmed();
    if (subText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        subText = subText.mid(2);
    }
    const quint32 sub = subText.toUInt(&ok, 16);
    if (!ok || sub > 0xFFFF) {
        return 0;
    }
    return static_cast<int>((index << 16) | sub);
}
