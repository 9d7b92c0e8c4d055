#pragma once

#include "QSqliteDatabase.h"
#include "tagModifyFuncode_Servo.h"

#include <QHash>
#include <QList>
#include <QString>

class QSqlQuery;
class QSqliteBatchInsert;

// Modification records of function codes, per device alias, in records.db. Every operation returns false
// or an empty result when the database is not open or a query fails (see lastError()).
class QRecordDB_Servo : public QSqliteDatabase
{
public:
    QRecordDB_Servo();
    ~QRecordDB_Servo() override;

    // Removes every record of the device. Must stay the first virtual operation of this class.
    virtual bool clearModifyFunCodes(const QString& alias);

    // Stores one record with its related-parameter map, in one transaction. The alias must not be empty.
    bool insertModifyFunCode(const QString& alias, const tagModifyFuncode_Servo& record);
    // Stores many records, the first of the list as the oldest, in transactions of a chunk of records each
    // (see setChunkRows()); a list longer than a chunk and at least as long as the table in one.
    bool insertModifyFunCodes(const QString& alias, const QList<tagModifyFuncode_Servo>& records);
    // All records of the device, newest (last stored) first.
    QList<tagModifyFuncode_Servo> getModifyFunCodes(const QString& alias) const;
    // One page of the device's records by position: the device's records are numbered 1 (the oldest) to
    // recordCount() (the newest); the page is at most `limit` records numbered highestSeq and below, newest
    // first, without their related-parameter maps. One indexed query, as fast deep in a long history as at
    // its start.
    QList<tagModifyFuncode_Servo> getModifyFunCodePage(const QString& alias, int highestSeq, int limit) const;
    // The newest record of a code (with its related-parameter map); an empty record when there is none.
    tagModifyFuncode_Servo getNewestModifyFunCode(const QString& alias, const QString& funIndex) const;
    // The newest record of the code stored with this time text; an empty record when there is none.
    tagModifyFuncode_Servo getModifyFunCode(const QString& alias, const QString& time,
                                            const QString& funIndex) const;
    // A record of the code without time and values whose related-parameter map holds the last known values
    // before and after of the code's related parameters: the map of the newest record of the code that has
    // one, and that record's axis. The map is empty when no record of the code has related parameters.
    tagModifyFuncode_Servo getNoTimeReleParamValMap(const QString& alias, const QString& funIndex) const;
    // The number of the device's records, read from the index without counting them.
    int recordCount(const QString& alias) const;
    // Moves the records of a device to its new alias (merged with records already stored under it).
    bool renameAlias(const QString& oldAlias, const QString& newAlias);

private:
    static tagSqliteSchema recordSchema();
    bool isBulk(int count) const;
    bool storeChunk(const QString& alias, const QList<tagModifyFuncode_Servo>& records, int first, int end);
    bool addRelations(QSqliteBatchInsert* relations, qint64 id, const tagModifyFuncode_Servo& record);
    qint64 newestRecordId(const QString& sql, const QStringList& values) const;
    tagModifyFuncode_Servo loadRecord(qint64 id) const;
    bool loadRelated(qint64 id, tagModifyFuncode_Servo* record) const;
    bool attachRelated(const QString& alias, QList<tagModifyFuncode_Servo>* records,
                       const QHash<qint64, int>& rowById) const;
};
