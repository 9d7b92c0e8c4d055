#include "QRecordDB_Servo.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace {
const qint32 kRecordApplicationId = 0x53575231; // "SWR1"
const int kRecordVersion = 1;

const char* const kSelectRecord = "SELECT id, time, fun_index, axis, old_val, new_val FROM modify_record ";

tagModifyFuncode_Servo recordFromQuery(const QSqlQuery& query)
{
    tagModifyFuncode_Servo record;
    record.strTime = query.value(1).toString();
    record.funIndex = query.value(2).toString();
    record.axisIndex = query.value(3).toInt();
    record.oldVal = query.value(4).toString();
    record.newVal = query.value(5).toString();
    return record;
}
} // namespace

tagSqliteSchema QRecordDB_Servo::recordSchema()
{
    tagSqliteSchema schema;
    schema.kind = QStringLiteral("records");
    schema.applicationId = kRecordApplicationId;
    schema.version = kRecordVersion;
    schema.tables = QStringList{QStringLiteral("modify_record"), QStringLiteral("modify_relate")};
    // AUTOINCREMENT: ids never come back after a clear, so id order stays the order of storing.
    schema.createStatements = QStringList{
        QStringLiteral(
            "CREATE TABLE modify_record (id INTEGER PRIMARY KEY AUTOINCREMENT, alias TEXT NOT NULL, "
            "time TEXT NOT NULL, fun_index TEXT NOT NULL, axis INTEGER NOT NULL, "
            "old_val TEXT NOT NULL, new_val TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX modify_record_alias ON modify_record (alias, id)"),
        QStringLiteral("CREATE INDEX modify_record_code ON modify_record (alias, fun_index, id)"),
        QStringLiteral("CREATE TABLE modify_relate (record_id INTEGER NOT NULL, relate_index TEXT NOT NULL, "
                       "before_val TEXT NOT NULL, after_val TEXT NOT NULL, "
                       "PRIMARY KEY (record_id, relate_index)) WITHOUT ROWID")};
    return schema;
}

QRecordDB_Servo::QRecordDB_Servo() : QSqliteDatabase(recordSchema()) {}

QRecordDB_Servo::~QRecordDB_Servo() = default;

bool QRecordDB_Servo::clearModifyFunCodes(const QString& alias)
{
    if (!checkOpen()) {
        return false;
    }
    return inTransaction([&] {
        QSqlQuery relate(database());
        QSqlQuery records(database());
        if (!prepare(relate, QStringLiteral("DELETE FROM modify_relate WHERE record_id IN "
                                            "(SELECT id FROM modify_record WHERE alias = ?)")) ||
            !prepare(records, QStringLiteral("DELETE FROM modify_record WHERE alias = ?"))) {
            return false;
        }
        relate.addBindValue(text(alias));
        records.addBindValue(text(alias));
        return exec(relate) && exec(records);
    });
}

bool QRecordDB_Servo::insertModifyFunCode(const QString& alias, const tagModifyFuncode_Servo& record)
{
    return insertModifyFunCodes(alias, QList<tagModifyFuncode_Servo>{record});
}

bool QRecordDB_Servo::insertModifyFunCodes(const QString& alias, const QList<tagModifyFuncode_Servo>& records)
{
    if (!checkOpen()) {
        return false;
    }
    if (alias.isEmpty()) {
        return fail(tr("STR_DB_NO_DEVICE"));
    }
    return inTransaction([&] {
        QSqlQuery recordQuery(database());
        QSqlQuery relateQuery(database());
        if (!prepare(recordQuery, QStringLiteral("INSERT INTO modify_record (alias, time, fun_index, axis, "
                                                 "old_val, new_val) VALUES (?, ?, ?, ?, ?, ?)")) ||
            !prepare(relateQuery, QStringLiteral("INSERT INTO modify_relate (record_id, relate_index, "
                                                 "before_val, after_val) VALUES (?, ?, ?, ?)"))) {
            return false;
        }
        for (const tagModifyFuncode_Servo& record : records) {
            if (!insertRecord(recordQuery, relateQuery, alias, record)) {
                return false;
            }
        }
        return true;
    });
}

bool QRecordDB_Servo::insertRecord(QSqlQuery& recordQuery, QSqlQuery& relateQuery, const QString& alias,
                                   const tagModifyFuncode_Servo& record)
{
    // Positions, not addBindValue(): the prepared queries are reused for every record.
    recordQuery.bindValue(0, text(alias));
    recordQuery.bindValue(1, text(record.strTime));
    recordQuery.bindValue(2, text(record.funIndex));
    recordQuery.bindValue(3, record.axisIndex);
    recordQuery.bindValue(4, text(record.oldVal));
    recordQuery.bindValue(5, text(record.newVal));
    if (!exec(recordQuery)) {
        return false;
    }
    const qint64 id = recordQuery.lastInsertId().toLongLong();
    for (auto it = record.relateParamMap.cbegin(); it != record.relateParamMap.cend(); ++it) {
        relateQuery.bindValue(0, id);
        relateQuery.bindValue(1, text(it.key()));
        relateQuery.bindValue(2, text(it.value().first));
        relateQuery.bindValue(3, text(it.value().second));
        if (!exec(relateQuery)) {
            return false;
        }
    }
    return true;
}

QList<tagModifyFuncode_Servo> QRecordDB_Servo::getModifyFunCodes(const QString& alias) const
{
    QList<tagModifyFuncode_Servo> records;
    if (!checkOpen()) {
        return records;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query,
                 QString::fromLatin1(kSelectRecord) + QStringLiteral("WHERE alias = ? ORDER BY id DESC"))) {
        return records;
    }
    query.addBindValue(text(alias));
    if (!exec(query)) {
        return records;
    }
    const int count = recordCount(alias);
    records.reserve(count);
    QHash<qint64, int> rowById;
    rowById.reserve(count);
    while (query.next()) {
        rowById.insert(query.value(0).toLongLong(), records.size());
        records.append(recordFromQuery(query));
    }
    if (!attachRelated(alias, &records, rowById)) {
        return QList<tagModifyFuncode_Servo>();
    }
    return records;
}

QList<tagModifyFuncode_Servo> QRecordDB_Servo::getModifyFunCodePage(const QString& alias, qint64 maxId,
                                                                    int limit, QList<qint64>* ids) const
{
    QList<tagModifyFuncode_Servo> records;
    if (!checkOpen() || limit <= 0) {
        return records;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query, QString::fromLatin1(kSelectRecord) +
                            QStringLiteral("WHERE alias = ? AND id <= ? ORDER BY id DESC LIMIT ?"))) {
        return records;
    }
    query.addBindValue(text(alias));
    query.addBindValue(maxId);
    query.addBindValue(limit);
    if (!exec(query)) {
        return records;
    }
    records.reserve(limit);
    while (query.next()) {
        if (ids) {
            ids->append(query.value(0).toLongLong());
        }
        records.append(recordFromQuery(query));
    }
    return records;
}

qint64 QRecordDB_Servo::lastRecordId(const QString& alias) const
{
    if (!checkOpen()) {
        return 0;
    }
    const qint64 id = newestRecordId(
        QStringLiteral("SELECT id FROM modify_record WHERE alias = ? ORDER BY id DESC LIMIT 1"), {alias});
    return qMax<qint64>(id, 0);
}

tagModifyFuncode_Servo QRecordDB_Servo::getNewestModifyFunCode(const QString& alias,
                                                               const QString& funIndex) const
{
    if (!checkOpen()) {
        return tagModifyFuncode_Servo();
    }
    const qint64 id = newestRecordId(QStringLiteral("SELECT id FROM modify_record WHERE alias = ? AND "
                                                    "fun_index = ? ORDER BY id DESC LIMIT 1"),
                                     QStringList{alias, funIndex});
    return id < 0 ? tagModifyFuncode_Servo() : loadRecord(id);
}

// One query for the related rows of all the device's records instead of one per record.
bool QRecordDB_Servo::attachRelated(const QString& alias, QList<tagModifyFuncode_Servo>* records,
                                    const QHash<qint64, int>& rowById) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query, QStringLiteral("SELECT r.record_id, r.relate_index, r.before_val, r.after_val "
                                       "FROM modify_relate r JOIN modify_record m ON m.id = r.record_id "
                                       "WHERE m.alias = ?"))) {
        return false;
    }
    query.addBindValue(text(alias));
    if (!exec(query)) {
        return false;
    }
    while (query.next()) {
        const int row = rowById.value(query.value(0).toLongLong(), -1);
        if (row < 0) {
            continue;
        }
        (*records)[row].relateParamMap.insert(
            query.value(1).toString(), qMakePair(query.value(2).toString(), query.value(3).toString()));
    }
    return true;
}

tagModifyFuncode_Servo QRecordDB_Servo::getModifyFunCode(const QString& alias, const QString& time,
                                                         const QString& funIndex) const
{
    if (!checkOpen()) {
        return tagModifyFuncode_Servo();
    }
    const qint64 id =
        newestRecordId(QStringLiteral("SELECT id FROM modify_record WHERE alias = ? AND time = ? "
                                      "AND fun_index = ? ORDER BY id DESC LIMIT 1"),
                       QStringList{alias, time, funIndex});
    return id < 0 ? tagModifyFuncode_Servo() : loadRecord(id);
}

tagModifyFuncode_Servo QRecordDB_Servo::getNoTimeReleParamValMap(const QString& alias,
                                                                 const QString& funIndex) const
{
    tagModifyFuncode_Servo result;
    result.funIndex = funIndex;
    if (!checkOpen()) {
        return result;
    }
    const qint64 id = newestRecordId(
        QStringLiteral("SELECT m.id FROM modify_record m WHERE m.alias = ? AND m.fun_index = ? AND EXISTS "
                       "(SELECT 1 FROM modify_relate r WHERE r.record_id = m.id) ORDER BY m.id DESC LIMIT 1"),
        QStringList{alias, funIndex});
    if (id < 0) {
        return result;
    }
    const tagModifyFuncode_Servo newest = loadRecord(id);
    result.axisIndex = newest.axisIndex;
    result.relateParamMap = newest.relateParamMap;
    return result;
}

// The id found by a query selecting one id from the given values; -1 when there is none or it failed.
qint64 QRecordDB_Servo::newestRecordId(const QString& sql, const QStringList& values) const
{
    QSqlQuery query(database());
    if (!prepare(query, sql)) {
        return -1;
    }
    for (const QString& value : values) {
        query.addBindValue(text(value));
    }
    if (!exec(query) || !query.next()) {
        return -1;
    }
    return query.value(0).toLongLong();
}

tagModifyFuncode_Servo QRecordDB_Servo::loadRecord(qint64 id) const
{
    QSqlQuery query(database());
    if (!prepare(query, QString::fromLatin1(kSelectRecord) + QStringLiteral("WHERE id = ?"))) {
        return tagModifyFuncode_Servo();
    }
    query.addBindValue(id);
    if (!exec(query) || !query.next()) {
        return tagModifyFuncode_Servo();
    }
    tagModifyFuncode_Servo record = recordFromQuery(query);
    if (!loadRelated(id, &record)) {
        return tagModifyFuncode_Servo();
    }
    return record;
}

bool QRecordDB_Servo::loadRelated(qint64 id, tagModifyFuncode_Servo* record) const
{
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT relate_index, before_val, after_val FROM modify_relate "
                                       "WHERE record_id = ?"))) {
        return false;
    }
    query.addBindValue(id);
    if (!exec(query)) {
        return false;
    }
    while (query.next()) {
        record->relateParamMap.insert(query.value(0).toString(),
                                      qMakePair(query.value(1).toString(), query.value(2).toString()));
    }
    return true;
}

int QRecordDB_Servo::recordCount(const QString& alias) const
{
    if (!checkOpen()) {
        return 0;
    }
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT COUNT(*) FROM modify_record WHERE alias = ?"))) {
        return 0;
    }
    query.addBindValue(text(alias));
    if (!exec(query) || !query.next()) {
        return 0;
    }
    return query.value(0).toInt();
}

bool QRecordDB_Servo::renameAlias(const QString& oldAlias, const QString& newAlias)
{
    if (!checkOpen()) {
        return false;
    }
    if (newAlias.isEmpty()) {
        return fail(tr("STR_DB_NO_DEVICE"));
    }
    if (oldAlias == newAlias) {
        return true;
    }
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("UPDATE modify_record SET alias = ? WHERE alias = ?"))) {
        return false;
    }
    query.addBindValue(text(newAlias));
    query.addBindValue(text(oldAlias));
    return exec(query);
}
