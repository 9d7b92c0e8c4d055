<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_DATABASE_NOT_USED</source>
        <translation>%1 The file is not used in this session; what would be stored in it is not kept.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_BACKUP</source>
        <translation>The database file has an older layout, and no copy of it could be kept before upgrading it; it was left as it was.</translation>
    </message>
    <message>
        <source>STR_DB_READ_ONLY</source>
        <translation>The database file cannot be written (read-only file or folder); changes made now are not kept.</translation>
    </message>
    <message>
        <source>STR_DB_UPGRADED</source>
        <translation>%1 was upgraded from layout %2 to %3; its old contents are kept in %4.</translation>
    </message>
    <message>
        <source>STR_DB_UPGRADE_FAILED</source>
        <translation>The database file could not be brought to the present layout; it was left as it was.</translation>
    </message>
    <message>
        <source>STR_JSON_BOOL</source>
        <translation>a true/false value</translation>
    </message>
    <message>
        <source>STR_JSON_LIST</source>
        <translation>a list</translation>
    </message>
    <message>
        <source>STR_JSON_MISSING</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>STR_JSON_NULL</source>
        <translation>null</translation>
    </message>
    <message>
        <source>STR_JSON_NUMBER</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>STR_JSON_OBJECT</source>
        <translation>an object</translation>
    </message>
    <message>
        <source>STR_JSON_TEXT</source>
        <translation>a text</translation>
    </message>
    <message>
        <source>STR_PROJECT_DEVICES_NOT_LIST</source>
        <translation>The project's list of drives ("devices") is %1, not a list; the project opens without drives.</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_BAD_ALIAS</source>
        <translation>its name ("alias") is %1, not a text.</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_NAMED</source>
        <translation>Drive entry %1 (%2)</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_NOT_OBJECT</source>
        <translation>it is %1, not a drive description in braces.</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_NO_MODEL</source>
        <translation>it names no drive model ("model" is %1).</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_SKIPPED</source>
        <translation>%1 of the project is skipped: %2</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_UNNAMED</source>
        <translation>Drive entry %1</translation>
    </message>
</context>
</TS>
