#include "FuzzTempFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
const char* const kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

const QTemporaryDir& folder()
{
    static const QTemporaryDir dir;
    return dir;
}
} // namespace

QString FuzzTempFile::write(const QByteArray& data, const QString& suffix)
{
    if (!folder().isValid()) {
        return QString();
    }
    const QString path = QDir(folder().path()).filePath(QStringLiteral("input") + suffix);
    for (const char* companion : kCompanionSuffixes) {
        QFile::remove(path + QLatin1String(companion));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        return QString();
    }
    return path;
}
