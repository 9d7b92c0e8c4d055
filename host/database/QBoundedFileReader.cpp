#include "QBoundedFileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const qint64 kSliceBytes = 1024 * 1024;
const qint64 kMaxByteArray = std::numeric_limits<int>::max() - 1;

// Opens without blocking and makes sure, on the open file, that it is still a regular one: a pipe put in
// the file's place after the check must not block the reader.
int openRegular(QFile* file)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(file->fileName()).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return QBoundedFileReader::READ_FAILED;
    }
    struct stat status = {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (!regular || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return regular ? QBoundedFileReader::READ_FAILED : QBoundedFileReader::READ_NOT_REGULAR;
    }
    return QBoundedFileReader::READ_OK;
#else
    return file->open(QIODevice::ReadOnly) ? QBoundedFileReader::READ_OK : QBoundedFileReader::READ_FAILED;
#endif
}
} // namespace

QBoundedFileReader::QBoundedFileReader(qint64 maxBytes)
    : m_maxBytes(qBound(qint64(0), maxBytes, kMaxByteArray))
{
}

int QBoundedFileReader::fail(int result, const QString& path, const char* key)
{
    m_errorText = tr(key).arg(QFileInfo(path).fileName());
    return result;
}

int QBoundedFileReader::failToRead(const QString& path, const QString& reason)
{
    m_errorText = tr("STR_FILE_CANNOT_READ").arg(QFileInfo(path).fileName(), reason);
    return READ_FAILED;
}

int QBoundedFileReader::failTooLarge(const QString& path)
{
    const QString limit = QLocale().formattedDataSize(m_maxBytes, 0, QLocale::DataSizeTraditionalFormat);
    m_errorText = tr("STR_FILE_SIZE_LIMIT").arg(QFileInfo(path).fileName(), limit);
    return READ_TOO_LARGE;
}

int QBoundedFileReader::check(const QString& path)
{
    m_errorText.clear();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return fail(READ_NOT_FOUND, path, "STR_FILE_NOT_FOUND");
    }
    if (!info.isFile()) {
        return fail(READ_NOT_REGULAR, path, "STR_FILE_NOT_REGULAR");
    }
    return info.size() > m_maxBytes ? failTooLarge(path) : int(READ_OK);
}

int QBoundedFileReader::read(const QString& path, QByteArray* bytes)
{
    bytes->clear();
    const int checked = check(path);
    if (checked != READ_OK) {
        return checked;
    }
    QFile file(path);
    const int opened = openRegular(&file);
    if (opened == READ_NOT_REGULAR) {
        return fail(opened, path, "STR_FILE_NOT_REGULAR");
    }
    if (opened != READ_OK) {
        return failToRead(path, qt_error_string(errno));
    }
    // Read straight into the result, sized for the file and one byte more: one byte past the limit is asked
    // for, so that a file grown since the check is noticed.
    const qint64 wanted = m_maxBytes + 1;
    qint64 size = 0;
    bytes->resize(int(qMin(file.size() + 1, wanted)));
    while (size < wanted) {
        if (size == bytes->size()) {
            bytes->resize(int(qMin(wanted, size + kSliceBytes)));
        }
        const qint64 got = file.read(bytes->data() + size, bytes->size() - size);
        if (got <= 0) {
            break;
        }
        size += got;
    }
    bytes->resize(int(size));
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return failToRead(path, file.errorString());
    }
    if (bytes->size() > m_maxBytes) {
        bytes->clear();
        return failTooLarge(path);
    }
    return READ_OK;
}
