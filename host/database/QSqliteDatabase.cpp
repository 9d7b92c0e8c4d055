#include "QSqliteDatabase.h"

#include "QBoundedFileReader.h"
#include "QLibLogger.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <QtEndian>

#include <sqlite3.h>

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

// More entries than any layout of ours has: the rest of a file's list is not read.
const int kMaxLayoutEntries = 64;

// What a file holds besides its rows: one "type|name|table|sql" line per table, index, view and trigger.
bool layoutEntries(const QSqlDatabase& db, QStringList* entries, QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name"))) {
        *error = query.lastError().text();
        return false;
    }
    while (query.next() && entries->size() <= kMaxLayoutEntries) {
        entries->append(QStringList{query.value(0).toString(), query.value(1).toString(),
                                    query.value(2).toString(), query.value(3).toString()}
                            .join(QLatin1Char('|')));
    }
    *error = query.lastError().text();
    return !query.lastError().isValid();
}

// The entries that the create statements give, made in a database in memory, so that a file is compared
// with exactly what this program writes (SQLite keeps the statements' text in its own normal form).
QStringList expectedLayout(const tagSqliteSchema& schema)
{
    const QString name = nextConnectionName(schema.kind + QStringLiteral("-layout"));
    QStringList entries;
    {
        QSqlDatabase memory = QSqlDatabase::addDatabase(QString::fromLatin1(kDriver), name);
        memory.setDatabaseName(QStringLiteral(":memory:"));
        if (memory.open()) {
            QSqlQuery query(memory);
            for (const QString& statement : schema.createStatements) {
                query.exec(statement);
            }
            QString error;
            layoutEntries(memory, &entries, &error);
        }
        memory.close();
    }
    QSqlDatabase::removeDatabase(name);
    return entries;
}

QString entryField(const QString& entry, int field)
{
    return entry.section(QLatin1Char('|'), field, field);
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
    m_maxValueBytes = 0;
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
    if (hasContent && !checkFileHeader(path, true)) {
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

bool QSqliteDatabase::openForReading(const QString& path, qint64 maxFileBytes, int maxValueBytes)
{
    close();
    m_path = path;
    m_lastError.clear();
    m_upgradedFrom = 0;
    m_backupPath.clear();
    m_createdFile = false;
    if (path.isEmpty()) {
        return fail(tr("STR_DB_NO_PATH"));
    }
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(kDriver))) {
        return fail(tr("STR_DB_NO_DRIVER"));
    }
    // The file readers' check; the database words its refusals as its own.
    QBoundedFileReader file(maxFileBytes);
    switch (file.check(path)) {
    case QBoundedFileReader::READ_OK:
        break;
    case QBoundedFileReader::READ_NOT_REGULAR:
        return fail(tr("STR_DB_NOT_A_FILE"), file.errorText());
    case QBoundedFileReader::READ_TOO_LARGE:
        return fail(tr("STR_DB_TOO_LARGE").arg(maxFileBytes / (1024 * 1024)), file.errorText());
    default:
        return fail(tr("STR_DB_CANNOT_READ"), file.errorText());
    }
    if (QFileInfo(path).size() == 0) {
        return fail(tr("STR_DB_EMPTY_FILE"));
    }
    if (!checkFileHeader(path, false) || !openImmutable(path, maxValueBytes)) {
        return false;
    }
    if (!checkReadableContents()) {
        removeConnection();
        return false;
    }
    m_ready = true;
    m_readOnly = true;
    return true;
}

void QSqliteDatabase::close()
{
    m_ready = false;
    m_readOnly = false;
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
// allowHotJournal: a journal beside the file will be rolled back into it (a file read without it must
// be whole by itself).
bool QSqliteDatabase::checkFileHeader(const QString& path, bool allowHotJournal)
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
    if (allowHotJournal && QFile::exists(path + QStringLiteral("-journal"))) {
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
        // A chunk of a long list touches index pages all over the file: with SQLite's 2 MB default they
        // were written out and read back within the transaction. The cache grows only as pages are used.
        execSql(QStringLiteral("PRAGMA cache_size = -16384"));
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

// Read-only and immutable: SQLite neither takes a lock nor looks for a journal or write-ahead log, so
// nothing beside the file is read, rolled back, checkpointed or created.
bool QSqliteDatabase::openImmutable(const QString& path, int maxValueBytes)
{
    m_connectionName = nextConnectionName(m_schema.kind);
    m_db = QSqlDatabase::addDatabase(QString::fromLatin1(kDriver), m_connectionName);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    uri.setQuery(QStringLiteral("immutable=1"));
    m_db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    if (!m_db.open()) {
        const QString detail = m_db.lastError().text();
        removeConnection();
        return fail(tr("STR_DB_CANNOT_OPEN"), detail);
    }
    if (!limitValueLength(maxValueBytes)) {
        removeConnection();
        return false;
    }
    return true;
}

// A value longer than the limit makes SQLite stop the query with an error instead of handing it over:
// a computed value or a long text costs nothing before it is refused.
bool QSqliteDatabase::limitValueLength(int maxValueBytes)
{
    const QVariant handle = m_db.driver()->handle();
    sqlite3* connection = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                              ? *static_cast<sqlite3* const*>(handle.constData())
                              : nullptr;
    if (!connection) {
        return fail(tr("STR_DB_NO_DRIVER"), QStringLiteral("no SQLite handle"));
    }
    m_maxValueBytes = maxValueBytes;
    sqlite3_limit(connection, SQLITE_LIMIT_LENGTH, maxValueBytes);
    // Functions named in the file's own layout are not run on its behalf.
    sqlite3_db_config(connection, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    return true;
}

// What open() would change is refused here; the layout is compared before anything of the file is
// checked or read, so that nothing the file defines is run.
bool QSqliteDatabase::checkReadableContents()
{
    int applicationId = 0;
    int version = 0;
    if (!pragmaInt(QStringLiteral("application_id"), &applicationId) ||
        !pragmaInt(QStringLiteral("user_version"), &version)) {
        return false;
    }
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        return fail(tr("STR_DB_DAMAGED"), query.lastError().text());
    }
    if (applicationId == 0 && version == 0 && query.value(0).toInt() == 0) {
        return fail(tr("STR_DB_EMPTY_FILE"));
    }
    if (applicationId != m_schema.applicationId) {
        return fail(tr("STR_DB_FOREIGN"), QStringLiteral("application_id %1").arg(applicationId));
    }
    if (version > m_schema.version) {
        return fail(tr("STR_DB_NEWER"),
                    QStringLiteral("layout %1, known %2").arg(version).arg(m_schema.version));
    }
    if (version < m_schema.version) {
        return fail(tr("STR_DB_OLDER_LAYOUT"), QStringLiteral("layout %1").arg(version));
    }
    return checkExactLayout() && quickCheck();
}

bool QSqliteDatabase::checkExactLayout()
{
    QStringList present;
    QString error;
    if (!layoutEntries(m_db, &present, &error)) {
        return fail(tr("STR_DB_DAMAGED"), error);
    }
    const QStringList expected = expectedLayout(m_schema);
    if (present == expected) {
        return true;
    }
    for (const QString& entry : qAsConst(present)) {
        if (entryField(entry, 0) == QLatin1String("view")) {
            return fail(tr("STR_DB_HAS_VIEW").arg(entryField(entry, 1)), entry.left(200));
        }
        if (entryField(entry, 0) == QLatin1String("trigger")) {
            return fail(tr("STR_DB_HAS_TRIGGER").arg(entryField(entry, 1)), entry.left(200));
        }
    }
    return fail(layoutDifference(present, expected));
}

// The first difference in words: a computed column of one of our tables, a part missing, a part that is
// not ours.
QString QSqliteDatabase::layoutDifference(const QStringList& present, const QStringList& expected) const
{
    for (const QString& entry : present) {
        const QString name = entryField(entry, 1);
        if (entryField(entry, 0) != QLatin1String("table") || !m_schema.tables.contains(name) ||
            entryField(entry, 3).startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive)) {
            continue;
        }
        QSqlQuery columns(m_db);
        columns.exec(QStringLiteral("PRAGMA table_xinfo(\"%1\")").arg(name));
        // Hidden 2 and 3: a column computed when read, or when written.
        while (columns.next()) {
            if (columns.value(6).toInt() >= 2) {
                return tr("STR_DB_COMPUTED_COLUMN").arg(columns.value(1).toString().left(64), name);
            }
        }
    }
    for (const QString& entry : expected) {
        if (!present.contains(entry)) {
            QLibLogger::self()->warn(QStringLiteral("Database %1: %2 differs").arg(m_path, entry));
            return tr("STR_DB_OTHER_LAYOUT").arg(entryField(entry, 1));
        }
    }
    for (const QString& entry : present) {
        if (!expected.contains(entry)) {
            return tr("STR_DB_EXTRA_PART").arg(entryField(entry, 1).left(64));
        }
    }
    // Only reached with more entries than any layout has.
    return tr("STR_DB_EXTRA_PART").arg(entryField(present.value(kMaxLayoutEntries), 1).left(64));
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
    // exec() already fetches the first row: a read can stop there as in next().
    if (m_readOnly) {
        return fail(readFailure(query.lastError()),
                    QStringLiteral("%1 | %2").arg(query.lastError().text(), query.lastQuery()));
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

bool QSqliteDatabase::readFailed(const QSqlQuery& query) const
{
    const QSqlError error = query.lastError();
    if (!error.isValid()) {
        return false;
    }
    fail(readFailure(error), QStringLiteral("%1 | %2").arg(error.text(), query.lastQuery()));
    return true;
}

// SQLite's "string or blob too big" is a value over the read limit; anything else ends the read as damage.
QString QSqliteDatabase::readFailure(const QSqlError& error) const
{
    if (m_maxValueBytes > 0 && (error.nativeErrorCode().toInt() & 0xff) == SQLITE_TOOBIG) {
        return tr("STR_DB_VALUE_TOO_LONG").arg(m_maxValueBytes / 1024);
    }
    return tr("STR_DB_READ_STOPPED");
}

bool QSqliteDatabase::inChunks(int count, const std::function<bool(int first, int end)>& work)
{
    for (int first = 0; first < count; first += m_chunkRows) {
        const int end = qMin(count, first + m_chunkRows);
        if (!inTransaction([&] { return work(first, end); })) {
            return false;
        }
    }
    return true;
}

QVariant QSqliteDatabase::text(const QString& value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}
