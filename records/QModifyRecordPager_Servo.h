#pragma once

#include "tagModifyFuncode_Servo.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The stored modification records of one device, newest first, as display rows that are read from the
// record database a page at a time. Opening takes the newest record's id as the end of what is shown, so
// records stored later are not shown twice (the model shows those from memory). Reading the next page is
// one indexed query however long the history; each page's first id is kept, so that a page dropped from
// the cache is read again in one query. Only a few pages are cached: memory does not grow with the
// history.
class QModifyRecordPager_Servo
{
public:
    using RowMaker = std::function<QStringList(const tagModifyFuncode_Servo&)>;

    // One page read from the database, not yet part of the rows.
    struct Page
    {
        QVector<QStringList> rows;
        QList<qint64> ids;
        bool hasMore = false; // more records follow this page
    };

    explicit QModifyRecordPager_Servo(RowMaker makeRow);

    // Shows the records of the device stored until now; no rows until the first page is appended.
    void open(const QString& alias);
    void close();
    QString alias() const { return m_alias; }

    // Rows made known by the pages appended so far.
    int count() const { return m_count; }
    bool canFetchMore() const { return m_open && m_hasMore; }
    // Reads the page after the known rows (empty at the end or when the database fails).
    Page readNextPage() const;
    // Makes the page's rows known (after count()).
    void appendPage(const Page& page);
    // The display row at a known position; empty outside the known rows or when the database fails.
    QStringList row(int position) const;

    int pageSize() const { return m_pageSize; }
    void setPageSize(int rows);
    void setMaxCachedPages(int pages);
    int cachedPages() const { return m_cache.size(); }
    // Queries made since open (for tests and benchmarks).
    int pagesRead() const { return m_pagesRead; }

private:
    Page readPage(qint64 maxId) const;
    const QVector<QStringList>& cachePage(int page, const QVector<QStringList>& rows) const;
    void touch(int page) const;

    RowMaker m_makeRow;
    QString m_alias;
    bool m_open = false;
    bool m_hasMore = false;
    int m_count = 0;
    int m_pageSize = 256;
    int m_maxCachedPages = 16;
    // The highest id of each known page: the page is the records with an id up to it.
    QVector<qint64> m_pageStart;
    qint64 m_nextStart = 0;
    mutable QHash<int, QVector<QStringList>> m_cache;
    mutable QList<int> m_recentPages; // most recently used last
    mutable int m_pagesRead = 0;
};
