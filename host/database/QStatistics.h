#pragma once

#include "QSqliteDatabase.h"
#include "tagFuncodeModifyCount.h"
#include "tagFuncodeModifyData.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QSqlQuery;

// Modification events of function codes per device key (the device alias), in statistics.db. Every
// operation returns false or an empty result when the database is not open or a query fails.
class QStatistics : public QSqliteDatabase
{
public:
    QStatistics();
    ~QStatistics() override;

    bool addFuncodeModifyEvent(const QString& devKey, const QString& funIndex,
                               const tagFuncodeModifyData& event);
    // Many events (function-code number, event), in transactions of a chunk of events each (see
    // setChunkRows()); nothing is stored when a number is empty.
    bool addFuncodeModifyEvents(const QString& devKey,
                                const QList<QPair<QString, tagFuncodeModifyData>>& events);
    // Per function-code number the list of its events, newest first (by time stamp, then by order of
    // storing). The numbers are ordered by their event count, most first when descending is true and fewest
    // first otherwise; numbers with equal counts by their text ascending ("P00.02" before "P01.00").
    QSortedModifyDataList getSortedFuncodeModifyData(const QString& devKey, bool descending) const;
    // The device's modified codes with their counts and newest time stamps, in the order above, from one
    // query over counts kept as events are stored: no event is read, however long the history.
    QList<tagFuncodeModifyCount> getSortedFuncodeModifyCounts(const QString& devKey, bool descending) const;
    // The events of one code of the device, newest first (by time stamp, then by order of storing).
    QList<tagFuncodeModifyData> getFuncodeModifyData(const QString& devKey, const QString& funIndex) const;
    int eventCount(const QString& devKey, const QString& funIndex) const;
    bool clearDevice(const QString& devKey);
    // Moves the events of a device to its new key (merged with events already stored under it).
    bool renameDevice(const QString& oldKey, const QString& newKey);

private:
    static tagSqliteSchema statisticsSchema();
    bool runForKeys(const QString& sql, const QStringList& keys);
    bool storeChunk(const QString& devKey, const QList<QPair<QString, tagFuncodeModifyData>>& events,
                    int first, int end);
    bool addCounts(const QVariant& key, const QHash<QString, QPair<int, int>>& counts);
    // The one query of the counts, in the order the getters above describe.
    bool loadCounts(const QString& devKey, bool descending, QList<tagFuncodeModifyCount>* counts) const;
    bool loadOrder(const QString& devKey, bool descending, QSortedModifyDataList* result,
                   QHash<QString, int>* rowByIndex) const;
    bool loadEvents(const QString& devKey, QSortedModifyDataList* result,
                    const QHash<QString, int>& rowByIndex) const;
};
