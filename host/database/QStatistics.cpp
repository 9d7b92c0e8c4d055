#include "QStatistics.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace {
const qint32 kApplicationId = 0x53575331; // "SWS1"
const int kVersion = 1;

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
    schema.applicationId = kApplicationId;
    schema.version = kVersion;
    schema.tables = QStringList{QStringLiteral("modify_event")};
    schema.createStatements = QStringList{
        QStringLiteral(
            "CREATE TABLE modify_event (id INTEGER PRIMARY KEY AUTOINCREMENT, dev_key TEXT NOT NULL, "
            "fun_index TEXT NOT NULL, time_stamp INTEGER NOT NULL, old_value REAL NOT NULL, "
            "new_value REAL NOT NULL, axis INTEGER NOT NULL)"),
        QStringLiteral(
            "CREATE INDEX modify_event_code ON modify_event (dev_key, fun_index, time_stamp, id)")};
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
    return inTransaction([&] {
        QSqlQuery query(database());
        if (!prepare(query, QStringLiteral("INSERT INTO modify_event (dev_key, fun_index, time_stamp, "
                                           "old_value, new_value, axis) VALUES (?, ?, ?, ?, ?, ?)"))) {
            return false;
        }
        for (const auto& event : events) {
            if (!insertEvent(query, devKey, event.first, event.second)) {
                return false;
            }
        }
        return true;
    });
}

bool QStatistics::insertEvent(QSqlQuery& query, const QString& devKey, const QString& funIndex,
                              const tagFuncodeModifyData& event)
{
    if (funIndex.isEmpty()) {
        return fail(tr("STR_DB_NO_FUNCODE"));
    }
    query.bindValue(0, text(devKey));
    query.bindValue(1, text(funIndex));
    query.bindValue(2, event.timeStamp);
    query.bindValue(3, event.oldValue);
    query.bindValue(4, event.newValue);
    query.bindValue(5, event.axisIndex);
    return exec(query);
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
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT fun_index, COUNT(*) AS n FROM modify_event WHERE dev_key = ? "
                                       "GROUP BY fun_index ORDER BY n %1, fun_index ASC")
                            .arg(descending ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    if (!prepare(query, sql)) {
        return false;
    }
    query.addBindValue(text(devKey));
    if (!exec(query)) {
        return false;
    }
    while (query.next()) {
        const QString funIndex = query.value(0).toString();
        rowByIndex->insert(funIndex, result->size());
        result->append(qMakePair(funIndex, QList<tagFuncodeModifyData>()));
        result->last().second.reserve(query.value(1).toInt());
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
    if (!checkOpen()) {
        return counts;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const QString sql =
        QStringLiteral("SELECT fun_index, COUNT(*) AS n, MAX(time_stamp) FROM modify_event WHERE dev_key = ? "
                       "GROUP BY fun_index ORDER BY n %1, fun_index ASC")
            .arg(descending ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    if (!prepare(query, sql)) {
        return counts;
    }
    query.addBindValue(text(devKey));
    if (!exec(query)) {
        return counts;
    }
    while (query.next()) {
        tagFuncodeModifyCount count;
        count.funIndex = query.value(0).toString();
        count.count = query.value(1).toInt();
        count.lastTimeStamp = query.value(2).toInt();
        counts.append(count);
    }
    return counts;
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
    if (!prepare(query,
                 QStringLiteral("SELECT COUNT(*) FROM modify_event WHERE dev_key = ? AND fun_index = ?"))) {
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
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("DELETE FROM modify_event WHERE dev_key = ?"))) {
        return false;
    }
    query.addBindValue(text(devKey));
    return exec(query);
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
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("UPDATE modify_event SET dev_key = ? WHERE dev_key = ?"))) {
        return false;
    }
    query.addBindValue(text(newKey));
    query.addBindValue(text(oldKey));
    return exec(query);
}
