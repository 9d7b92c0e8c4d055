#include "QStatistics.h"

#include "QSqliteBatchInsert.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace {
const qint32 kStatisticsApplicationId = 0x53575331; // "SWS1"
const int kStatisticsVersion = 3;

// Per device and code: how many events and the newest time stamp, kept up to date with every stored chunk of
// events, so that the statistics page reads a few hundred rows however long the history is.
const char* const kCountTable =
    "CREATE TABLE modify_count (dev_key TEXT NOT NULL, fun_index TEXT NOT NULL, n INTEGER NOT NULL, "
    "last_stamp INTEGER NOT NULL, PRIMARY KEY (dev_key, fun_index)) WITHOUT ROWID";
// Layout 2 counted every event by a trigger: a second write per event, half the time of storing.
const char* const kCountTrigger = "CREATE TRIGGER modify_event_counted AFTER INSERT ON modify_event BEGIN "
                                  "INSERT INTO modify_count (dev_key, fun_index, n, last_stamp) "
                                  "VALUES (NEW.dev_key, NEW.fun_index, 1, NEW.time_stamp) "
                                  "ON CONFLICT (dev_key, fun_index) DO UPDATE SET n = n + 1, last_stamp = "
                                  "MAX(last_stamp, excluded.last_stamp); "
                                  "END";
// A chunk's events of one code added to its count.
const char* const kAddCount =
    "INSERT INTO modify_count (dev_key, fun_index, n, last_stamp) VALUES (?, ?, ?, ?) "
    "ON CONFLICT (dev_key, fun_index) DO UPDATE SET n = n + excluded.n, "
    "last_stamp = MAX(last_stamp, excluded.last_stamp)";
// The counts counted again from the events: of every device (a file of layout 1 kept none), or of one
// device (after its events were moved).
QString recount(const QString& devices)
{
    return QStringLiteral(
               "INSERT INTO modify_count (dev_key, fun_index, n, last_stamp) SELECT dev_key, "
               "fun_index, COUNT(*), MAX(time_stamp) FROM modify_event %1 GROUP BY dev_key, fun_index")
        .arg(devices);
}

// An event from the query's columns time_stamp, old_value, new_value and axis, starting at `first`.
tagFuncodeModifyData eventFromQuery(const QSqlQuery& query, int first)
{
    tagFuncodeModifyData event;
    event.timeStamp = query.value(first).toInt();
    event.oldValue = query.value(first + 1).toDouble();
    event.newValue = query.value(first + 2).toDouble();
    event.axisIndex = query.value(first + 3).toInt();
    return event;
}
} // namespace

tagSqliteSchema QStatistics::statisticsSchema()
{
    tagSqliteSchema schema;
    schema.kind = QStringLiteral("statistics");
    schema.applicationId = kStatisticsApplicationId;
    schema.version = kStatisticsVersion;
    schema.tables = QStringList{QStringLiteral("modify_event"), QStringLiteral("modify_count")};
    schema.createStatements = QStringList{
        QStringLiteral(
            "CREATE TABLE modify_event (id INTEGER PRIMARY KEY AUTOINCREMENT, dev_key TEXT NOT NULL, "
            "fun_index TEXT NOT NULL, time_stamp INTEGER NOT NULL, old_value REAL NOT NULL, "
            "new_value REAL NOT NULL, axis INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX modify_event_code ON modify_event (dev_key, fun_index, time_stamp, id)"),
        QLatin1String(kCountTable)};
    // Layout 1 counted the events on every refresh.
    schema.upgrades.insert(
        1, QStringList{QLatin1String(kCountTable), QLatin1String(kCountTrigger), recount(QString())});
    schema.upgrades.insert(2, QStringList{QStringLiteral("DROP TRIGGER modify_event_counted")});
    return schema;
}

QStatistics::QStatistics() : QSqliteDatabase(statisticsSchema()) {}

QStatistics::~QStatistics() = default;

bool QStatistics::addFuncodeModifyEvent(const QString& devKey, const QString& funIndex,
                                        const tagFuncodeModifyData& event)
{
    return addFuncodeModifyEvents(devKey,
                                  QList<QPair<QString, tagFuncodeModifyData>>{qMakePair(funIndex, event)});
}

bool QStatistics::addFuncodeModifyEvents(const QString& devKey,
                                         const QList<QPair<QString, tagFuncodeModifyData>>& events)
{
    if (!checkOpen()) {
        return false;
    }
    if (devKey.isEmpty()) {
        return fail(tr("STR_DB_NO_DEVICE"));
    }
    // Refused before anything is stored, so that a bad list stores none of its events.
    for (const auto& event : events) {
        if (event.first.isEmpty()) {
            return fail(tr("STR_DB_NO_FUNCODE"));
        }
    }
    return inChunks(events.size(),
                    [&](int first, int end) { return storeChunk(devKey, events, first, end); });
}

bool QStatistics::storeChunk(const QString& devKey, const QList<QPair<QString, tagFuncodeModifyData>>& events,
                             int first, int end)
{
    QSqliteBatchInsert insert(database(),
                              QStringLiteral("modify_event (dev_key, fun_index, time_stamp, old_value, "
                                             "new_value, axis)"),
                              6);
    if (!insert.prepare()) {
        return fail(tr("STR_DB_QUERY_FAILED"), insert.lastError());
    }
    const QVariant key = text(devKey);
    QHash<QString, QPair<int, int>> counts; // per code: events, newest time stamp
    for (int i = first; i < end; ++i) {
        const QString& funIndex = events.at(i).first;
        const tagFuncodeModifyData& event = events.at(i).second;
        insert.set(0, devKey);
        insert.set(1, funIndex);
        insert.set(2, event.timeStamp);
        insert.set(3, event.oldValue);
        insert.set(4, event.newValue);
        insert.set(5, event.axisIndex);
        if (!insert.endRow()) {
            return fail(tr("STR_DB_QUERY_FAILED"), insert.lastError());
        }
        auto count = counts.find(funIndex);
        if (count == counts.end()) {
            counts.insert(funIndex, qMakePair(1, event.timeStamp));
        } else {
            ++count->first;
            count->second = qMax(count->second, event.timeStamp);
        }
    }
    if (!insert.finish()) {
        return fail(tr("STR_DB_QUERY_FAILED"), insert.lastError());
    }
    return addCounts(key, counts);
}

bool QStatistics::addCounts(const QVariant& key, const QHash<QString, QPair<int, int>>& counts)
{
    QSqlQuery query(database());
    if (!prepare(query, QLatin1String(kAddCount))) {
        return false;
    }
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        query.bindValue(0, key);
        query.bindValue(1, it.key());
        query.bindValue(2, it->first);
        query.bindValue(3, it->second);
        if (!exec(query)) {
            return false;
        }
    }
    return true;
}

QSortedModifyDataList QStatistics::getSortedFuncodeModifyData(const QString& devKey, bool descending) const
{
    QSortedModifyDataList result;
    QHash<QString, int> rowByIndex;
    if (!checkOpen() || !loadOrder(devKey, descending, &result, &rowByIndex) ||
        !loadEvents(devKey, &result, rowByIndex)) {
        return QSortedModifyDataList();
    }
    return result;
}

// The numbers in the order of their counts, each with an empty list reserved for its events.
bool QStatistics::loadOrder(const QString& devKey, bool descending, QSortedModifyDataList* result,
                            QHash<QString, int>* rowByIndex) const
{
    QList<tagFuncodeModifyCount> counts;
    if (!loadCounts(devKey, descending, &counts)) {
        return false;
    }
    for (const tagFuncodeModifyCount& count : counts) {
        rowByIndex->insert(count.funIndex, result->size());
        result->append(qMakePair(count.funIndex, QList<tagFuncodeModifyData>()));
        result->last().second.reserve(count.count);
    }
    return true;
}

bool QStatistics::loadEvents(const QString& devKey, QSortedModifyDataList* result,
                             const QHash<QString, int>& rowByIndex) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query, QStringLiteral("SELECT fun_index, time_stamp, old_value, new_value, axis FROM "
                                       "modify_event WHERE dev_key = ? "
                                       "ORDER BY fun_index, time_stamp DESC, id DESC"))) {
        return false;
    }
    query.addBindValue(text(devKey));
    if (!exec(query)) {
        return false;
    }
    QString currentIndex;
    QList<tagFuncodeModifyData>* events = nullptr;
    while (query.next()) {
        const QString funIndex = query.value(0).toString();
        // Rows arrive grouped by number: look the list up once per number, not once per event.
        if (!events || funIndex != currentIndex) {
            const int row = rowByIndex.value(funIndex, -1);
            if (row < 0) {
                events = nullptr;
                continue;
            }
            currentIndex = funIndex;
            events = &(*result)[row].second;
        }
        events->append(eventFromQuery(query, 1));
    }
    return true;
}

QList<tagFuncodeModifyCount> QStatistics::getSortedFuncodeModifyCounts(const QString& devKey,
                                                                       bool descending) const
{
    QList<tagFuncodeModifyCount> counts;
    if (!checkOpen() || !loadCounts(devKey, descending, &counts)) {
        return QList<tagFuncodeModifyCount>();
    }
    return counts;
}

bool QStatistics::loadCounts(const QString& devKey, bool descending,
                             QList<tagFuncodeModifyCount>* counts) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT fun_index, n, last_stamp FROM modify_count WHERE dev_key = ? "
                                       "ORDER BY n %1, fun_index ASC")
                            .arg(descending ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    if (!prepare(query, sql)) {
        return false;
    }
    query.addBindValue(text(devKey));
    if (!exec(query)) {
        return false;
    }
    while (query.next()) {
        counts->append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    }
    return true;
}

QList<tagFuncodeModifyData> QStatistics::getFuncodeModifyData(const QString& devKey,
                                                              const QString& funIndex) const
{
    QList<tagFuncodeModifyData> events;
    if (!checkOpen()) {
        return events;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query,
                 QStringLiteral("SELECT time_stamp, old_value, new_value, axis FROM modify_event "
                                "WHERE dev_key = ? AND fun_index = ? ORDER BY time_stamp DESC, id DESC"))) {
        return events;
    }
    query.addBindValue(text(devKey));
    query.addBindValue(text(funIndex));
    if (!exec(query)) {
        return events;
    }
    while (query.next()) {
        events.append(eventFromQuery(query, 0));
    }
    return events;
}

int QStatistics::eventCount(const QString& devKey, const QString& funIndex) const
{
    if (!checkOpen()) {
        return 0;
    }
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT n FROM modify_count WHERE dev_key = ? AND fun_index = ?"))) {
        return 0;
    }
    query.addBindValue(text(devKey));
    query.addBindValue(text(funIndex));
    if (!exec(query) || !query.next()) {
        return 0;
    }
    return query.value(0).toInt();
}

bool QStatistics::clearDevice(const QString& devKey)
{
    if (!checkOpen()) {
        return false;
    }
    return inTransaction([&] {
        return runForKeys(QStringLiteral("DELETE FROM modify_event WHERE dev_key = ?"), {devKey}) &&
               runForKeys(QStringLiteral("DELETE FROM modify_count WHERE dev_key = ?"), {devKey});
    });
}

bool QStatistics::renameDevice(const QString& oldKey, const QString& newKey)
{
    if (!checkOpen()) {
        return false;
    }
    if (newKey.isEmpty()) {
        return fail(tr("STR_DB_NO_DEVICE"));
    }
    if (oldKey == newKey) {
        return true;
    }
    // The moved events may join codes the new key already has: its counts are counted again.
    return inTransaction([&] {
        return runForKeys(QStringLiteral("UPDATE modify_event SET dev_key = ? WHERE dev_key = ?"),
                          {newKey, oldKey}) &&
               runForKeys(QStringLiteral("DELETE FROM modify_count WHERE dev_key IN (?, ?)"),
                          {oldKey, newKey}) &&
               runForKeys(recount(QStringLiteral("WHERE dev_key = ?")), {newKey});
    });
}

// Runs one statement with the device keys bound in order.
bool QStatistics::runForKeys(const QString& sql, const QStringList& keys)
{
    QSqlQuery query(database());
    if (!prepare(query, sql)) {
        return false;
    }
    for (const QString& key : keys) {
        query.addBindValue(text(key));
    }
    return exec(query);
}
