<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CONNECTING</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>STR_DEVICE_NOT_ANSWERING</source>
        <translation>The drive does not answer.</translation>
    </message>
    <message>
        <source>STR_NOT_ANSWERING</source>
        <translation>not answering</translation>
    </message>
    <message>
        <source>STR_RESTORE_ALREADY_HELD</source>
        <translation>The drive already holds this value.</translation>
    </message>
    <message>
        <source>STR_RESTORE_NO_OLD_VALUE</source>
        <translation>The record holds no old value to restore.</translation>
    </message>
    <message>
        <source>STR_RESTORE_OLD_VALUE</source>
        <translation>Restore the old value</translation>
    </message>
    <message>
        <source>STR_STATUS_STALE_VALUES</source>
        <translation>%1 values stale</translation>
    </message>
    <message>
        <source>STR_STATUS_WHOLE_READ</source>
        <translation>reading %1 of %2 codes</translation>
    </message>
    <message>
        <source>STR_STATUS_WRITE_NOTICE</source>
        <translation>%1, %2 %3: %4</translation>
    </message>
    <message>
        <source>STR_VALUE_NOT_READ_TIP</source>
        <translation>Not read yet</translation>
    </message>
    <message>
        <source>STR_VALUE_READ_FAILED_TIP</source>
        <translation>The drive could not read this value</translation>
    </message>
    <message>
        <source>STR_VALUE_STALE_TIP</source>
        <translation>Read %1 s ago; the drive does not answer now</translation>
    </message>
    <message>
        <source>STR_VALUE_WRITTEN_TIP</source>
        <translation>Written, not read back yet</translation>
    </message>
    <message>
        <source>STR_WRITE_DRIVE_HOLDS_OTHER</source>
        <translation>The drive holds %1, not %2.</translation>
    </message>
    <message>
        <source>STR_WRITE_NOTICE</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>STR_WRITE_NOT_KNOWN</source>
        <translation>The drive did not answer in time; the value is read again to see whether it was taken.</translation>
    </message>
    <message>
        <source>STR_WRITE_READ_BACK_FAILED</source>
        <translation>The value could not be read back from the drive.</translation>
    </message>
</context>
</TS>
