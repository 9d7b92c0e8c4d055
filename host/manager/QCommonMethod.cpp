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
