#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>

// Inserts many rows inside a transaction through two prepared statements: one that takes a block of rows at
// once (SQLite runs one statement for the block instead of one per row) and one for the rows left over at
// the end. Rows are filled a column at a time with set() and closed with endRow(); finish() stores what is
// still pending. A row that fails rolls the whole transaction back (INSERT OR ROLLBACK): a statement of
// many rows that could fail alone would make SQLite copy every page it changes to a statement journal on
// disk first, which took more than half the time of storing.
class QSqliteBatchInsert
{
public:
    // target: "table (a, b, c)"; the places for the values are added here.
    QSqliteBatchInsert(const QSqlDatabase& database, const QString& target, int columns,
                       int rowsPerBlock = 64);

    bool prepare();
    void set(int column, const QVariant& value) { m_pending[m_rows * m_columns + column] = value; }
    // Ends the row; a full block is stored at once.
    bool endRow();
    bool finish();
    // The id of the last row stored (of a block: its last row).
    qint64 lastInsertId() const { return m_lastInsertId; }
    // The failed query's error and text.
    QString lastError() const { return m_lastError; }

private:
    static QString statement(const QString& target, int columns, int rows);
    bool run(QSqlQuery& query, int firstRow, int rows);

    QSqlQuery m_block;
    QSqlQuery m_single;
    QString m_target;
    int m_columns;
    int m_rowsPerBlock;
    int m_rows = 0;
    QVector<QVariant> m_pending;
    QString m_lastError;
    qint64 m_lastInsertId = -1;
};
