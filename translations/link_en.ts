<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_ADD_DRIVE_ALIAS</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_ALIAS_HINT</source>
        <translation>the model name</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_BAUD</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_HOST</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_LINK</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_MODEL</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_PARITY</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_SERIAL_PORT</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_TCP_PORT</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_TIMEOUT</source>
        <translation>Timeout:</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_TITLE</source>
        <translation>Add drive</translation>
    </message>
    <message>
        <source>STR_ADD_DRIVE_UNIT</source>
        <translation>Unit id of axis X:</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_BAUD</source>
        <translation>A baud rate of %1 is not supported.</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_PORT</source>
        <translation>Port %1 is outside 1 to 65535.</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_SETTINGS</source>
        <translation>The link &quot;%1&quot; is not known.</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_TIMEOUT</source>
        <translation>A timeout of %1 ms is outside 10 to 60000 ms.</translation>
    </message>
    <message>
        <source>STR_LINK_BAD_UNIT</source>
        <translation>Unit id %1 does not fit: with its axes, the unit id of axis X must lie between 1 and %2.</translation>
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
        <translation>Give the host name or IP address of the drive.</translation>
    </message>
    <message>
        <source>STR_LINK_NO_SERIAL_PORT</source>
        <translation>Choose the serial port the drive is on.</translation>
    </message>
    <message>
        <source>STR_LINK_SIMULATED</source>
        <translation>Simulated (inside the workbench)</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_DRIVE_RTU</source>
        <translation>On Modbus RTU...</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_DRIVE_TCP</source>
        <translation>On Modbus TCP...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_CLEAR_SWITCHES</source>
        <translation>Clear simulated faults</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_DROP_EVERY</source>
        <translation>Lose every n-th reply...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_FAIL_CODE</source>
        <translation>Fail one code...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_FAULTS</source>
        <translation>Simulated faults</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_LATE_EVERY</source>
        <translation>Answer every n-th request late...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_OFFLINE_AFTER</source>
        <translation>Go offline after n requests...</translation>
    </message>
    <message>
        <source>STR_MENU_SIM_REFUSE_WRITES</source>
        <translation>Refuse writes...</translation>
    </message>
    <message>
        <source>STR_PARITY_EVEN</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>STR_PARITY_NONE</source>
        <translation>None</translation>
    </message>
    <message>
        <source>STR_PARITY_ODD</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>STR_SIM_COUNT_LABEL</source>
        <translation>Every n-th request (0 turns it off):</translation>
    </message>
    <message>
        <source>STR_SIM_FAIL_CODE_LABEL</source>
        <translation>Code that fails (empty: none):</translation>
    </message>
    <message>
        <source>STR_SIM_OFFLINE_AFTER_LABEL</source>
        <translation>Requests still answered before the drive goes offline:</translation>
    </message>
    <message>
        <source>STR_SIM_REFUSE_REASON_DEFAULT</source>
        <translation>Servo enabled: parameters are locked</translation>
    </message>
    <message>
        <source>STR_SIM_REFUSE_REASON_LABEL</source>
        <translation>Reason the drive gives:</translation>
    </message>
    <message>
        <source>STR_SIM_SERVER_NOT_STARTED</source>
        <translation>The simulated drive server for %1 could not be started (%2).</translation>
    </message>
    <message>
        <source>STR_SIM_UNKNOWN_CODE</source>
        <translation>The drive has no code %1.</translation>
    </message>
    <message>
        <source>STR_STATUS_LINK</source>
        <translation>link: %1</translation>
    </message>
    <message>
        <source>STR_LINK_CONNECT_TIMEOUT</source>
        <translation>the connection was not made in time</translation>
    </message>
    <message>
        <source>STR_STATUS_LINK_SIMULATED</source>
        <translation>simulated</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_CONNECTING</source>
        <translation>not connected yet</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_CONNECTION</source>
        <translation>no connection (%1)</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_CLOSED</source>
        <translation>the connection was closed</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_NO_ANSWER</source>
        <translation>no answer to %1 requests in a row</translation>
    </message>
    <message>
        <source>STR_LINK_OFFLINE_GARBLED</source>
        <translation>%1 replies in a row were not answers to the requests</translation>
    </message>
    <message>
        <source>STR_STATUS_OFFLINE_BECAUSE</source>
        <translation>%1: %2</translation>
    </message>
</context>
</TS>
