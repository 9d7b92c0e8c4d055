#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVector>

struct sqlite3;
struct sqlite3_stmt;

// Inserts many rows inside a transaction through prepared statements that take a block of rows at once
// (SQLite runs one statement for the block instead of one per row). Blocks hold a power of two rows, so
// that the rows left over when finish() is called (before a row whose id is needed, or at the end) go in
// a few blocks too, not one by one. Rows are filled a column at a time with set() and closed with endRow();
// finish() stores what is still pending. A row that fails rolls the whole transaction back (INSERT OR
// ROLLBACK): a statement of many rows that could fail alone would make SQLite copy every page it changes to a
// statement journal on disk first, which took more than half the time of storing.
//
// The statements go straight to SQLite on the connection's handle: binding through QSqlQuery formats and
// hashes a placeholder name for every value, which cost more than SQLite's own work for the row.
class QSqliteBatchInsert
{
public:
    // target: "table (a, b, c)"; the places for the values are added here.
    QSqliteBatchInsert(const QSqlDatabase& database, const QString& target, int columns,
                       int rowsPerBlock = kDefaultRowsPerBlock);
    ~QSqliteBatchInsert();
    QSqliteBatchInsert(const QSqliteBatchInsert&) = delete;
    QSqliteBatchInsert& operator=(const QSqliteBatchInsert&) = delete;

    // The most rows a block takes (rounded down to a power of two, and to SQLite's limit of 999 values in
    // one statement before 3.32).
    static const int kDefaultRowsPerBlock = 128;
    static const int kMaxValues = 999;

    bool prepare();
    // A null text is stored as an empty one: our files hold no null texts.
    void set(int column, const QString& value);
    void set(int column, qint64 value);
    void set(int column, int value) { set(column, qint64(value)); }
    void set(int column, double value);
    // Ends the row; a full block is stored at once.
    bool endRow();
    bool finish();
    // The id of the last row stored (of a block: its last row).
    qint64 lastInsertId() const { return m_lastInsertId; }
    // The failed statement's error and target.
    QString lastError() const { return m_lastError; }

private:
    struct Value
    {
        enum Kind
        {
            Integer,
            Real,
            Text
        };
        Kind kind = Integer;
        qint64 integer = 0;
        double real = 0;
        QString text;
    };

    static QByteArray statement(const QString& target, int columns, int rows);
    Value& pending(int column) { return m_pending[m_rows * m_columns + column]; }
    // The statement for a block of 1 << power rows, prepared on first use.
    sqlite3_stmt* block(int power);
    bool run(int power, int firstRow);
    bool failed(const char* what);

    sqlite3* m_db = nullptr;
    QVector<sqlite3_stmt*> m_blocks; // by power of two
    QString m_target;
    int m_columns;
    int m_rowsPerBlock;
    int m_rows = 0;
    QVector<Value> m_pending;
    QString m_lastError;
    qint64 m_lastInsertId = -1;
};
