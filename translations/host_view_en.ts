<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>STR_CANCEL</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>STR_YES</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>STR_NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>STR_SAVE</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>STR_IMPORT</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>STR_EXPORT</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>STR_PRINT</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>STR_MOVE_UP</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>STR_MOVE_DOWN</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>STR_BATCH_DOWNLOAD</source>
        <translation>Batch download</translation>
    </message>
    <message>
        <source>STR_REFRESH</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>STR_READ_ALL</source>
        <translation>Read all</translation>
    </message>
    <message>
        <source>STR_COMPARE</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>STR_FIND</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>STR_HELP</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>STR_SHOW_DETAIL</source>
        <translation>Show details</translation>
    </message>
    <message>
        <source>STR_HIDE_DETAIL</source>
        <translation>Hide details</translation>
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
        <source>STR_HEX_PLACEHOLDER</source>
        <translation>for example 1F</translation>
    </message>
    <message>
        <source>STR_HEX_DECIMAL</source>
        <translation>Decimal: %1</translation>
    </message>
    <message>
        <source>STR_HEX_RANGE</source>
        <translation>Range: %1 to %2</translation>
    </message>
    <message>
        <source>STR_HEX_BIT</source>
        <translation>Bit %1</translation>
    </message>
    <message>
        <source>STR_HEX_EMPTY</source>
        <translation>Enter a hexadecimal value.</translation>
    </message>
    <message>
        <source>STR_HEX_NOT_HEX</source>
        <translation>&quot;%1&quot; is not a hexadecimal number.</translation>
    </message>
    <message>
        <source>STR_HEX_OUT_OF_RANGE</source>
        <translation>The value must lie between %1 and %2.</translation>
    </message>
    <message>
        <source>STR_MENU_PARAM_TITLE</source>
        <translation>Menu parameter</translation>
    </message>
    <message>
        <source>STR_MENU_DIGIT</source>
        <translation>Digit %1</translation>
    </message>
    <message>
        <source>STR_MENU_RAW_VALUE</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>STR_MENU_VALUE</source>
        <translation>Value: %1</translation>
    </message>
    <message>
        <source>STR_MENU_UNKNOWN_OPTION</source>
        <translation>%1 (not described)</translation>
    </message>
    <message>
        <source>STR_MENU_OUT_OF_RANGE</source>
        <translation>The value must lie between %1 and %2.</translation>
    </message>
    <message>
        <source>STR_EXPORT_FILE_TYPE</source>
        <translation>Export file type</translation>
    </message>
    <message>
        <source>STR_EXPORT_CHOOSE_FILE_TYPE</source>
        <translation>Choose the kind of file to write:</translation>
    </message>
    <message>
        <source>STR_FILE_TYPE_FUNCODESERVO</source>
        <translation>Function-code file (*.funcodeservo)</translation>
    </message>
    <message>
        <source>STR_FILE_TYPE_CSV</source>
        <translation>Comma-separated file (*.csv)</translation>
    </message>
    <message>
        <source>STR_FILE_TYPE_XLSX</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>STR_PRINT_TIME</source>
        <translation>Printed %1</translation>
    </message>
    <message>
        <source>STR_PRINT_PREVIEW</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>STR_PRINT_FAILED</source>
        <translation>Printing on %1 failed.</translation>
    </message>
    <message>
        <source>STR_SAVE_AS_PDF</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <source>STR_PDF_FILTER</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>STR_PDF_WRITE_FAILED</source>
        <translation>The PDF file %1 could not be written.</translation>
    </message>
</context>
</TS>
