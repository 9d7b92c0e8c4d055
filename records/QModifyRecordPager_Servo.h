#pragma once

#include "tagModifyFuncode_Servo.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The stored modification records of one device, newest first, as display rows that are read from the
// record database a page at a time by their position. Opening takes the number of records stored until
// then as the rows shown, so that a scroll bar spans the whole history and records stored later are not
// shown twice (the model shows those from memory). Reading a page is one indexed query wherever it lies in
// the history; a record's display row is made when it is first asked for, so that a scroll step that
// reaches a new page pays for the rows it shows rather than for the whole page. Only a few pages are
// cached: memory does not grow with the history.
class QModifyRecordPager_Servo
{
public:
    using RowMaker = std::function<QStringList(const tagModifyFuncode_Servo&)>;

    explicit QModifyRecordPager_Servo(RowMaker makeRow);

    // Shows the records of the device stored until now.
    void open(const QString& alias);
    void close();
    QString alias() const { return m_alias; }

    int count() const { return m_count; }
    // The display row at a position (0: the newest record); empty outside the rows or when the database
    // fails.
    QStringList row(int position) const;

    int pageSize() const { return m_pageSize; }
    void setPageSize(int rows);
    void setMaxCachedPages(int pages);
    int cachedPages() const { return m_cache.size(); }
    // Queries made since open (for tests and benchmarks).
    int pagesRead() const { return m_pagesRead; }

private:
    // Stored records of a page and the display rows made of them so far.
    struct Page
    {
        QList<tagModifyFuncode_Servo> records;
        QVector<QStringList> rows;
        QVector<bool> made;
    };

    Page& page(int index) const;
    void touch(int page) const;
    void clearCache();

    RowMaker m_makeRow;
    QString m_alias;
    int m_count = 0;
    int m_pageSize = 256;
    int m_maxCachedPages = 16;
    mutable QHash<int, Page> m_cache;
    mutable QList<int> m_recentPages; // most recently used last
    mutable int m_pagesRead = 0;
};
