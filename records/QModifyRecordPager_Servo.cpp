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
    Page& shown = page(position / m_pageSize);
    const int index = position % m_pageSize;
    if (index >= shown.records.size()) {
        return QStringList();
    }
    if (!shown.made.at(index)) {
        shown.rows[index] = m_makeRow(shown.records.at(index));
        shown.made[index] = true;
    }
    return shown.rows.at(index);
}

// The records are numbered 1 (the oldest) to the count (the newest): position p is number count - p.
QModifyRecordPager_Servo::Page& QModifyRecordPager_Servo::page(int index) const
{
    auto cached = m_cache.find(index);
    if (cached != m_cache.end()) {
        touch(index);
        return *cached;
    }
    Page read;
    if (QRecordDB_Servo* database = recordDatabase()) {
        ++m_pagesRead;
        read.records = database->getModifyFunCodePage(m_alias, m_count - index * m_pageSize, m_pageSize);
        read.rows.resize(read.records.size());
        read.made.fill(false, read.records.size());
    }
    while (m_cache.size() >= m_maxCachedPages && !m_recentPages.isEmpty()) {
        m_cache.remove(m_recentPages.takeFirst());
    }
    m_recentPages.append(index);
    return *m_cache.insert(index, read);
}

void QModifyRecordPager_Servo::touch(int page) const
{
    if (m_recentPages.constLast() == page) {
        return;
    }
    m_recentPages.removeOne(page);
    m_recentPages.append(page);
}
