<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_ADD_DRIVE_ALIAS</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_ALIAS_HINT</source>
        <translation>型号名称</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_BAUD</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_HOST</source>
        <translation>主机：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_LINK</source>
        <translation>连接：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_MODEL</source>
        <translation>型号：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_PARITY</source>
        <translation>校验：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_SERIAL_PORT</source>
        <translation>串口：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_TCP_PORT</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_TIMEOUT</source>
        <translation>超时：</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_TITLE</source>
        <translation>添加驱动器</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_UNIT</source>
        <translation>X 轴站号：</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_BAUD</source>
        <translation>不支持波特率 %1。</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_PORT</source>
        <translation>端口 %1 不在 1 到 65535 之间。</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_SETTINGS</source>
        <translation>未知的连接 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_TIMEOUT</source>
        <translation>超时 %1 ms 不在 10 到 60000 ms 之间。</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_UNIT</source>
        <translation>站号 %1 不合适：连同各轴，X 轴的站号必须在 1 到 %2 之间。</translation>
    </message>
    <message>
        <source>STR_LINK_MODBUS_RTU</source>
        <translation>Modbus RTU</translation>
    </message>
    <message>
        <source>STR_LINK_MODBUS_TCP</source>
        <translation>Modbus TCP</translation>
    </message>
    <message>
        <source>STR_LINK_NO_HOST</source>
        <translation>请输入驱动器的主机名或 IP 地址。</translation>
    </message>
    <message>
        <source>STR_LINK_NO_SERIAL_PORT</source>
        <translation>请选择驱动器所在的串口。</translation>
    </message>
    <message>
        <source>STR_LINK_SIMULATED</source>
        <translation>模拟（工作台内部）</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_DRIVE_RTU</source>
        <translation>Modbus RTU 驱动器...</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_DRIVE_TCP</source>
        <translation>Modbus TCP 驱动器...</translation>
    </message>
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
        <source>STR_PARITY_EVEN</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>STR_PARITY_NONE</source>
        <translation>无</translation>
    </message>
    <message>
        <source>STR_PARITY_ODD</source>
        <translation>奇校验</translation>
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
        <source>STR_SIM_SERVER_NOT_STARTED</source>
        <translation>无法启动 %1 的模拟驱动器服务器（%2）。</translation>
    </message>
    <message>
        <source>STR_SIM_UNKNOWN_CODE</source>
        <translation>驱动器没有功能码 %1。</translation>
    </message>
    <message>
        <source>STR_STATUS_LINK</source>
        <translation>连接：%1</translation>
    </message>
    <message>
        <source>STR_LINK_CONNECT_TIMEOUT</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>STR_STATUS_LINK_SIMULATED</source>
        <translation>仿真</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_CONNECTING</source>
        <translation>尚未连接</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_CONNECTION</source>
        <translation>无连接（%1）</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_CLOSED</source>
        <translation>连接已关闭</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_NO_ANSWER</source>
        <translation>连续 %1 个请求无应答</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_GARBLED</source>
        <translation>连续 %1 个应答不是对请求的回答</translation>
    </message>
    <message>
        <source>STR_STATUS_OFFLINE_BECAUSE</source>
        <translation>%1：%2</translation>
    </message>
</context>
</TS>
