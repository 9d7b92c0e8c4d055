<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_LANGUAGE_RESTART_QUESTION</source>
        <translation>菜单和工程树已切换为新语言，其余页面将在重新启动后切换。是否立即重新启动工作台？</translation>
    </message>
</context>
</TS>
