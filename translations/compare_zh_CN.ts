<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CUR_VAL</source>
        <translation>当前值</translation>
    </message>
    <message>
        <source>STR_DEFAULT_COMPARE_NONE</source>
        <translation>从驱动器读取的设定值均与默认值相同。</translation>
    </message>
</context>
</TS>
