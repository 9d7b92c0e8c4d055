<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_MENU_BACKUP_DRIVE</source>
        <translation>&amp;Back up drive...</translation>
    </message>
    <message>
        <source>STR_MENU_EXPORT_FUNCODE</source>
        <translation>&amp;Export function codes...</translation>
    </message>
    <message>
        <source>STR_MENU_PRINT_FUNCODE</source>
        <translation>&amp;Print function codes...</translation>
    </message>
    <message>
        <source>STR_MENU_PRINT_PREVIEW_FUNCODE</source>
        <translation>Print pre&amp;view...</translation>
    </message>
    <message>
        <source>STR_EXPORT_DETAIL_CODES_PAGES</source>
        <translation>The file holds %1 function codes and %2 other pages.</translation>
    </message>
    <message>
        <source>STR_EXPORT_DETAIL_ROWS</source>
        <translation>The file holds %1 rows.</translation>
    </message>
    <message>
        <source>STR_EXPORT_LEAVE_OUT_UNKNOWN</source>
        <translation>The values of these function codes could not be read: %1
Leave these codes out and go on?</translation>
    </message>
    <message>
        <source>STR_EXPORT_AND_MORE</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>STR_EXPORT_VALUES_UNKNOWN</source>
        <translation>The values of these function codes are not known: %1</translation>
    </message>
</context>
</TS>
