#pragma once

#include <QCoreApplication>
#include <QString>

// Error numbers of the function-code file readers and writers, one per distinct failure, and their
// texts. The most recent failure also keeps a detail (which line, which field, what the file system
// said), which getErrorStr adds to the text of its number.
class QFuncodeHelperBase
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeHelperBase)

public:
    enum enFileError_Type
    {
        FILE_OK = 0,
        FILE_ERR_OPEN = 1,          // the file (or database) cannot be opened or read
        FILE_ERR_EMPTY = 2,         // the file holds nothing
        FILE_ERR_NO_MARK = 3,       // the first line lacks the import mark
        FILE_ERR_NO_DEVICE = 4,     // no device record (no device line, or a database without devices)
        FILE_ERR_DEVICE_INFO = 5,   // the device line has an empty device text or a bad axis count
        FILE_ERR_FIELD_COUNT = 6,   // a function-code line has too few fields
        FILE_ERR_NOT_INTEGER = 7,   // a field that holds a number does not
        FILE_ERR_AXIS_COUNT = 8,    // an axis count outside 1 to 3
        FILE_ERR_SPLIT = 9,         // the commas of a line cannot be told apart
        FILE_ERR_NO_FUNCODE = 10,   // the file holds no function code
        FILE_ERR_NOT_ZIP = 11,      // not a zip archive, or a truncated one
        FILE_ERR_NOT_WORKBOOK = 12, // a zip archive without a workbook
        FILE_ERR_BAD_XML = 13,      // a part of the workbook is not well-formed
        FILE_ERR_ZIP_ENTRY = 14,    // a part of the archive cannot be unpacked (damaged)
        FILE_ERR_TOO_LARGE = 15,    // the file or a part of it is larger than any function-code file
        FILE_ERR_DATABASE = 16,     // a function-code database of another program, damaged or newer
        FILE_ERR_WRITE = 17,        // the file cannot be written
        FILE_ERR_NO_NUMBER = 18,    // a function-code line without a number
        FILE_ERR_CANCELLED = 19,    // reading was cancelled, or stopped because it took too long
        FILE_ERR_COUNT
    };

    virtual ~QFuncodeHelperBase();

    // The text of an error number; for the most recent failure with that number, followed by its detail.
    static QString getErrorStr(int error);
    // The text of the most recent failure, its number and its detail.
    static QString lastErrorText();
    static int lastError();
    static QString lastErrorDetail();

    // Remembers a failure (FILE_OK forgets the last one). Returns the error for chaining.
    static int setLastError(int error, const QString& detail = QString());
    // "line %1" (the readers name the line a failure was found in).
    static QString lineText(int line);
    // At most the first few characters of a field, marked when cut: a failure quotes no more of it.
    static QString excerpt(const QStringRef& field);
    // The error for what QBoundedFileReader found: FILE_OK, FILE_ERR_TOO_LARGE or FILE_ERR_OPEN.
    static int fileError(int readResult);

private:
    static QString baseText(int error);

    static int s_lastError;
    static QString s_lastDetail;
};
