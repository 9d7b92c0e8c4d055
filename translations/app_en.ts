<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_APP_DESCRIPTION</source>
        <translation>Servo-drive commissioning workbench.</translation>
    </message>
    <message>
        <source>STR_ABOUT_TEXT</source>
        <translation>Servo workbench %1

Commissioning of servo drives: function codes, monitored values, modification records and faults, with simulated drives for trying things out.</translation>
    </message>
    <message>
        <source>STR_WINDOW_TITLE</source>
        <translation>%1[*] - Servo workbench</translation>
    </message>
    <message>
        <source>STR_UNTITLED_PROJECT</source>
        <translation>Untitled project</translation>
    </message>
    <message>
        <source>STR_PROJECT_TREE</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>STR_NO_PLUGIN_LOADED</source>
        <translation>No plug-in loaded</translation>
    </message>
    <message>
        <source>STR_NODE_FUNCODE</source>
        <translation>Function codes</translation>
    </message>
    <message>
        <source>STR_NODE_STATISTICS</source>
        <translation>Modification statistics</translation>
    </message>
    <message>
        <source>STR_NODE_RECORDS</source>
        <translation>Modification records</translation>
    </message>
    <message>
        <source>STR_NODE_MONITORED</source>
        <translation>Monitored function codes</translation>
    </message>
    <message>
        <source>STR_NODE_DEFAULT_COMPARE</source>
        <translation>Comparison with defaults</translation>
    </message>
    <message>
        <source>STR_NODE_ALARM</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>STR_NODE_ALL_CUR_FAULTS</source>
        <translation>Current faults of all drives</translation>
    </message>
    <message>
        <source>STR_NODE_NOT_FOUND</source>
        <translation>The project tree has no node %2 for the drive "%1".</translation>
    </message>
    <message>
        <source>STR_TREE_DRIVE_TIP</source>
        <translation>Model %1, axes: %2, %3</translation>
    </message>
    <message>
        <source>STR_ONLINE</source>
        <translation>online</translation>
    </message>
    <message>
        <source>STR_OFFLINE</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>STR_STATUS_NO_DRIVE</source>
        <translation>No drive selected</translation>
    </message>
    <message>
        <source>STR_STATUS_DRIVE</source>
        <translation>Drive %1  |  model %2  |  axes: %3  |  %4  |  refresh %5</translation>
    </message>
    <message>
        <source>STR_STATUS_REFRESH_MS</source>
        <translation>every %1 ms</translation>
    </message>
    <message>
        <source>STR_STATUS_REFRESH_OFF</source>
        <translation>off</translation>
    </message>
    <message>
        <source>STR_MENU_FILE</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>STR_MENU_NEW_DEMO_PROJECT</source>
        <translation>New demo project</translation>
    </message>
    <message>
        <source>STR_MENU_OPEN_PROJECT</source>
        <translation>Open project...</translation>
    </message>
    <message>
        <source>STR_MENU_SAVE_PROJECT</source>
        <translation>Save project</translation>
    </message>
    <message>
        <source>STR_MENU_SAVE_PROJECT_AS</source>
        <translation>Save project as...</translation>
    </message>
    <message>
        <source>STR_MENU_QUIT</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>STR_PROJECT_FILE_FILTER</source>
        <translation>Workbench projects (*.servoproj);;All files (*)</translation>
    </message>
    <message>
        <source>STR_SAVE_PROJECT_TITLE</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>STR_SAVE_PROJECT_QUESTION</source>
        <translation>The project has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>STR_MENU_DRIVE</source>
        <translation>&amp;Drive</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_DRIVE</source>
        <translation>Add simulated drive</translation>
    </message>
    <message>
        <source>STR_MENU_NO_MODELS</source>
        <translation>No drive models loaded</translation>
    </message>
    <message>
        <source>STR_MENU_REMOVE_DRIVE</source>
        <translation>Remove selected drive</translation>
    </message>
    <message>
        <source>STR_CONFIRM_REMOVE_DRIVE</source>
        <translation>Remove the drive "%1" from the project?</translation>
    </message>
    <message>
        <source>STR_MENU_DRIVE_ONLINE</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>STR_MENU_RAISE_FAULT</source>
        <translation>Raise fault</translation>
    </message>
    <message>
        <source>STR_MENU_NO_FAULTS</source>
        <translation>The model has no faults</translation>
    </message>
    <message>
        <source>STR_RAISE_FAULT_FAILED</source>
        <translation>The fault %1 could not be raised on the selected drive.</translation>
    </message>
    <message>
        <source>STR_MENU_CLEAR_FAULTS</source>
        <translation>Clear faults</translation>
    </message>
    <message>
        <source>STR_MENU_OSCI_RUNNING</source>
        <translation>Oscilloscope running</translation>
    </message>
    <message>
        <source>STR_MENU_REPLY_DELAY</source>
        <translation>Simulated reply delay...</translation>
    </message>
    <message>
        <source>STR_REPLY_DELAY_LABEL</source>
        <translation>Reply delay of simulated drives (ms):</translation>
    </message>
    <message>
        <source>STR_MENU_SETTINGS</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>STR_MENU_AUTHORITY</source>
        <translation>Authority</translation>
    </message>
    <message>
        <source>STR_AUTHORITY_USER</source>
        <translation>User</translation>
    </message>
    <message>
        <source>STR_AUTHORITY_ENGINEER</source>
        <translation>Engineer</translation>
    </message>
    <message>
        <source>STR_AUTHORITY_MANUFACTURER</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>STR_AUTHORITY_DEVELOPER</source>
        <translation>Developer</translation>
    </message>
    <message>
        <source>STR_MENU_REFRESH_INTERVAL</source>
        <translation>Refresh interval...</translation>
    </message>
    <message>
        <source>STR_REFRESH_INTERVAL_LABEL</source>
        <translation>Refresh interval of drive "%1" in ms (0 = off):</translation>
    </message>
    <message>
        <source>STR_MENU_LANGUAGE</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>STR_LANGUAGE_ENGLISH</source>
        <translation>English</translation>
    </message>
    <message>
        <source>STR_LANGUAGE_CHINESE</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>STR_LANGUAGE_LOAD_FAILED</source>
        <translation>No texts were found for the language "%1".</translation>
    </message>
    <message>
        <source>STR_MENU_PLUGINS</source>
        <translation>&amp;Plug-ins</translation>
    </message>
    <message>
        <source>STR_MENU_HELP</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>STR_MENU_HELP_PAGE</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>STR_MENU_ABOUT</source>
        <translation>About</translation>
    </message>
    <message>
        <source>STR_HELP_MISSING</source>
        <translation>The help page %1 was not found.</translation>
    </message>
    <message>
        <source>STR_PLUGIN_NONE_FOUND</source>
        <translation>No plug-in could be loaded from these folders: %1</translation>
    </message>
    <message>
        <source>STR_PLUGIN_WRONG_INTERFACE</source>
        <translation>%1 is not a plug-in of this workbench.</translation>
    </message>
    <message>
        <source>STR_PLUGIN_LOAD_FAILED</source>
        <translation>The function-code plug-in could not be loaded.
%1</translation>
    </message>
    <message>
        <source>STR_LOG_INIT_FAILED</source>
        <translation>The log file cannot be written in %1; logging to the console only.</translation>
    </message>
    <message>
        <source>STR_DATABASE_DAMAGED_TITLE</source>
        <translation>Damaged database</translation>
    </message>
    <message>
        <source>STR_DATABASE_DAMAGED_QUESTION</source>
        <translation>These database files cannot be used:
%1

Move the damaged files aside and start with empty ones? The old files are kept.</translation>
    </message>
    <message>
        <source>STR_DATABASE_MOVED</source>
        <translation>%1 was moved to %2; a new, empty file is used.</translation>
    </message>
    <message>
        <source>STR_DATABASE_RECOVER_FAILED</source>
        <translation>%1 could not be recovered: %2</translation>
    </message>
    <message>
        <source>STR_STARTUP_PROBLEMS_TITLE</source>
        <translation>Start-up problems</translation>
    </message>
    <message>
        <source>STR_STARTUP_PROBLEMS_TEXT</source>
        <translation>The workbench started, but:
%1</translation>
    </message>
    <message>
        <source>STR_OPT_PROJECT</source>
        <translation>Open this project instead of the demo project.</translation>
    </message>
    <message>
        <source>STR_OPT_DATA_DIR</source>
        <translation>Folder of settings, databases and log.</translation>
    </message>
    <message>
        <source>STR_OPT_DRIVES</source>
        <translation>Folder of drive model descriptions.</translation>
    </message>
    <message>
        <source>STR_OPT_PLUGIN_DIR</source>
        <translation>Folder searched first for plug-ins.</translation>
    </message>
    <message>
        <source>STR_OPT_SCREENSHOT</source>
        <translation>Save a picture of the window after start-up as PNG and quit.</translation>
    </message>
    <message>
        <source>STR_OPT_SELECT</source>
        <translation>Select this drive after start-up.</translation>
    </message>
    <message>
        <source>STR_OPT_NODE</source>
        <translation>Open this node of the selected drive (303, 321 to 325, 402, 403).</translation>
    </message>
    <message>
        <source>STR_OPT_FILE</source>
        <translation>file</translation>
    </message>
    <message>
        <source>STR_OPT_DIR</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>STR_OPT_ALIAS</source>
        <translation>alias</translation>
    </message>
    <message>
        <source>STR_OPT_KIND</source>
        <translation>kind</translation>
    </message>
    <message>
        <source>STR_OPT_UNEXPECTED</source>
        <translation>Unexpected arguments: %1</translation>
    </message>
    <message>
        <source>STR_OPT_BAD_NODE</source>
        <translation>Unknown node kind: %1</translation>
    </message>
</context>
</TS>
