#include "QDatabaseManager.h"

#include "QConfigDB_Servo.h"
#include "QExportDB_Servo.h"
#include "QLibLogger.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const kRecordFile = "records.db";
const char* const kStatisticsFile = "statistics.db";
const char* const kConfigFile = "config.db";
// Files SQLite may keep beside a database; they belong to it and move with it.
const char* const kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

void closeAtExit()
{
    QDatabaseManager::self()->close();
}
} // namespace

QDatabaseManager* QDatabaseManager::self()
{
    // Never destroyed: the connections are closed while the application object goes away (closeAtExit),
    // before Qt's SQL registry is torn down.
    static QDatabaseManager* instance = [] {
        auto* manager = new QDatabaseManager;
        qAddPostRoutine(closeAtExit);
        return manager;
    }();
    return instance;
}

QDatabaseManager::QDatabaseManager()
    : m_recordDb(new QRecordDB_Servo), m_statistics(new QStatistics), m_configDb(new QConfigDB_Servo),
      m_exportDb(new QExportDB_Servo)
{
}

QDatabaseManager::~QDatabaseManager() = default;

QStringList QDatabaseManager::databaseFileNames()
{
    return QStringList{QString::fromLatin1(kRecordFile), QString::fromLatin1(kStatisticsFile),
                       QString::fromLatin1(kConfigFile)};
}

bool QDatabaseManager::open(const QString& dir, QString* error)
{
    close();
    m_errors.clear();
    m_notices.clear();
    m_readOnly.clear();
    // mkpath fails on an existing folder whose parent this user may not write to.
    if (dir.isEmpty() || (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))) {
        m_dataDir.clear();
        const QString text = tr("STR_DB_NO_DATA_DIR") + QStringLiteral(" ") + dir;
        QLibLogger::self()->warn(QStringLiteral("Cannot create the data folder \"%1\"").arg(dir));
        setText(error, text);
        return false;
    }
    m_dataDir = QDir(dir).absolutePath();
    bool allOpen = true;
    for (const QString& fileName : databaseFileNames()) {
        allOpen = openOne(fileName) && allOpen;
    }
    setText(error, lastErrors().join(QLatin1Char('\n')));
    return allOpen;
}

bool QDatabaseManager::openOne(const QString& fileName)
{
    QSqliteDatabase* database = databaseForFile(fileName);
    if (database->open(QDir(m_dataDir).filePath(fileName))) {
        m_errors.remove(fileName);
        noteState(fileName, database);
        return true;
    }
    m_errors.insert(fileName, database->lastError());
    return false;
}

void QDatabaseManager::noteState(const QString& fileName, QSqliteDatabase* database)
{
    if (database->upgradedFrom() > 0) {
        m_notices.append(tr("STR_DB_UPGRADED")
                             .arg(fileName)
                             .arg(database->upgradedFrom())
                             .arg(database->schema().version)
                             .arg(QFileInfo(database->backupPath()).fileName()));
    }
    if (!database->isWritable()) {
        m_readOnly.append(fileName);
        m_notices.append(QStringLiteral("%1: %2").arg(fileName, tr("STR_DB_READ_ONLY")));
    }
}

void QDatabaseManager::close()
{
    m_recordDb->close();
    m_statistics->close();
    m_configDb->close();
    m_exportDb->close();
}

QSqliteDatabase* QDatabaseManager::databaseForFile(const QString& fileName) const
{
    if (fileName == QLatin1String(kRecordFile)) {
        return m_recordDb.get();
    }
    if (fileName == QLatin1String(kStatisticsFile)) {
        return m_statistics.get();
    }
    if (fileName == QLatin1String(kConfigFile)) {
        return m_configDb.get();
    }
    return nullptr;
}

bool QDatabaseManager::recoverDatabase(const QString& fileName, QString* movedTo, QString* error)
{
    setText(movedTo, QString());
    const QFileInfo info(fileName);
    QSqliteDatabase* database = databaseForFile(info.fileName());
    const bool inDataDir = !info.isAbsolute() || QDir(info.absolutePath()) == QDir(m_dataDir);
    if (m_dataDir.isEmpty() || !database || !inDataDir) {
        setText(error, QStringLiteral("%1: %2").arg(info.fileName(), tr("STR_DB_UNKNOWN_FILE")));
        return false;
    }
    const QString path = QDir(m_dataDir).filePath(info.fileName());
    database->close();
    if (!moveAside(path, movedTo, error)) {
        openOne(info.fileName());
        return false;
    }
    if (!openOne(info.fileName())) {
        setText(error, database->lastError());
        return false;
    }
    QLibLogger::self()->info(QStringLiteral("Started a fresh %1; the old file is kept").arg(path));
    return true;
}

bool QDatabaseManager::moveAside(const QString& path, QString* movedTo, QString* error) const
{
    if (!QFileInfo::exists(path)) {
        return true;
    }
    const QString target = damagedPathFor(path);
    if (!QFile::rename(path, target)) {
        setText(error, QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), tr("STR_DB_CANNOT_MOVE")));
        QLibLogger::self()->warn(QStringLiteral("Cannot rename %1 to %2").arg(path, target));
        return false;
    }
    for (const char* suffix : kCompanionSuffixes) {
        const QString companion = path + QLatin1String(suffix);
        if (QFileInfo::exists(companion)) {
            QFile::rename(companion, target + QLatin1String(suffix));
        }
    }
    QLibLogger::self()->warn(QStringLiteral("Moved the damaged database %1 to %2").arg(path, target));
    setText(movedTo, target);
    return true;
}

QString QDatabaseManager::damagedPathFor(const QString& path)
{
    const QFileInfo info(path);
    const QString stem = QStringLiteral("%1-damaged-%2")
                             .arg(info.completeBaseName(),
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    QString candidate = info.dir().filePath(stem + suffix);
    for (int i = 2; QFileInfo::exists(candidate); ++i) {
        candidate = info.dir().filePath(QStringLiteral("%1-%2%3").arg(stem).arg(i).arg(suffix));
    }
    return candidate;
}

void QDatabaseManager::setText(QString* target, const QString& text)
{
    if (target) {
        *target = text;
    }
}
