<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_INTST_STATE</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_COMMONLY_TYPE</source>
        <translation>Common</translation>
    </message>
    <message>
        <source>STR_FUNCODE_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_READ_WRITE_STATE</source>
        <translation>Status</translation>
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
        <source>STR_UNIT</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>STR_SAVE_STATE</source>
        <translation>Saved</translation>
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
        <source>STR_DEFAULT_VAL</source>
        <translation>Default</translation>
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
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>STR_RELATE_PARAM</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_REMARK</source>
        <translation>Remark</translation>
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
        <source>STR_RELEVANCE</source>
        <translation>Relevant</translation>
    </message>
    <message>
        <source>STR_IRRELEVANCE</source>
        <translation>Not relevant</translation>
    </message>
    <message>
        <source>STR_REFRESH</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>STR_SELECT_ALL</source>
        <translation>Monitor all</translation>
    </message>
    <message>
        <source>STR_SELECT_CANCEL</source>
        <translation>Monitor none</translation>
    </message>
    <message>
        <source>STR_HELP</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>STR_SHOW_HIDE</source>
        <translation>Show/hide columns</translation>
    </message>
    <message>
        <source>STR_UP</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>STR_DOWN</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>STR_SELECT</source>
        <translation>Monitored function codes</translation>
    </message>
    <message>
        <source>Ctrl+Up</source>
        <translation>Ctrl+Up</translation>
    </message>
    <message>
        <source>Ctrl+Down</source>
        <translation>Ctrl+Down</translation>
    </message>
</context>
</TS>
