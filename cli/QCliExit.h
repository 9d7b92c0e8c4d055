#pragma once

// The exit statuses of servo-cli, documented in docs/servo-cli.md.
namespace QCliExit {
enum Status
{
    OK = 0,
    DIFFERS = 1, // compare: the sources differ
    USAGE = 2,   // the command line is wrong (unknown drive address, number, value out of range ...)
    DRIVE_NOT_REACHED = 3, // a drive did not answer, or could not be read whole
    FILE_REFUSED = 4,      // a file could not be read or written, or was made for another drive
    WRITES_FAILED = 5      // some values did not arrive in a drive
};
}
