#include "QModifyRecordPager_Servo.h"

#include "QDatabaseManager.h"
#include "QRecordDB_Servo.h"

namespace {
QRecordDB_Servo* recordDatabase()
{
    return QDatabaseManager::self()->getRecordDatabase_Servo();
}
} // namespace

QModifyRecordPager_Servo::QModifyRecordPager_Servo(RowMaker makeRow) : m_makeRow(std::move(makeRow)) {}

void QModifyRecordPager_Servo::open(const QString& alias)
{
    close();
    m_alias = alias;
    m_count = recordDatabase() ? recordDatabase()->recordCount(alias) : 0;
}

void QModifyRecordPager_Servo::close()
{
    m_alias.clear();
    m_count = 0;
    m_pagesRead = 0;
    clearCache();
}

void QModifyRecordPager_Servo::clearCache()
{
    m_cache.clear();
    m_recentPages.clear();
}

void QModifyRecordPager_Servo::setPageSize(int rows)
{
    m_pageSize = qMax(1, rows);
    clearCache();
}

void QModifyRecordPager_Servo::setMaxCachedPages(int pages)
{
    m_maxCachedPages = qMax(1, pages);
}

QStringList QModifyRecordPager_Servo::row(int position) const
{
    if (position < 0 || position >= m_count) {
        return QStringList();
    }
    return page(position / m_pageSize).value(position % m_pageSize);
}

// The records are numbered 1 (the oldest) to the count (the newest): position p is number count - p.
const QVector<QStringList>& QModifyRecordPager_Servo::page(int index) const
{
    auto cached = m_cache.constFind(index);
    if (cached != m_cache.constEnd()) {
        touch(index);
        return *cached;
    }
    QVector<QStringList> rows;
    if (QRecordDB_Servo* database = recordDatabase()) {
        ++m_pagesRead;
        const QList<tagModifyFuncode_Servo> records =
            database->getModifyFunCodePage(m_alias, m_count - index * m_pageSize, m_pageSize);
        rows.reserve(records.size());
        for (const tagModifyFuncode_Servo& record : records) {
            rows.append(m_makeRow(record));
        }
    }
    while (m_cache.size() >= m_maxCachedPages && !m_recentPages.isEmpty()) {
        m_cache.remove(m_recentPages.takeFirst());
    }
    m_recentPages.append(index);
    return *m_cache.insert(index, rows);
}

void QModifyRecordPager_Servo::touch(int page) const
{
    if (m_recentPages.constLast() == page) {
        return;
    }
    m_recentPages.removeOne(page);
    m_recentPages.append(page);
}
