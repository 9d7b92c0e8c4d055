<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
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
</context>
</TS>
