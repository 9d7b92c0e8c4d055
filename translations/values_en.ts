<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CONNECTING</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>STR_DEVICE_NOT_ANSWERING</source>
        <translation>The drive does not answer.</translation>
    </message>
    <message>
        <source>STR_NOT_ANSWERING</source>
        <translation>not answering</translation>
    </message>
    <message>
        <source>STR_STATUS_STALE_VALUES</source>
        <translation>%1 values stale</translation>
    </message>
    <message>
        <source>STR_STATUS_WHOLE_READ</source>
        <translation>reading %1 of %2 codes</translation>
    </message>
</context>
</TS>
