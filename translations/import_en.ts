<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_IMPORT_TEXT_TAKEN</source>
        <translation>The file's raw value did not match this text; the value was taken from the text.</translation>
    </message>
    <message>
        <source>STR_IMPORT_VAL</source>
        <translation>File value</translation>
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
        <source>STR_OTHERS</source>
        <translation>Other pages</translation>
    </message>
    <message>
        <source>STR_IMPORT_FUNCODE</source>
        <translation>Import function codes</translation>
    </message>
    <message>
        <source>STR_ALL_FUNCODE</source>
        <translation>All function codes</translation>
    </message>
    <message>
        <source>STR_DIFF_FUNCODE_IMENABLE</source>
        <translation>Only differing function codes</translation>
    </message>
    <message>
        <source>STR_REPLACE_FOCUS_FUN</source>
        <translation>Replace the monitored list</translation>
    </message>
    <message>
        <source>STR_APPEND_FOCUS_FUN</source>
        <translation>Add to the monitored list</translation>
    </message>
    <message>
        <source>STR_CONTINUE_IMPORT</source>
        <translation>Import anyway</translation>
    </message>
    <message>
        <source>STR_CANCEL_IMPORT</source>
        <translation>Cancel the import</translation>
    </message>
    <message>
        <source>STR_MANUAL_MATCH_MOTOR_TYPE_PARAM_VALUE_THEN_IMPORT</source>
        <translation>Set the motor type (%1) on the drive by hand, then import again.</translation>
    </message>
    <message>
        <source>STR_WRITE</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>STR_DOWNLOAD_DEVIC_ERROR</source>
        <translation>The file was made for another drive model.</translation>
    </message>
    <message>
        <source>STR_AUTHORITY_NOW_NOT_PERMIT_IMPORT</source>
        <translation>The present authority allows none of the function codes of the file.</translation>
    </message>
    <message>
        <source>STR_IMPORT_WRITTEN</source>
        <translation>%1 function codes written.</translation>
    </message>
    <message>
        <source>STR_IMPORT_WRITE_FAILED</source>
        <translation>%1 function codes written, %2 failed (marked and checked for another attempt):</translation>
    </message>
    <message>
        <source>STR_IMPORT_FAILED_COUNT</source>
        <translation>%1 codes not written: marked and checked</translation>
    </message>
    <message>
        <source>STR_IMPORT_NOT_WRITTEN_TIP</source>
        <translation>Not written by the last import</translation>
    </message>
    <message>
        <source>Funcode File(*.funcodeservo *.csv *.xlsx);;All File(*.*)</source>
        <translation>Function-code files (*.funcodeservo *.csv *.xlsx);;All files (*)</translation>
    </message>
</context>
</TS>
