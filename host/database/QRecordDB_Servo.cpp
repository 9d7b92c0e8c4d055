#include "QRecordDB_Servo.h"

#include "QSqliteBatchInsert.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace {
const qint32 kRecordApplicationId = 0x53575231; // "SWR1"
const int kRecordVersion = 2;

const char* const kCreateCodeIndex =
    "CREATE INDEX modify_record_code ON modify_record (alias, fun_index, id)";

const char* const kSelectRecord = "SELECT id, time, fun_index, axis, old_val, new_val FROM modify_record ";
// The records of every alias numbered 1, 2, ... in the order of their ids (after records were moved).
const char* const kNumberAll = "UPDATE modify_record SET seq = r.n FROM (SELECT id, ROW_NUMBER() OVER "
                               "(PARTITION BY alias ORDER BY id) AS n FROM modify_record) AS r "
                               "WHERE modify_record.id = r.id";
const char* const kNumberAlias = "UPDATE modify_record SET seq = r.n FROM (SELECT id, ROW_NUMBER() OVER "
                                 "(ORDER BY id) AS n FROM modify_record WHERE alias = ?) AS r "
                                 "WHERE modify_record.id = r.id";

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
    // AUTOINCREMENT: ids never come back after a clear, so id order stays the order of storing. seq numbers
    // an alias's records 1, 2, ... in that order, so that the record at a position of the records page is
    // found through the index however deep in the history it is.
    schema.createStatements = QStringList{
        QStringLiteral(
            "CREATE TABLE modify_record (id INTEGER PRIMARY KEY AUTOINCREMENT, alias TEXT NOT NULL, "
            "time TEXT NOT NULL, fun_index TEXT NOT NULL, axis INTEGER NOT NULL, "
            "old_val TEXT NOT NULL, new_val TEXT NOT NULL, seq INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE INDEX modify_record_seq ON modify_record (alias, seq)"),
        QLatin1String(kCreateCodeIndex),
        QStringLiteral("CREATE TABLE modify_relate (record_id INTEGER NOT NULL, relate_index TEXT NOT NULL, "
                       "before_val TEXT NOT NULL, after_val TEXT NOT NULL, "
                       "PRIMARY KEY (record_id, relate_index)) WITHOUT ROWID")};
    schema.upgrades.insert(
        1, QStringList{QStringLiteral("ALTER TABLE modify_record ADD COLUMN seq INTEGER NOT NULL DEFAULT 0"),
                       QLatin1String(kNumberAll), QStringLiteral("DROP INDEX modify_record_alias"),
                       QStringLiteral("CREATE INDEX modify_record_seq ON modify_record (alias, seq)")});
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
    if (isBulk(records.size())) {
        return inTransaction([&] {
            return execSql(QStringLiteral("DROP INDEX modify_record_code")) &&
                   storeChunk(alias, records, 0, records.size()) && execSql(QLatin1String(kCreateCodeIndex));
        });
    }
    return inChunks(records.size(),
                    [&](int first, int end) { return storeChunk(alias, records, first, end); });
}

// Adding a million entries to the index by code one at a time took most of the time of storing them;
// SQLite builds the index from the sorted rows many times faster. Only for a list longer than a chunk
// and at least as long as the table, since the whole index is built again. One transaction for the
// whole list, so that the file is never left without its index: all or nothing, and the journal holds
// little more than the old index.
bool QRecordDB_Servo::isBulk(int count) const
{
    if (count <= chunkRows()) {
        return false;
    }
    QSqlQuery query(database());
    // The highest id is found in the table's tree at once and is never below the number of rows.
    if (!query.exec(QStringLiteral("SELECT IFNULL(MAX(id), 0) FROM modify_record")) || !query.next()) {
        return false;
    }
    return count >= query.value(0).toLongLong();
}

// Records without related parameters go in blocks; one with them alone, since its id is needed for them.
bool QRecordDB_Servo::storeChunk(const QString& alias, const QList<tagModifyFuncode_Servo>& records,
                                 int first, int end)
{
    const QString target =
        QStringLiteral("modify_record (alias, time, fun_index, axis, old_val, new_val, seq)");
    QSqliteBatchInsert plain(database(), target, 7);
    QSqliteBatchInsert related(database(), target, 7, 1);
    QSqliteBatchInsert relations(
        database(), QStringLiteral("modify_relate (record_id, relate_index, before_val, after_val)"), 4);
    if (!plain.prepare() || !related.prepare() || !relations.prepare()) {
        return fail(tr("STR_DB_QUERY_FAILED"),
                    plain.lastError() + related.lastError() + relations.lastError());
    }
    qint64 seq = recordCount(alias);
    for (int i = first; i < end; ++i) {
        const tagModifyFuncode_Servo& record = records.at(i);
        const bool hasRelations = !record.relateParamMap.isEmpty();
        QSqliteBatchInsert& insert = hasRelations ? related : plain;
        // Ids keep the order of storing: the pending records without relations go first.
        if (hasRelations && !plain.finish()) {
            return fail(tr("STR_DB_QUERY_FAILED"), plain.lastError());
        }
        insert.set(0, alias);
        insert.set(1, record.strTime);
        insert.set(2, record.funIndex);
        insert.set(3, record.axisIndex);
        insert.set(4, record.oldVal);
        insert.set(5, record.newVal);
        insert.set(6, ++seq);
        if (!insert.endRow() || (hasRelations && !addRelations(&relations, related.lastInsertId(), record))) {
            return fail(tr("STR_DB_QUERY_FAILED"), insert.lastError() + relations.lastError());
        }
    }
    return (plain.finish() && relations.finish()) ||
           fail(tr("STR_DB_QUERY_FAILED"), plain.lastError() + relations.lastError());
}

bool QRecordDB_Servo::addRelations(QSqliteBatchInsert* relations, qint64 id,
                                   const tagModifyFuncode_Servo& record)
{
    for (auto it = record.relateParamMap.cbegin(); it != record.relateParamMap.cend(); ++it) {
        relations->set(0, id);
        relations->set(1, it.key());
        relations->set(2, it.value().first);
        relations->set(3, it.value().second);
        if (!relations->endRow()) {
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
                 QString::fromLatin1(kSelectRecord) + QStringLiteral("WHERE alias = ? ORDER BY seq DESC"))) {
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

QList<tagModifyFuncode_Servo> QRecordDB_Servo::getModifyFunCodePage(const QString& alias, int highestSeq,
                                                                    int limit) const
{
    QList<tagModifyFuncode_Servo> records;
    if (!checkOpen() || limit <= 0) {
        return records;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query, QString::fromLatin1(kSelectRecord) +
                            QStringLiteral("WHERE alias = ? AND seq <= ? ORDER BY seq DESC LIMIT ?"))) {
        return records;
    }
    query.addBindValue(text(alias));
    query.addBindValue(highestSeq);
    query.addBindValue(limit);
    if (!exec(query)) {
        return records;
    }
    records.reserve(limit);
    while (query.next()) {
        records.append(recordFromQuery(query));
    }
    return records;
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
    // The records are numbered without gaps: the highest number is the count, found in the index.
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT IFNULL(MAX(seq), 0) FROM modify_record WHERE alias = ?"))) {
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
    // The moved records join those of the new alias in the order of storing.
    return inTransaction([&] {
        QSqlQuery move(database());
        QSqlQuery number(database());
        if (!prepare(move, QStringLiteral("UPDATE modify_record SET alias = ? WHERE alias = ?")) ||
            !prepare(number, QLatin1String(kNumberAlias))) {
            return false;
        }
        move.addBindValue(text(newAlias));
        move.addBindValue(text(oldAlias));
        number.addBindValue(text(newAlias));
        return exec(move) && exec(number);
    });
}
