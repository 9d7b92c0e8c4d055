#pragma once

#include "QServoValueStates.h"

#include <QString>

struct tagSubFuncode_Servo;

// The texts a page shows for one value of a function code: the value as the drive's description writes
// it, a dash for a value never read, the asked value of a write not yet read back, and the tool tip that
// says how far the value can be trusted. Texts are made from the value's state alone; they never ask the
// drive.
class QServoValueTexts
{
public:
    // The value in the description's form; "null" after a failed read; empty when unknown.
    static QString valueText(const tagSubFuncode_Servo* fun, const QServoValue& v);
    // What a table cell shows: the value, a dash when never read, the asked value while written.
    static QString shownText(const tagSubFuncode_Servo* fun, const QServoValue& v);
    // The tool tip of a value that is not plainly read: never read, written, read failed, or its age.
    static QString stateTip(const QServoValue& v);
    // The last value the drive answered, also when stale; empty without one.
    static QString lastGoodText(const tagSubFuncode_Servo* fun, const QServoValue& v);
    // The default value in the same form as the value.
    static QString defaultText(const tagSubFuncode_Servo* fun);
    // A raw value in the description's form (the plain number without a description).
    static QString rawText(const tagSubFuncode_Servo* fun, qint64 raw);
};
