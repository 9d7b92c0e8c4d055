<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CUR_VAL</source>
        <translation>Current value</translation>
    </message>
    <message>
        <source>STR_DEFAULT_COMPARE_NONE</source>
        <translation>No setting read from the drive differs from its default value.</translation>
    </message>
</context>
</TS>
