#include "FunOperationDataUnit.h"

namespace {
enum enField
{
    FIELD_CANOPEN = 0,
    FIELD_USB = 1,
    FIELD_GROUP = 2,
    FIELD_NUMBER = 3,
    FIELD_NAME = 4,
    FIELD_AUTHORITY = 5,
    FIELD_DATA_TYPE = 6,
    FIELD_AXIS_NUM = 7,
    FIELD_RAW = 8,   // 8, 9, 10: raw values of X, Y, Z
    FIELD_TEXT = 11, // 11, 12, 13: value texts of X, Y, Z
    FIELD_COUNT = 14
};

bool readInteger(const QString& text, qint64* value)
{
    bool ok = false;
    *value = text.trimmed().toLongLong(&ok);
    return ok;
}
} // namespace

bool FunOperationDataUnit::setFromFileFields(const QStringList& fields)
{
    if (fields.size() < FIELD_COUNT || fields.at(FIELD_NUMBER).trimmed().isEmpty()) {
        return false;
    }
    qint64 numbers[FIELD_TEXT] = {};
    static const int numberFields[] = {FIELD_CANOPEN,  FIELD_USB, FIELD_AUTHORITY, FIELD_DATA_TYPE,
                                       FIELD_AXIS_NUM, FIELD_RAW, FIELD_RAW + 1,   FIELD_RAW + 2};
    for (int field : numberFields) {
        if (!readInteger(fields.at(field), &numbers[field])) {
            return false;
        }
    }
    if (numbers[FIELD_AXIS_NUM] < 1 || numbers[FIELD_AXIS_NUM] > 3) {
        return false;
    }
    canopenAddr = static_cast<int>(numbers[FIELD_CANOPEN]);
    usbCode = static_cast<int>(numbers[FIELD_USB]);
    groupName = fields.at(FIELD_GROUP).trimmed();
    funIndex = fields.at(FIELD_NUMBER).trimmed();
    funName = fields.at(FIELD_NAME);
    authority = static_cast<int>(numbers[FIELD_AUTHORITY]);
    dataType = static_cast<int>(numbers[FIELD_DATA_TYPE]);
    axisNum = static_cast<int>(numbers[FIELD_AXIS_NUM]);
    values.clear();
    valueTexts.clear();
    for (int axis = 0; axis < axisNum; ++axis) {
        values.append(numbers[FIELD_RAW + axis]);
        valueTexts.append(fields.at(FIELD_TEXT + axis));
    }
    return true;
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
