#include "QSqliteDatabase.h"

#include "QLibLogger.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtEndian>

#include <atomic>

namespace {
const char* const kDriver = "QSQLITE";
const int kHeaderSize = 100;
const QByteArray kMagic("SQLite format 3\0", 16);

quint32 headerWord(const QByteArray& header, int offset)
{
    return qFromBigEndian<quint32>(header.constData() + offset);
}

quint32 headerPageSize(const QByteArray& header)
{
    const quint16 raw = qFromBigEndian<quint16>(header.constData() + 16);
    return raw == 1 ? 65536u : raw;
}

bool isValidPageSize(quint32 size)
{
    return size >= 512 && size <= 65536 && (size & (size - 1)) == 0;
}

QString nextConnectionName(const QString& kind)
{
    static std::atomic<int> serial{0};
    return QStringLiteral("servo-%1-%2").arg(kind).arg(++serial);
}
} // namespace

QSqliteDatabase::QSqliteDatabase(const tagSqliteSchema& schema) : m_schema(schema) {}

QSqliteDatabase::~QSqliteDatabase()
{
    close();
}

bool QSqliteDatabase::open(const QString& path)
{
    close();
    m_path = path;
    m_lastError.clear();
    m_upgradedFrom = 0;
    m_backupPath.clear();
    if (path.isEmpty()) {
        return fail(tr("STR_DB_NO_PATH"));
    }
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(kDriver))) {
        return fail(tr("STR_DB_NO_DRIVER"));
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return fail(tr("STR_DB_NOT_A_FILE"));
    }
    m_createdFile = !info.exists();
    const bool hasContent = info.exists() && info.size() > 0;
    if (hasContent && !checkFileHeader(path)) {
        return false;
    }
    if (!openConnection(path)) {
        return false;
    }
    bool isEmpty = !hasContent;
    int version = m_schema.version;
    if (hasContent && !inspectContents(&isEmpty, &version)) {
        removeConnection();
        return false;
    }
    if (!isEmpty && version < m_schema.version && !upgrade(version)) {
        removeConnection();
        return false;
    }
    if (isEmpty && !createSchema()) {
        removeConnection();
        if (m_createdFile) {
            QFile::remove(path);
        }
        return false;
    }
    m_ready = true;
    return true;
}

void QSqliteDatabase::close()
{
    m_ready = false;
    removeConnection();
}

void QSqliteDatabase::removeConnection()
{
    if (m_connectionName.isEmpty()) {
        return;
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

// Reads the file's first 100 bytes without SQLite, so that a file that is not ours is never handed to it
// for writing, and a file cut short is recognised even where SQLite would read on until the missing pages.
bool QSqliteDatabase::checkFileHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(tr("STR_DB_CANNOT_READ"), file.errorString());
    }
    const qint64 size = file.size();
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() < kHeaderSize || !header.startsWith(kMagic)) {
        return fail(tr("STR_DB_NOT_SQLITE"));
    }
    const quint32 pageSize = headerPageSize(header);
    if (!isValidPageSize(pageSize)) {
        return fail(tr("STR_DB_NOT_SQLITE"), QStringLiteral("page size %1").arg(pageSize));
    }
    // A hot journal may legitimately leave the file at another length until SQLite rolls it back.
    if (QFile::exists(path + QStringLiteral("-journal"))) {
        return true;
    }
    if (size % pageSize != 0) {
        return fail(tr("STR_DB_TRUNCATED"), QStringLiteral("size %1, page size %2").arg(size).arg(pageSize));
    }
    const quint32 pageCount = headerWord(header, 28);
    const bool pageCountValid = headerWord(header, 24) == headerWord(header, 92);
    if (pageCountValid && qint64(pageCount) * pageSize > size) {
        return fail(tr("STR_DB_TRUNCATED"),
                    QStringLiteral("%1 of %2 pages present").arg(size / pageSize).arg(pageCount));
    }
    return true;
}

bool QSqliteDatabase::openConnection(const QString& path)
{
    m_connectionName = nextConnectionName(m_schema.kind);
    m_db = QSqlDatabase::addDatabase(QString::fromLatin1(kDriver), m_connectionName);
    m_db.setDatabaseName(path);
    if (m_db.open()) {
        return true;
    }
    const QString detail = m_db.lastError().text();
    removeConnection();
    if (m_createdFile) {
        QFile::remove(path);
        return fail(tr("STR_DB_CANNOT_CREATE"), detail);
    }
    return fail(tr("STR_DB_CANNOT_OPEN"), detail);
}

bool QSqliteDatabase::inspectContents(bool* isEmpty, int* version)
{
    int applicationId = 0;
    if (!pragmaInt(QStringLiteral("application_id"), &applicationId) ||
        !pragmaInt(QStringLiteral("user_version"), version)) {
        return false;
    }
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        return fail(tr("STR_DB_DAMAGED"), query.lastError().text());
    }
    *isEmpty = applicationId == 0 && *version == 0 && query.value(0).toInt() == 0;
    if (*isEmpty) {
        return true;
    }
    if (applicationId != m_schema.applicationId) {
        return fail(tr("STR_DB_FOREIGN"), QStringLiteral("application_id %1").arg(applicationId));
    }
    if (*version > m_schema.version) {
        return fail(tr("STR_DB_NEWER"),
                    QStringLiteral("layout %1, known %2").arg(*version).arg(m_schema.version));
    }
    // Layout 1 is the first one; a file of ours with a number no step starts from was never finished.
    for (int v = *version; v < m_schema.version; ++v) {
        if (v < 1 || !m_schema.upgrades.contains(v)) {
            return fail(tr("STR_DB_DAMAGED"), QStringLiteral("unknown layout %1").arg(*version));
        }
    }
    return quickCheck() && (*version < m_schema.version || checkTables());
}

bool QSqliteDatabase::checkTables()
{
    const QStringList tables = m_db.tables(QSql::Tables);
    for (const QString& table : qAsConst(m_schema.tables)) {
        if (!tables.contains(table)) {
            return fail(tr("STR_DB_DAMAGED"), QStringLiteral("table %1 missing").arg(table));
        }
    }
    return true;
}

// Takes the file from fromVersion to the present layout, after a copy of it is kept beside it. Nothing
// of the file changes unless every step succeeds and the result has every table of the layout.
bool QSqliteDatabase::upgrade(int fromVersion)
{
    QString copyPath;
    if (!keepCopy(fromVersion, &copyPath)) {
        return false;
    }
    bool tablesComplete = true;
    const bool upgraded = inTransaction([this, fromVersion, &tablesComplete] {
        for (int v = fromVersion; v < m_schema.version; ++v) {
            for (const QString& statement : m_schema.upgrades.value(v)) {
                if (!execSql(statement)) {
                    return false;
                }
            }
        }
        if (!execSql(QStringLiteral("PRAGMA user_version = %1").arg(m_schema.version))) {
            return false;
        }
        tablesComplete = checkTables();
        return tablesComplete;
    });
    if (!upgraded) {
        QFile::remove(copyPath);
        // A missing table has been named by checkTables(); the file is damaged rather than old.
        return !tablesComplete
                   ? false
                   : fail(tr("STR_DB_UPGRADE_FAILED"), QStringLiteral("from layout %1").arg(fromVersion));
    }
    m_upgradedFrom = fromVersion;
    m_backupPath = copyPath;
    QLibLogger::self()->info(
        QStringLiteral("Database %1 upgraded from layout %2 to %3; the old file is kept as %4")
            .arg(m_path)
            .arg(fromVersion)
            .arg(m_schema.version)
            .arg(copyPath));
    return true;
}

// "<name>-layout<N>-<yyyyMMdd-hhmmss>.<suffix>" beside the file; never overwrites a file.
bool QSqliteDatabase::keepCopy(int version, QString* copyPath)
{
    const QFileInfo info(m_path);
    const QString stem = QStringLiteral("%1-layout%2-%3")
                             .arg(info.completeBaseName())
                             .arg(version)
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    *copyPath = info.dir().filePath(stem + suffix);
    for (int i = 2; QFileInfo::exists(*copyPath); ++i) {
        *copyPath = info.dir().filePath(QStringLiteral("%1-%2%3").arg(stem).arg(i).arg(suffix));
    }
    QFile file(m_path);
    if (!file.copy(*copyPath)) {
        return fail(tr("STR_DB_CANNOT_BACKUP"), QStringLiteral("%1: %2").arg(*copyPath, file.errorString()));
    }
    return true;
}

bool QSqliteDatabase::isWritable()
{
    if (!checkOpen()) {
        return false;
    }
    QSqlQuery query(m_db);
    // Setting the layout number to itself writes the file's first page, which needs the journal.
    const bool writable = query.exec(QStringLiteral("BEGIN IMMEDIATE")) &&
                          query.exec(QStringLiteral("PRAGMA user_version = %1").arg(m_schema.version));
    const QString detail = query.lastError().text();
    query.exec(QStringLiteral("ROLLBACK"));
    if (!writable) {
        QLibLogger::self()->warn(
            QStringLiteral("Database %1 (%2) cannot be written: %3").arg(m_schema.kind, m_path, detail));
    }
    return writable;
}

bool QSqliteDatabase::pragmaInt(const QString& name, int* value)
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA %1").arg(name)) || !query.next()) {
        return fail(tr("STR_DB_DAMAGED"), query.lastError().text());
    }
    *value = query.value(0).toInt();
    return true;
}

bool QSqliteDatabase::quickCheck()
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()) {
        return fail(tr("STR_DB_DAMAGED"), query.lastError().text());
    }
    const QString result = query.value(0).toString();
    if (result != QLatin1String("ok")) {
        return fail(tr("STR_DB_DAMAGED"), result);
    }
    return true;
}

bool QSqliteDatabase::createSchema()
{
    const bool created = inTransaction([this] {
        for (const QString& statement : qAsConst(m_schema.createStatements)) {
            if (!execSql(statement)) {
                return false;
            }
        }
        // Pragmas take no bound values; both numbers are ours.
        return execSql(QStringLiteral("PRAGMA application_id = %1").arg(m_schema.applicationId)) &&
               execSql(QStringLiteral("PRAGMA user_version = %1").arg(m_schema.version));
    });
    return created || fail(tr("STR_DB_CANNOT_CREATE"));
}

QString QSqliteDatabase::label() const
{
    return m_path.isEmpty() ? m_schema.kind : QFileInfo(m_path).fileName();
}

bool QSqliteDatabase::checkOpen() const
{
    return m_ready || fail(tr("STR_DB_NOT_OPEN"));
}

bool QSqliteDatabase::fail(const QString& reason, const QString& detail) const
{
    m_lastError = QStringLiteral("%1: %2").arg(label(), reason);
    QString line = QStringLiteral("Database %1 (%2): %3").arg(m_schema.kind, m_path, reason);
    if (!detail.isEmpty()) {
        line += QStringLiteral(" [%1]").arg(detail);
    }
    QLibLogger::self()->warn(line);
    return false;
}

bool QSqliteDatabase::prepare(QSqlQuery& query, const QString& sql) const
{
    if (query.prepare(sql)) {
        return true;
    }
    return fail(tr("STR_DB_QUERY_FAILED"), QStringLiteral("%1 | %2").arg(query.lastError().text(), sql));
}

bool QSqliteDatabase::exec(QSqlQuery& query) const
{
    if (query.exec()) {
        return true;
    }
    return fail(tr("STR_DB_QUERY_FAILED"),
                QStringLiteral("%1 | %2").arg(query.lastError().text(), query.lastQuery()));
}

bool QSqliteDatabase::execSql(const QString& sql) const
{
    QSqlQuery query(m_db);
    if (query.exec(sql)) {
        return true;
    }
    return fail(tr("STR_DB_QUERY_FAILED"), QStringLiteral("%1 | %2").arg(query.lastError().text(), sql));
}

bool QSqliteDatabase::inTransaction(const std::function<bool()>& work)
{
    if (!m_db.transaction()) {
        return fail(tr("STR_DB_QUERY_FAILED"), QStringLiteral("BEGIN: %1").arg(m_db.lastError().text()));
    }
    if (!work()) {
        m_db.rollback();
        return false;
    }
    if (!m_db.commit()) {
        const QString detail = m_db.lastError().text();
        m_db.rollback();
        return fail(tr("STR_DB_QUERY_FAILED"), QStringLiteral("COMMIT: %1").arg(detail));
    }
    return true;
}

QVariant QSqliteDatabase::text(const QString& value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}
