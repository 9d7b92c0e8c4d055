#pragma once

#include <QString>

// Small text helpers shared by the pages.
class QCommonMethod
{
public:
    // Local time of a time stamp (seconds since 1970-01-01 UTC) as "yyyy-MM-dd hh:mm:ss".
    static QString timeStempTotimeStr(qint64 timeStamp);
    // Commas in a text that goes into a comma-separated file become semicolons.
    static QString semicolonReplaceComma(const QString& text);
    // "0x2000:01" (index and sub-index, both hexadecimal) -> index << 16 | sub-index; "0x1F" or "31" -> 31.
    // 0 for an empty text or one that holds no such number.
    static int addressToInt(const QString& text);
};
