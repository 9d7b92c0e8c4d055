<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CLI_UNKNOWN_COMMAND</source>
        <translation>Unknown command "%1"; the commands are: %2</translation>
    </message>
    <message>
        <source>STR_CLI_OPTION_NEEDS_VALUE</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>STR_CLI_OPTION_NUMBER</source>
        <translation>%1 takes a number from %2 to %3, not "%4"</translation>
    </message>
    <message>
        <source>STR_CLI_OPTION_NOT_FOR_COMMAND</source>
        <translation>%1 is not an option of %2</translation>
    </message>
    <message>
        <source>STR_CLI_UNKNOWN_OPTION</source>
        <translation>Unknown option %1</translation>
    </message>
    <message>
        <source>STR_CLI_BAD_AXIS</source>
        <translation>--axis takes X, Y, Z or all, not "%1"</translation>
    </message>
    <message>
        <source>STR_CLI_BAD_FORMAT</source>
        <translation>--format takes text, csv or json, not "%1"</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_NO_MODEL</source>
        <translation>"%1": sim: needs a model, for example sim:SD220</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_UNKNOWN</source>
        <translation>"%1" is not a drive: a drive is named sim:MODEL, tcp:HOST:PORT[/UNIT] or rtu:DEVICE[:BAUD[:PARITY]][/UNIT]</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_UNIT</source>
        <translation>"%1": the unit id "%2" is not a number from 1 to %3</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_TCP</source>
        <translation>"%1": a Modbus TCP drive is written tcp:HOST:PORT[/UNIT], with a port from 1 to 65535</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_RTU</source>
        <translation>"%1": a Modbus RTU drive is written rtu:DEVICE[:BAUD[:PARITY]][/UNIT]</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_BAUD</source>
        <translation>"%1": the baud rate "%2" is not a number</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_PARITY</source>
        <translation>"%1": the parity "%2" is not none, even or odd</translation>
    </message>
    <message>
        <source>STR_CLI_MODEL_MISMATCH</source>
        <translation>%1 is a drive of model %2, but --model names %3</translation>
    </message>
    <message>
        <source>STR_CLI_UNKNOWN_MODEL</source>
        <translation>No drive model "%1"; the models are: %2</translation>
    </message>
    <message>
        <source>STR_CLI_NO_MODELS</source>
        <translation>No drive descriptions found in %1</translation>
    </message>
    <message>
        <source>STR_CLI_LINK_REFUSED</source>
        <translation>%1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_REACHED</source>
        <translation>%1 did not answer within %2 ms</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_IS_OTHER_MODEL</source>
        <translation>%1 reports that it is a %2, not the %3 named</translation>
    </message>
    <message>
        <source>STR_CLI_IDENTITY_UNKNOWN</source>
        <translation>%1 reports the identity number %2, which no drive description in %3 has</translation>
    </message>
    <message>
        <source>STR_CLI_IDENTITY_MISSING</source>
        <translation>%1 does not report its model; name it with --model</translation>
    </message>
    <message>
        <source>STR_CLI_DATABASES_NOT_USED</source>
        <translation>The databases of %1 are not used: %2</translation>
    </message>
    <message>
        <source>STR_CLI_SEE_HELP</source>
        <translation>Run "servo-cli %1 --help" for its usage and examples.</translation>
    </message>
    <message>
        <source>STR_CLI_USAGE</source>
        <translation>Usage: servo-cli %1</translation>
    </message>
    <message>
        <source>STR_CLI_NO_SUCH_AXIS</source>
        <translation>The %1 has no axis %2: it has %3 axes</translation>
    </message>
    <message>
        <source>STR_CLI_YES</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>STR_CLI_NO</source>
        <translation>no</translation>
    </message>
    <message>
        <source>STR_CLI_FIELD</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>STR_CLI_VALUE</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_DRIVE</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_LINK</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_MODEL</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_VERSION</source>
        <translation>Configuration version</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_AXES</source>
        <translation>Axes</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_ONLINE</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_IDENTITY</source>
        <translation>Firmware identity</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_FINGERPRINT</source>
        <translation>Fingerprint</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_READ_CODES</source>
        <translation>%1 values could not be read: %2</translation>
    </message>
    <message>
        <source>STR_CLI_UNKNOWN_NUMBER</source>
        <translation>Unknown number %1: the %2 has no such function code</translation>
    </message>
    <message>
        <source>STR_CLI_NUMBER_ABOVE_AUTHORITY</source>
        <translation>%1 is above the present authority</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_READ</source>
        <translation>(not read)</translation>
    </message>
    <message>
        <source>STR_CLI_NUMBER</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>STR_CLI_NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>STR_CLI_AXIS</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>STR_CLI_RAW</source>
        <translation>Raw</translation>
    </message>
    <message>
        <source>STR_CLI_UNIT</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>STR_CLI_HELP</source>
        <translation>Usage: servo-cli COMMAND [OPERANDS] [OPTIONS]
The workbench's daily jobs from a script, without a screen.

Commands:
  info DRIVE                     model, configuration version, axes, online state, firmware identity, fingerprint
  read DRIVE [NUMBER...]         values as the workbench shows them
  write DRIVE NUMBER VALUE       one value, checked as an edit in the workbench, written and read back
  backup DRIVE FILE              the drive's settings into a function-code file
  restore DRIVE FILE             a function-code file into the drive, as the workbench imports it
  compare A B                    a drive or file against a drive or file
  download SOURCE --to DRIVE...  a file's or a drive's settings into several drives
  faults DRIVE                   current faults, and with --history the decoded fault history
  fingerprint DRIVE|FILE         the SHA-256 fingerprint of a parameter set

Run "servo-cli COMMAND --help" for a command's options and examples.
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_DRIVES</source>
        <translation>Drives and files:
  sim:MODEL                          a simulated drive of a shipped model, inside servo-cli
  tcp:HOST:PORT[/UNIT]               Modbus TCP (unit 1 unless given)
  rtu:DEVICE[:BAUD[:PARITY]][/UNIT]  Modbus RTU (115200 baud, even parity, unit 1 unless given)
  FILE                               a .csv, .xlsx or .funcodeservo function-code file, by its suffix
A bus drive reports its model; --model names it for a drive that does not.
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_COMMON</source>
        <translation>Options of every command:
  --data-dir DIR   settings, databases and log (default: the workbench's data folder)
  --timeout MS     how long to wait for a drive to come online, and for any answer (default 5000)
  --model NAME     the model of the drives named
  --quiet          no messages and no progress bar (errors are still written)
  --help           this text
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_EXIT</source>
        <translation>Exit status: 0 success, 1 differences found (compare), 2 usage error, 3 drive not reached or not read whole, 4 file refused, 5 some writes failed.
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_INFO</source>
        <translation>Usage: servo-cli info DRIVE [--format text|csv|json]

Shows the drive's model, configuration version, axes, online state, firmware identity and the
fingerprint of its parameter set (every setting is read for it).

Examples:
  servo-cli info tcp:192.168.1.20:502
  servo-cli info rtu:/dev/ttyUSB0:115200:even/3 --format json
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_READ</source>
        <translation>Usage: servo-cli read DRIVE [NUMBER...] [--axis X|Y|Z|all] [--format text|csv|json]

Reads function codes and shows their values as the workbench shows them; csv and json add the raw
values. Without a number every code the present authority sees is read. A value that could not be
read is shown as not read and the exit status is 3.

Examples:
  servo-cli read tcp:127.0.0.1:1502 P01.02 P01.03
  servo-cli read sim:SD330 --axis Y --format csv &gt; values.csv
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_WRITE</source>
        <translation>Usage: servo-cli write DRIVE NUMBER VALUE [--axis X|Y|Z] [--save]

Writes one value as the workbench writes an edit: the range, the code's right, the drive's state and
the authority are checked first, the value is written, read back, and recorded in the modification
records of the data folder. VALUE is the shown value (25.0, 0x00FF, 2 or 2:Torque control).
--axis names the axis (X unless given); --save stores the drive's parameters afterwards.

Examples:
  servo-cli write tcp:127.0.0.1:1502 P01.02 25.0
  servo-cli write rtu:/dev/ttyUSB0/2 P02.04 60 --axis Y --save
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_BACKUP</source>
        <translation>Usage: servo-cli backup DRIVE FILE

Reads every setting of the drive and writes them into a function-code file in the layout of the
workbench's export (.csv, .xlsx or .funcodeservo, by the file's suffix). A value that cannot be read
is an error: nothing is written then.

Examples:
  servo-cli backup tcp:10.0.0.7:502 line3-axis1.funcodeservo
  servo-cli backup rtu:/dev/ttyUSB0 drive.csv
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_RESTORE</source>
        <translation>Usage: servo-cli restore DRIVE FILE [--dry-run] [--only-differing] [--save] [--reset] [--format ...]

Writes a function-code file into the drive as the workbench imports it: the file must be made for
the drive's model and the present authority; the motor type is written first and checked, then every
code is written and read back. --dry-run lists the codes that would change (file value, drive value)
and writes nothing; --only-differing writes only those; --save stores the parameters afterwards and
--reset then resets the drive.

Examples:
  servo-cli restore tcp:10.0.0.8:502 line3-axis1.funcodeservo --dry-run
  servo-cli restore tcp:10.0.0.8:502 line3-axis1.funcodeservo --only-differing --save
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_COMPARE</source>
        <translation>Usage: servo-cli compare A B [--all] [--format text|csv|json]

Compares two sources, each a drive or a function-code file, on every axis both have. Lists the codes
that differ (every code with --all); a code that one side lacks differs. Exit status 1 when anything
differs, 0 when both hold the same values.

Examples:
  servo-cli compare tcp:10.0.0.7:502 tcp:10.0.0.8:502
  servo-cli compare golden.funcodeservo rtu:/dev/ttyUSB0 --format json
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_DOWNLOAD</source>
        <translation>Usage: servo-cli download FILE|DRIVE --to DRIVE... [--jobs N] [--save] [--reset] [--format ...]

Writes one parameter set into several drives of its model, as the workbench's batch download does:
the motor type first, then every code, each block written and read back. Every drive gets its own
verdict and the codes that failed; one drive's failure never stops the others, and a drive that goes
away is given 10 s to come back. --jobs downloads into that many drives at once. --save and --reset
store and reset the drives that succeeded.

Examples:
  servo-cli download golden.funcodeservo --to tcp:10.0.0.11:502 tcp:10.0.0.12:502 --jobs 2
  servo-cli download tcp:10.0.0.7:502 --to rtu:/dev/ttyUSB0/1 rtu:/dev/ttyUSB0/2 --save
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_FAULTS</source>
        <translation>Usage: servo-cli faults DRIVE [--history] [--axis X|Y|Z|all] [--format text|csv|json]

Shows the drive's current faults (code, name, axis, time, reason, remedy); --history adds the fault
history of the axes, each record decoded with the history-record format in use.

Examples:
  servo-cli faults tcp:127.0.0.1:1502
  servo-cli faults rtu:/dev/ttyUSB0 --history --axis X --format json
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_FINGERPRINT</source>
        <translation>Usage: servo-cli fingerprint DRIVE|FILE [--format text|csv|json]

The SHA-256 fingerprint of a parameter set: the model, the configuration version and the raw value
of every axis of every setting the present authority sees, in number order. A drive and its backup
file give the same fingerprint. A value that is not known makes it unavailable (exit status 3 for a
drive, 4 for a file).

Examples:
  servo-cli fingerprint tcp:10.0.0.7:502
  servo-cli fingerprint line3-axis1.funcodeservo
</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_REFUSED</source>
        <translation>%1 is refused: %2</translation>
    </message>
    <message>
        <source>STR_CLI_SOURCE_PROBLEM</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>STR_CLI_SOURCE</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_GONE</source>
        <translation>the drive is gone</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_DID_NOT_COME_BACK</source>
        <translation>the drive went away and did not come back within %1 s</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_WRITTEN</source>
        <translation>not written</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_READ_BACK</source>
        <translation>written, but not read back</translation>
    </message>
    <message>
        <source>STR_CLI_READ_BACK_FAILED</source>
        <translation>written, but reading it back failed: %1</translation>
    </message>
    <message>
        <source>STR_CLI_READS_BACK_OTHER</source>
        <translation>the drive holds %1 instead of %2</translation>
    </message>
    <message>
        <source>STR_CLI_RANGE</source>
        <translation>from %1 to %2 %3</translation>
    </message>
    <message>
        <source>STR_CLI_VALUE_OUT_OF_RANGE</source>
        <translation>%1 is out of the range of %2: %3</translation>
    </message>
    <message>
        <source>STR_CLI_WRITE_REFUSED</source>
        <translation>%1 cannot be written: %2</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_REFUSES_WRITES</source>
        <translation>%1 refuses writes now: %2</translation>
    </message>
    <message>
        <source>STR_CLI_BAD_VALUE</source>
        <translation>"%1" is not a value of %2 (%3)</translation>
    </message>
    <message>
        <source>STR_CLI_BEFORE</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>STR_CLI_AFTER</source>
        <translation>After</translation>
    </message>
    <message>
        <source>STR_CLI_CODE_FAILED</source>
        <translation>%1 (%2): %3</translation>
    </message>
    <message>
        <source>STR_CLI_SAVE_FAILED</source>
        <translation>%1 did not store its parameters</translation>
    </message>
    <message>
        <source>STR_CLI_NOTHING_WRITTEN</source>
        <translation>Nothing was written to %1.</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_NOT_WRITTEN</source>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>STR_CLI_BACKUP_WRITTEN</source>
        <translation>%1 codes of %2 written to %3</translation>
    </message>
    <message>
        <source>STR_CLI_FILE</source>
        <translation>File</translation>
    </message>
    <message>
        <source>STR_CLI_CODES</source>
        <translation>Codes</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_VALUE_UNKNOWN</source>
        <translation>the file holds a value that was never read: %1</translation>
    </message>
    <message>
        <source>STR_CLI_DIFFERS</source>
        <translation>Differs</translation>
    </message>
    <message>
        <source>STR_CLI_COMPARED</source>
        <translation>%1 codes compared, %2 differ</translation>
    </message>
    <message>
        <source>STR_CLI_FAULTS_NOT_READ</source>
        <translation>The faults of %1 could not be read</translation>
    </message>
    <message>
        <source>STR_CLI_NO_CURRENT_FAULTS</source>
        <translation>No current faults.</translation>
    </message>
    <message>
        <source>STR_CLI_DOWNLOAD_FAILED</source>
        <translation>%1 of %2 drives failed</translation>
    </message>
    <message>
        <source>STR_CLI_DOWNLOAD_PROGRESS</source>
        <translation>drives %1/%2</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_DONE</source>
        <translation>%1: done</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_FAILED</source>
        <translation>%1: failed</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_VALUE</source>
        <translation>Drive value</translation>
    </message>
    <message>
        <source>STR_CLI_DRY_RUN</source>
        <translation>%1 codes would change; nothing was written</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_VALUE</source>
        <translation>File value</translation>
    </message>
    <message>
        <source>STR_CLI_MOTOR_TYPE_FAILED</source>
        <translation>The motor type could not be set: %1; nothing else was written</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_SOURCE_MODEL</source>
        <translation>the drive is a %1, the parameter set is for a %2</translation>
    </message>
    <message>
        <source>STR_CLI_REASON</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>STR_CLI_RESET_FAILED</source>
        <translation>%1 was not reset</translation>
    </message>
    <message>
        <source>STR_CLI_RESTORED</source>
        <translation>%1 codes written into %2</translation>
    </message>
    <message>
        <source>STR_CLI_RESTORE_FAILED</source>
        <translation>%1 values did not arrive in %2</translation>
    </message>
    <message>
        <source>STR_CLI_TARGET_TWICE</source>
        <translation>%1 is named twice</translation>
    </message>
    <message>
        <source>STR_CLI_VERDICT</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>STR_CLI_VERDICT_FAILED</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>STR_CLI_VERDICT_OK</source>
        <translation>ok</translation>
    </message>
</context>
</TS>
