#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Reads a file that comes from outside (a function-code file, a database to import) only when it is a
// regular file within the reader's size limit: a folder, a device such as /dev/zero or a pipe (which
// would block the reader) is refused before it is opened, and no more than the limit is ever read, even
// from a file that grows meanwhile. A symbolic link counts as what it points to. Every refusal names the
// file, and the limit where that was the reason.
class QBoundedFileReader
{
    Q_DECLARE_TR_FUNCTIONS(QBoundedFileReader)

public:
    enum enResult
    {
        READ_OK = 0,
        READ_NOT_FOUND,
        READ_NOT_REGULAR,
        READ_TOO_LARGE,
        READ_FAILED
    };

    // maxBytes is capped at what one QByteArray holds.
    explicit QBoundedFileReader(qint64 maxBytes);

    // Looks at the file without opening it (for readers that hand the file to a library, such as SQLite).
    int check(const QString& path);
    // Checks the file and reads all of it into bytes (left empty on a refusal).
    int read(const QString& path, QByteArray* bytes);
    // Why the last check or read failed, for people; empty after success.
    QString errorText() const { return m_errorText; }

private:
    int fail(int result, const QString& path, const char* key);
    int failToRead(const QString& path, const QString& reason);
    int failTooLarge(const QString& path);

    qint64 m_maxBytes = 0;
    QString m_errorText;
};
