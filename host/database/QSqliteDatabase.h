#pragma once

#include "tagSqliteSchema.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

#include <functional>

class QSqlError;
class QSqlQuery;
class QVariant;

// One SQLite file of a known kind, on its own connection. Opening checks that an existing file is an
// undamaged SQLite file of this kind and of a layout this program knows, and never writes to a file it
// refuses. A missing or empty file is created with the layout. Operations of derived classes report every
// failure in the log and through lastError() and return false or an empty result.
//
// The class has no virtual operation besides its destructor, so that the first virtual operation of a
// derived database is the first one it declares.
class QSqliteDatabase
{
    Q_DECLARE_TR_FUNCTIONS(QSqliteDatabase)

public:
    virtual ~QSqliteDatabase();
    QSqliteDatabase(const QSqliteDatabase&) = delete;
    QSqliteDatabase& operator=(const QSqliteDatabase&) = delete;

    // Opens (or creates) the file; closes the file open before. False, with lastError(), when the file
    // cannot be used: not SQLite, truncated, damaged, of another program, or of a newer layout. A file of an
    // older layout is upgraded: first copied beside itself (backupPath()), then changed in one transaction;
    // when either fails the file is left as it was and refused.
    bool open(const QString& path);
    // Opens an existing file of this kind only to read it; neither the file nor its folder is ever changed.
    // The file is opened immutable: a journal or write-ahead log beside it is neither read nor touched, and
    // nothing is locked. What open() would fill or upgrade (an empty database, an older layout) is refused,
    // and so is any file that holds more or other than this kind's tables and indexes: views, triggers and
    // computed columns make a small file huge or slow when read. A file larger than maxFileBytes is refused
    // before SQLite sees it, and no value longer than maxValueBytes is ever read: a query that meets one
    // fails (see readFailed). False, with lastError() in words a user understands, when refused.
    bool openForReading(const QString& path, qint64 maxFileBytes, int maxValueBytes);
    void close();
    // True when the file was opened by openForReading().
    bool isReadOnly() const { return m_readOnly; }
    bool isOpen() const { return m_ready; }
    // The file open, or the one last tried.
    QString path() const { return m_path; }
    // "<file name>: <reason>" of the last failure; empty after a successful open.
    QString lastError() const { return m_lastError; }
    const tagSqliteSchema& schema() const { return m_schema; }
    // The layout the file had when this open() upgraded it, else 0; and where its old contents were kept.
    int upgradedFrom() const { return m_upgradedFrom; }
    QString backupPath() const { return m_backupPath; }
    // Tries a write that changes nothing (and is rolled back): false when the file, or the folder that
    // must take its journal, cannot be written. The database stays open for reading either way.
    bool isWritable();
    // Rows stored per transaction by the operations that store long lists (100,000 unless set): a commit
    // copies every page the chunk changed to the journal first, so small chunks cost more than they save.
    void setChunkRows(int rows) { m_chunkRows = qMax(1, rows); }
    int chunkRows() const { return m_chunkRows; }

protected:
    explicit QSqliteDatabase(const tagSqliteSchema& schema);

    QSqlDatabase database() const { return m_db; }
    // True when this open() made the file (it did not exist before).
    bool createdFile() const { return m_createdFile; }

    bool checkOpen() const;
    bool fail(const QString& reason, const QString& detail = QString()) const;
    bool prepare(QSqlQuery& query, const QString& sql) const;
    bool exec(QSqlQuery& query) const;
    bool execSql(const QString& sql) const;
    // Runs work between BEGIN and COMMIT; rolls back when it returns false or the commit fails.
    bool inTransaction(const std::function<bool()>& work);
    // After a loop over query.next(): true, with lastError(), when the loop ended on a failure rather
    // than after the last row (a damaged page, a value over the read limit), so that a short read is
    // never taken for the whole file.
    bool readFailed(const QSqlQuery& query) const;
    // Runs work over the ranges [first, end) of at most setChunkRows() of `count` rows, each in a
    // transaction of its own, so that a long list never holds the journal and the cache of the whole;
    // stops at the first failure, keeping the chunks stored before it.
    bool inChunks(int count, const std::function<bool(int first, int end)>& work);

    // SQL has no null text in our files: a null QString is stored as an empty text.
    static QVariant text(const QString& value);

private:
    bool checkFileHeader(const QString& path, bool allowHotJournal);
    bool openConnection(const QString& path);
    bool openImmutable(const QString& path, int maxValueBytes);
    bool limitValueLength(int maxValueBytes);
    bool checkReadableContents();
    bool checkExactLayout();
    QString layoutDifference(const QStringList& present, const QStringList& expected) const;
    QString readFailure(const QSqlError& error) const;
    bool inspectContents(bool* isEmpty, int* version);
    bool checkTables();
    bool upgrade(int fromVersion);
    bool keepCopy(int version, QString* copyPath);
    bool pragmaInt(const QString& name, int* value);
    bool quickCheck();
    bool createSchema();
    void removeConnection();
    QString label() const;

    tagSqliteSchema m_schema;
    QString m_connectionName;
    QSqlDatabase m_db;
    QString m_path;
    bool m_ready = false;
    bool m_readOnly = false;
    int m_maxValueBytes = 0;
    bool m_createdFile = false;
    int m_upgradedFrom = 0;
    int m_chunkRows = 100000;
    QString m_backupPath;
    mutable QString m_lastError;
};
