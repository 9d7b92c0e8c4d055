<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_DRIVE_FOLDER_MISSING</source>
        <translation>The folder of drive descriptions %1 does not exist.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_OFFLINE</source>
        <translation>The drive is offline.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_TIMEOUT</source>
        <translation>The drive did not answer in time.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_RANGE</source>
        <translation>The value is outside the range of the function code.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_READ_ONLY</source>
        <translation>The function code cannot be written.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_UNKNOWN_CODE</source>
        <translation>The drive has no such function code.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_AUTHORITY</source>
        <translation>Your authority does not allow changing this function code.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_OSCI</source>
        <translation>The oscilloscope is using this function code; stop it first.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_AXIS</source>
        <translation>The drive has no such axis.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_BUSY</source>
        <translation>The drive is busy.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_REFUSED</source>
        <translation>The drive refused the value in its present state.</translation>
    </message>
    <message>
        <source>STR_WRITE_WHILE_OSCI_RUNNING</source>
        <translation>The oscilloscope is running on this drive.</translation>
    </message>
    <message>
        <source>STR_UNSAVED</source>
        <translation>Not saved</translation>
    </message>
    <message>
        <source>STR_SAVED</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>STR_INSTANT_EFFECT</source>
        <translation>Takes effect at once</translation>
    </message>
    <message>
        <source>STR_RESET_EFFECT</source>
        <translation>Takes effect after a reset</translation>
    </message>
    <message>
        <source>STR_STOP_EFFECT</source>
        <translation>Takes effect after stopping</translation>
    </message>
    <message>
        <source>STR_DEVICE_OFFLINE</source>
        <translation>The drive is offline.</translation>
    </message>
    <message>
        <source>STR_DEVICE_ONLINE</source>
        <translation>The drive is online.</translation>
    </message>
    <message>
        <source>STR_DEVICE_ALIAS_EMPTY</source>
        <translation>A drive needs a name.</translation>
    </message>
    <message>
        <source>STR_DEVICE_ALIAS_EXISTS</source>
        <translation>A drive named %1 is already in the project.</translation>
    </message>
    <message>
        <source>STR_UNKNOWN_DRIVE_MODEL</source>
        <translation>The drive model %1 is not known to the workbench.</translation>
    </message>
    <message>
        <source>STR_NO_DRIVE_MODELS</source>
        <translation>No drive descriptions were found in %1.</translation>
    </message>
    <message>
        <source>STR_PROJECT_OPEN_FAILED</source>
        <translation>The project %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>STR_PROJECT_NOT_VALID</source>
        <translation>%1 is not a project file of the workbench.</translation>
    </message>
    <message>
        <source>STR_PROJECT_SAVE_FAILED</source>
        <translation>The project could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>STR_HELP_TITLE</source>
        <translation>Help: %1, group %2</translation>
    </message>
    <message>
        <source>STR_RANGE</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>STR_DEFAULT_VAL</source>
        <translation>Default</translation>
    </message>
</context>
</TS>
