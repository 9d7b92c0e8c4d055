<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_FUNCODE</source>
        <translation>Function codes</translation>
    </message>
    <message>
        <source>STR_ONLYREAD</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>STR_ALLREADWRITE</source>
        <translation>Read and write</translation>
    </message>
    <message>
        <source>STR_ONLYWRUTE</source>
        <translation>Write only</translation>
    </message>
    <message>
        <source>STR_EFFECTIVE_PRESS_ENTER</source>
        <translation>Takes effect on Enter</translation>
    </message>
    <message>
        <source>STR_CLEAR_RECORD</source>
        <translation>Clear the records</translation>
    </message>
    <message>
        <source>STR_CLOSE</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>STR_CLOSE_ALL</source>
        <translation>Close all</translation>
    </message>
    <message>
        <source>STR_CLOSE_OTHER</source>
        <translation>Close the others</translation>
    </message>
    <message>
        <source>STR_SURE_TO_CLEAR_FUNCODE</source>
        <translation>Clear every modification record of this drive?</translation>
    </message>
    <message>
        <source>STR_PAGE_NOT_OFFERED_YET</source>
        <translation>This page is not offered yet.</translation>
    </message>
    <message>
        <source>STR_ALARM</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>STR_CURRENT_FAULT</source>
        <translation>Current faults</translation>
    </message>
    <message>
        <source>STR_DEVICE</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>STR_FAULT_CODE</source>
        <translation>Fault code</translation>
    </message>
    <message>
        <source>STR_FAULT_NAME</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>STR_TIME</source>
        <translation>Time</translation>
    </message>
</context>
</TS>
