<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_MENU_SIM_CLEAR_SWITCHES</source>
        <translation>清除模拟故障</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_DROP_EVERY</source>
        <translation>每第 n 个应答丢失...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_FAIL_CODE</source>
        <translation>使一个功能码失败...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_FAULTS</source>
        <translation>模拟故障</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_LATE_EVERY</source>
        <translation>每第 n 个请求延迟应答...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_OFFLINE_AFTER</source>
        <translation>n 个请求后离线...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_REFUSE_WRITES</source>
        <translation>拒绝写入...</translation>
    </message>
    <message>
        <source>STR_SIM_COUNT_LABEL</source>
        <translation>每第 n 个请求（0 表示关闭）：</translation>
    </message>
    <message>
        <source>STR_SIM_FAIL_CODE_LABEL</source>
        <translation>失败的功能码（空：无）：</translation>
    </message>
    <message>
        <source>STR_SIM_OFFLINE_AFTER_LABEL</source>
        <translation>驱动器离线前仍应答的请求数：</translation>
    </message>
    <message>
        <source>STR_SIM_REFUSE_REASON_DEFAULT</source>
        <translation>伺服已使能：参数已锁定</translation>
    </message>
    <message>
        <source>STR_SIM_REFUSE_REASON_LABEL</source>
        <translation>驱动器给出的原因：</translation>
    </message>
    <message>
        <source>STR_SIM_UNKNOWN_CODE</source>
        <translation>驱动器没有功能码 %1。</translation>
    </message>
</context>
</TS>
