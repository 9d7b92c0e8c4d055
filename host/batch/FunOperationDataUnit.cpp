#include "FunOperationDataUnit.h"

void FunOperationDataUnit::setFromExportFuncode(const tagExportFuncode_Servo& record)
{
    canopenAddr = record.canopenAddr;
    usbCode = record.usbCode;
    groupName = record.groupName;
    funIndex = record.funIndex;
    funName = record.funName;
    authority = record.authority;
    dataType = record.dataType;
    axisNum = qBound(1, record.axisNum, 3);
    values.clear();
    valueTexts.clear();
    for (int axis = 0; axis < axisNum; ++axis) {
        values.append(record.curValue[static_cast<size_t>(axis)]);
        valueTexts.append(record.valueTexts.value(axis));
    }
    defaultText = record.defaultText;
}

tagExportFuncodePtr_Servo FunOperationDataUnit::toExportFuncode() const
{
    auto record = tagExportFuncodePtr_Servo::create();
    record->canopenAddr = canopenAddr;
    record->usbCode = usbCode;
    record->groupName = groupName;
    record->funIndex = funIndex;
    record->funName = funName;
    record->dataType = dataType;
    record->authority = authority;
    record->axisNum = axisNum;
    for (int axis = 0; axis < values.size() && axis < 3; ++axis) {
        record->curValue[static_cast<size_t>(axis)] = values.at(axis);
    }
    record->valueTexts = valueTexts;
    record->defaultText = defaultText;
    return record;
}

void FunOperationDataUnit::setCurDevValues(const QList<qint64>& curValues, const QList<bool>& known)
{
    m_curValues = curValues;
    m_curKnown = known;
}

bool FunOperationDataUnit::isMultiValueEqual(int axis) const
{
    // Nothing to compare with, or an axis the source lacks: nothing to point out.
    if (m_curKnown.isEmpty() || axis < 0 || axis >= values.size()) {
        return true;
    }
    if (axis >= m_curKnown.size() || axis >= m_curValues.size() || !m_curKnown.at(axis)) {
        return false;
    }
    return m_curValues.at(axis) == values.at(axis);
}
