<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_IMPORT_VAL</source>
        <translation>文件值</translation>
    </message>
    <message>
        <source>STR_MENU_IMPORT_FUNCODE</source>
        <translation>导入功能码(&amp;I)...</translation>
    </message>
    <message>
        <source>STR_MENU_RESTORE_DRIVE</source>
        <translation>恢复驱动器(&amp;R)...</translation>
    </message>
    <message>
        <source>STR_OTHERS</source>
        <translation>其他页面</translation>
    </message>
</context>
</TS>
