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
    m_open = true;
    m_nextStart = recordDatabase() ? recordDatabase()->lastRecordId(alias) : 0;
    m_hasMore = m_nextStart > 0;
}

void QModifyRecordPager_Servo::close()
{
    m_alias.clear();
    m_open = false;
    m_hasMore = false;
    m_count = 0;
    m_nextStart = 0;
    m_pageStart.clear();
    m_cache.clear();
    m_recentPages.clear();
    m_pagesRead = 0;
}

void QModifyRecordPager_Servo::setPageSize(int rows)
{
    m_pageSize = qMax(1, rows);
}

void QModifyRecordPager_Servo::setMaxCachedPages(int pages)
{
    m_maxCachedPages = qMax(1, pages);
}

QModifyRecordPager_Servo::Page QModifyRecordPager_Servo::readNextPage() const
{
    if (!canFetchMore()) {
        return Page();
    }
    return readPage(m_nextStart);
}

// One more record than a page tells whether another page follows, without counting the history.
QModifyRecordPager_Servo::Page QModifyRecordPager_Servo::readPage(qint64 maxId) const
{
    Page page;
    QRecordDB_Servo* database = recordDatabase();
    if (!database) {
        return page;
    }
    ++m_pagesRead;
    const QList<tagModifyFuncode_Servo> records =
        database->getModifyFunCodePage(m_alias, maxId, m_pageSize + 1, &page.ids);
    page.hasMore = records.size() > m_pageSize;
    const int rows = qMin(records.size(), m_pageSize);
    page.rows.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        page.rows.append(m_makeRow(records.at(i)));
    }
    page.ids = page.ids.mid(0, rows);
    return page;
}

void QModifyRecordPager_Servo::appendPage(const Page& page)
{
    if (!m_open || page.rows.isEmpty() || page.ids.size() != page.rows.size()) {
        m_hasMore = false;
        return;
    }
    const int index = m_pageStart.size();
    m_pageStart.append(page.ids.constFirst());
    m_count += page.rows.size();
    // A short page ends the history even if the database said more: positions stay page-aligned.
    m_hasMore = page.hasMore && page.rows.size() == m_pageSize;
    m_nextStart = page.ids.constLast() - 1;
    cachePage(index, page.rows);
}

QStringList QModifyRecordPager_Servo::row(int position) const
{
    if (position < 0 || position >= m_count) {
        return QStringList();
    }
    const int page = position / m_pageSize;
    const int offset = position % m_pageSize;
    auto cached = m_cache.constFind(page);
    if (cached != m_cache.constEnd()) {
        touch(page);
        return cached->value(offset);
    }
    const Page reread = readPage(m_pageStart.at(page));
    return cachePage(page, reread.rows).value(offset);
}

const QVector<QStringList>& QModifyRecordPager_Servo::cachePage(int page,
                                                                const QVector<QStringList>& rows) const
{
    while (m_cache.size() >= m_maxCachedPages && !m_recentPages.isEmpty()) {
        m_cache.remove(m_recentPages.takeFirst());
    }
    m_recentPages.append(page);
    return *m_cache.insert(page, rows);
}

void QModifyRecordPager_Servo::touch(int page) const
{
    if (m_recentPages.constLast() == page) {
        return;
    }
    m_recentPages.removeOne(page);
    m_recentPages.append(page);
}
