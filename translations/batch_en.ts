<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_BATCH_COMPARE_WITH_SOURCE</source>
        <translation>Compare with source</translation>
    </message>
    <message>
        <source>STR_BATCH_LINK_STATE</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_AXIS_VALUES</source>
        <translation>%1 %3 instead of %2</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_CODE_MISMATCH</source>
        <translation>%1 reads back differently: %2</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_CODE_REFUSED</source>
        <translation>%1 not written: %2</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_CODE_UNCONFIRMED</source>
        <translation>%1 (%2) was not confirmed by the drive</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_DEVICE_FAILED</source>
        <translation>%1: download failed</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_DEVICE_LOST</source>
        <translation>went offline during the download</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_DEVICE_START</source>
        <translation>%1: download started</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_DEVICE_STOPPED</source>
        <translation>%1: stopped by the user</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_DEVICE_SUCCEEDED</source>
        <translation>%1: every value written and read back</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_FINISHED</source>
        <translation>Batch finished: %1 drive(s) succeeded, %2 failed</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_MORE_CODES</source>
        <translation>... and %1 more function code(s)</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_MOTOR_TYPE_FIRST</source>
        <translation>The motor type %1 is written first into every drive</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_NOT_SAVED</source>
        <translation>%1: not online, neither saved nor reset</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_RESET_FAILED</source>
        <translation>could not be reset</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_SAVED_AND_RESET</source>
        <translation>%1: saved and reset</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_SAVE_FAILED</source>
        <translation>could not save the values, so it was not reset</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_SAVE_RESET</source>
        <translation>Saving and resetting %1</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_STARTED</source>
        <translation>Download of %1 function code(s) into %2 drive(s) started</translation>
    </message>
    <message>
        <source>STR_BATCH_LOG_STOPPED</source>
        <translation>Batch stopped; the remaining drives were not started</translation>
    </message>
    <message>
        <source>STR_BATCH_NO_FUNCODE</source>
        <translation>No function code is checked for download.</translation>
    </message>
    <message>
        <source>STR_BATCH_NO_SOURCE</source>
        <translation>Choose a function-code file or a source drive.</translation>
    </message>
    <message>
        <source>STR_BATCH_NO_TARGET</source>
        <translation>No target drive is checked.</translation>
    </message>
    <message>
        <source>STR_BATCH_RESULT</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>STR_BATCH_SAVE_AND_RESET</source>
        <translation>Save and reset after download</translation>
    </message>
    <message>
        <source>STR_BATCH_SELECT_ALL</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>STR_BATCH_SELECT_NONE</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>STR_BATCH_SOURCE_DEVICE</source>
        <translation>Source drive</translation>
    </message>
    <message>
        <source>STR_BATCH_SOURCE_FILE</source>
        <translation>Function-code file</translation>
    </message>
    <message>
        <source>STR_BATCH_SOURCE_SUMMARY</source>
        <translation>%1 %2: %3 of %4 function codes checked</translation>
    </message>
    <message>
        <source>STR_BATCH_SOURCE_UNREAD</source>
        <translation>No function code of the source drive could be read.</translation>
    </message>
    <message>
        <source>STR_BATCH_START</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>STR_BATCH_STATE_FAILED</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>STR_BATCH_STATE_RUNNING</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>STR_BATCH_STATE_STOPPED</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>STR_BATCH_STATE_SUCCEEDED</source>
        <translation>Succeeded</translation>
    </message>
    <message>
        <source>STR_BATCH_STATE_WAITING</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>STR_BATCH_STOP</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>STR_BATCH_TARGETS</source>
        <translation>Target drives</translation>
    </message>
    <message>
        <source>STR_DEVICE_NOT_ONLINE</source>
        <translation>The drive is not online.</translation>
    </message>
    <message>
        <source>STR_DEVICE_TYPE</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>STR_DOWN_LOAD_FAIL</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>STR_FILE_DEVICE_INFORMATION_MISSING</source>
        <translation>The file does not say which drive it was made for (device information missing).</translation>
    </message>
    <message>
        <source>STR_FILE_FORMAT_FAILED</source>
        <translation>The file is not a function-code file (its first line lacks the import mark).</translation>
    </message>
    <message>
        <source>STR_LOG_LEVEL_ERROR</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>STR_LOG_LEVEL_INFO</source>
        <translation>INFO</translation>
    </message>
    <message>
        <source>STR_LOG_LEVEL_SUCCESS</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>STR_LOG_LEVEL_WARNING</source>
        <translation>WARN</translation>
    </message>
    <message>
        <source>STR_MOTOR_TYPE_CHANGED_FAILED</source>
        <translation>Motor type could not be changed</translation>
    </message>
    <message>
        <source>STR_NO_EXIST_DEVICE</source>
        <translation>The drive does not exist.</translation>
    </message>
    <message>
        <source>STR_READ</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>STR_READ_DEV_MOTOR_TYPE_MATCH_CONFIG_TABLE_FAILED</source>
        <translation>the drive's motor type does not match the value written</translation>
    </message>
    <message>
        <source>STR_SELECT_DIFF_FUNCODE</source>
        <translation>Select differing</translation>
    </message>
    <message>
        <source>STR_BATCH_RUN_PERCENT</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <source>STR_BATCH_DRIVES_AT_ONCE</source>
        <translation>Drives at once:</translation>
    </message>
    <message>
        <source>STR_BATCH_PROGRESS_OVERALL</source>
        <translation>%1 of %2 drives done, %3 running</translation>
    </message>
</context>
</TS>
