<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_DB_NO_PATH</source>
        <translation>No file name was given.</translation>
    </message>
    <message>
        <source>STR_DB_NO_DRIVER</source>
        <translation>The SQLite database driver of Qt is not installed.</translation>
    </message>
    <message>
        <source>STR_DB_NOT_A_FILE</source>
        <translation>The path names a folder, not a file.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_READ</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>STR_DB_NOT_SQLITE</source>
        <translation>The file is not a database file.</translation>
    </message>
    <message>
        <source>STR_DB_TRUNCATED</source>
        <translation>The database file is incomplete; it was cut short.</translation>
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
        <source>STR_DB_CANNOT_OPEN</source>
        <translation>The database file cannot be opened.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_CREATE</source>
        <translation>The database file cannot be created.</translation>
    </message>
    <message>
        <source>STR_DB_NOT_OPEN</source>
        <translation>The database is not open.</translation>
    </message>
    <message>
        <source>STR_DB_QUERY_FAILED</source>
        <translation>A database operation failed; see the log for details.</translation>
    </message>
    <message>
        <source>STR_DB_NO_DEVICE</source>
        <translation>No device name was given.</translation>
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
        <source>STR_DB_WRITE_FAILED</source>
        <translation>The file could not be written.</translation>
    </message>
    <message>
        <source>STR_DB_PARTIAL_REMOVED</source>
        <translation>The unfinished file was removed.</translation>
    </message>
    <message>
        <source>STR_DB_NO_DATA_DIR</source>
        <translation>The data folder cannot be created:</translation>
    </message>
    <message>
        <source>STR_DB_UNKNOWN_FILE</source>
        <translation>This is not one of the program's database files.</translation>
    </message>
    <message>
        <source>STR_DB_CANNOT_MOVE</source>
        <translation>The damaged file cannot be moved aside.</translation>
    </message>
</context>
</TS>
