<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_MENU_BACKUP_DRIVE</source>
        <translation>备份驱动器(&amp;B)...</translation>
    </message>
    <message>
        <source>STR_MENU_EXPORT_FUNCODE</source>
        <translation>导出功能码(&amp;E)...</translation>
    </message>
    <message>
        <source>STR_MENU_PRINT_FUNCODE</source>
        <translation>打印功能码(&amp;P)...</translation>
    </message>
    <message>
        <source>STR_MENU_PRINT_PREVIEW_FUNCODE</source>
        <translation>打印预览(&amp;V)...</translation>
    </message>
    <message>
        <source>STR_EXPORT_DETAIL_CODES_PAGES</source>
        <translation>文件中有 %1 个功能码和 %2 个其他页面。</translation>
    </message>
    <message>
        <source>STR_EXPORT_DETAIL_ROWS</source>
        <translation>文件中有 %1 行。</translation>
    </message>
    <message>
        <source>STR_EXPORT_LEAVE_OUT_UNKNOWN</source>
        <translation>以下功能码的值未能读取：%1
是否略去这些功能码并继续？</translation>
    </message>
    <message>
        <source>STR_EXPORT_AND_MORE</source>
        <translation>另有 %1 个</translation>
    </message>
    <message>
        <source>STR_EXPORT_VALUES_UNKNOWN</source>
        <translation>以下功能码的值未知：%1</translation>
    </message>
</context>
</TS>
