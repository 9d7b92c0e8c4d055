#pragma once

#include "FunOperationDataUnit.h"

// A batch-download unit as a source gives it: one value per axis, each value also as its text, named
// "Name of <number>". Header only: for the suites that link the batch libraries.
inline FunOperationDataUnitPtr batchUnit(const QString& group, const QString& number,
                                         const QList<qint64>& values)
{
    auto unit = FunOperationDataUnitPtr::create();
    unit->groupName = group;
    unit->funIndex = number;
    unit->funName = QStringLiteral("Name of %1").arg(number);
    unit->axisNum = values.size();
    unit->values = values;
    for (qint64 value : values) {
        unit->valueTexts.append(QString::number(value));
    }
    return unit;
}
