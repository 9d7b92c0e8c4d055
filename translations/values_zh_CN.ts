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
        <source>STR_RESTORE_ALREADY_HELD</source>
        <translation>驱动器中已是该值。</translation>
    </message>
    <message>
        <source>STR_RESTORE_NO_OLD_VALUE</source>
        <translation>该记录没有可恢复的旧值。</translation>
    </message>
    <message>
        <source>STR_RESTORE_OLD_VALUE</source>
        <translation>恢复旧值</translation>
    </message>
    <message>
        <source>STR_STATUS_STALE_VALUES</source>
        <translation>%1 个值已过时</translation>
    </message>
    <message>
        <source>STR_STATUS_WHOLE_READ</source>
        <translation>正在读取 %1 / %2 个功能码</translation>
    </message>
    <message>
        <source>STR_STATUS_WRITE_NOTICE</source>
        <translation>%1，%2 %3轴：%4</translation>
    </message>
    <message>
        <source>STR_VALUE_NOT_READ_TIP</source>
        <translation>尚未读取</translation>
    </message>
    <message>
        <source>STR_VALUE_READ_FAILED_TIP</source>
        <translation>驱动器无法读取该值</translation>
    </message>
    <message>
        <source>STR_VALUE_STALE_TIP</source>
        <translation>%1 秒前读取；驱动器当前无应答</translation>
    </message>
    <message>
        <source>STR_VALUE_WRITTEN_TIP</source>
        <translation>已写入，尚未读回</translation>
    </message>
    <message>
        <source>STR_WRITE_DRIVE_HOLDS_OTHER</source>
        <translation>驱动器中的值为 %1，而不是 %2。</translation>
    </message>
    <message>
        <source>STR_WRITE_NOTICE</source>
        <translation>%1 %2轴：%3</translation>
    </message>
    <message>
        <source>STR_WRITE_NOT_KNOWN</source>
        <translation>驱动器未及时应答；正在重新读取该值，以确认是否已写入。</translation>
    </message>
    <message>
        <source>STR_WRITE_READ_BACK_FAILED</source>
        <translation>无法从驱动器读回该值。</translation>
    </message>
</context>
</TS>
