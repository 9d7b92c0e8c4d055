#include "QSqliteBatchInsert.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace {
sqlite3* handleOf(const QSqlDatabase& database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3* const*>(handle.constData())
               : nullptr;
}

int powerOfTwoBelow(int n)
{
    int power = 0;
    while ((2 << power) <= n) {
        ++power;
    }
    return power;
}
} // namespace

QSqliteBatchInsert::QSqliteBatchInsert(const QSqlDatabase& database, const QString& target, int columns,
                                       int rowsPerBlock)
    : m_db(database.isOpen() ? handleOf(database) : nullptr), m_target(target), m_columns(qMax(1, columns))
{
    const int power = powerOfTwoBelow(qBound(1, rowsPerBlock, qMax(1, kMaxValues / m_columns)));
    m_rowsPerBlock = 1 << power;
    m_blocks.fill(nullptr, power + 1);
    m_pending.resize(m_columns * m_rowsPerBlock);
}

QSqliteBatchInsert::~QSqliteBatchInsert()
{
    // Unfinished statements would keep the connection from closing.
    for (sqlite3_stmt* statement : qAsConst(m_blocks)) {
        sqlite3_finalize(statement);
    }
}

QByteArray QSqliteBatchInsert::statement(const QString& target, int columns, int rows)
{
    QByteArray row = "(?";
    row += QByteArray(", ?").repeated(columns - 1);
    row += ')';
    QByteArray sql = "INSERT OR ROLLBACK INTO " + target.toUtf8() + " VALUES " + row;
    sql.reserve(sql.size() + (rows - 1) * (row.size() + 2));
    for (int i = 1; i < rows; ++i) {
        sql += ", " + row;
    }
    return sql;
}

bool QSqliteBatchInsert::failed(const char* what)
{
    const QString reason = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("not open");
    m_lastError = QStringLiteral("%1: %2 | %3").arg(QLatin1String(what), reason, m_target);
    return false;
}

sqlite3_stmt* QSqliteBatchInsert::block(int power)
{
    sqlite3_stmt*& prepared = m_blocks[power];
    if (prepared || !m_db) {
        return prepared;
    }
    const QByteArray sql = statement(m_target, m_columns, 1 << power);
    if (sqlite3_prepare_v2(m_db, sql.constData(), sql.size(), &prepared, nullptr) != SQLITE_OK) {
        failed("prepare");
        sqlite3_finalize(prepared);
        prepared = nullptr;
    }
    return prepared;
}

// The largest block and the single row: a target that does not exist fails here, before any row.
bool QSqliteBatchInsert::prepare()
{
    if (!m_db) {
        return failed("prepare");
    }
    return block(m_blocks.size() - 1) && block(0);
}

void QSqliteBatchInsert::set(int column, const QString& value)
{
    Value& v = pending(column);
    v.kind = Value::Text;
    v.text = value;
}

void QSqliteBatchInsert::set(int column, qint64 value)
{
    Value& v = pending(column);
    v.kind = Value::Integer;
    v.integer = value;
}

void QSqliteBatchInsert::set(int column, double value)
{
    Value& v = pending(column);
    v.kind = Value::Real;
    v.real = value;
}

bool QSqliteBatchInsert::endRow()
{
    if (++m_rows < m_rowsPerBlock) {
        return true;
    }
    m_rows = 0;
    return run(m_blocks.size() - 1, 0);
}

bool QSqliteBatchInsert::finish()
{
    const int rows = m_rows;
    m_rows = 0;
    int row = 0;
    for (int power = m_blocks.size() - 1; power >= 0; --power) {
        if ((rows & (1 << power)) == 0) {
            continue;
        }
        if (!run(power, row)) {
            return false;
        }
        row += 1 << power;
    }
    return true;
}

bool QSqliteBatchInsert::run(int power, int firstRow)
{
    sqlite3_stmt* statement = block(power);
    if (!statement) {
        return m_lastError.isEmpty() ? failed("prepare") : false;
    }
    static const ushort kEmpty[] = {0};
    const int rows = 1 << power;
    const int first = firstRow * m_columns;
    int bound = SQLITE_OK;
    for (int i = 0; i < rows * m_columns && bound == SQLITE_OK; ++i) {
        const Value& v = m_pending.at(first + i);
        switch (v.kind) {
        case Value::Integer:
            bound = sqlite3_bind_int64(statement, i + 1, v.integer);
            break;
        case Value::Real:
            bound = sqlite3_bind_double(statement, i + 1, v.real);
            break;
        case Value::Text:
            // The texts live in m_pending until the statement has run: SQLite need not copy them.
            bound = sqlite3_bind_text16(statement, i + 1, v.text.isNull() ? kEmpty : v.text.utf16(),
                                        v.text.size() * int(sizeof(QChar)), SQLITE_STATIC);
            break;
        }
    }
    const bool ok = bound == SQLITE_OK && sqlite3_step(statement) == SQLITE_DONE;
    if (ok) {
        m_lastInsertId = sqlite3_last_insert_rowid(m_db);
    } else {
        failed(bound == SQLITE_OK ? "insert" : "bind");
    }
    sqlite3_reset(statement);
    return ok;
}
