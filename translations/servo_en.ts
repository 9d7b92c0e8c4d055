<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>Ctrl+Down</source>
        <translation>Ctrl+Down</translation>
    </message>
    <message>
        <source>Ctrl+Up</source>
        <translation>Ctrl+Up</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>STR_ABOUT_TEXT</source>
        <translation>Servo workbench %1

Commissioning of servo drives: function codes, monitored values, modification records and faults, with simulated drives for trying things out.</translation>
    </message>
    <message>
        <source>STR_ALLREADWRITE</source>
        <translation>Read and write</translation>
    </message>
    <message>
        <source>STR_APP_DESCRIPTION</source>
        <translation>Servo-drive commissioning workbench.</translation>
    </message>
    <message>
        <source>STR_AUTHORITY_DEVELOPER</source>
        <translation>Developer</translation>
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
        <source>STR_AUTHORITY_USER</source>
        <translation>User</translation>
    </message>
    <message>
        <source>STR_AXIS_INDEX</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>STR_AXIS_X</source>
        <translation>Axis X</translation>
    </message>
    <message>
        <source>STR_AXIS_Y</source>
        <translation>Axis Y</translation>
    </message>
    <message>
        <source>STR_AXIS_Z</source>
        <translation>Axis Z</translation>
    </message>
    <message>
        <source>STR_BATCH_DOWNLOAD</source>
        <translation>Batch download</translation>
    </message>
    <message>
        <source>STR_CANCEL</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>STR_CLEAR_RECORD</source>
        <translation>Clear the records</translation>
    </message>
    <message>
        <source>STR_CLOSE</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>STR_CLOSE_ALL</source>
        <translation>Close all</translation>
    </message>
    <message>
        <source>STR_CLOSE_OTHER</source>
        <translation>Close the others</translation>
    </message>
    <message>
        <source>STR_COMMONLY</source>
        <translation>Commonly used</translation>
    </message>
    <message>
        <source>STR_COMMONLY_TYPE</source>
        <translation>Common</translation>
    </message>
    <message>
        <source>STR_COMPARE</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>STR_CONFIRM_REMOVE_DRIVE</source>
        <translation>Remove the drive "%1" from the project?</translation>
    </message>
    <message>
        <source>STR_CURRENT_FAULT</source>
        <translation>Current faults</translation>
    </message>
    <message>
        <source>STR_DATABASE_DAMAGED_QUESTION</source>
        <translation>These database files cannot be used:
%1

Move the damaged files aside and start with empty ones? The old files are kept.</translation>
    </message>
    <message>
        <source>STR_DATABASE_DAMAGED_TITLE</source>
        <translation>Damaged database</translation>
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
        <source>STR_DATETIME</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_CREATE</source>
        <translation>The database file cannot be created.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_MOVE</source>
        <translation>The damaged file cannot be moved aside.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_OPEN</source>
        <translation>The database file cannot be opened.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_READ</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>STR_DB_DAMAGED</source>
        <translation>The database file is damaged.</translation>
    </message>
    <message>
        <source>STR_DB_FOREIGN</source>
        <translation>The database file belongs to another program.</translation>
    </message>
    <message>
        <source>STR_DB_NEWER</source>
        <translation>The database file was written by a newer version of this program.</translation>
    </message>
    <message>
        <source>STR_DB_NOT_A_FILE</source>
        <translation>The path names a folder, not a file.</translation>
    </message>
    <message>
        <source>STR_DB_NOT_OPEN</source>
        <translation>The database is not open.</translation>
    </message>
    <message>
        <source>STR_DB_NOT_SQLITE</source>
        <translation>The file is not a database file.</translation>
    </message>
    <message>
        <source>STR_DB_NO_DATA_DIR</source>
        <translation>The data folder cannot be created:</translation>
    </message>
    <message>
        <source>STR_DB_NO_DEVICE</source>
        <translation>No device name was given.</translation>
    </message>
    <message>
        <source>STR_DB_NO_DRIVER</source>
        <translation>The SQLite database driver of Qt is not installed.</translation>
    </message>
    <message>
        <source>STR_DB_NO_FUNCODE</source>
        <translation>A function code without number cannot be stored.</translation>
    </message>
    <message>
        <source>STR_DB_NO_MODEL</source>
        <translation>No valid drive model name was given.</translation>
    </message>
    <message>
        <source>STR_DB_NO_PATH</source>
        <translation>No file name was given.</translation>
    </message>
    <message>
        <source>STR_DB_PARTIAL_REMOVED</source>
        <translation>The unfinished file was removed.</translation>
    </message>
    <message>
        <source>STR_DB_QUERY_FAILED</source>
        <translation>A database operation failed; see the log for details.</translation>
    </message>
    <message>
        <source>STR_DB_TRUNCATED</source>
        <translation>The database file is incomplete; it was cut short.</translation>
    </message>
    <message>
        <source>STR_DB_UNKNOWN_FILE</source>
        <translation>This is not one of the program's database files.</translation>
    </message>
    <message>
        <source>STR_DB_WRITE_FAILED</source>
        <translation>The file could not be written.</translation>
    </message>
    <message>
        <source>STR_DEFAULT_VAL</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>STR_DETAIL_AXIS</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>STR_DETAIL_CANOPEN</source>
        <translation>CANopen address</translation>
    </message>
    <message>
        <source>STR_DETAIL_CHANGE</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>STR_DETAIL_CHANGE_TIME</source>
        <translation>Changed at: %1</translation>
    </message>
    <message>
        <source>STR_DETAIL_CHANGE_VALUE</source>
        <translation>Axis %1: %2 → %3</translation>
    </message>
    <message>
        <source>STR_DETAIL_CODE_NOT_EDITABLE</source>
        <translation>Values of this kind cannot be edited.</translation>
    </message>
    <message>
        <source>STR_DETAIL_CUR_VALUE</source>
        <translation>Current value</translation>
    </message>
    <message>
        <source>STR_DETAIL_DATA_TYPE</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>STR_DETAIL_DEFAULT</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>STR_DETAIL_EDIT_HINT</source>
        <translation>Double-click a cell under "New value" to change the value of that axis; press Enter to apply it.</translation>
    </message>
    <message>
        <source>STR_DETAIL_EDIT_HINT_ON_LEAVE</source>
        <translation>Double-click a cell under "New value" to change the value of that axis; it is applied when you leave the cell.</translation>
    </message>
    <message>
        <source>STR_DETAIL_EDIT_PROMPT</source>
        <translation>Double-click to change</translation>
    </message>
    <message>
        <source>STR_DETAIL_EFFECT</source>
        <translation>Takes effect</translation>
    </message>
    <message>
        <source>STR_DETAIL_GROUP</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>STR_DETAIL_ITEMS</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>STR_DETAIL_LOCKED</source>
        <translation>Locked</translation>
    </message>
    <message>
        <source>STR_DETAIL_MENU_DIGIT</source>
        <translation>Digit %1, %2: %3</translation>
    </message>
    <message>
        <source>STR_DETAIL_MENU_DIGITS</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>STR_DETAIL_MODIFY_DISABLED</source>
        <translation>The value cannot be changed from this window.</translation>
    </message>
    <message>
        <source>STR_DETAIL_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_DETAIL_NEW_VALUE</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>STR_DETAIL_NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>STR_DETAIL_NONE</source>
        <translation>None</translation>
    </message>
    <message>
        <source>STR_DETAIL_NO_DEVICE</source>
        <translation>No drive is selected.</translation>
    </message>
    <message>
        <source>STR_DETAIL_NO_RELATED</source>
        <translation>This function code has no related parameters.</translation>
    </message>
    <message>
        <source>STR_DETAIL_NUMBER</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_DETAIL_RANGE</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>STR_DETAIL_RANGE_TEXT</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>STR_DETAIL_READ_ONLY_CODE</source>
        <translation>This function code is read only.</translation>
    </message>
    <message>
        <source>STR_DETAIL_RELATED</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_DETAIL_RELATE_CURRENT</source>
        <translation>No change of this function code is recorded for this time; the current values are shown.</translation>
    </message>
    <message>
        <source>STR_DETAIL_REMARK</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>STR_DETAIL_RIGHT</source>
        <translation>Access</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_0</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_1</source>
        <translation>Read and write</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_2</source>
        <translation>Write only</translation>
    </message>
    <message>
        <source>STR_DETAIL_RW_3</source>
        <translation>Factory setting (read only)</translation>
    </message>
    <message>
        <source>STR_DETAIL_STORE</source>
        <translation>Kept at power-off</translation>
    </message>
    <message>
        <source>STR_DETAIL_UNIT</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>STR_DETAIL_UNKNOWN_CODE</source>
        <translation>The drive %1 has no function code %2.</translation>
    </message>
    <message>
        <source>STR_DETAIL_VALUE_AFTER</source>
        <translation>Value after</translation>
    </message>
    <message>
        <source>STR_DETAIL_VALUE_BEFORE</source>
        <translation>Value before</translation>
    </message>
    <message>
        <source>STR_DETAIL_YES</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>STR_DEVICE</source>
        <translation>Drive</translation>
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
        <source>STR_DEVICE_OFFLINE</source>
        <translation>The drive is offline.</translation>
    </message>
    <message>
        <source>STR_DEVICE_ONLINE</source>
        <translation>The drive is online.</translation>
    </message>
    <message>
        <source>STR_DOUBLE_CLICK_SHOW_DETAIL</source>
        <translation>Double-click to show every modification</translation>
    </message>
    <message>
        <source>STR_DOWN</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>STR_DRIVE_FOLDER_MISSING</source>
        <translation>The folder of drive descriptions %1 does not exist.</translation>
    </message>
    <message>
        <source>STR_EFFECTIVE_PRESS_ENTER</source>
        <translation>Takes effect on Enter</translation>
    </message>
    <message>
        <source>STR_EFFECT_STYLE</source>
        <translation>Takes effect</translation>
    </message>
    <message>
        <source>STR_EXPORT</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>STR_EXPORT_CHOOSE_FILE_TYPE</source>
        <translation>Choose the kind of file to write:</translation>
    </message>
    <message>
        <source>STR_EXPORT_FILE_TYPE</source>
        <translation>Export file type</translation>
    </message>
    <message>
        <source>STR_FAULT_CODE</source>
        <translation>Fault code</translation>
    </message>
    <message>
        <source>STR_FAULT_NAME</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>STR_FILE_TYPE_CSV</source>
        <translation>Comma-separated file (*.csv)</translation>
    </message>
    <message>
        <source>STR_FILE_TYPE_FUNCODESERVO</source>
        <translation>Function-code file (*.funcodeservo)</translation>
    </message>
    <message>
        <source>STR_FILE_TYPE_XLSX</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>STR_FIND</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>STR_FIND_FUNCODE</source>
        <translation>Find function code</translation>
    </message>
    <message>
        <source>STR_FUNCODE</source>
        <translation>Function codes</translation>
    </message>
    <message>
        <source>STR_FUNCODE_DETAIL</source>
        <translation>Function code details</translation>
    </message>
    <message>
        <source>STR_FUNCODE_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_FUNCODE_NAME_INDEX</source>
        <translation>Number or name of a function code</translation>
    </message>
    <message>
        <source>STR_HELP</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>STR_HELP_MISSING</source>
        <translation>The help page %1 was not found.</translation>
    </message>
    <message>
        <source>STR_HELP_TITLE</source>
        <translation>Help: %1, group %2</translation>
    </message>
    <message>
        <source>STR_HEX_BIT</source>
        <translation>Bit %1</translation>
    </message>
    <message>
        <source>STR_HEX_DECIMAL</source>
        <translation>Decimal: %1</translation>
    </message>
    <message>
        <source>STR_HEX_EMPTY</source>
        <translation>Enter a hexadecimal value.</translation>
    </message>
    <message>
        <source>STR_HEX_NOT_HEX</source>
        <translation>"%1" is not a hexadecimal number.</translation>
    </message>
    <message>
        <source>STR_HEX_OUT_OF_RANGE</source>
        <translation>The value must lie between %1 and %2.</translation>
    </message>
    <message>
        <source>STR_HEX_PLACEHOLDER</source>
        <translation>for example 1F</translation>
    </message>
    <message>
        <source>STR_HEX_RANGE</source>
        <translation>Range: %1 to %2</translation>
    </message>
    <message>
        <source>STR_HEX_TITLE</source>
        <translation>Hexadecimal value</translation>
    </message>
    <message>
        <source>STR_HEX_VALUE</source>
        <translation>Value (hex):</translation>
    </message>
    <message>
        <source>STR_HIDE_DETAIL</source>
        <translation>Hide details</translation>
    </message>
    <message>
        <source>STR_IMPORT</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>STR_INDEX</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_INFO_AXIS_VALUE</source>
        <translation>Axis %1</translation>
    </message>
    <message>
        <source>STR_INSTANT_EFFECT</source>
        <translation>Takes effect at once</translation>
    </message>
    <message>
        <source>STR_INTST_STATE</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_IRRELEVANCE</source>
        <translation>Not relevant</translation>
    </message>
    <message>
        <source>STR_LANGUAGE_CHINESE</source>
        <translation>Chinese (中文)</translation>
    </message>
    <message>
        <source>STR_LANGUAGE_ENGLISH</source>
        <translation>English</translation>
    </message>
    <message>
        <source>STR_LANGUAGE_LOAD_FAILED</source>
        <translation>No texts were found for the language "%1".</translation>
    </message>
    <message>
        <source>STR_LOG_INIT_FAILED</source>
        <translation>The log file cannot be written in %1; logging to the console only.</translation>
    </message>
    <message>
        <source>STR_MAX_VAL</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>STR_MENU_ABOUT</source>
        <translation>About</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_DRIVE</source>
        <translation>Add drive</translation>
    </message>
    <message>
        <source>STR_MENU_AUTHORITY</source>
        <translation>Authority</translation>
    </message>
    <message>
        <source>STR_MENU_CLEAR_FAULTS</source>
        <translation>Clear faults</translation>
    </message>
    <message>
        <source>STR_MENU_DIGIT</source>
        <translation>Digit %1</translation>
    </message>
    <message>
        <source>STR_MENU_DRIVE</source>
        <translation>&amp;Drive</translation>
    </message>
    <message>
        <source>STR_MENU_DRIVE_ONLINE</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>STR_MENU_FILE</source>
        <translation>&amp;File</translation>
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
        <source>STR_MENU_LANGUAGE</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>STR_MENU_NEW_DEMO_PROJECT</source>
        <translation>New demo project</translation>
    </message>
    <message>
        <source>STR_MENU_NO_FAULTS</source>
        <translation>The model has no faults</translation>
    </message>
    <message>
        <source>STR_MENU_NO_MODELS</source>
        <translation>No drive models loaded</translation>
    </message>
    <message>
        <source>STR_MENU_OPEN_PROJECT</source>
        <translation>Open project...</translation>
    </message>
    <message>
        <source>STR_MENU_OSCI_RUNNING</source>
        <translation>Oscilloscope running</translation>
    </message>
    <message>
        <source>STR_MENU_OUT_OF_RANGE</source>
        <translation>The value must lie between %1 and %2.</translation>
    </message>
    <message>
        <source>STR_MENU_PARAM_TITLE</source>
        <translation>Menu parameter</translation>
    </message>
    <message>
        <source>STR_MENU_PLUGINS</source>
        <translation>&amp;Plug-ins</translation>
    </message>
    <message>
        <source>STR_MENU_QUIT</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>STR_MENU_RAISE_FAULT</source>
        <translation>Raise fault</translation>
    </message>
    <message>
        <source>STR_MENU_RAW_VALUE</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>STR_MENU_REFRESH_INTERVAL</source>
        <translation>Refresh interval...</translation>
    </message>
    <message>
        <source>STR_MENU_REMOVE_DRIVE</source>
        <translation>Remove selected drive</translation>
    </message>
    <message>
        <source>STR_MENU_REPLY_DELAY</source>
        <translation>Simulated reply delay...</translation>
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
        <source>STR_MENU_SETTINGS</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>STR_MENU_UNKNOWN_OPTION</source>
        <translation>%1 (not described)</translation>
    </message>
    <message>
        <source>STR_MENU_VALUE</source>
        <translation>Value: %1</translation>
    </message>
    <message>
        <source>STR_MIN_VAL</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>STR_MODIFICATION_DATETIME</source>
        <translation>Time of change</translation>
    </message>
    <message>
        <source>STR_MODIFY_COUNT</source>
        <translation>Modifications</translation>
    </message>
    <message>
        <source>STR_MODIFY_DETAIL</source>
        <translation>Modification history</translation>
    </message>
    <message>
        <source>STR_MODIFY_TIMES_ASCEND</source>
        <translation>Least modified first</translation>
    </message>
    <message>
        <source>STR_MODIFY_TIMES_DESCEND</source>
        <translation>Most modified first</translation>
    </message>
    <message>
        <source>STR_MOVE_DOWN</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>STR_MOVE_UP</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>STR_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_NEW_VAL</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>STR_NO</source>
        <translation>No</translation>
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
        <source>STR_NODE_DEFAULT_COMPARE</source>
        <translation>Comparison with defaults</translation>
    </message>
    <message>
        <source>STR_NODE_FUNCODE</source>
        <translation>Function codes</translation>
    </message>
    <message>
        <source>STR_NODE_MONITORED</source>
        <translation>Monitored function codes</translation>
    </message>
    <message>
        <source>STR_NODE_NOT_FOUND</source>
        <translation>The project tree has no node %2 for the drive "%1".</translation>
    </message>
    <message>
        <source>STR_NODE_RECORDS</source>
        <translation>Modification records</translation>
    </message>
    <message>
        <source>STR_NODE_STATISTICS</source>
        <translation>Modification statistics</translation>
    </message>
    <message>
        <source>STR_NOT_COMMONLY</source>
        <translation>Not commonly used</translation>
    </message>
    <message>
        <source>STR_NOT_STORE</source>
        <translation>Lost at power-off</translation>
    </message>
    <message>
        <source>STR_NO_DRIVE_MODELS</source>
        <translation>No drive descriptions were found in %1.</translation>
    </message>
    <message>
        <source>STR_NO_FUNCODE_INFO</source>
        <translation>No information about this function code.</translation>
    </message>
    <message>
        <source>STR_NO_PLUGIN_LOADED</source>
        <translation>No plug-in loaded</translation>
    </message>
    <message>
        <source>STR_OFFLINE</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>STR_OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>STR_OLD_VAL</source>
        <translation>Old value</translation>
    </message>
    <message>
        <source>STR_ONLINE</source>
        <translation>online</translation>
    </message>
    <message>
        <source>STR_ONLYREAD</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>STR_ONLYWRUTE</source>
        <translation>Write only</translation>
    </message>
    <message>
        <source>STR_OPT_ALIAS</source>
        <translation>alias</translation>
    </message>
    <message>
        <source>STR_OPT_BAD_NODE</source>
        <translation>Unknown node kind: %1</translation>
    </message>
    <message>
        <source>STR_OPT_DATA_DIR</source>
        <translation>Folder of settings, databases and log.</translation>
    </message>
    <message>
        <source>STR_OPT_DIR</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>STR_OPT_DRIVES</source>
        <translation>Folder of drive model descriptions.</translation>
    </message>
    <message>
        <source>STR_OPT_FILE</source>
        <translation>file</translation>
    </message>
    <message>
        <source>STR_OPT_KIND</source>
        <translation>kind</translation>
    </message>
    <message>
        <source>STR_OPT_NODE</source>
        <translation>Open this node of the selected drive (303, 321 to 325, 402, 403).</translation>
    </message>
    <message>
        <source>STR_OPT_PLUGIN_DIR</source>
        <translation>Folder searched first for plug-ins.</translation>
    </message>
    <message>
        <source>STR_OPT_PROJECT</source>
        <translation>Open this project instead of the demo project.</translation>
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
        <source>STR_OPT_UNEXPECTED</source>
        <translation>Unexpected arguments: %1</translation>
    </message>
    <message>
        <source>STR_PDF_FILTER</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>STR_PDF_WRITE_FAILED</source>
        <translation>The PDF file %1 could not be written.</translation>
    </message>
    <message>
        <source>STR_PLUGIN_LOAD_FAILED</source>
        <translation>The function-code plug-in could not be loaded.
%1</translation>
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
        <source>STR_PRINT</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>STR_PRINT_FAILED</source>
        <translation>Printing on %1 failed.</translation>
    </message>
    <message>
        <source>STR_PRINT_PREVIEW</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>STR_PRINT_TIME</source>
        <translation>Printed %1</translation>
    </message>
    <message>
        <source>STR_PROJECT_FILE_FILTER</source>
        <translation>Workbench projects (*.servoproj);;All files (*)</translation>
    </message>
    <message>
        <source>STR_PROJECT_NOT_VALID</source>
        <translation>%1 is not a project file of the workbench.</translation>
    </message>
    <message>
        <source>STR_PROJECT_OPEN_FAILED</source>
        <translation>The project %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>STR_PROJECT_SAVE_FAILED</source>
        <translation>The project could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>STR_PROJECT_TREE</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>STR_RAISE_FAULT_FAILED</source>
        <translation>The fault %1 could not be raised on the selected drive.</translation>
    </message>
    <message>
        <source>STR_RANGE</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>STR_READ_ALL</source>
        <translation>Read all</translation>
    </message>
    <message>
        <source>STR_READ_WRITE_STATE</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>STR_REFRESH</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>STR_REFRESH_INTERVAL_LABEL</source>
        <translation>Refresh interval of drive "%1" in ms (0 = off):</translation>
    </message>
    <message>
        <source>STR_RELATE_PARAM</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_RELATE_PARAM_DETAIL</source>
        <translation>Related parameters</translation>
    </message>
    <message>
        <source>STR_RELEVANCE</source>
        <translation>Relevant</translation>
    </message>
    <message>
        <source>STR_REMARK</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>STR_REPLY_DELAY_LABEL</source>
        <translation>Reply delay of simulated drives (ms):</translation>
    </message>
    <message>
        <source>STR_RESET_EFFECT</source>
        <translation>Takes effect after a reset</translation>
    </message>
    <message>
        <source>STR_SAVE</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>STR_SAVED</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>STR_SAVE_AS_PDF</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <source>STR_SAVE_PROJECT_QUESTION</source>
        <translation>The project has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>STR_SAVE_PROJECT_TITLE</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>STR_SAVE_STATE</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>STR_SELECT</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>STR_SELECT_ALL</source>
        <translation>Add to the monitored list</translation>
    </message>
    <message>
        <source>STR_SELECT_CANCEL</source>
        <translation>Remove from the monitored list</translation>
    </message>
    <message>
        <source>STR_SHOW_DETAIL</source>
        <translation>Show details</translation>
    </message>
    <message>
        <source>STR_SHOW_HIDE</source>
        <translation>Show/hide columns</translation>
    </message>
    <message>
        <source>STR_STARTUP_PROBLEMS_TEXT</source>
        <translation>The workbench started, but:
%1</translation>
    </message>
    <message>
        <source>STR_STARTUP_PROBLEMS_TITLE</source>
        <translation>Start-up problems</translation>
    </message>
    <message>
        <source>STR_STATUS_DRIVE</source>
        <translation>Drive %1  |  model %2  |  axes: %3  |  %4  |  refresh %5</translation>
    </message>
    <message>
        <source>STR_STATUS_NO_DRIVE</source>
        <translation>No drive selected</translation>
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
        <source>STR_STOP_EFFECT</source>
        <translation>Takes effect after stopping</translation>
    </message>
    <message>
        <source>STR_STORE</source>
        <translation>Kept through power-off</translation>
    </message>
    <message>
        <source>STR_STORE_TYPE</source>
        <translation>Kept at power-off</translation>
    </message>
    <message>
        <source>STR_SURE_TO_CLEAR_FUNCODE</source>
        <translation>Clear every modification record of this drive?</translation>
    </message>
    <message>
        <source>STR_TIME</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>STR_TREE_DRIVE_TIP</source>
        <translation>Model %1, axes: %2, %3</translation>
    </message>
    <message>
        <source>STR_UNIT</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>STR_UNKNOWN_DRIVE_MODEL</source>
        <translation>The drive model %1 is not known to the workbench.</translation>
    </message>
    <message>
        <source>STR_UNSAVED</source>
        <translation>Not saved</translation>
    </message>
    <message>
        <source>STR_UNTITLED_PROJECT</source>
        <translation>Untitled project</translation>
    </message>
    <message>
        <source>STR_UP</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>STR_WINDOW_TITLE</source>
        <translation>%1[*] - Servo workbench</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_AUTHORITY</source>
        <translation>Your authority does not allow changing this function code.</translation>
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
        <source>STR_WRITE_ERR_OFFLINE</source>
        <translation>The drive is offline.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_OSCI</source>
        <translation>The oscilloscope is using this function code; stop it first.</translation>
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
        <source>STR_WRITE_ERR_REFUSED</source>
        <translation>The drive refused the value in its present state.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_TIMEOUT</source>
        <translation>The drive did not answer in time.</translation>
    </message>
    <message>
        <source>STR_WRITE_ERR_UNKNOWN_CODE</source>
        <translation>The drive has no such function code.</translation>
    </message>
    <message>
        <source>STR_WRITE_WHILE_OSCI_RUNNING</source>
        <translation>The oscilloscope is running on this drive.</translation>
    </message>
    <message>
        <source>STR_YES</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>STR_MENU_ADD_SIMULATED_MODEL</source>
        <translation>Simulated %1</translation>
    </message>
    <message>
        <source>STR_RELATE_F_TIP</source>
        <translation>F: matters in full closed-loop control</translation>
    </message>
    <message>
        <source>STR_RELATE_P_TIP</source>
        <translation>P: matters in position control</translation>
    </message>
    <message>
        <source>STR_RELATE_S_TIP</source>
        <translation>S: matters in speed control</translation>
    </message>
    <message>
        <source>STR_RELATE_T_TIP</source>
        <translation>T: matters in torque control</translation>
    </message>
</context>
</TS>
