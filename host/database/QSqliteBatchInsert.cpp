#include "QSqliteBatchInsert.h"

#include <QSqlError>

QSqliteBatchInsert::QSqliteBatchInsert(const QSqlDatabase& database, const QString& target, int columns,
                                       int rowsPerBlock)
    : m_block(database), m_single(database), m_target(target), m_columns(qMax(1, columns)),
      m_rowsPerBlock(qMax(1, rowsPerBlock)), m_pending(m_columns * m_rowsPerBlock)
{
}

QString QSqliteBatchInsert::statement(const QString& target, int columns, int rows)
{
    QString row = QStringLiteral("(?");
    row += QStringLiteral(", ?").repeated(columns - 1);
    row += QLatin1Char(')');
    QStringList rowList;
    rowList.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        rowList.append(row);
    }
    return QStringLiteral("INSERT OR ROLLBACK INTO %1 VALUES %2")
        .arg(target, rowList.join(QStringLiteral(", ")));
}

bool QSqliteBatchInsert::prepare()
{
    for (QSqlQuery* query : {&m_block, &m_single}) {
        const int rows = query == &m_block ? m_rowsPerBlock : 1;
        if (!query->prepare(statement(m_target, m_columns, rows))) {
            m_lastError = QStringLiteral("%1 | %2").arg(query->lastError().text(), m_target);
            return false;
        }
    }
    return true;
}

bool QSqliteBatchInsert::endRow()
{
    if (++m_rows < m_rowsPerBlock) {
        return true;
    }
    m_rows = 0;
    return run(m_block, 0, m_rowsPerBlock);
}

bool QSqliteBatchInsert::finish()
{
    const int rows = m_rows;
    m_rows = 0;
    for (int row = 0; row < rows; ++row) {
        if (!run(m_single, row, 1)) {
            return false;
        }
    }
    return true;
}

// Positions, not addBindValue(): the prepared queries are reused for every block.
bool QSqliteBatchInsert::run(QSqlQuery& query, int firstRow, int rows)
{
    const int first = firstRow * m_columns;
    for (int i = 0; i < rows * m_columns; ++i) {
        query.bindValue(i, m_pending.at(first + i));
    }
    if (query.exec()) {
        m_lastInsertId = query.lastInsertId().toLongLong();
        return true;
    }
    m_lastError = QStringLiteral("%1 | %2").arg(query.lastError().text(), m_target);
    return false;
}
