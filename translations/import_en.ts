<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_ALL_FUNCODE</source>
        <translation>All codes</translation>
    </message>
    <message>
        <source>STR_APPEND_FOCUS_FUN</source>
        <translation>Append to the monitored list</translation>
    </message>
    <message>
        <source>STR_CANCEL_IMPORT</source>
        <translation>Cancel the import</translation>
    </message>
    <message>
        <source>STR_COLLAPSE</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>STR_COLLAPSE_ALL</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>STR_CONTINUE_IMPORT</source>
        <translation>Import anyway</translation>
    </message>
    <message>
        <source>STR_CUR_VAL</source>
        <translation>Current value</translation>
    </message>
    <message>
        <source>STR_DEVICE_NOT_ONLINE</source>
        <translation>The drive is offline.</translation>
    </message>
    <message>
        <source>STR_DIFF_FUNCODE_IMENABLE</source>
        <translation>Differing codes only</translation>
    </message>
    <message>
        <source>STR_EXPAND</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>STR_EXPAND_ALL</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>STR_IMPORT_FUNCODE</source>
        <translation>Import function codes</translation>
    </message>
    <message>
        <source>STR_IMPORT_VAL</source>
        <translation>File value</translation>
    </message>
    <message>
        <source>STR_MANUAL_MATCH_MOTOR_TYPE_PARAM_VALUE_THEN_IMPORT</source>
        <translation>Set the motor type (%1) on the drive by hand, then import again. Nothing else was written.</translation>
    </message>
    <message>
        <source>STR_MENU_IMPORT_FUNCODE</source>
        <translation>&amp;Import function codes...</translation>
    </message>
    <message>
        <source>STR_MENU_RESTORE_DRIVE</source>
        <translation>&amp;Restore drive...</translation>
    </message>
    <message>
        <source>STR_MONITOR_FUNCODE</source>
        <translation>Monitored function codes</translation>
    </message>
    <message>
        <source>STR_MOTOR_TYPE_CHANGED_FAILED</source>
        <translation>The motor type could not be set</translation>
    </message>
    <message>
        <source>STR_NOTSELECT_DEVICE</source>
        <translation>No drive is selected.</translation>
    </message>
    <message>
        <source>STR_NO_DATA</source>
        <translation>Nothing is ticked.</translation>
    </message>
    <message>
        <source>STR_NO_EXIST_DEVICE</source>
        <translation>The drive is no longer in the project.</translation>
    </message>
    <message>
        <source>STR_OTHERS</source>
        <translation>Other pages</translation>
    </message>
    <message>
        <source>STR_READ</source>
        <translation>Reading function codes</translation>
    </message>
    <message>
        <source>STR_READ_DEV_MOTOR_TYPE_MATCH_CONFIG_TABLE_FAILED</source>
        <translation>the drive did not report the new motor type</translation>
    </message>
    <message>
        <source>STR_REPLACE_FOCUS_FUN</source>
        <translation>Replace the monitored list</translation>
    </message>
    <message>
        <source>STR_SELECT_DIFF_FUNCODE</source>
        <translation>Select differing codes</translation>
    </message>
    <message>
        <source>STR_WRITE</source>
        <translation>Writing function codes</translation>
    </message>
</context>
</TS>
