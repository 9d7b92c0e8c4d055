<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_FUNCODE_DETAIL</source>
        <translation>Function code details</translation>
    </message>
    <message>
        <source>STR_RELATE_PARAM_DETAIL</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_NO_FUNCODE_INFO</source>
        <translation>No information about this function code.</translation>
    </message>
    <message>
        <source>STR_INFO_AXIS_VALUE</source>
        <translation>Axis %1</translation>
    </message>
    <message>
        <source>STR_DETAIL_NUMBER</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_DETAIL_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_DETAIL_GROUP</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>STR_DETAIL_UNIT</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>STR_DETAIL_RANGE</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>STR_DETAIL_RANGE_TEXT</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>STR_DETAIL_DEFAULT</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>STR_DETAIL_EFFECT</source>
        <translation>Takes effect</translation>
    </message>
    <message>
        <source>STR_DETAIL_RIGHT</source>
        <translation>Access</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_0</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_1</source>
        <translation>Read and write</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_2</source>
        <translation>Write only</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_3</source>
        <translation>Factory setting (read only)</translation>
    </message>
    <message>
        <source>STR_DETAIL_DATA_TYPE</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>STR_DETAIL_STORE</source>
        <translation>Kept at power-off</translation>
    </message>
    <message>
        <source>STR_DETAIL_YES</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>STR_DETAIL_NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>STR_DETAIL_CANOPEN</source>
        <translation>CANopen address</translation>
    </message>
    <message>
        <source>STR_DETAIL_REMARK</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>STR_DETAIL_RELATED</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_DETAIL_NONE</source>
        <translation>None</translation>
    </message>
    <message>
        <source>STR_DETAIL_ITEMS</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>STR_DETAIL_MENU_DIGITS</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>STR_DETAIL_MENU_DIGIT</source>
        <translation>Digit %1, %2: %3</translation>
    </message>
    <message>
        <source>STR_DETAIL_AXIS</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>STR_DETAIL_CUR_VALUE</source>
        <translation>Current value</translation>
    </message>
    <message>
        <source>STR_DETAIL_NEW_VALUE</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>STR_DETAIL_EDIT_PROMPT</source>
        <translation>Double-click to change</translation>
    </message>
    <message>
        <source>STR_DETAIL_LOCKED</source>
        <translation>Locked</translation>
    </message>
    <message>
        <source>STR_DETAIL_EDIT_HINT</source>
        <translation>Double-click a cell under "New value" to change the value of that axis; press Enter to apply it.</translation>
    </message>
    <message>
        <source>STR_DETAIL_EDIT_HINT_ON_LEAVE</source>
        <translation>Double-click a cell under "New value" to change the value of that axis; it is applied when you leave the cell.</translation>
    </message>
    <message>
        <source>STR_DETAIL_MODIFY_DISABLED</source>
        <translation>The value cannot be changed from this window.</translation>
    </message>
    <message>
        <source>STR_DETAIL_READ_ONLY_CODE</source>
        <translation>This function code is read only.</translation>
    </message>
    <message>
        <source>STR_DETAIL_CODE_NOT_EDITABLE</source>
        <translation>Values of this kind cannot be edited.</translation>
    </message>
    <message>
        <source>STR_DETAIL_NO_DEVICE</source>
        <translation>No drive is selected.</translation>
    </message>
    <message>
        <source>STR_DETAIL_UNKNOWN_CODE</source>
        <translation>The drive %1 has no function code %2.</translation>
    </message>
    <message>
        <source>STR_DETAIL_CHANGE</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>STR_DETAIL_CHANGE_TIME</source>
        <translation>Changed at: %1</translation>
    </message>
    <message>
        <source>STR_DETAIL_CHANGE_VALUE</source>
        <translation>Axis %1: %2 → %3</translation>
    </message>
    <message>
        <source>STR_DETAIL_VALUE_BEFORE</source>
        <translation>Value before</translation>
    </message>
    <message>
        <source>STR_DETAIL_VALUE_AFTER</source>
        <translation>Value after</translation>
    </message>
    <message>
        <source>STR_DETAIL_RELATE_CURRENT</source>
        <translation>No change of this function code is recorded for this time; the current values are shown.</translation>
    </message>
    <message>
        <source>STR_DETAIL_NO_RELATED</source>
        <translation>This function code has no related parameters.</translation>
    </message>
</context>
</TS>
