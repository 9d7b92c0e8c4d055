<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CUR_VAL</source>
        <translation>Current value</translation>
    </message>
    <message>
        <source>STR_DEFAULT_COMPARE_NONE</source>
        <translation>No setting read from the drive differs from its default value.</translation>
    </message>
    <message>
        <source>STR_EXPAND</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>STR_COLLAPSE</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>STR_EXPAND_ALL</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>STR_COLLAPSE_ALL</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>STR_COMPARE_TYPE</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>STR_COMPARE_2_DEVICES</source>
        <translation>Two drives</translation>
    </message>
    <message>
        <source>STR_COMPARE_DEVICE_VS_FILE</source>
        <translation>A drive and a file</translation>
    </message>
    <message>
        <source>STR_COMPARE_2_FILES</source>
        <translation>Two files</translation>
    </message>
    <message>
        <source>STR_COMPARE_SOURCE_A</source>
        <translation>Source A:</translation>
    </message>
    <message>
        <source>STR_COMPARE_SOURCE_B</source>
        <translation>Source B:</translation>
    </message>
    <message>
        <source>STR_BROWSE</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>STR_COMPARE_AXES_A</source>
        <translation>Axes of A:</translation>
    </message>
    <message>
        <source>STR_COMPARE_AXES_B</source>
        <translation>Axes of B:</translation>
    </message>
    <message>
        <source>STR_COMPARE_SHOW_ALL</source>
        <translation>All function codes</translation>
    </message>
    <message>
        <source>STR_COMPARE_SHOW_DIFF</source>
        <translation>Differing only</translation>
    </message>
    <message>
        <source>STR_PREVIEW</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>STR_OPEN</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>STR_COMPARE_FILE_FILTER</source>
        <translation>Function-code files (*.funcodeservo *.csv *.xlsx);;All files (*)</translation>
    </message>
    <message>
        <source>STR_COMPARE_CHOOSE_DEVICE</source>
        <translation>Choose a drive of the project.</translation>
    </message>
    <message>
        <source>STR_OPEN_FILE_FAILED</source>
        <translation>The file could not be opened.</translation>
    </message>
    <message>
        <source>STR_AXISX</source>
        <translation>X</translation>
    </message>
    <message>
        <source>STR_AXISY</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>STR_AXISZ</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>STR_COMPARE_SUMMARY</source>
        <translation>%1 function codes compared, %2 differ.</translation>
    </message>
    <message>
        <source>STR_NO_DATA</source>
        <translation>There is nothing to show yet.</translation>
    </message>
    <message>
        <source>STR_COMPARE_FIRST</source>
        <translation>Press “</translation>
    </message>
    <message>
        <source>STR_BUTTON</source>
        <translation>” first</translation>
    </message>
    <message>
        <source>STR_SAVE_AS</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>STR_COMPARE_CSV_FILTER</source>
        <translation>Comma-separated files (*.csv)</translation>
    </message>
    <message>
        <source>STR_EXPORT_SUCCESS</source>
        <translation>Exported to %1.</translation>
    </message>
    <message>
        <source>STR_COMPARE_PRINT_LOADING</source>
        <translation>Preparing the printout, please wait…</translation>
    </message>
    <message>
        <source>STR_COMPARE_PRINT_DONE</source>
        <translation>The printout is ready.</translation>
    </message>
    <message>
        <source>STR_NOTSELECT_DEVICE</source>
        <translation>Select a drive in the project first.</translation>
    </message>
    <message>
        <source>STR_MENU_COMPARE</source>
        <translation>Compare function codes…</translation>
    </message>
    <message>
        <source>STR_COMPARE_CHOOSE_SOURCES</source>
        <translation>Choose the two sources above and press “Compare”.</translation>
    </message>
    <message>
        <source>STR_COMPARE_NOTHING_DIFFERS</source>
        <translation>No function code differs.</translation>
    </message>
    <message>
        <source>STR_ERROR CODE</source>
        <translation>Error code</translation>
    </message>
    <message>
        <source>STR_COMPARE_MODELS_DIFFER</source>
        <translation>%1 is a %2 and %3 a %4: the function codes of different models are not meant to match. Compare them anyway?</translation>
    </message>
    <message>
        <source>STR_COMPARE_NOT_READ</source>
        <translation>not read</translation>
    </message>
    <message>
        <source>STR_COMPARE_NOT_READ_COUNT</source>
        <translation>%1 codes not read: not compared.</translation>
    </message>
</context>
</TS>
