<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_LANGUAGE_RESTART_QUESTION</source>
        <translation>The menus and the project tree are in the new language now; the pages follow after a restart. Restart the workbench now?</translation>
    </message>
</context>
</TS>
