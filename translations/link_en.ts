<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
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
        <source>STR_SIM_UNKNOWN_CODE</source>
        <translation>The drive has no code %1.</translation>
    </message>
</context>
</TS>
