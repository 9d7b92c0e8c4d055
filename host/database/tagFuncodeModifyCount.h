#pragma once

#include <QString>

// How often one function code of a device was modified, as the statistics database counts it.
struct tagFuncodeModifyCount
{
    QString funIndex;
    int count = 0;
    int lastTimeStamp = 0; // seconds since 1970-01-01 UTC of its newest change

    bool operator==(const tagFuncodeModifyCount& other) const
    {
        return funIndex == other.funIndex && count == other.count && lastTimeStamp == other.lastTimeStamp;
    }
};
