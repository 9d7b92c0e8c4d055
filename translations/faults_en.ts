<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_ADD_ROW</source>
        <translation>Add row</translation>
    </message>
    <message>
        <source>STR_ALARM_HISTORYMONITORING</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>STR_BYTE_COLUMN_MORE_THAN_128</source>
        <translation>A record holds at most 128 bytes.</translation>
    </message>
    <message>
        <source>STR_BYTE_LEN</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>STR_CAN_CLEAR</source>
        <translation>Can be cleared</translation>
    </message>
    <message>
        <source>STR_CLEAR_HIS_FAULT</source>
        <translation>Clear fault history</translation>
    </message>
    <message>
        <source>STR_CONFIRM_DELETE_ROW</source>
        <translation>Delete the selected row?</translation>
    </message>
    <message>
        <source>STR_DATA_TYPE</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>STR_DELETE</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>STR_DELETE_ROW</source>
        <translation>Delete row</translation>
    </message>
    <message>
        <source>STR_DISPLAY_NAME</source>
        <translation>Display name</translation>
    </message>
    <message>
        <source>STR_EDIT_FAULT_FORMAT</source>
        <translation>Edit record format...</translation>
    </message>
    <message>
        <source>STR_EDIT_HIS_RECORD_FORMAT</source>
        <translation>History record format</translation>
    </message>
    <message>
        <source>STR_FAULT_METHOD</source>
        <translation>Remedy</translation>
    </message>
    <message>
        <source>STR_FAULT_REASON</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>STR_FAULT_RECORD</source>
        <translation>Fault record </translation>
    </message>
    <message>
        <source>STR_FORMAT_NOT_CHANG</source>
        <translation>The format has not changed.</translation>
    </message>
    <message>
        <source>STR_FORMAT_ROW_INCOMPLETE</source>
        <translation>Every row needs a number and a parameter.</translation>
    </message>
    <message>
        <source>STR_HISTORY</source>
        <translation>In history</translation>
    </message>
    <message>
        <source>STR_HIS_FAULT</source>
        <translation>Fault history</translation>
    </message>
    <message>
        <source>STR_HIS_FAULT_RECORD</source>
        <translation>Fault history</translation>
    </message>
    <message>
        <source>STR_HIS_NUMBER_INVALID</source>
        <translation>A number is one or two digits from 1, or a range such as 3~12.</translation>
    </message>
    <message>
        <source>STR_HIS_RECORD_TRUNCATED</source>
        <translation>(record ends early)</translation>
    </message>
    <message>
        <source>STR_HIS_VALUE_MISSING</source>
        <translation>(missing)</translation>
    </message>
    <message>
        <source>STR_INFORMATION</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>STR_NEW_FORMAT_VALID_WHEN_REFRESH_FAULT</source>
        <translation>The new format applies when the fault history is refreshed.</translation>
    </message>
    <message>
        <source>STR_NO_FAULT</source>
        <translation>no fault</translation>
    </message>
    <message>
        <source>STR_NUMBER</source>
        <translation>Words</translation>
    </message>
    <message>
        <source>STR_PARAM</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>STR_PARAMETER_NAME</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>STR_PARAM_IS_NOT_EXIST</source>
        <translation>The drive has no such function code. Use a code number, FAULTCODE or RESERVE.</translation>
    </message>
    <message>
        <source>STR_SAVE_FAILED</source>
        <translation>Saving failed.</translation>
    </message>
    <message>
        <source>STR_SAVE_SUCCESSED</source>
        <translation>Saved. </translation>
    </message>
    <message>
        <source>STR_SELECT_ONE_ROW</source>
        <translation>Select a row first.</translation>
    </message>
    <message>
        <source>STR_STOP_NOW</source>
        <translation>Stops at once</translation>
    </message>
    <message>
        <source>STR_UNKNOWN_FAULT</source>
        <translation>Unknown fault</translation>
    </message>
    <message>
        <source>STR_VALUE</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>STR_RESTORE_DEFAULT_FORMAT</source>
        <translation>The table has no rows left. Restore the default format?</translation>
    </message>
</context>
</TS>
