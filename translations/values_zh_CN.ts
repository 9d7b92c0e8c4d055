<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CONNECTING</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>STR_DEVICE_NOT_ANSWERING</source>
        <translation>驱动器无应答。</translation>
    </message>
    <message>
        <source>STR_NOT_ANSWERING</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>STR_STATUS_STALE_VALUES</source>
        <translation>%1 个值已过时</translation>
    </message>
    <message>
        <source>STR_STATUS_WHOLE_READ</source>
        <translation>正在读取 %1 / %2 个功能码</translation>
    </message>
</context>
</TS>
