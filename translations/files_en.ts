<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_AUTHORITY</source>
        <translation>Authority</translation>
    </message>
    <message>
        <source>STR_AXIS_NUM</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>STR_BATCH_READING</source>
        <translation>Reading values: %1 of %2</translation>
    </message>
    <message>
        <source>STR_BATCH_VERIFYING</source>
        <translation>Checking written values: %1 of %2</translation>
    </message>
    <message>
        <source>STR_BATCH_WRITING</source>
        <translation>Writing values: %1 of %2</translation>
    </message>
    <message>
        <source>STR_CANOPEN_ADDR</source>
        <translation>CANopen address</translation>
    </message>
    <message>
        <source>STR_COMPARE_DEFAULT</source>
        <translation>Comparison with defaults</translation>
    </message>
    <message>
        <source>STR_DB_COMPUTED_COLUMN</source>
        <translation>Column “%1” of “%2” is computed when read, not stored; a function-code file never holds one.</translation>
    </message>
    <message>
        <source>STR_DB_EMPTY_FILE</source>
        <translation>The file holds no function-code tables: it is empty.</translation>
    </message>
    <message>
        <source>STR_DB_EXTRA_PART</source>
        <translation>The file holds “%1”, which a function-code file never does.</translation>
    </message>
    <message>
        <source>STR_DB_HAS_TRIGGER</source>
        <translation>The file holds a trigger (“%1”), which a function-code file never does.</translation>
    </message>
    <message>
        <source>STR_DB_HAS_VIEW</source>
        <translation>“%1” in the file is a view computed when read, not a table of stored values; a function-code file never holds one.</translation>
    </message>
    <message>
        <source>STR_DB_OLDER_LAYOUT</source>
        <translation>The file was written in an older layout, which is read only after upgrading it; a file opened to be read is not changed.</translation>
    </message>
    <message>
        <source>STR_DB_OTHER_LAYOUT</source>
        <translation>Table “%1” of the file is not laid out as in a function-code file.</translation>
    </message>
    <message>
        <source>STR_DB_READ_STOPPED</source>
        <translation>The file could not be read to its end (it is damaged); nothing of it was taken.</translation>
    </message>
    <message>
        <source>STR_DB_TOO_LARGE</source>
        <translation>The file is larger than %1 MB, more than any function-code file.</translation>
    </message>
    <message>
        <source>STR_DB_TOO_MANY_DEVICES</source>
        <translation>The file holds more than %1 devices, more than any function-code file.</translation>
    </message>
    <message>
        <source>STR_DB_TOO_MANY_FUNCODES</source>
        <translation>The file holds more than %1 function codes, more than any function-code file.</translation>
    </message>
    <message>
        <source>STR_DB_VALUE_TOO_LONG</source>
        <translation>The file holds a value longer than %1 KB, more than any function-code field; it was not read.</translation>
    </message>
    <message>
        <source>STR_FILE_AT_LINE</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>STR_FILE_BAD_AXIS_COUNT</source>
        <translation>the axis count "%1" is not 1, 2 or 3</translation>
    </message>
    <message>
        <source>STR_FILE_CANNOT_READ</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>STR_FILE_DEVICE_LINE_MISSING</source>
        <translation>the device line (model, axis count, connection) is missing</translation>
    </message>
    <message>
        <source>STR_FILE_DEVICE_TEXT_EMPTY</source>
        <translation>the device line names no drive model</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_AXIS_COUNT</source>
        <translation>A function code has an axis count other than 1, 2 or 3</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_BAD_XML</source>
        <translation>A part of the workbook is damaged</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_CANCELLED</source>
        <translation>Reading the file was stopped</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_DATABASE</source>
        <translation>The function-code database cannot be used</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_DEVICE_INFO</source>
        <translation>The device line of the file is incomplete</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_EMPTY</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_FIELD_COUNT</source>
        <translation>A function-code line has too few fields</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NOT_INTEGER</source>
        <translation>A field that must hold a whole number does not</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NOT_WORKBOOK</source>
        <translation>The file is a zip archive but not a workbook</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NOT_ZIP</source>
        <translation>The file is not a workbook (not a zip archive, or cut short)</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NO_DEVICE</source>
        <translation>The file holds no device</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NO_FUNCODE</source>
        <translation>The file holds no function code</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NO_MARK</source>
        <translation>The file is not a function-code file for import</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_NO_NUMBER</source>
        <translation>A function-code line has no number</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_OPEN</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_SPLIT</source>
        <translation>The fields of a line cannot be told apart</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_TOO_LARGE</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_UNKNOWN</source>
        <translation>Unknown file error %1</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_WRITE</source>
        <translation>The file cannot be written</translation>
    </message>
    <message>
        <source>STR_FILE_ERR_ZIP_ENTRY</source>
        <translation>A part of the workbook cannot be unpacked</translation>
    </message>
    <message>
        <source>STR_FILE_FIELDS_FOUND</source>
        <translation>%1 fields, %2 expected</translation>
    </message>
    <message>
        <source>STR_FILE_FIELDS_UNCLEAR</source>
        <translation>%1 fields, and no way to read them as one function code</translation>
    </message>
    <message>
        <source>STR_FILE_FIELD_NOT_INTEGER</source>
        <translation>field %1 ("%2") is not a whole number</translation>
    </message>
    <message>
        <source>STR_FILE_FIELD_TOO_LONG</source>
        <translation>field %1 holds %2 characters, more than %3 ("%4")</translation>
    </message>
    <message>
        <source>STR_FILE_MARK_MISSING</source>
        <translation>the first line does not carry the import mark %1</translation>
    </message>
    <message>
        <source>STR_FILE_NOT_FOUND</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>STR_FILE_NOT_REGULAR</source>
        <translation>%1 is not a regular file (a folder, a device or a pipe)</translation>
    </message>
    <message>
        <source>STR_FILE_NO_FUNCODE_LINES</source>
        <translation>no function-code line follows the headings</translation>
    </message>
    <message>
        <source>STR_FILE_NUMBER_EMPTY</source>
        <translation>the function-code number is empty</translation>
    </message>
    <message>
        <source>STR_FILE_READ_CANCELLED</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>STR_FILE_READ_TOO_LONG</source>
        <translation>it took longer than %1 s</translation>
    </message>
    <message>
        <source>STR_FILE_SIZE_LIMIT</source>
        <translation>%1 is larger than %2</translation>
    </message>
    <message>
        <source>STR_FILE_TOO_MANY_CODES</source>
        <translation>more than %1 function codes</translation>
    </message>
    <message>
        <source>STR_LAST_MODIFY_TIME</source>
        <translation>Last modified</translation>
    </message>
    <message>
        <source>STR_MODIFY_RECORD</source>
        <translation>Modification records</translation>
    </message>
    <message>
        <source>STR_MONITOR_FUNCODE</source>
        <translation>Monitored function codes</translation>
    </message>
    <message>
        <source>STR_PAGE_HAS_NO_ROWS</source>
        <translation>Nothing to list.</translation>
    </message>
    <message>
        <source>STR_SORTED_FUNCODE_MODIFY</source>
        <translation>Modification statistics</translation>
    </message>
    <message>
        <source>STR_STRING_VALUE</source>
        <translation>Value text</translation>
    </message>
    <message>
        <source>STR_TYPE</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>STR_USB_CODE</source>
        <translation>USB code</translation>
    </message>
    <message>
        <source>STR_USED_FOR_IMPORT</source>
        <translation>Function-code file for import</translation>
    </message>
    <message>
        <source>STR_XLSX_BAD_TARGET</source>
        <translation>"%1" is not a file name</translation>
    </message>
    <message>
        <source>STR_XLSX_CANNOT_CREATE</source>
        <translation>cannot create %1</translation>
    </message>
    <message>
        <source>STR_XLSX_CANNOT_REPLACE</source>
        <translation>cannot replace %1</translation>
    </message>
    <message>
        <source>STR_XLSX_NOT_ZIP_DETAIL</source>
        <translation>no readable zip directory</translation>
    </message>
    <message>
        <source>STR_XLSX_NO_SHARED_STRING</source>
        <translation>cell %1 refers to shared text %2, which the workbook lacks</translation>
    </message>
    <message>
        <source>STR_XLSX_NO_SHEET</source>
        <translation>the workbook has no sheet</translation>
    </message>
    <message>
        <source>STR_XLSX_PART_DAMAGED</source>
        <translation>%1 is damaged</translation>
    </message>
    <message>
        <source>STR_XLSX_PART_MISSING</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>STR_XLSX_PART_TOO_LARGE</source>
        <translation>%1 unpacks to more than any function-code file holds</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_AT</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_BAD_ENTITY</source>
        <translation>unknown or invalid character reference</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_BAD_MARKUP</source>
        <translation>a tag is not well-formed</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_DECLARATION</source>
        <translation>document type declarations are not read</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_END_MISMATCH</source>
        <translation>an end tag does not close the element it is in</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_NO_ELEMENT</source>
        <translation>no element</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_OUTSIDE_ROOT</source>
        <translation>text or a second element outside the root element</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_TOO_DEEP</source>
        <translation>elements nested too deeply</translation>
    </message>
    <message>
        <source>STR_XLSX_XML_UNEXPECTED_END</source>
        <translation>the part ends inside an element</translation>
    </message>
    <message>
        <source>STR_XLSX_TOO_MANY_PARTS</source>
        <translation>more than %1 parts</translation>
    </message>
    <message>
        <source>STR_EXPORT_SELECTED</source>
        <translation>Export selected</translation>
    </message>
    <message>
        <source>STR_EXPORT_FUNCODE_FILE</source>
        <translation>Function-code file...</translation>
    </message>
    <message>
        <source>STR_DIFF_FUNCODE</source>
        <translation>Show only values that differ from the default</translation>
    </message>
    <message>
        <source>STR_READ_AGAIN</source>
        <translation>Read again</translation>
    </message>
    <message>
        <source>STR_EXPORT_INFO_FILTER</source>
        <translation>csv Files (*.csv);;xlsx Files (*.xlsx);;Other Files (*.*)</translation>
    </message>
    <message>
        <source>STR_FUNCODESERVO_FILTER</source>
        <translation>File(*.funcodeservo)</translation>
    </message>
    <message>
        <source>STR_CSV_FILE_FILTER</source>
        <translation>File(*.csv)</translation>
    </message>
    <message>
        <source>STR_XLSX_FILE_FILTER</source>
        <translation>File(*.xlsx)</translation>
    </message>
    <message>
        <source>STR_FINGERPRINT_NO_CODES</source>
        <translation>no function codes</translation>
    </message>
    <message>
        <source>STR_FINGERPRINT_VALUE_UNKNOWN</source>
        <translation>the value of %1 is not known</translation>
    </message>
    <message>
        <source>STR_FINGERPRINT_UNAVAILABLE</source>
        <translation>Fingerprint not available: %1</translation>
    </message>
    <message>
        <source>STR_FINGERPRINT_TEXT</source>
        <translation>Fingerprint (SHA-256): %1</translation>
    </message>
</context>
</TS>
