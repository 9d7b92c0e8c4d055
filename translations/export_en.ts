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
</context>
</TS>
