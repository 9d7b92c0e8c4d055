#pragma once

#include <QString>

// The function code that the oscilloscope uses first.
struct tagOsciFuncodeIndex
{
    QString funIndex;
    int axisIndex = 0;
};
