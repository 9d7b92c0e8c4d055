<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_DATETIME</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>STR_INDEX</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_AXIS_INDEX</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>STR_NEW_VAL</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>STR_OLD_VAL</source>
        <translation>Old value</translation>
    </message>
    <message>
        <source>STR_MIN_VAL</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>STR_MAX_VAL</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>STR_RELATE_PARAM</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_COMMONLY_TYPE</source>
        <translation>Common</translation>
    </message>
    <message>
        <source>STR_AXIS_X</source>
        <translation>Axis X</translation>
    </message>
    <message>
        <source>STR_AXIS_Y</source>
        <translation>Axis Y</translation>
    </message>
    <message>
        <source>STR_AXIS_Z</source>
        <translation>Axis Z</translation>
    </message>
    <message>
        <source>STR_SAVE_STATE</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>STR_UNIT</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>STR_EFFECT_STYLE</source>
        <translation>Takes effect</translation>
    </message>
    <message>
        <source>STR_STORE_TYPE</source>
        <translation>Kept at power-off</translation>
    </message>
    <message>
        <source>STR_MODIFY_COUNT</source>
        <translation>Modifications</translation>
    </message>
    <message>
        <source>STR_REMARK</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>STR_DOUBLE_CLICK_SHOW_DETAIL</source>
        <translation>Double-click to show every modification</translation>
    </message>
    <message>
        <source>STR_COMMONLY</source>
        <translation>Commonly used</translation>
    </message>
    <message>
        <source>STR_NOT_COMMONLY</source>
        <translation>Not commonly used</translation>
    </message>
    <message>
        <source>STR_STORE</source>
        <translation>Kept through power-off</translation>
    </message>
    <message>
        <source>STR_NOT_STORE</source>
        <translation>Lost at power-off</translation>
    </message>
    <message>
        <source>STR_MODIFY_TIMES_DESCEND</source>
        <translation>Most modified first</translation>
    </message>
    <message>
        <source>STR_MODIFY_TIMES_ASCEND</source>
        <translation>Least modified first</translation>
    </message>
    <message>
        <source>STR_MODIFY_DETAIL</source>
        <translation>Modification history</translation>
    </message>
    <message>
        <source>STR_MODIFICATION_DATETIME</source>
        <translation>Time of change</translation>
    </message>
    <message>
        <source>STR_FIND_FUNCODE</source>
        <translation>Find function code</translation>
    </message>
    <message>
        <source>STR_FUNCODE_NAME_INDEX</source>
        <translation>Number or name of a function code</translation>
    </message>
    <message>
        <source>STR_FUNCODE_NAME</source>
        <translation>Name</translation>
    </message>
</context>
</TS>
