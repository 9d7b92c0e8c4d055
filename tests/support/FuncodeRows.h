#pragma once

#include "tagExportFuncode_Servo.h"

#include <QStringList>

// Function-code records as an import or export tree and its dialog get them, and the numbers of any records.
namespace FuncodeRows {

// A record named "Name of <number>", with as many axes as file texts.
inline tagExportFuncodePtr_Servo row(const QString& group, const QString& number,
                                     const QStringList& fileTexts,
                                     const QStringList& driveTexts = QStringList())
{
    auto record = tagExportFuncodePtr_Servo::create();
    record->groupName = group;
    record->funIndex = number;
    record->funName = QStringLiteral("Name of %1").arg(number);
    record->valueTexts = fileTexts;
    record->curValueTexts = driveTexts;
    record->axisNum = fileTexts.size();
    return record;
}

// The numbers of records of any kind held by pointer (export and compare records, batch units).
template <typename Records>
QStringList numbersOf(const Records& records)
{
    QStringList numbers;
    for (const auto& record : records) {
        numbers.append(record->funIndex);
    }
    return numbers;
}

} // namespace FuncodeRows
