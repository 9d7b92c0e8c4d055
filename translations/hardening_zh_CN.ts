<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_DATABASE_NOT_USED</source>
        <translation>%1 本次运行不使用该文件；本应存入其中的内容不会保留。</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_BACKUP</source>
        <translation>数据库文件的结构较旧，升级前无法保留其副本；文件保持原样。</translation>
    </message>
    <message>
        <source>STR_DB_READ_ONLY</source>
        <translation>数据库文件无法写入（文件或文件夹只读）；现在所做的更改不会保留。</translation>
    </message>
    <message>
        <source>STR_DB_UPGRADED</source>
        <translation>%1 已从结构 %2 升级到 %3；原内容保存在 %4 中。</translation>
    </message>
    <message>
        <source>STR_DB_UPGRADE_FAILED</source>
        <translation>数据库文件无法升级到当前结构；文件保持原样。</translation>
    </message>
    <message>
        <source>STR_JSON_BOOL</source>
        <translation>真/假值</translation>
    </message>
    <message>
        <source>STR_JSON_LIST</source>
        <translation>列表</translation>
    </message>
    <message>
        <source>STR_JSON_MISSING</source>
        <translation>缺失</translation>
    </message>
    <message>
        <source>STR_JSON_NULL</source>
        <translation>null</translation>
    </message>
    <message>
        <source>STR_JSON_NUMBER</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>STR_JSON_OBJECT</source>
        <translation>对象</translation>
    </message>
    <message>
        <source>STR_JSON_TEXT</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>STR_PROJECT_DEVICES_NOT_LIST</source>
        <translation>项目的驱动器列表（"devices"）是%1，不是列表；项目打开时没有驱动器。</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_BAD_ALIAS</source>
        <translation>它的名称（"alias"）是%1，不是文本。</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_NAMED</source>
        <translation>驱动器条目 %1（%2）</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_NOT_OBJECT</source>
        <translation>它是%1，不是用花括号括起的驱动器描述。</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_NO_MODEL</source>
        <translation>它没有指定驱动器型号（"model" 是%1）。</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_SKIPPED</source>
        <translation>项目的%1已跳过：%2</translation>
    </message>
    <message>
        <source>STR_PROJECT_ENTRY_UNNAMED</source>
        <translation>驱动器条目 %1</translation>
    </message>
</context>
</TS>
